// The link's dialogs in tests: one fake for the three seams (line, PLC, transfers), so that a test
// sees every dialog a command showed, in order, in one list of captions.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "link/line/LineDialogs.h"
#include "link/line/PortSelDialog.h"
#include "link/plc/PlcDialogs.h"
#include "link/transfer/TransferDialogs.h"

namespace kestrion::test {

class FakeLinkDialogs : public LineDialogs, public PlcDialogs, public TransferDialogs {
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
    // The keyword dialog takes the entries (Edit1, Edit2) in turn and presses OK until it closes;
    // with none left it is cancelled.
    void plcKeyword(PlcKeywordDialog& dialog) override {
        captions.push_back(dialog.caption);
        keywordEditsEnabled.emplace_back(dialog.oldEnabled, dialog.newEnabled);
        for (;;) {
            if (keywordEntries.empty()) return dialog.btnCancelClick();
            dialog.edit1 = keywordEntries.front().first;
            dialog.edit2 = keywordEntries.front().second;
            keywordEntries.erase(keywordEntries.begin());
            if (dialog.btnOkClick()) return;
        }
    }
    void setTime(SetTimeDialog& dialog) override {
        captions.push_back("setTime");
        dialog.FormShow();
        if (setTimeScript) setTimeScript(dialog);
    }
    void forceOnOff(ForceOnOffDialog& dialog) override {
        captions.push_back(dialog.caption);
        if (forceScript) forceScript(dialog);
    }
    std::vector<std::pair<std::string, std::string>> keywordEntries;
    std::vector<std::pair<bool, bool>> keywordEditsEnabled;  // old, new
    std::function<void(SetTimeDialog&)> setTimeScript;
    std::function<void(ForceOnOffDialog&)> forceScript;
    RunStopResult runStop(const std::string& caption) override { return run(caption, runStopScript); }
    MemoryClearResult memoryClear(const std::string& caption) override {
        return run(caption, memoryClearScript);
    }
    bool parameterSettings(const std::string& caption, ParameterDialog& dialog) override {
        captions.push_back(caption);
        dialog.FormShow();
        if (parameterScript) parameterScript(dialog);
        return dialog.accepted == 1;
    }
    // The program-write dialog: accepted in the mode of progWriteRange unless progWriteCancel.
    void progWrite(ProgWriteDialog& dialog) override {
        captions.push_back(dialog.caption);
        progWriteShown = dialog;
        if (progWriteRange == ProgWriteDialog::kRangeSetting) dialog.RadioButtonRangeSettingClick();
        if (progWriteCancel)
            dialog.btnCancelClick();
        else
            dialog.btnOkClick();
    }
    void registerView(RegisterViewDialog& dialog) override {
        captions.push_back(dialog.caption);
        dialog.FormShow();
        registerViewShown = dialog;
        dialog.btnOkClick();
    }
    ProgWriteDialog progWriteShown;
    std::int32_t progWriteRange = ProgWriteDialog::kAllRange;
    bool progWriteCancel = false;
    RegisterViewDialog registerViewShown;
    std::vector<std::string> captions;  // of the dialogs shown, in order
    std::function<void(PortSelDialog&)> portSelectionScript;
    std::function<void(RsTimOutDialog&)> replyTimeOutScript;
    std::function<void(RunStopDialog&)> runStopScript;  // none: Cancel
    std::function<void(MemoryClearDialog&)> memoryClearScript;
    std::function<void(ParameterDialog&)> parameterScript;

private:
    template <typename Dialog>
    auto run(const std::string& caption, const std::function<void(Dialog&)>& script)
        -> decltype(Dialog{}.result()) {
        captions.push_back(caption);
        Dialog dialog;
        if (script) script(dialog);
        return dialog.result();
    }
};

}  // namespace kestrion::test
