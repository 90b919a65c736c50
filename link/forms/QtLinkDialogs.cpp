#include "link/forms/QtLinkDialogs.h"

#include "link/forms/ForceOnOffForm.h"
#include "link/forms/Parameter1Form.h"
#include "link/forms/PlcKeywordForm.h"
#include "link/forms/PortSelForm.h"
#include "link/forms/ProgWriteForm.h"
#include "link/forms/RegisterViewForm.h"
#include "link/forms/RemoteForms.h"
#include "link/forms/RsTimOutForm.h"
#include "link/forms/SetTimeForm.h"

namespace kestrion::forms {

bool QtLinkDialogs::portSelection(const std::string& caption) {
    return runPortSelForm(caption);
}

RsTimOutResult QtLinkDialogs::replyTimeOut(const std::string& caption, int timeOutIndex, int retryIndex) {
    return runRsTimOutForm(caption, timeOutIndex, retryIndex);
}

void QtLinkDialogs::plcKeyword(PlcKeywordDialog& dialog) {
    runPlcKeywordForm(dialog);
}

void QtLinkDialogs::setTime(SetTimeDialog& dialog) {
    runSetTimeForm(dialog);
}

void QtLinkDialogs::forceOnOff(ForceOnOffDialog& dialog) {
    runForceOnOffForm(dialog);
}

RunStopResult QtLinkDialogs::runStop(const std::string& caption) {
    return runRunStopForm(caption);
}

MemoryClearResult QtLinkDialogs::memoryClear(const std::string& caption) {
    return runMemoryClearForm(caption);
}

bool QtLinkDialogs::parameterSettings(const std::string& caption, ParameterDialog& dialog) {
    return runParameter1Form(caption, dialog);
}

void QtLinkDialogs::progWrite(ProgWriteDialog& dialog) {
    runProgWriteForm(dialog);
}

void QtLinkDialogs::registerView(RegisterViewDialog& dialog) {
    runRegisterViewForm(dialog);
}

}  // namespace kestrion::forms
