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

bool blankAt(std::int64_t column, std::int64_t row) {
    return VirtualArray.at(column, row) == kCellBlank;
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
std::string judgeLink(LinkEdit edit, const LinkPlace& place, const std::vector<RungCopy>& before) {
    const std::uint32_t lower = place.y + lineHeight();
    const bool upperHolds = lineHoldsObjects(place.y);
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
        const bool upperMeets = upperHolds && endMeetsLine(place.column, place.row - 1, place.row - 2);
        const bool lowerMeets = lowerHolds && endMeetsLine(place.column, place.row + 1, place.row + 2);
        if (!upperMeets || !lowerMeets)
            openWhat = "the link at " + cellText(place) + " would meet nothing on line " +
                       std::to_string((upperMeets ? lower : place.y) / lineHeight() + 1) +
                       " and leave wire open in a rung that was whole before it.";
    }
    for (const RungCopy& rung : rungsOnLines({place.y, lower})) {
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
    std::string why;
    // The link changes no object: its undo copy holds the ladder as records of what changed.
    const NotedChanges noted;
    const bool taken = runCommand([&] {
        const std::vector<RungCopy> before = rungsAround(place.y);
        backupLadderDiagramMemory(1);
        backupVirtualCanvas(1);
        VirtualArray.put(place.column, place.row, edit == LinkEdit::Draw ? kCellLink : kCellBlank);
        why = judgeLink(edit, place, before);
        if (!why.empty()) return false;
        markEdited(place.y);
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
