#pragma once

#include <functional>
#include <string>
#include <vector>

#include "link/LinkDialogs.h"
#include "link/PortSelDialog.h"

namespace kestrion::test {

class FakeLinkDialogs : public LinkDialogs {
public:
    bool portSelection(const std::string& caption) override {
        captions.push_back(caption);
        PortSelDialog dialog;
        dialog.FormShow();
        if (portSelectionScript) portSelectionScript(dialog);
        return dialog.confirmed;
    }
    RsTimOutResult replyTimeOut(const std::string& caption, int timeOutIndex, int retryIndex) override {
        captions.push_back(caption);
        RsTimOutDialog dialog{timeOutIndex, retryIndex};
        if (replyTimeOutScript) replyTimeOutScript(dialog);
        return dialog.result();
    }
    std::vector<std::string> captions;  // of the dialogs shown, in order
    std::function<void(PortSelDialog&)> portSelectionScript;
    std::function<void(RsTimOutDialog&)> replyTimeOutScript;
};

}  // namespace kestrion::test
