// The main window's steps around the open program that commands below app/ take part in: a program
// read from the PLC and the gateway program generator close the open program and show the one
// they built as a new, unnamed program, as File > New does. The main window's core implements
// them (app/MainCore.h); the program installs it at start-up beside the dialogs
// (model/core/DialogSeam.h), tests install fakes through their fixture.
#pragma once

#include <string>

#include "model/core/DialogSeam.h"

namespace kestrion {

class WindowSteps {
public:
    static constexpr const char* seamName = "window steps";
    virtual ~WindowSteps() = default;
    // A program is open: its panels show.
    [[nodiscard]] virtual bool programShown() = 0;
    // File > Close with its question; false when the user kept the program (it stays as it was).
    [[nodiscard]] virtual bool closeProgram() = 0;
    // File > New.
    virtual void newProgram() = 0;
    // The PLC type dialog of Option > Type change; its Cancel clears kFileLastChoiceWentThrough.
    virtual void choosePlcType() = 0;
    // The program-title and DCN memos emptied.
    virtual void clearProgramMemos() = 0;
    // The register panel, when it shows, shows the registers read.
    virtual void refreshRegisterView() = 0;
    // The program a command has put into the image, shown as a new, unnamed program: a new name,
    // the menus, panels and ladder view of an open program, the ladder loaded from the image (the
    // load's traces named by loadName) and shown from its first line, statusText in status panel
    // 0, the recent-file items resting, Timer2 drawing. False, with its message, when the new name
    // would not fit; nothing is shown then.
    [[nodiscard]] virtual bool showCommandBuiltProgram(const std::string& loadName,
                                                       const std::string& statusText) = 0;
};

inline WindowSteps& windowSteps() {
    return DialogSeam<WindowSteps>::get();
}

}  // namespace kestrion
