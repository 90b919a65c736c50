#include "editor/VerticalLinks.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "editor/EditCommands.h"
#include "editor/EditorViewState.h"
#include "editor/LineEditing.h"
#include "entry/EntryDriver.h"
#include "entry/RungJudgement.h"
#include "model/core/CommandTransaction.h"
#include "model/image/ModeData.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/DrawnLogic.h"
#include "model/ladder/DrawnSymbols.h"
#include "model/ladder/EditMarks.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "model/ladder/VirtualCanvas.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

// The link at the frame: the canvas column of the frame's left edge (the vertical line between its
// cell and the cell before), the gap row under the frame's line, and that line's y.
struct LinkPlace {
    std::int64_t column = 0;
    std::int64_t row = 0;
    std::uint32_t x = 0;  // the left edge of the cell right of the link
    std::uint32_t y = 0;
};

LinkPlace linkAtFrame() {
    LinkPlace place;
    const std::int64_t column = canvasColumnOf(BlueFrame.x1);
    // A joint stands in the column of its link; a cell's left edge is the column before the cell.
    place.column = column % 2 != 0 ? column : column - 1;
    place.y = frameLineY();
    place.row = canvasRowOf(place.y) + 1;
    place.x = static_cast<std::uint32_t>(std::max<std::int64_t>(place.column + 1, 0) * symbleHalfWidth);
    return place;
}

std::string cellText(const LinkPlace& place) {
    return "cell " + std::to_string(place.x / ModeData.xSizeSymble);
}

void markEdited(std::uint32_t y) {
    addGrayMaskRow(y);
    addGrayMaskRow(y + lineHeight());
    editModeFlags |= kEditLadderNotConverted | kEditModifiedSinceSave;
    requestLadderRedraw();
}

// A cell no edit has written yet holds zero, and is as blank as a blank one.
bool blankAt(std::int64_t column, std::int64_t row) {
    const char cell = VirtualArray.at(column, row);
    return cell == kCellBlank || cell == 0;
}

// Whether the line at y stands clear of the link's column: its canvas cells there are blank and
// nothing the view paints on it (an object, or the wire into an output) crosses the column.
bool lineClearAt(const LinkPlace& place, std::uint32_t y) {
    const std::int64_t row = canvasRowOf(y);
    if (!blankAt(place.column - 1, row) || !blankAt(place.column, row) || !blankAt(place.column + 1, row))
        return false;
    for (const RungCopy& rung : rungsOnLines({y})) {
        std::vector<const stLadderBlock*> line;
        for (const stLadderBlock& o : rung.objects)
            if (o.yAddr == y && drawsOnRow(o)) line.push_back(&o);
        for (const stLadderBlock* o : line) {
            const std::uint32_t from =
                isDrawnOutput(*o) ? outputWireStartAmong(*o, line, linksBesideLine(y)) : o->xAddr;
            if (from < place.x && place.x < paintedEnd(*o)) return false;
        }
    }
    return true;
}

// The gap rows a link at the frame takes, top down. One, but where its lower end would meet nothing
// on a line that holds a rung clear of the link's column, the link goes on down past that line to
// the first line it meets, as the load draws a branch's link from its node past the branches above
// it: so one key on the node's line joins a branch lines below. An erased link goes with the links
// it passes lines with, up and down. `top` and `bottom` are the lines it joins.
struct LinkRun {
    std::vector<std::int64_t> rows;
    std::uint32_t top = 0;
    std::uint32_t bottom = 0;
};

LinkRun linkRunAt(LinkEdit edit, const LinkPlace& place) {
    const std::uint32_t h = lineHeight();
    LinkRun run{{place.row}, place.y, place.y + h};
    const auto stands = [&](std::int64_t row) { return VirtualArray.at(place.column, row) == kCellLink; };
    if (edit == LinkEdit::Erase) {
        // A line passed: clear of the column, with the link going on beyond it.
        while (run.top >= h && stands(canvasRowOf(run.top) - 1) && lineClearAt(place, run.top)) {
            run.rows.insert(run.rows.begin(), canvasRowOf(run.top) - 1);
            run.top -= h;
        }
        while (stands(canvasRowOf(run.bottom) + 1) && lineClearAt(place, run.bottom)) {
            run.rows.push_back(canvasRowOf(run.bottom) + 1);
            run.bottom += h;
        }
        return run;
    }
    const auto passes = [&](std::uint32_t y) { return lineHoldsObjects(y) && lineClearAt(place, y); };
    LinkRun longer = run;
    while (passes(longer.bottom) && !stands(canvasRowOf(longer.bottom) + 1)) {
        longer.rows.push_back(canvasRowOf(longer.bottom) + 1);
        longer.bottom += h;
    }
    // It meets what stands at the column on its last line, or a link going on from there.
    const bool meets = stands(canvasRowOf(longer.bottom) + 1) ||
                       (lineHoldsObjects(longer.bottom) && !lineClearAt(place, longer.bottom));
    return meets ? longer : run;
}

// Whether an end of the link meets the line at `row`: an element beside it or a link going on past
// it (`onward`: the gap row beyond the line). Where a rung is refused as left open, an end that meets
// nothing is the reason the user sees.
bool endMeetsLine(std::int64_t column, std::int64_t row, std::int64_t onward) {
    return !blankAt(column - 1, row) || !blankAt(column + 1, row) || !blankAt(column, row) ||
           VirtualArray.at(column, onward) == kCellLink;
}

