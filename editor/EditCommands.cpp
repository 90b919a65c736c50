#include "editor/EditCommands.h"

#include <utility>

#include "editor/DeviceReplace.h"
#include "editor/LineEditing.h"
#include "entry/EntryDriver.h"
#include "lang/MenuState.h"
#include "model/core/CommandTransaction.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditMarks.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "model/ladder/VirtualCanvas.h"
#include "platform/MessagesStandIn.h"

namespace kestrion {

namespace {

// A program is open and its cells have a size.
bool ladderOpen() {
    return ldrHead != nullptr && lineHeight() != 0;
}

void takeUndoCopy() {
    backupLadderDiagramMemory(1);
    backupVirtualCanvas(1);
}

void markEdited() {
    editModeFlags |= kEditLadderNotConverted | kEditModifiedSinceSave;
    requestLadderRedraw();
    canvasState.editCancelMenuEnabled = true;
}

// Counts the warning and error boxes shown while it lives. A pass deep inside an edit may show
// its box and go on; the edit has failed all the same and must not stay half done.
class ErrorBoxWatch : public platform::MessagesStandIn {
public:
    platform::MsgAnswer show(const std::string& text, const std::string& caption, platform::MsgIcon icon,
                             platform::MsgButtons buttons) override {
        if (icon == platform::MsgIcon::Warning || icon == platform::MsgIcon::Error) ++errors_;
        return replaced().show(text, caption, icon, buttons);
    }
    bool sawError() const { return errors_ != 0; }

private:
    int errors_ = 0;
};

// Runs an edit of the open ladder: refused while a monitor runs, undo copy first, one transaction;
// an edit that had to show an error box is undone.
template <class Change>
void runEdit(Change&& change) {
    if (refuseEditInMonitorMode() || !ladderOpen()) return;
    ErrorBoxWatch errors;
    runCommand([&] {
        takeUndoCopy();
        if (!change() || errors.sawError()) return false;
        markEdited();
        return true;
    });
    refreshEditItems();
}

// The edit-cancel copy in place of the ladder, its nodes copied with new links.
void restoreEditCancelCopy() {
    freeLadderList(ldrList);
    ldrBackup->unpackInto(ldrList);
    ldrNow = ldrTail;
    ldrSearch = nullptr;
    restoreVirtualCanvas(0);
    for (int list : {kListInsertedRows, kListDeletedRows, kListEditedRows}) FreeLadderMemory(list);
}

}  // namespace

void refreshEditItems() {
    const bool open = ldrHead != nullptr;
    menuItem("Undo1").enabled = open && hasUndoCopy() && canvasState.undoMenuEnabled;
    const bool cancel = open && hasEditCancelCopy() && canvasState.editCancelMenuEnabled;
    menuItem("EditCancel1").enabled = cancel;
    // The link keys stay live on every open ladder: where no link can go they say why.
    menuItem("DrawLink1").enabled = open;
    menuItem("EraseLink1").enabled = open;
}

void Undo1Click() {
    if (refuseEditInMonitorMode() || !ladderOpen() || !hasUndoCopy()) return;
    // Undo changes what the edit before it changed, and notes it: the edit's objects and no more.
    const NotedChanges noted;
    runCommand([] {
        swapUndoCopy();
        std::swap(VirtualArray, BkVirtualArray);
        swapReplacedComments();
        ldrSearch = nullptr;
        markEdited();
        setBlueFrameObject(BlueFrame.x1, frameLineY());
    });
    refreshEditItems();
}

void EditCancel1Click() {
    if (refuseEditInMonitorMode() || !ladderOpen() || !hasEditCancelCopy()) return;
    runCommand([] {
        takeUndoCopy();
        restoreEditCancelCopy();
        // The ladder is the converted one again; it still differs from the saved file.
        editModeFlags &= static_cast<std::uint8_t>(~kEditLadderNotConverted);
        editModeFlags |= kEditModifiedSinceSave;
        requestLadderRedraw();
        setBlueFrameObject(BlueFrame.x1, frameLineY());
    });
    refreshEditItems();
}

void EditCancel2Click() {
    EditCancel1Click();
}

void Copy1Click() {
    if (!ladderOpen()) return;
    copyLines(frameLines());
}

void Cut1Click() {
    runEdit([] {
        const LineRange lines = frameLines();
        if (!copyLines(lines)) return false;
        for (std::uint32_t y = lines.lastY + lineHeight(); y > lines.firstY;) {
            y -= lineHeight();
            closeLine(y);
        }
        setBlueFrameObject(BlueFrame.x1, lines.firstY);
        return true;
    });
}

void Paste1Click() {
    runEdit(pasteLines);
}

void InsertLine1Click() {
    runEdit([] {
        const std::uint32_t y = std::min(frameLineY(), getEndObjectY());
        openLines(y, 1, true);
        addInsGrayMarkRow(y);
        setBlueFrameObject(BlueFrame.x1, y);
        return true;
    });
}

void DeleteLine1Click() {
    runEdit([] {
        if (!closeLine(frameLineY())) return false;
        setBlueFrameObject(BlueFrame.x1, frameLineY());
        return true;
    });
}

}  // namespace kestrion
