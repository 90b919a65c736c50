#include "link/transfer/Transfers.h"

#include <algorithm>

#include "link/line/CommRecord.h"
#include "link/line/Connection.h"
#include "link/line/LinkCommand.h"
#include "link/line/Receive.h"
#include "link/line/Requests.h"
#include "link/plc/ParameterBlock.h"
#include "link/plc/ParameterDialog.h"
#include "model/image/ConnectedPlc.h"
#include "model/image/DmwImage.h"
#include "model/image/ProgramImage.h"
#include "model/instructions/Conversions.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr std::uint32_t kBankSize = 0x10000;
constexpr std::uint32_t kRegisterTailOffset = 0x3E40;  // D7968..D7999 from the extended base
constexpr std::uint32_t kRegisterTailBytes = 0x40;

const platform::Box kReadProgramTimeOut{"Error2015091389...Time Out Error", "ReadProgram",
                                        platform::MsgIcon::Warning};
const platform::Box kReadProgramNak{"Error2015091388...Checksum Error", "ReadProgram",
                                    platform::MsgIcon::Warning};
const platform::Box kWriteProgramTimeOut{"Error2015091387...Timeout Error", "Download",
                                         platform::MsgIcon::Warning};
const platform::Box kWriteProgramNak{"Error2015091386...Checksum Error", "Download",
                                     platform::MsgIcon::Warning};
const platform::Box kReadRegisterTimeOut{"Error2015091385...Timeout Error", "Upload",
                                         platform::MsgIcon::Warning};
const platform::Box kReadRegisterNak{"Error2015091384...Checksum Error", "Upload",
                                     platform::MsgIcon::Warning};
const platform::Box kWriteRegisterTimeOut{"Error2015091383...Timeout Error", "Download",
                                          platform::MsgIcon::Warning};
const platform::Box kWriteRegisterNak{"Error2015091382...Checksum Error", "Download",
                                      platform::MsgIcon::Warning};

bool isExtendedType(int plcType) {
    return plcType == 2 || plcType == 5 || plcType == 7;
}

int projectType() {
    return pmw.plcType();
}

void panel0(const std::string& text) {
    platform::statusBar().setPanelText(0, text);
}

std::string byteCountField(std::uint32_t count) {
    return hexText(count & 0xFFu, 2);
}

void appendDataBytes(std::string& command, const std::uint8_t* bytes, std::uint32_t count) {
    for (std::uint32_t k = 0; k < count; ++k) command += byteCountField(bytes[k]);
}

// A read's reply must be a data frame of the bytes asked for; anything else fails the frame.
void requireData(std::uint32_t bytes, const platform::Box& timeOut, const platform::Box& nak) {
    if (expectReplyBytes(bytes)) return;
    const bool nakOnly = (rs.status & kRsNak) != 0 && (rs.status & kRsWaiting) == 0;
    failCommand(nakOnly ? nak : timeOut);
}

void decodeReply(std::vector<std::uint8_t>& into, std::size_t at, std::uint32_t count) {
    for (std::size_t k = 0; k < count; ++k)
        into[at + k] = hexPairToByte(rs.RxBkBuf[2 * k], rs.RxBkBuf[2 * k + 1]);
}

std::ptrdiff_t offsetOf(std::size_t index) {
    return static_cast<std::ptrdiff_t>(index);
}

std::uint32_t percent(std::uint32_t done, std::uint32_t total) {
    return total == 0 ? 0 : static_cast<std::uint32_t>(std::uint64_t{done} * 100 / total);
}

std::uint32_t programChunkLimit() {
    return connectedPlcType == 2 ? 254 : 64;
}

std::uint32_t registerChunk() {
    return connectedPlcType == 2 ? 128 : 64;
}

// The next chunk of a program transfer at PLC address a: no frame crosses a 64 KB boundary of the
// address (bankEnd moves on when a chunk reaches it), none runs past the buffer's end.
std::uint32_t nextProgramChunk(std::uint32_t a, std::uint32_t& bankEnd, std::uint32_t remaining,
                               std::uint32_t bufferEnd) {
    const std::uint32_t maximum = programChunkLimit();
    std::uint32_t chunk = std::min(remaining, maximum);
    if (a + maximum >= bankEnd) {
        chunk = std::min(bankEnd - a, remaining);
        bankEnd += kBankSize;
    }
    return std::min(chunk, bufferEnd - a);
}

const char* programBank(std::uint32_t address) {
    static const char* const banks[] = {"1", "2", "3", "4", "5"};
    return banks[std::min<std::uint32_t>(address / kBankSize, 4)];
}

