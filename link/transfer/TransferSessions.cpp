#include "link/transfer/TransferSessions.h"

#include <algorithm>
#include <array>
#include <new>
#include <vector>

#include "lang/AppMessage.h"
#include "lang/LangDialogs.h"
#include "lang/LinkMessages.h"
#include "link/line/CommRecord.h"
#include "link/line/Connection.h"
#include "link/line/LinkCommand.h"
#include "link/line/Receive.h"
#include "link/line/RegisterReads.h"
#include "link/line/Requests.h"
#include "link/plc/Keywords.h"
#include "link/plc/ParameterBlock.h"
#include "link/plc/RemoteControl.h"
#include "link/transfer/Transfers.h"
#include "model/core/MainState.h"
#include "model/image/ConnectedPlc.h"
#include "model/image/DmwImage.h"
#include "model/image/ModeData.h"
#include "model/image/ProgramImage.h"
#include "model/image/StepCount.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

using platform::MsgIcon;

constexpr std::uint16_t kNoEndStep = 0xFFFF;
constexpr std::uint16_t kEndMarker = 0xB40F;
constexpr std::uint32_t kLargestProgramRead = 128000;
constexpr std::uint32_t kStepsPerSizeCode = 1000;

const platform::Box kWriteProgramTimeOut{"Error2015091387...Timeout Error", "Download",
                                         platform::MsgIcon::Warning};
const platform::Box kWriteRegisterTimeOut{"Error2015091383...Timeout Error", "Download",
                                          platform::MsgIcon::Warning};

int projectType() {
    return pmw.plcType();
}

std::uint32_t programBufferSize(std::int32_t n) {
    return 2 * kStepsPerSizeCode * static_cast<std::uint32_t>(n) +
           static_cast<std::uint32_t>(kParameterBlockSize);
}

// rs.RxData sized for a program read of capacity n; a refused allocation is the box's.
void sizeProgramBuffer(std::int32_t n, const platform::Box& memoryNotEnough) {
    rs.RxNo = programBufferSize(n);
    try {
        rs.RxData.assign(rs.RxNo, 0xFF);
    } catch (const std::bad_alloc&) {
        failCommand(memoryNotEnough);
    }
}

// The program buffers of a command that runs, freed however it ends (never those of a transfer
// that waits while a refused command passes). The send buffer begins with the parameter block,
// keyword included: it is wiped first.
class ProgramBuffers {
public:
    ProgramBuffers() = default;
    ~ProgramBuffers() {
        std::fill(rs.TxData.begin(), rs.TxData.end(), std::uint8_t{0});
        rs.RxData = {};
        rs.TxData = {};
    }
    ProgramBuffers(const ProgramBuffers&) = delete;
    ProgramBuffers& operator=(const ProgramBuffers&) = delete;
};

// The END step for a program read; type 2 cannot read without it, the other types read up to END
// or the buffer's end.
std::uint32_t programReadBytes(int type, const platform::Box& noEndStep) {
    const std::uint16_t end = findEndStep(type);
    if (end == kNoEndStep && type == 2) failCommand(noEndStep);
    return (std::uint32_t{end} + 1) * 2;
}

// The END of the program in the image is followed by the marker word, which then counts into the
// program.
void noteEndMarker() {
    const std::size_t after = std::size_t{convStepNo} + 1;
    if (after < kProgramWordCount && pmw.program[after] == kEndMarker)
        rs.sessionFlags |= kSessionEndFollowedByB40F;
    else
        rs.sessionFlags &= static_cast<std::uint8_t>(~kSessionEndFollowedByB40F);
}

std::uint32_t programWriteSize(bool rangeSetting) {
    const std::uint32_t whole = programBufferSize(pmw.memSizeCode());
    if (!rangeSetting) return whole;
    noteEndMarker();
    const std::uint32_t marker = (rs.sessionFlags & kSessionEndFollowedByB40F) != 0 ? 2 : 0;
    return std::min(whole, (convStepNo + 1) * 2 + static_cast<std::uint32_t>(kParameterBlockSize) + marker);
}

// The PLC's memory size from the parameter block read into VirtualProg, in steps; 0 for a block
// whose size code is none of the sizes.
std::uint32_t plcMemorySteps() {
    const auto n = static_cast<std::int16_t>(VirtualProg[kParamMemSizeCodeOffset] |
                                             VirtualProg[kParamMemSizeCodeOffset + 1] << 8);
    return isValidMemSizeCode(n) ? kStepsPerSizeCode * static_cast<std::uint32_t>(n) : 0;
}

// The PLC's type against the type of the program a write began with.
void requireTypeOf(int plcType, const platform::Box& mismatch) {
    if (connectedPlcType != plcType) failCommand(mismatch);
}