// Why the rungs the link leaves may not stand; empty when they may. `before`: the rungs around the
// link as they stood before it.
std::string judgeLink(LinkEdit edit, const LinkPlace& place, const LinkRun& run,
                      const std::vector<RungCopy>& before) {
    const std::uint32_t lower = run.bottom;
    const bool upperHolds = lineHoldsObjects(run.top);
    const bool lowerHolds = lineHoldsObjects(lower);
    if (!upperHolds && !lowerHolds)
        return lineReason(place.y, "nothing stands on this line or the next for a link at " +
                                       cellText(place) + " to join.");
    std::string openWhat =
        edit == LinkEdit::Draw
            ? "this link would leave wire open in a rung that was whole before it."
            : "erasing this link would leave wire open in a rung that was whole before it.";
    // Convert drops a line that holds nothing: a link down to one leaves the wire open whatever the
    // rung alone shows.
    const bool leftOpen = edit == LinkEdit::Draw && (!upperHolds || !lowerHolds);
    if (edit == LinkEdit::Draw) {
        const std::int64_t upperRow = canvasRowOf(run.top), lowerRow = canvasRowOf(lower);
        const bool upperMeets = upperHolds && endMeetsLine(place.column, upperRow, upperRow - 1);
        const bool lowerMeets = lowerHolds && endMeetsLine(place.column, lowerRow, lowerRow + 1);
        if (!upperMeets || !lowerMeets)
            openWhat = "the link at " + cellText(place) + " would meet nothing on line " +
                       std::to_string((upperMeets ? lower : place.y) / lineHeight() + 1) +
                       " and leave wire open in a rung that was whole before it.";
    }
    std::vector<std::uint32_t> lines;
    for (std::uint32_t y = run.top; y <= lower; y += lineHeight()) lines.push_back(y);
    for (const RungCopy& rung : rungsOnLines(lines)) {
        const LadderVerdict verdict = judgeEditedRung(rung, before, place.x, place.y, openWhat, leftOpen);
        if (!editMayStand(verdict)) return verdict.reason;
    }
    return "";
}

void sayWhy(const std::string& why) {
    platform::statusBar().setPanelText(13, why);
    editorView.linkReasonShown = why;
}

}  // namespace

std::string linkPlaceRefusal(LinkEdit edit) {
    if (ldrHead == nullptr || lineHeight() == 0 || !canvasGeometryReady()) return "No ladder is open.";
    const LinkPlace place = linkAtFrame();
    const std::uint32_t endY = getEndObjectY();
    if (place.column < firstCellColumn())
        return lineReason(place.y, "no link at the left bus: the bus joins every line already.");
    if (place.column > lastCellColumn())
        return lineReason(place.y, "no link right of the last cell: only the right bus stands there.");
    const bool stands = VirtualArray.at(place.column, place.row) == kCellLink;
    if (edit == LinkEdit::Erase)
        return stands
                   ? ""
                   : lineReason(place.y, "no link at " + cellText(place) + " joins this line to the next.");
    if (place.y >= endY) return lineReason(place.y, "no link below END: the ladder ends on END's line.");
    if (place.y + lineHeight() >= endY)
        return lineReason(
            place.y,
            "no link down onto END's line: type the branch's first instruction there, then draw "
            "its link.");
    if (stands)
        return lineReason(place.y, "a link at " + cellText(place) + " joins this line to the next already.");
    return "";
}

bool editLinkAtFrame(LinkEdit edit) {
    if (refuseEditInMonitorMode()) return false;
    // A note this tool left is judged anew with the next link.
    if (!editorView.linkReasonShown.empty() &&
        platform::statusBar().panelText(13) == editorView.linkReasonShown)
        platform::statusBar().setPanelText(13, "");
    editorView.linkReasonShown.clear();
    if (const std::string why = linkPlaceRefusal(edit); !why.empty()) {
        sayWhy(why);
        return false;
    }
    const LinkPlace place = linkAtFrame();
    const LinkRun run = linkRunAt(edit, place);
    std::string why;
    // The link changes no object: its undo copy holds the ladder as records of what changed.
    const NotedChanges noted;
    const bool taken = runCommand([&] {
        std::vector<RungCopy> before;
        for (std::uint32_t y = run.top; y < run.bottom; y += lineHeight())
            for (RungCopy& rung : rungsAround(y)) before.push_back(std::move(rung));
        backupLadderDiagramMemory(1);
        backupVirtualCanvas(1);
        for (const std::int64_t row : run.rows)
            VirtualArray.put(place.column, row, edit == LinkEdit::Draw ? kCellLink : kCellBlank);
        why = judgeLink(edit, place, run, before);
        if (!why.empty()) return false;
        for (std::uint32_t y = run.top; y < run.bottom; y += lineHeight()) markEdited(y);
        return true;
    });
    if (!why.empty()) sayWhy(why);
    refreshEditItems();
    return taken;
}

void DrawLink1Click() {
    editLinkAtFrame(LinkEdit::Draw);
}

void EraseLink1Click() {
    editLinkAtFrame(LinkEdit::Erase);
}

}  // namespace kestrion
