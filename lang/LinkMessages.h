// The texts of the PLC link's pop-ups and keyword questions, in the current interface language.
#pragma once

#include <cstdint>
#include <string>

namespace kestrion {

std::string getMsgCommTest();
std::string getMsgCantConnect();
std::string getMsgConnected();
std::string getMsgCommError();
std::string getMsgTypeErrorCantWrite();
std::string getMsgKeyword2Confirm();
std::string getMsgCantSetKeyword2();
std::string getMsgKeyword2SetupOk();
std::string getMsgKeyword2SetupFailed();

// The link's own questions and messages.
std::string getMsgWriteRemovesKeyword();
std::string getMsgWriteReplacesKeyword();
std::string getMsgWriteSetsKeyword();
std::string getMsgProgramMayBeIncomplete();
std::string getMsgRegistersMayBeIncomplete();
std::string getMsgMemoryClearConfirm();
std::string getMsgMemoryClearFailed();
std::string getMsgMemoryClearNotStopped();
std::string getMsgLinkBusy();
std::string getMsgWSeriesOnly();
std::string getMsgStopMonitorFirst();
std::string getMsgProductIdRange();
std::string getMsgAddressRange();
std::string getMsgByteCountRange();
std::string getMsgDataRange();
// The text (or the device) named in its message.
std::string getMsgNotHexNumber(const std::string& text);
std::string getMsgNotInteger(const std::string& text);
std::string getMsgBeyondDeviceUsage(const std::string& device);
// A program write whose range the PLC cannot hold; a program read whose memory size N is not one
// of the project's PLC type.
std::string getMsgWriteRangeTooLarge(std::uint32_t steps, std::uint32_t plcSteps);
std::string getMsgMemorySizeNotOfType(std::int32_t n, int type);

}  // namespace kestrion
