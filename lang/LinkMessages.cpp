#include "lang/LinkMessages.h"

#include "lang/Texts.h"

namespace kestrion {

std::string getMsgCommTest() {
    return textOf("getMsgCommTest");
}
std::string getMsgCantConnect() {
    return textOf("getMsgCantConnect");
}
std::string getMsgConnected() {
    return textOf("getMsgConnected");
}
std::string getMsgCommError() {
    return textOf("getMsgCommError");
}
std::string getMsgTypeErrorCantWrite() {
    return textOf("getMsgTypeErrorCantWrite");
}
std::string getMsgKeyword2Confirm() {
    return textOf("getMsgKeyword2Confirm");
}
std::string getMsgCantSetKeyword2() {
    return textOf("getMsgCantSetKeyword2");
}
std::string getMsgKeyword2SetupOk() {
    return textOf("getMsgKeyword2SetupOk");
}
std::string getMsgKeyword2SetupFailed() {
    return textOf("getMsgKeyword2SetupFailed");
}

std::string getMsgWriteRemovesKeyword() {
    return textOf("getMsgWriteRemovesKeyword");
}
std::string getMsgWriteReplacesKeyword() {
    return textOf("getMsgWriteReplacesKeyword");
}
std::string getMsgWriteSetsKeyword() {
    return textOf("getMsgWriteSetsKeyword");
}
std::string getMsgProgramMayBeIncomplete() {
    return textOf("getMsgProgramMayBeIncomplete");
}
std::string getMsgRegistersMayBeIncomplete() {
    return textOf("getMsgRegistersMayBeIncomplete");
}
std::string getMsgMemoryClearConfirm() {
    return textOf("getMsgMemoryClearConfirm");
}
std::string getMsgMemoryClearFailed() {
    return textOf("getMsgMemoryClearFailed");
}
std::string getMsgMemoryClearNotStopped() {
    return textOf("getMsgMemoryClearNotStopped");
}
std::string getMsgLinkBusy() {
    return textOf("getMsgLinkBusy");
}
std::string getMsgWSeriesOnly() {
    return textOf("getMsgWSeriesOnly");
}
std::string getMsgStopMonitorFirst() {
    return textOf("getMsgStopMonitorFirst");
}
std::string getMsgProductIdRange() {
    return textOf("getMsgProductIdRange");
}
std::string getMsgAddressRange() {
    return textOf("getMsgAddressRange");
}
std::string getMsgByteCountRange() {
    return textOf("getMsgByteCountRange");
}
std::string getMsgDataRange() {
    return textOf("getMsgDataRange");
}
std::string getMsgNotHexNumber(const std::string& text) {
    return textWith("getMsgNotHexNumber", {text});
}
std::string getMsgNotInteger(const std::string& text) {
    return textWith("getMsgNotInteger", {text});
}
std::string getMsgBeyondDeviceUsage(const std::string& device) {
    return textWith("getMsgBeyondDeviceUsage", {device});
}
std::string getMsgWriteRangeTooLarge(std::uint32_t steps, std::uint32_t plcSteps) {
    return textWith("getMsgWriteRangeTooLarge", {std::to_string(steps), std::to_string(plcSteps)});
}
std::string getMsgMemorySizeNotOfType(std::int32_t n, int type) {
    return textWith("getMsgMemorySizeNotOfType", {std::to_string(n), std::to_string(type)});
}

}  // namespace kestrion
