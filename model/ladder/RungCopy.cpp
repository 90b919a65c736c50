#include "model/ladder/RungCopy.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "model/image/ModeData.h"
#include "model/instructions/Conversions.h"
#include "model/ladder/ContactRenamers.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/VirtualCanvas.h"

namespace kestrion {

namespace {

bool rowHasLink(std::int64_t row) {
    const char* cells = VirtualArray.rowCells(row);
    for (std::int64_t column = 0; column < kCanvasColumns; ++column)
        if (CanvasGrid::cellOfRow(cells, column) == kCellLink) return true;
    return false;
}

void copyRows(RungCopy& rung) {
    const std::int64_t first = canvasRowOf(rung.top);
    for (std::int64_t row = first; row < first + 2 * std::int64_t{rung.lines}; ++row) {
        std::array<char, kCanvasColumns>& cells = rung.rows.emplace_back();
        const char* from = VirtualArray.rowCells(row);
        for (std::int64_t column = 0; column < kCanvasColumns; ++column)
            cells[static_cast<std::size_t>(column)] = CanvasGrid::cellOfRow(from, column);
    }
}

void copyObject(RungCopy& rung, const stLadderBlock& o) {
    stLadderBlock& copy = rung.objects.emplace_back(o);
    copy.next = copy.prev = nullptr;
    copy.heldBySnapshots = 0;
}

}  // namespace

RungCopy copyRungOf(const stLadderBlock& object) {
    RungCopy rung;
    const std::uint32_t h = ModeData.ySizeSymble;
    if (h == 0) return rung;
    // The lines links join, widened to the lines of every block met on them, and again, until the
    // run of objects around the object holds them all: the parallel outputs of a full rung share
    // its block with no link drawn between them.
    std::int64_t first = object.yAddr / h;
    std::int64_t last = first;
    std::vector<std::uint32_t> blocks{object.objLbc};
    const auto inRung = [&](const stLadderBlock& o) {
        if (o.iCode == kCodeEnd) return false;
        const std::int64_t line = o.yAddr / h;
        return (line >= first && line <= last) ||
               std::find(blocks.begin(), blocks.end(), o.objLbc) != blocks.end();
    };
    const stLadderBlock* start = &object;
    const stLadderBlock* end = &object;
    for (bool grew = true; grew;) {
        while (first > 0 && rowHasLink(2 * first - 1)) --first;
        while (2 * last + 1 < kCanvasRows && rowHasLink(2 * last + 1)) ++last;
        grew = false;
        const auto take = [&](const stLadderBlock& o) {
            const std::int64_t line = o.yAddr / h;
            if (line < first || line > last) grew = true;
            first = std::min(first, line);
            last = std::max(last, line);
            if (std::find(blocks.begin(), blocks.end(), o.objLbc) != blocks.end()) return;
            blocks.push_back(o.objLbc);
            grew = true;
        };
        while (start->prev != nullptr && inRung(*start->prev)) take(*(start = start->prev));
        while (end->next != nullptr && inRung(*end->next)) take(*(end = end->next));
    }
    rung.top = static_cast<std::uint32_t>(first) * h;
    rung.lines = static_cast<std::uint32_t>(last - first + 1);
    for (const stLadderBlock* o = start;; o = o->next) {
        copyObject(rung, *o);
        if (o == end) break;
    }
    copyRows(rung);
    return rung;
}

}  // namespace kestrion