// Decodes a program chunk into rs.RxData; true when it held END (the word after END is kept, the
// rest of the chunk dropped).
bool decodeProgramChunk(std::uint32_t a, std::uint32_t chunk) {
    const std::size_t first = a - kTransferBufferBase;
    std::uint32_t keepAfterEnd = 0;
    bool endSeen = false;
    for (std::uint32_t k = 0; k < chunk; ++k) {
        if (endSeen && keepAfterEnd == 0) break;
        const std::size_t at = first + k;
        rs.RxData[at] = hexPairToByte(rs.RxBkBuf[2 * std::size_t{k}], rs.RxBkBuf[2 * std::size_t{k} + 1]);
        if (endSeen) {
            --keepAfterEnd;
            continue;
        }
        const bool highByte = (at - kParameterBlockSize) % 2 == 1;
        if (highByte && at > kParameterBlockSize && (rs.RxData[at - 1] | rs.RxData[at] << 8) == kEndCode) {
            endSeen = true;
            keepAfterEnd = 2;
        }
    }
    return endSeen;
}

// The register frames of a transfer of size bytes: full chunks, then the remainder.
template <class Frame>
void registerFrames(std::uint32_t size, const std::string& caption, const char* panelHead, Frame&& frame) {
    const std::uint32_t chunk = registerChunk();
    rs.chunkSize = chunk;
    const std::uint32_t frames = (size + chunk - 1) / chunk;
    platform::ProgressStep progress(caption, static_cast<int>(frames));
    panel0(std::string(panelHead) + "[Start]");
    std::uint32_t count = 0;
    for (std::uint32_t offset = 0; offset < size; offset += chunk) {
        frame(offset, std::min(chunk, size - offset));
        ++count;
        panel0(panelHead + std::to_string(percent(std::min(offset + chunk, size), size)) + "%");
        progress.setPosition(static_cast<int>(count));
    }
}

}  // namespace

std::uint32_t getRegisterBase(int plcType) {
    return isExtendedType(plcType) ? 0x4000 : 0x1000;
}

std::uint32_t getRegisterAreaSize(int plcType) {
    if (isExtendedType(plcType)) return 16000;
    if (plcType == 6) return 8000;
    if (plcType == 4) return 2000;
    return 512;
}

std::string setProgramReadCommand(int plcType, std::uint32_t address) {
    if (plcType == 2) return std::string("E0") + programBank(address);
    return isExtendedType(plcType) ? "E01" : "0";
}

std::string setProgramWriteCommand(int plcType, std::uint32_t address) {
    if (plcType == 2) return std::string("E1") + programBank(address);
    return isExtendedType(plcType) ? "E11" : "1";
}

std::string setRegisterReadCommand(int plcType) {
    return isExtendedType(plcType) ? "E00" : "0";
}

std::string setRegisterWriteCommand(int plcType) {
    return isExtendedType(plcType) ? "E10" : "1";
}

bool memSizeFitsType(std::int32_t n, int plcType) {
    const auto largest = static_cast<int>(capacityButtonsOf(static_cast<std::uint16_t>(plcType))) - 1;
    return isValidMemSizeCode(n) && n <= capacityOfButton(largest);
}

std::uint32_t receiveProgram(std::uint32_t byteCount) {
    return receiveProgram(byteCount, projectType());
}

std::uint32_t receiveProgram(std::uint32_t byteCount, int plcType) {
    if (refusedAsBusy()) abandonCommand();
    const std::uint32_t maximum = programChunkLimit();
    rs.chunkSize = maximum;
    if (rs.RxData.size() < rs.RxNo) rs.RxData.resize(rs.RxNo);
    // Bytes the PLC does not send (after END) read as empty words, never as an older transfer's.
    std::fill(rs.RxData.begin() + offsetOf(std::min<std::size_t>(kParameterBlockSize, rs.RxData.size())),
              rs.RxData.end(), std::uint8_t{0xFF});
    platform::ProgressStep progress("Read program progress...", 100);
    panel0("Read Program [Start...]");

    const std::uint32_t bufferEnd = rs.RxNo + kTransferBufferBase;
    std::uint32_t a = kProgramWordsAddress;
    std::uint32_t bankEnd = kBankSize;
    std::uint32_t done = 0;
    while (a < bufferEnd && done < byteCount) {
        const std::uint32_t chunk = nextProgramChunk(a, bankEnd, byteCount - done, bufferEnd);
        sendRequest(setProgramReadCommand(plcType, a) + hex4(a & 0xFFFF) + byteCountField(chunk));
        requireData(chunk, kReadProgramTimeOut, kReadProgramNak);
        const bool endSeen = decodeProgramChunk(a, chunk);
        a += chunk;
        done += chunk;
        progress.setPosition(static_cast<int>(percent(done, byteCount)));
        panel0("Read Program " + std::to_string(percent(done, byteCount)) + "% ");
        if (endSeen) break;
    }
    panel0("Read Program StepNo=" + std::to_string(done / 2) + "..." +
           std::to_string(percent(done, byteCount)) + "% [OK]");
    return done;
}

