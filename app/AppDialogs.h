// The dialogs the main window's commands open in the middle of their work: the file dialogs and the
// file-title dialog. The Qt ones live in app/forms/ and are installed at start-up; tests install
// fakes.
#pragma once

#include <string>

#include "model/core/DialogSeam.h"

namespace kestrion {

struct FileDialogRequest {
    std::string title;        // "File Open", "Save File As"
    std::string filter;       // "*.PMW|*.PMW|*.*|*.*": description and pattern pairs
    std::string defaultExt;   // "PMW"
    std::string initialName;  // the name the dialog starts with
};

struct FileDialogResult {
    bool accepted = false;
    std::string fileName;  // the chosen file, set when accepted
};

struct FileTitleRequest {
    std::string caption;   // "Open", "Save as"
    std::string fileName;  // shown, not edited
    std::string title;     // the program title to edit
    int maxLength = 0;     // characters the edit takes
};

struct FileTitleResult {
    bool ok = false;
    std::string title;  // as edited, set after OK
};

class AppDialogs {
public:
    static constexpr const char* seamName = "main window dialogs";
    virtual ~AppDialogs() = default;
    virtual FileDialogResult openFile(const FileDialogRequest& request) = 0;
    virtual FileDialogResult saveFile(const FileDialogRequest& request) = 0;
    // TFileTitleForm, modal.
    virtual FileTitleResult fileTitle(const FileTitleRequest& request) = 0;
    // The desktop's printer set-up dialog; what the user chooses there is not used.
    virtual void printerSetup() = 0;
};

inline AppDialogs& appDialogs() {
    return DialogSeam<AppDialogs>::get();
}

}  // namespace kestrion
