// The main window's steps around the open program that commands of the floors below app/ take
// part in: a program read from the PLC and the gateway program generator close the open program,
// give the new one a name and show it as File > New does. The main window's core installs them at
// start-up. Until then each does nothing and reports nothing done, so that such a command stops
// before it changes the program.
#pragma once

namespace kestrion {

struct WindowSteps {
    // A program is open: its panels show.
    bool (*programShown)() = [] { return false; };
    // File > Close with its question; false when the user kept the program (it stays as it was).
    bool (*closeProgram)() = [] { return false; };
    // File > New.
    void (*newProgram)() = [] {};
    // The name of a new program; false, with its message, when the name would not fit.
    bool (*prepareNewFileName)() = [] { return false; };
    // The menus, panels and ladder view of an open program.
    void (*showProgramOpen)() = [] {};
    // The program-title and DCN memos emptied.
    void (*clearProgramMemos)() = [] {};
    // Option > Type change; its Cancel clears kFileLastChoiceWentThrough.
    void (*choosePlcType)() = [] {};
    // The register panel, when it shows, shows the registers read.
    void (*refreshRegisterView)() = [] {};
};

void setWindowSteps(const WindowSteps& steps);
const WindowSteps& windowSteps();

}  // namespace kestrion