void storeProgram(std::uint32_t received, bool toProject) {
    const std::size_t area = 2 * kProgramWordCount;
    const auto byteAt = [received](std::size_t k) {
        const std::size_t at = kParameterBlockSize + k;
        return k < received && at < rs.RxData.size() ? rs.RxData[at] : std::uint8_t{0xFF};
    };
    if (!toProject) {
        for (std::size_t k = 0; k < area; ++k) VirtualProg[kParameterBlockSize + k] = byteAt(k);
        return;
    }
    for (std::size_t i = 0; i < kProgramWordCount; ++i)
        pmw.setProgramWord(i, byteAt(2 * i), byteAt(2 * i + 1));
    pmw.setSumCheck(programCheckCode(pmw.program, pmw.memSizeCode()));
    _loadPmwTailByType(pmw.plcType());
}

void readProgram(std::uint32_t byteCount, bool toProject) {
    readProgram(byteCount, toProject, projectType());
}

void readProgram(std::uint32_t byteCount, bool toProject, int plcType) {
    storeProgram(receiveProgram(byteCount, plcType), toProject);
}

ProgramAtStart::ProgramAtStart(int plcType, std::uint32_t byteCount) : plcType_(plcType) {
    bytes_.resize(
        std::clamp<std::size_t>(byteCount, kParameterBlockSize, kParameterBlockSize + 2 * kProgramWordCount));
    byteimage::putField(bytes_, 0, pmw.parameterBlock);
    const std::size_t words = (bytes_.size() - kParameterBlockSize) / 2;
    for (std::size_t i = 0; i < words; ++i)
        byteimage::putU16(bytes_, kParameterBlockSize + 2 * i, pmw.program[i]);
    if ((bytes_.size() - kParameterBlockSize) % 2 != 0) bytes_.back() = pmw.programByte(2 * words);
}

ProgramAtStart::~ProgramAtStart() {
    std::fill(bytes_.begin(), bytes_.end(), std::uint8_t{0});
}

void writeProgram(std::uint32_t byteCount) {
    if (refusedAsBusy()) abandonCommand();
    const ProgramAtStart program(projectType(), rs.TxNo);
    writeProgram(program, byteCount);
}

void writeProgram(const ProgramAtStart& program, std::uint32_t byteCount) {
    if (refusedAsBusy()) abandonCommand();
    rs.chunkSize = programChunkLimit();
    rs.TxData = program.bytes();
    rs.TxNo = static_cast<std::uint32_t>(rs.TxData.size());
    platform::ProgressStep progress("Write program progress...", 100);
    panel0("Write Program [Start...]");

    const std::uint32_t bufferEnd = rs.TxNo + kTransferBufferBase;
    std::uint32_t a = kProgramWordsAddress;
    std::uint32_t bankEnd = kBankSize;
    std::uint32_t done = 0;
    while (a < bufferEnd && done < byteCount) {
        const std::uint32_t chunk = nextProgramChunk(a, bankEnd, byteCount - done, bufferEnd);
        std::string command =
            setProgramWriteCommand(program.plcType(), a) + hex4(a & 0xFFFF) + byteCountField(chunk);
        appendDataBytes(command, rs.TxData.data() + (a - kTransferBufferBase), chunk);
        requireAnswered(sendRequest(command), kWriteProgramTimeOut, kWriteProgramNak);
        a += chunk;
        done += chunk;
        progress.setPosition(static_cast<int>(percent(done, byteCount)));
        panel0("Write Program " + std::to_string(percent(done, byteCount)) + "%");
    }
    // The closing frame tells the PLC that the program is complete.
    if (TryToConnection(1) != 1) abandonCommand();
    requireAnswered(sendRequest("B"), kWriteProgramTimeOut, kWriteProgramNak);
    panel0("Write Program StepNo=" + std::to_string(static_cast<std::int64_t>(done / 2) - 1) + "..." +
           std::to_string(percent(done, byteCount)) + "% [OK]");
}

void readRegister(bool toProject) {
    readRegister(toProject, projectType());
}

