// The main window's dialogs as Qt windows.
#pragma once

#include "app/AppDialogs.h"

namespace kestrion::forms {

class QtAppDialogs : public AppDialogs {
public:
    FileDialogResult openFile(const FileDialogRequest& request) override;
    FileDialogResult saveFile(const FileDialogRequest& request) override;
    FileTitleResult fileTitle(const FileTitleRequest& request) override;
    void printerSetup() override;
};

}  // namespace kestrion::forms
