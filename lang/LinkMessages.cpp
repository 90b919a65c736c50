#include "lang/LinkMessages.h"

#include "lang/Texts.h"

namespace kestrion {

namespace {

// The message of id with what it names in place of its "%1".
std::string naming(const char* id, const std::string& named) {
    std::string text = textOf(id);
    if (const std::size_t at = text.find("%1"); at != std::string::npos) text.replace(at, 2, named);
    return text;
}

}  // namespace

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
    return naming("getMsgNotHexNumber", text);
}
std::string getMsgNotInteger(const std::string& text) {
    return naming("getMsgNotInteger", text);
}
std::string getMsgBeyondDeviceUsage(const std::string& device) {
    return naming("getMsgBeyondDeviceUsage", device);
}

}  // namespace kestrion
