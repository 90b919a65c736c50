// The link's dialogs as Qt windows: those of the line, of the PLC's commands and of the transfers,
// one object installed in each of the three seams.
#pragma once

#include "link/line/LineDialogs.h"
#include "link/plc/PlcDialogs.h"
#include "link/transfer/TransferDialogs.h"

namespace kestrion::forms {

class QtLinkDialogs : public LineDialogs, public PlcDialogs, public TransferDialogs {
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