void showAppMessage(const std::string& caption, const std::string& line1, const std::string& line2) {
    AppMessage message;
    message.caption = caption;
    message.line1 = line1;
    message.line2 = line2;
    message.versionText = titleText;
    langDialogs().appMessage(message);
}

void runConnectionTestOnly() {
    runLinkCommand(PortAfter::Close, requireConnection);
}

void reopenWithProtocol(std::int32_t protocol) {
    if (refusedAsBusy()) return;
    releasePort();
    commProtocol = protocol;
    _OpenComPort(commProtocol);
}

}  // namespace

void requireProgramFitsPlc(const ProgramAtStart& program) {
    const std::uint32_t steps = program.programBytes() / 2;
    const std::uint32_t plcSteps = plcMemorySteps();
    if (steps <= plcSteps) return;
    failCommand({getMsgWriteRangeTooLarge(steps, plcSteps), "Program write", platform::MsgIcon::Warning});
}

std::string memSizeRefusal(std::int32_t n) {
    return getMsgMemorySizeNotOfType(n, projectType());
}

bool readProgramFromPlc() {
    return runLinkCommand(PortAfter::Close, [] {
        const ProgramBuffers freed;
        if (TryToConnection(1) != 1 || comPortHandle == -1) abandonCommand();
        if ((rs.status & kRsWaiting) != 0)
            failCommand({"TimeoutError...", "Error2015091334", platform::MsgIcon::Warning});
        requireSystemBlock();
        requireTypeMatch({"Type error can't upload", "Error2015091336", MsgIcon::Information});
        readParameterBlock(false);
        std::array<std::uint8_t, kParameterBlockSize> block{};
        std::copy_n(VirtualProg.begin(), kParameterBlockSize, block.begin());
        const auto n = static_cast<std::int16_t>(block[0] | block[1] << 8);
        if (!memSizeFitsType(n, projectType()))
            failCommand({memSizeRefusal(n), "ReadProgram", platform::MsgIcon::Warning});
        if (isPlcKeywordSet(false) && !askKeyword(keywordOfBlock(block.data()), true)) abandonCommand();

        sizeProgramBuffer(n, {"Memory not enough", "Read Program", MsgIcon::Error});
        const std::uint32_t bytes = programReadBytes(
            projectType(), {"Program read...Can't read END step number", "Error2018040210", MsgIcon::None});
        const std::uint32_t received = receiveProgram(bytes);
        // Every frame arrived: the PLC's block and program become the project's.
        pmw.parameterBlock = block;
        storeProgram(received, true);
        static_cast<void>(loadPmwPreByType(projectType(), n));
        ModeData.monitorDeviceCount = 0;
        backupPmwImage();
    });
}

bool writeProgramToPlc(bool rangeSetting) {
    return runLinkCommand(PortAfter::Close, [rangeSetting] {
        const ProgramBuffers freed;
        // Every wait for a reply lets the window act: what goes out is taken now, before the first.
        const ProgramAtStart program(projectType(), programWriteSize(rangeSetting));
        requireConnection();
        requireSystemBlock();
        requireTypeOf(program.plcType(), {getMsgTypeErrorCantWrite(), "Error2018032110", MsgIcon::None});
        readParameterBlock(false);
        requireProgramFitsPlc(program);
        if (isPlcKeywordSet(false) && !askPlcKeyword(false)) abandonCommand();
        if (!confirmKeywordChange(keywordOfBlock(program.parameterBlock().data()))) abandonCommand();
        // Nothing is written into a PLC that may still run.
        if (!remoteToStopMode(program.plcType())) failCommand(kWriteProgramTimeOut);
        try {
            writeParameterBlock(program.parameterBlock());
            writeProgram(program, program.programBytes());
        } catch (const LinkError&) {
            platform::say({getMsgProgramMayBeIncomplete(), "Download", MsgIcon::Warning});
            throw;
        }
        platform::say({"Completed", "Program write", MsgIcon::Information});
        remoteRunStopButton(true, false);
    });
}

