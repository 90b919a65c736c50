#include "link/transfer/TransferCommands.h"

#include "lang/Language.h"
#include "link/line/CommRecord.h"
#include "link/line/LinkCommand.h"
#include "link/transfer/RegisterView.h"
#include "link/transfer/TransferDialogs.h"
#include "link/transfer/TransferSessions.h"
#include "link/transfer/WindowSteps.h"
#include "model/core/CommandTransaction.h"
#include "model/core/MainState.h"
#include "model/image/ProgramImage.h"
#include "model/image/RecentFiles.h"
#include "model/image/StepCount.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorState.h"
#include "platform/Box.h"
#include "platform/Services.h"
#include "reader/WordCheck.h"

namespace kestrion {

namespace {

using platform::MsgIcon;

bool unconverted() {
    return (editModeFlags & kEditLadderNotConverted) != 0;
}

void clearBits(std::uint8_t& flags, std::uint8_t bits) {
    flags &= static_cast<std::uint8_t>(~bits);
}

// File > Close first when the program has no name or unsaved changes; false when the user kept
// it (it stays as it was).
bool closedIfNeeded() {
    const bool needed = (fileStateFlags & kFileNoName) != 0 || (editModeFlags & kEditModifiedSinceSave) != 0;
    if (!needed) return true;
    bool closed = false;
    runCommand([&closed] { return closed = windowSteps().closeProgram(); });
    if (!closed) fileStateFlags |= kFileLastChoiceWentThrough;
    return closed;
}

// The program just read, shown as a new, unnamed program that is not saved yet; false when a word
// of it was refused (the check has said which) or its new name would not fit, and the command's
// transaction takes everything back. The caption names the program by the name it had before.
bool buildReadLadder() {
    if (DeleteNopMachineCode(kProgramAreaOffset, "ProgRead") != 0) return false;
    setMainCaptionWithFile(currentFileName());
    if (!windowSteps().showCommandBuiltProgram("ProgRead", "Ladder")) return false;
    clearBits(fileStateFlags, kFileLastChoiceWentThrough);
    editModeFlags |= kEditModifiedSinceSave;
    return true;
}

bool readAndLoadProgram() {
    // The type dialog clears the go-ahead bit when it is cancelled, and only then.
    fileStateFlags |= kFileLastChoiceWentThrough;
    windowSteps().choosePlcType();
    if ((fileStateFlags & kFileLastChoiceWentThrough) == 0) {
        fileStateFlags |= kFileLastChoiceWentThrough;
        clearBits(fileStateFlags, kFileNoName);
        clearBits(editModeFlags, kEditModifiedSinceSave);
        return true;
    }
    if (!readProgramFromPlc() || !buildReadLadder()) return false;
    platform::say({"Completed...", "Program read", MsgIcon::Information});
    return true;
}

}  // namespace

void ProgReadClick() {
    if (refusedWhileMonitoring({"In monitor mode...Can'tDoProgRead", "Msg2015032001", MsgIcon::None})) return;
    if (unconverted()) {
        platform::say({"Msg2015032011", "*Need Convert Edit Program", MsgIcon::None});
        return;
    }
    if (!platform::askYesNo({"Do you want to read program?", "Read Program", MsgIcon::Question})) return;
    if (!closedIfNeeded()) return;
    // Block, program and ladder become the project's together, or not at all.
    runCommand(readAndLoadProgram);
}

void ProgWriteClick() {
    if (refusedWhileMonitoring(
            {"In Device Monitor...Can'tDoProgramWrite...", "Msg2015032002", MsgIcon::None}))
        return;
    if (unconverted()) {
        platform::say({"Need Convert Edit Program", "Msg2015032012", MsgIcon::None});
        return;
    }
    if (!platform::askYesNo({"Do you want to write program?", "Write Program", MsgIcon::Question})) return;
    ProgWriteDialog dialog;
    dialog.endStep = static_cast<std::int32_t>(convStepNo);
    transferDialogs().progWrite(dialog);
    requestLadderRedraw();
    if (dialog.accepted != 1) return;
    writeProgramToPlc(dialog.rangeMode == ProgWriteDialog::kRangeSetting);
    requestLadderRedraw();
}

void ProgVerifyClick() {
    if (refusedWhileMonitoring({"Can'tDoProgramVerify...", "Error2015032003", MsgIcon::Warning})) return;
    verifyProgramWithPlc();
}

void RegReadClick() {
    if (refusedWhileMonitoring({"Error2015032004", "Can't do this action", MsgIcon::Warning})) return;
    if (!platform::askYesNo(
            {"Do you want to read data from controller?", "Read Register", MsgIcon::Question}))
        return;
    runCommand([] {
        if (!readRegistersFromPlc()) return false;
        // The registers read belong to the program's data: they go with its next save.
        if (windowSteps().programShown()) editModeFlags |= kEditModifiedSinceSave;
        return true;
    });
    windowSteps().refreshRegisterView();
}

void RegWriteClick() {
    if (refusedWhileMonitoring({"Can'tDoRegisterWrite...", "Error2015032005", MsgIcon::Warning})) return;
    if (!platform::askYesNo({"Do you want to write to controller?", "Write Register", MsgIcon::Question}))
        return;
    writeRegistersToPlc();
}

void RegVerifyClick() {
    if (refusedWhileMonitoring({"Can'tDoRegisterVerify...", "Error2015032006", MsgIcon::Warning})) return;
    verifyRegistersWithPlc();
}

void spbtnUploadProgClick() {
    ProgReadClick();
}

void spbtnDnloadProgClick() {
    ProgWriteClick();
}

void DregView1Click() {
    RegisterViewDialog dialog;
    dialog.plcType = pmw.plcType();
    transferDialogs().registerView(dialog);
    requestLadderRedraw();
}

}  // namespace kestrion
