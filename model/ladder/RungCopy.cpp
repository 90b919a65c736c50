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

// The code the view draws an object by: a contact by its LD form; none for wire fillers, joints
// and END.
std::optional<std::uint16_t> drawnCode(const stLadderBlock& o) {
    const std::uint16_t code = o.iCode;
    if (code == kCodeNull || code == kCodeEnd || isPlaceholderWord(code) || isBlockJoint(code) ||
        isStackJoint(code))
        return std::nullopt;
    return renamedContactCode(code, ContactFamily::Ld).value_or(code);
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

RungCopy copyLadderAboveEnd() {
    RungCopy rung;
    const std::uint32_t h = ModeData.ySizeSymble;
    if (h == 0 || ldrTail == nullptr) return rung;
    rung.lines = ldrTail->yAddr / h;
    for (const stLadderBlock* o = ldrHead; o != ldrTail && o != nullptr; o = o->next) copyObject(rung, *o);
    copyRows(rung);
    return rung;
}

std::vector<std::string> drawnRung(const RungCopy& rung) {
    std::vector<std::string> drawn;
    for (const stLadderBlock& o : rung.objects) {
        if (const std::optional<std::uint16_t> code = drawnCode(o))
            drawn.push_back(std::to_string(o.xAddr) + "," + std::to_string(o.yAddr - rung.top) + " " +
                            hexText(*code, 4));
    }
    std::sort(drawn.begin(), drawn.end());
    for (std::size_t row = 0; row < rung.rows.size(); ++row) {
        std::string links(rung.rows[row].begin(), rung.rows[row].end());
        std::replace_if(
            links.begin(), links.end(), [](char c) { return c != kCellLink; }, ' ');
        links.erase(links.find_last_not_of(' ') + 1);
        if (!links.empty()) drawn.push_back("links " + std::to_string(row) + " " + links);
    }
    return drawn;
}

std::vector<std::string> rungShape(const RungCopy& rung) {
    const std::uint32_t h = ModeData.ySizeSymble;
    if (h == 0 || symbleHalfWidth == 0) return {};
    // The columns of each line's instructions, left to right, and their codes.
    std::vector<std::vector<std::pair<std::int64_t, std::uint16_t>>> lines(rung.lines);
    for (const stLadderBlock& o : rung.objects) {
        if (const std::optional<std::uint16_t> code = drawnCode(o))
            lines[(o.yAddr - rung.top) / h].emplace_back(o.xAddr / symbleHalfWidth, *code);
    }
    std::vector<std::string> shape;
    for (std::size_t line = 0; line < lines.size(); ++line) {
        std::sort(lines[line].begin(), lines[line].end());
        std::string text = "line " + std::to_string(line) + ":";
        for (const auto& [column, code] : lines[line]) text += " " + hexText(code, 4);
        shape.push_back(text);
    }
    const auto inFront = [&](std::size_t line, std::int64_t column) {
        if (line >= lines.size()) return std::string("-");
        const auto& on = lines[line];
        return std::to_string(
            std::count_if(on.begin(), on.end(), [&](const auto& at) { return at.first < column; }));
    };
    for (std::size_t row = 0; row < rung.rows.size(); ++row)
        for (std::size_t column = 0; column < rung.rows[row].size(); ++column) {
            if (rung.rows[row][column] != kCellLink) continue;
            const auto c = static_cast<std::int64_t>(column);
            const std::string link = "link " + std::to_string(row) + " after " + inFront(row / 2, c) + " | " +
                                     inFront(row / 2 + 1, c);
            // Two links in one gap between the same instructions join the same two points.
            if (shape.back() != link) shape.push_back(link);
        }
    return shape;
}

}  // namespace kestrion
