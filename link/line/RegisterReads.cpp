#include "link/line/RegisterReads.h"

#include <string>
#include <string_view>

#include "link/line/CommRecord.h"
#include "link/line/Connection.h"
#include "link/line/Frames.h"
#include "link/line/Receive.h"
#include "link/line/Requests.h"
#include "model/instructions/Conversions.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr std::uint32_t kProgramStartAddress = 0x805C;
constexpr std::uint32_t kType2ProgramStartAddress = 0x1805C;

// The value of `count` reply characters from position `from`, high digit first.
std::uint32_t replyNumber(std::size_t from, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = from; i < from + count; ++i) value = value * 16 + hexDigitValue(rs.RxBkBuf[i]);
    return value;
}

bool isExtendedType(int plcType) {
    return plcType == 2 || plcType == 5 || plcType == 7;
}

int readSpecial(unsigned registerNo, unsigned count, const char* failure) {
    if (refusedAsBusy()) return 0;
    sendRequest(readCommand(kSpecialRegisterAddress + 2 * registerNo, 2 * count));
    if (!expectReplyBytes(2 * std::size_t{count})) {
        if (failure != nullptr) platform::say({failure, "Communication Message", platform::MsgIcon::None});
        return 0;
    }
    for (unsigned i = 0; i < count; ++i) D8Kreg[registerNo + i] = replyWord(i);
    return 1;
}

// The request goes out when the line is free; while another waits, its time-out bit stays set.
void requestWhenFree(std::string_view command) {
    if (refusedAsBusy()) return;
    sendRequest(command);
}

}  // namespace

std::uint16_t replyWord(std::size_t i) {
    const char* c = rs.RxBkBuf.data() + 4 * i;
    return static_cast<std::uint16_t>(hexPairToByte(c[0], c[1]) | hexPairToByte(c[2], c[3]) << 8);
}

int readD8004() {
    return readSpecial(4, 1, nullptr);
}
int readD8004Msg() {
    return readSpecial(4, 1, "Error2021071002");
}
int readD8058D8059() {
    return readSpecial(58, 2, "Error2021071004");
}

void readD806x(int n) {
    requestWhenFree(readCommand(kSpecialRegisterAddress + 2 * (60 + static_cast<unsigned>(n)), 2));
}
void readD8060() {
    readD806x(0);
}
void readD8061() {
    readD806x(1);
}
void readD8062() {
    readD806x(2);
}
void readD8063() {
    readD806x(3);
}
void readD8064() {
    readD806x(4);
}
void readD8065() {
    readD806x(5);
}
void readD8066() {
    readD806x(6);
}
void readD8067() {
    readD806x(7);
}
void readD8068() {
    readD806x(8);
}
void readD8069() {
    readD806x(9);
}

void readD8110() {
    requestWhenFree(readCommand(kSpecialRegisterAddress + 2 * 110, 2));
}

void writeD8110(std::uint16_t value) {
    std::string command = "1" + hex4(kSpecialRegisterAddress + 2 * 110) + "02";
    const std::string digits = hex4(value);
    command += digits.substr(2, 2) + digits.substr(0, 2);
    requestWhenFree(command);
}

void sendErrorRequest() {
    requestWhenFree("6F5Error");
}

void readStatusByte(int plcType) {
    requestWhenFree(plcType == 2 ? "E0001C001" : "001E001");
}

void sendCommandB() {
    if (TryToConnection(1) != 1) return;
    requestWhenFree("B");
}

std::uint16_t findEndStep(int plcType) {
    if (refusedAsBusy()) return 0xFFFF;
    const bool extended = isExtendedType(plcType);
    if (plcType == 2)
        sendRequest("F8");
    else
        sendRequest(std::string(extended ? "E41" : "4") + hex4(kProgramStartAddress) + "0F00");
    // Type 2 answers five digits; types 5 and 7 a character and four digits; the others four.
    const std::size_t needed = plcType == 2 || extended ? 5 : 4;
    if (replyDataCharacters() < needed) return 0xFFFF;

    if (plcType == 2) {
        const auto address = static_cast<std::int64_t>(replyNumber(0, 5));
        return static_cast<std::uint16_t>((address - kType2ProgramStartAddress) / 2);
    }
    const std::uint32_t address = replyNumber(extended ? 1 : 0, 4);
    const auto step = static_cast<std::int32_t>(address - kProgramStartAddress) / 2;
    if (!extended) {
        platform::statusBar().setPanelText(0, "EndStepAddr=" + hex4(address));
        platform::statusBar().setPanelText(13, "EndStepNo=" + std::to_string(step));
    }
    return static_cast<std::uint16_t>(step);
}

}  // namespace kestrion
