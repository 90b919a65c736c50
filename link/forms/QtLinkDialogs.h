// The link's dialogs as Qt windows.
#pragma once

#include "link/LinkDialogs.h"

namespace kestrion::forms {

class QtLinkDialogs : public LinkDialogs {
public:
    bool portSelection(const std::string& caption) override;
    RsTimOutResult replyTimeOut(const std::string& caption, int timeOutIndex, int retryIndex) override;
    void plcKeyword(PlcKeywordDialog& dialog) override;
    void setTime(SetTimeDialog& dialog) override;
    void forceOnOff(ForceOnOffDialog& dialog) override;
    RunStopResult runStop(const std::string& caption) override;
    MemoryClearResult memoryClear(const std::string& caption) override;
    bool parameterSettings(const std::string& caption, ParameterDialog& dialog) override;
    void progWrite(ProgWriteDialog& dialog) override;
    void registerView(RegisterViewDialog& dialog) override;
};

}  // namespace kestrion::forms
