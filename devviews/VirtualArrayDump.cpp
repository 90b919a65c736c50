#include "devviews/VirtualArrayDump.h"

#include <algorithm>

#include "model/ladder/CanvasState.h"
#include "model/ladder/DrawGeometry.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

const CanvasGrid* chosenGrid(int gridChoice) {
    switch (gridChoice) {
        case kDumpVirtualArray: return &VirtualArray;
        case kDumpBkVirtualArray: return &BkVirtualArray;
        case kDumpCompileVirtualArray: return &bCompileVirtualArray;
        case kDumpCopyVirtualArray: return &CopyVirtualArray;
        default: return nullptr;
    }
}

std::string rowText(const CanvasGrid& grid, std::int64_t row, std::int64_t columns) {
    std::string text;
    for (std::int64_t column = 0; column < columns; ++column) {
        const char cell = grid.at(column, row);
        text.push_back(cell == '\0' ? '.' : cell);
    }
    text.erase(text.find_last_not_of(kCellBlank) + 1);
    return text;
}

}  // namespace

std::vector<std::string> virtualArrayDumpRows(int gridChoice) {
    std::vector<std::string> rows;
    const CanvasGrid* grid = chosenGrid(gridChoice);
    if (grid == nullptr) return rows;
    const std::int64_t columns = std::min<std::int64_t>(virtualArrayColumns, kCanvasColumns);
    std::size_t used = 0;
    // The rows below the stored ones only repeat the grid's fill: the dump ends with the stored rows.
    for (std::int64_t row = 0; row < grid->rowsInUse(); ++row) {
        rows.push_back(rowText(*grid, row, columns));
        if (!rows.back().empty()) used = rows.size();
    }
    rows.resize(used);
    return rows;
}

void OpenVirtualArrayMemo(int gridChoice) {
    if (chosenGrid(gridChoice) == nullptr) return;
    platform::TraceMemos& memos = platform::trace();
    memos.clear(platform::Memo::VirtualArray);
    memos.setVisible(platform::Memo::VirtualArray, true);
    for (const std::string& row : virtualArrayDumpRows(gridChoice))
        memos.append(platform::Memo::VirtualArray, row);
}

}  // namespace kestrion