void verifyProgramWithPlc() {
    // The verdict is on the program the verify began with, whatever is opened while it reads.
    const int type = projectType();
    const std::int16_t n = pmw.memSizeCode();
    const std::vector<std::uint16_t> program(pmw.program.begin(), pmw.program.end());
    const bool read = runLinkCommand(PortAfter::Close, [type, n] {
        const ProgramBuffers freed;
        requireConnection();
        requireSystemBlock();
        platform::statusBar().setPanelText(0, "rs.RxNo=" + std::to_string(kLargestProgramRead));
        sizeProgramBuffer(n, {"Error2018040120", "Verify Program...Memory not enough", MsgIcon::Error});
        const std::uint32_t bytes = programReadBytes(
            type, {"Verify Program...Can't read END step number...", "Error2018040210", MsgIcon::None});
        readParameterBlock(false);
        readProgram(bytes, false, type);
    });
    if (!read) return;
    if (const auto step = firstDifferingStep(program)) {
        showAppMessage("Error2018052810 ", "ErrorStepNo= " + std::to_string(*step), "....................");
        return;
    }
    platform::say({"Program match", "Program Verify", MsgIcon::Information});
}

bool readRegistersFromPlc() {
    return runLinkCommand(PortAfter::Close, [] {
        requireConnection();
        requireSystemBlock();
        readParameterBlock(false);
        readRegister(true);
        // The block's memory size and check code describe the PLC's program, not the project's.
        std::copy(VirtualProg.begin() + kParamSumCheckOffset + 2, VirtualProg.begin() + kParameterBlockSize,
                  pmw.parameterBlock.begin() + kParamSumCheckOffset + 2);
        platform::say({"Completed", "Read Register", MsgIcon::Information});
    });
}

void writeRegistersToPlc() {
    runLinkCommand(PortAfter::Close, [] {
        // Taken before the first wait for a reply, as the program write's image is.
        const RegistersAtStart registers = takeRegisters();
        requireConnection();
        if (!platform::askYesNo({"Do you want to stop system?", "Write Register", MsgIcon::Question})) return;
        if (!remoteToStopMode(registers.plcType)) failCommand(kWriteRegisterTimeOut);
        requireSystemBlock();
        try {
            writeRegister(registers);
        } catch (const LinkError&) {
            platform::say({getMsgRegistersMayBeIncomplete(), "Download", MsgIcon::Warning});
            throw;
        }
        platform::say({"Completed", "Write Register", MsgIcon::Information});
        if (platform::askYesNo({"Do you want to RUN system?", "Write Register", MsgIcon::Question}))
            remoteToRunMode(registers.plcType);
    });
}

void verifyRegistersWithPlc() {
    const RegistersAtStart registers = takeRegisters();
    const bool read = runLinkCommand(PortAfter::Close, [&registers] {
        requireConnection();
        readRegister(false, registers.plcType);
    });
    if (!read) return;
    const RegisterDifferences found = compareRegisters(registers);
    if (found.count == 0) {
        platform::say({"Dreg match", "Register Verify", MsgIcon::Information});
        return;
    }
    platform::statusBar().setPanelText(0, "Error count k=" + std::to_string(found.count));
    const std::string reg = "D" + std::to_string(found.first);
    const std::size_t at = 2 * std::size_t{found.first};
    const std::uint16_t plcWord = byteimage::getU16(VirtualDreg, at);
    const std::uint16_t pcWord = byteimage::getU16(registers.bytes, at);
    showAppMessage(
        "Error2018052820...Dreg mismatch ",
        "PC " + reg + "= " + std::to_string(pcWord) + " ...Controller " + reg + "= " +
            std::to_string(plcWord),
        "Compare count=" + std::to_string(found.compared) + " ...Error count=" + std::to_string(found.count));
}

void ReadProgEndStepNo1Click() {
    runLinkCommand(PortAfter::KeepOpen, [](LinkSession& session) {
        if (TryToConnection(1) != 1 || comPortHandle == -1) abandonCommand();
        if ((rs.status & kRsWaiting) != 0) {
            session.closePortAtEnd();
            failCommand({"Error2015091334... ", "TimeoutError...", platform::MsgIcon::Warning});
        }
        const std::uint16_t step = findEndStep(projectType());
        platform::statusBar().setPanelText(0, "EndStepNo=" + std::to_string(step) +
                                                  " EndStepAddress=" + hex4(std::uint32_t{step} * 2 + 0x5C));
    });
}

void WriteDregEnd2Click() {
    runLinkCommand(PortAfter::KeepOpen, writeRegisterBlock);
}

void parameterRead1Click() {
    runConnectionTestOnly();
}
void ParameterWrite1Click() {
    runConnectionTestOnly();
}
void ParameterVerify1Click() {
    runConnectionTestOnly();
}

void PlcProtocol1Click() {
    reopenWithProtocol(sysProtocol);
}
void cLink1Click() {
    reopenWithProtocol(cLink);
}
void ModAsc1Click() {
    reopenWithProtocol(ModbusAsc);
}
void ModRtu1Click() {
    reopenWithProtocol(ModbusRtu);
}
void FreeUser1Click() {
    reopenWithProtocol(FreeUser);
}

}  // namespace kestrion