void readRegister(bool toProject, int type) {
    if (refusedAsBusy()) abandonCommand();
    rs.RxNo = getRegisterAreaSize(type);
    rs.RxData.assign(rs.RxNo, 0);
    registerFrames(rs.RxNo, "Read register progress...", "Read Register ",
                   [type](std::uint32_t offset, std::uint32_t count) {
                       sendRequest(setRegisterReadCommand(type) + hex4(getRegisterBase(type) + offset) +
                                   byteCountField(count));
                       requireData(count, kReadRegisterTimeOut, kReadRegisterNak);
                       decodeReply(rs.RxData, offset, count);
                   });
    if (toProject)
        std::copy(rs.RxData.begin(), rs.RxData.end(), DmwImage.begin() + offsetOf(kDmwHeaderSize));
    else
        std::copy(rs.RxData.begin(), rs.RxData.end(), VirtualDreg.begin());
    rs.RxData.clear();
    rs.RxData.shrink_to_fit();
    panel0("Read Register [OK]");
}

RegistersAtStart takeRegisters() {
    RegistersAtStart registers;
    registers.plcType = projectType();
    const auto first = DmwImage.begin() + offsetOf(kDmwHeaderSize);
    registers.bytes.assign(first, first + getRegisterAreaSize(registers.plcType));
    return registers;
}

void writeRegister() {
    if (refusedAsBusy()) abandonCommand();
    writeRegister(takeRegisters());
}

void writeRegister(const RegistersAtStart& registers) {
    if (refusedAsBusy()) abandonCommand();
    const int type = registers.plcType;
    rs.TxData = registers.bytes;
    rs.TxNo = static_cast<std::uint32_t>(rs.TxData.size());
    registerFrames(rs.TxNo, "Write register progress...", "Write Register ",
                   [type](std::uint32_t offset, std::uint32_t count) {
                       std::string command = setRegisterWriteCommand(type) +
                                             hex4(getRegisterBase(type) + offset) + byteCountField(count);
                       appendDataBytes(command, rs.TxData.data() + offset, count);
                       requireAnswered(sendRequest(command), kWriteRegisterTimeOut, kWriteRegisterNak);
                   });
    rs.TxData.clear();
    rs.TxData.shrink_to_fit();
}

void writeRegisterBlock() {
    if (refusedAsBusy()) abandonCommand();
    rs.chunkSize = kRegisterTailBytes;
    const int type = projectType();
    std::string command = setRegisterWriteCommand(type) + hex4(getRegisterBase(type) + kRegisterTailOffset) +
                          byteCountField(kRegisterTailBytes) +
                          std::string(2 * std::size_t{kRegisterTailBytes}, '0');
    const LinkOutcome outcome = sendRequest(command);
    // Without an open port the send has said so.
    if (outcome == LinkOutcome::NotSent && linkPort() == nullptr) abandonCommand();
    requireAnswered(outcome, {"Error2015091381", "Timeout Error", platform::MsgIcon::Warning},
                    {"Error2015091380", "Checksum Error", platform::MsgIcon::Warning});
}

std::optional<std::uint32_t> firstDifferingStep(std::span<const std::uint16_t> program) {
    const std::size_t steps = std::min(program.size(), kProgramWordCount);
    for (std::uint32_t step = 0; step < steps; ++step) {
        const std::size_t at = kParameterBlockSize + 2 * std::size_t{step};
        const std::uint16_t plcWord = byteimage::getU16(VirtualProg, at);
        if (program[step] != plcWord) return step;
        if (plcWord == kEndCode) break;
    }
    return std::nullopt;
}

RegisterDifferences compareRegisters() {
    RegistersAtStart registers;
    const auto first = DmwImage.begin() + offsetOf(kDmwHeaderSize);
    registers.bytes.assign(first, first + offsetOf(2 * std::size_t{kDmwRegisterCount}));
    return compareRegisters(registers);
}

RegisterDifferences compareRegisters(const RegistersAtStart& registers) {
    RegisterDifferences differences;
    differences.compared = static_cast<std::uint32_t>(
        std::min<std::size_t>({rs.RxNo, VirtualDreg.size(), registers.bytes.size()}) / 2);
    for (std::uint32_t k = 0; k < differences.compared; ++k) {
        const std::uint16_t plcWord = byteimage::getU16(VirtualDreg, 2 * std::size_t{k});
        if (byteimage::getU16(registers.bytes, 2 * std::size_t{k}) == plcWord) continue;
        if (differences.count++ == 0) differences.first = k;
    }
    return differences;
}

}  // namespace kestrion
