#include "diagnostics/MachineStatus.h"

#include "diagnostics/TextVariants.h"
#include "link/line/CommRecord.h"
#include "link/line/Connection.h"
#include "link/line/Frames.h"
#include "link/line/LinkCommand.h"
#include "link/line/Receive.h"
#include "link/line/RegisterReads.h"
#include "model/core/ByteImage.h"
#include "model/instructions/Conversions.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr std::size_t kErrorRecordOffset = 8;
constexpr std::size_t kErrorRecordSpacing = 4;
constexpr int kErrorRecords = 7;

// What a refused request leaves in status panel 0.
const std::string kRefusedPanelText = "//" + std::string(32, '-');

// The labels of the lines; the numbers and the descriptions are the same in every language.
constexpr TextVariants kPowerOnCountLabel{" PowerOnCount= [", " 開機次數= [", " 开机次数= ["};
constexpr TextVariants kErrorCountLabel{" ErrorCount= [", " 錯誤次數= [", " 错误次数= ["};
constexpr TextVariants kRunTimeLabel{" RunTime= [", " 運行時間= [", " 运行时间= ["};
constexpr TextVariants kSecondsWord{"second => ", "秒 => ", "秒 => "};
constexpr TextVariants kDaysWord{" day... ", " 天... ", " 天... "};
constexpr TextVariants kErrorRecordLabel{" ErrorRecord0", " 錯誤記錄0", " 错误记录0"};
constexpr TextVariants kVersionLabel{
    "*Controller VersionCode D8001=", "*控制器版本碼 D8001=", "*控制器版本码 D8001="};
constexpr TextVariants kWithError{" current status with error", " 目前狀態有錯誤", " 当前状态有错误"};
constexpr TextVariants kWithoutError{" current status without error", " 目前狀態無錯誤", " 当前状态无错误"};

// Upper-case hex digits of the value taken as a signed 32-bit number, at least `digits` of them.
std::string hexOf(std::int32_t value, int digits) {
    return hexText(static_cast<std::uint32_t>(value), digits);
}

std::int16_t signedWordAt(std::size_t offset) {
    return static_cast<std::int16_t>(byteimage::getU16(machineStatus, offset));
}

std::string countLine(const TextVariants& label, std::int16_t value, TextVariant variant) {
    return textIn(label, variant) + hexOf(value, 4) + "h], " + std::to_string(value);
}

std::string runTimeLine(TextVariant variant) {
    const std::int32_t runTime = RunTime();
    const std::int32_t seconds = runTime % 60;
    const std::int32_t minutes = runTime / 60 % 60;
    const std::int32_t hours = runTime / 3600 % 24;
    const std::int32_t days = runTime / 86400;
    return textIn(kRunTimeLabel, variant) + hexOf(runTime, 8) + "h], " + std::to_string(runTime) +
           textIn(kSecondsWord, variant) + std::to_string(days) + textIn(kDaysWord, variant) +
           std::to_string(hours) + " : " + std::to_string(minutes) + " : " + std::to_string(seconds);
}

// The PLC answered the request with a NAK byte, not with a frame (whose bad check code also
// reads as a NAK).
bool requestRefused() {
    return (rs.status & kRsWaiting) == 0 && rs.replyCode == kReplyNak &&
           static_cast<std::uint8_t>(rs.RxBkBuf[0]) == kNak;
}

}  // namespace

std::int16_t PowerOnCount() {
    return signedWordAt(0);
}

std::int16_t ErrorCount() {
    return signedWordAt(2);
}

std::int32_t RunTime() {
    return static_cast<std::int32_t>(byteimage::getU32(machineStatus, 4));
}

std::int16_t ErrorRecord(int record) {
    return signedWordAt(kErrorRecordOffset + kErrorRecordSpacing * static_cast<std::size_t>(record - 1));
}

std::vector<std::string> machineStatusLines(ErrorCodeText& errorCodeText, std::int16_t d8001) {
    const TextVariant variant = currentTextVariant();
    std::vector<std::string> lines{""};
    lines.push_back(countLine(kPowerOnCountLabel, PowerOnCount(), variant));
    lines.push_back(countLine(kErrorCountLabel, ErrorCount(), variant));
    lines.push_back(runTimeLine(variant));
    for (int record = 1; record <= kErrorRecords; ++record) {
        const std::int16_t code = ErrorRecord(record);
        getErrorCodeText(errorCodeText, code);
        lines.push_back(textIn(kErrorRecordLabel, variant) + std::to_string(record) + "= [" + hexOf(code, 4) +
                        "h], " + std::to_string(code) + errorCodeText.data());
    }
    lines.emplace_back();
    lines.push_back(textIn(kVersionLabel, variant) + std::to_string(d8001));
    return lines;
}

std::string currentStatusLine(std::int16_t d8004) {
    return " D8004=" + std::to_string(d8004) +
           textIn(d8004 != 0 ? kWithError : kWithoutError, currentTextVariant());
}

void readMachineStatus(ErrMsg1Dialog& form) {
    TryToConnection(1);
    if (comPortHandle == -1 || (rs.status & kRsWaiting) != 0) return;
    requireSystemBlock();
    requireTypeMatch(
        {"Type Error...Can't Read MachineStatus ", "Error2015030570", platform::MsgIcon::Warning});
    sendErrorRequest();
    if (requestRefused()) {
        platform::statusBar().setPanelText(0, kRefusedPanelText);
        return;
    }
    // A short reply or one with a bad check code is no reply: the record keeps what it held.
    if (!expectReplyBytes(kMachineStatusSize))
        failCommand({"Error2015030572", "Communication Error", platform::MsgIcon::Warning});
    // Each byte from its two digits; the walk is the record's own, so it cannot run past it.
    const char* digits = rs.RxBkBuf.data();
    for (std::uint8_t& byte : machineStatus) {
        byte = hexPairToByte(digits[0], digits[1]);
        digits += 2;
    }

    form.msgMemo = machineStatusLines(form.errorCodeText, static_cast<std::int16_t>(D8Kreg[1]));
    if (readD8004() == 0) failCommand({"Error2015030574", "Communication Error", platform::MsgIcon::Warning});
    form.msgMemo.push_back(currentStatusLine(static_cast<std::int16_t>(D8Kreg[4])));
    platform::statusBar().setPanelText(0, "");
}

}  // namespace kestrion
