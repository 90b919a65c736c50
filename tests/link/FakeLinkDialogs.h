// The link's dialogs for tests. A script plays the user: it may call the dialog's rules, then
// says whether the user confirmed; without a script a dialog is cancelled.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "link/LinkDialogs.h"

namespace kestrion::testing {

class FakeLinkDialogs : public LinkDialogs {
public:
    bool portSelection(const std::string& caption) override {
        captions.push_back(caption);
        return portSelectionScript ? portSelectionScript() : false;
    }
    RsTimOutResult replyTimeOut(const std::string& caption, int timeOutIndex, int retryIndex) override {
        captions.push_back(caption);
        RsTimOutResult result{false, timeOutIndex, retryIndex};
        if (replyTimeOutScript) result.confirmed = replyTimeOutScript(result.timeOutIndex, result.retryIndex);
        return result;
    }

    std::vector<std::string> captions;  // of the dialogs shown, in order
    std::function<bool()> portSelectionScript;
    std::function<bool(int& timeOutIndex, int& retryIndex)> replyTimeOutScript;
};

}  // namespace kestrion::testing
