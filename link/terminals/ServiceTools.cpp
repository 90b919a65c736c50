#include "link/terminals/ServiceTools.h"

#include <algorithm>
#include <cstdio>

#include "editor/EditorDialogs.h"
#include "lang/AppMessage.h"
#include "lang/LangDialogs.h"
#include "lang/LinkMessages.h"
#include "link/line/CommRecord.h"
#include "link/line/Connection.h"
#include "link/line/LinkCommand.h"
#include "link/line/Receive.h"
#include "link/line/RegisterReads.h"
#include "link/plc/Keywords.h"
#include "link/plc/ParameterBlock.h"
#include "link/plc/RelayForces.h"
#include "link/plc/RemoteControl.h"
#include "link/terminals/InterceptTerminal.h"
#include "link/terminals/TerminalDialogs.h"
#include "model/core/MainState.h"
#include "model/image/ProgramImage.h"
#include "model/instructions/Conversions.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr std::uint8_t kStatusRunning = 9;
constexpr std::uint32_t kSelfTestMs = 1000;
constexpr std::uint32_t kProductIdDigits = 8;
constexpr int kLargestProductId = 99999999;
constexpr std::size_t kPcbLabel = 0;
constexpr std::size_t kFramLabel = 1;
constexpr std::size_t kProductIdLabel = 2;

void msgMemoLine(const std::string& line) {
    platform::trace().append(platform::Memo::Msg1, line);
}

const platform::Box kCommunicationError{"Error2015030502", "Communication Error", platform::MsgIcon::Warning};

void requireServiceConnection() {
    requireConnection();
    requireSystemBlock();
}

void requireSelectedType() {
    requireTypeMatch({getMsgTypeErrorCantWrite(), "Error2018032110", platform::MsgIcon::None});
}

// The product ID exists on types 2 and 5 only.
bool productIdTypeAllowed() {
    const int type = pmw.plcType();
    if (type == 2 || type == 5) return true;
    platform::say({getMsgWSeriesOnly(), "Msg2019042810", platform::MsgIcon::None});
    return false;
}

// The 8 decimal digits of an entered ID, leading zeros added; empty for a number they cannot hold.
std::string productIdDigits(int number) {
    if (number < 0 || number > kLargestProductId) {
        platform::say({getMsgProductIdRange(), "Setup Product ID", platform::MsgIcon::Warning});
        return {};
    }
    char digits[kProductIdDigits + 1] = {};
    std::snprintf(digits, sizeof digits, "%08d", number);
    return digits;
}

void keepProductId(const std::string& digits) {
    std::copy_n(digits.begin(), kProductIdDigits, rs.productId.begin());
}

// The PLC already holds an ID: true when the user goes on to overwrite it.
bool overwriteHeldId() {
    if (D8Kreg[58] == 0) return true;
    const std::string held = "ProductIdNo=" + productIdText();
    platform::statusBar().setPanelText(13, held);
    return platform::askYesNoCancel({"Do you want continue ?", held, platform::MsgIcon::Question}) ==
           platform::MsgAnswer::Yes;
}

NumberEntryResult askProductId(const std::string& stringLabel) {
    return DialogSeam<EditorDialogs>::get().goToStep({"Setup Product ID", "", "serial no.", stringLabel});
}

void writeProductId() {
    readParameterBlock(false);
    writeProductId1();
}

// After a self-test of the combined run: the PLC's error number D8004 says whether it passed.
// False when the PLC could not be reached again.
bool checkErrorFlag(const char* test, const char* errorCaption, bool thenReadIds) {
    bool reached = false;
    runLinkCommand(PortAfter::Close, [&] {
        pause(kSelfTestMs);
        if (TryToConnection(1) != 1) abandonCommand();
        reached = true;
        msgMemoLine(">>Read PLC Status...");
        if (readD8004Msg() == 1) {
            const std::string check = std::string("Check ") + test;
            if (D8Kreg[4] == 0) {
                msgMemoLine(check + "...OK...");
            } else {
                msgMemoLine(check + "...Error...");
                platform::say({check + "...Error...", errorCaption, platform::MsgIcon::None});
            }
        }
        if (thenReadIds) readD8058D8059();
    });
    return reached;
}

std::string hexOfSigned(std::uint16_t word) {
    return hexText(static_cast<std::uint32_t>(std::int32_t{static_cast<std::int16_t>(word)}), 4);
}

}  // namespace

std::string productIdText() {
    return hexOfSigned(D8Kreg[58]) + hexOfSigned(D8Kreg[59]);
}

SelfTestVerdict runSelfTest(SelfTest test) {
    SelfTestVerdict verdict = SelfTestVerdict::None;
    runLinkCommand(PortAfter::Close, [&](LinkSession& session) {
        requireServiceConnection();
        requireSelectedType();
        const int type = pmw.plcType();
        readStatusByte(type);
        if (!expectReplyBytes(1)) {
            session.keepPortOpen();
            failCommand(kCommunicationError);
        }
        if (hexPairToByte(rs.RxBkBuf[0], rs.RxBkBuf[1]) == kStatusRunning) remoteToStopMode(type);
        if (test == SelfTest::Board)
            forceOnM8025(type);
        else
            forceOnM8027(type);
        pause(kSelfTestMs);
        // The verdict is the register read now, never one read before the test.
        readD8061();
        if (!expectReplyBytes(2)) failCommand(kCommunicationError);
        D8Kreg[61] = replyWord(0);
        verdict = D8Kreg[61] == 0 ? SelfTestVerdict::Pass : SelfTestVerdict::Fail;
    });
    return verdict;
}

void PCB1Click() {
    const SelfTestVerdict verdict = runSelfTest(SelfTest::Board);
    if (verdict == SelfTestVerdict::None) return;
    platform::statusBar().setPanelText(
        0, verdict == SelfTestVerdict::Pass ? "PCB Check OK..." : "PCB Check Error...");
}

void FRAM1Click() {
    const SelfTestVerdict verdict = runSelfTest(SelfTest::Memory);
    if (verdict == SelfTestVerdict::None) return;
    const char* text = verdict == SelfTestVerdict::Pass ? "FRAM Check OK..." : "FRAM Check Error...";
    platform::statusBar().setPanelText(0, text);
    platform::statusBar().setPanelText(13, text);
}

void ProductId1Click() {
    if (!productIdTypeAllowed()) return;
    const NumberEntryResult entered = askProductId("");
    if (entered.okFlag == 0) {
        releasePort();
        return;
    }
    const std::string digits = productIdDigits(entered.number);
    if (digits.empty()) return;
    platform::statusBar().setPanelText(13, "ProductIdNo=" + digits);
    keepProductId(digits);
    PasswordCommand wiped;  // the ID leaves rs.productId however the command ends
    runLinkCommand(PortAfter::Close, [] {
        requireServiceConnection();
        if (!overwriteHeldId()) abandonCommand();
        writeProductId();
    });
}

void Keyword2Delete1Click() {
    runLinkCommand(PortAfter::Close, [] {
        requireServiceConnection();
        requireSelectedType();
        if (pmw.plcType() != 2)
            failCommand({getMsgCantSetKeyword2(), "Msg18032115", platform::MsgIcon::None});
        readParameterBlock(false);
        platform::say(
            {deleteKeyword2() ? "---OK---" : "---Failure---", "Msg18032118", platform::MsgIcon::None});
    });
}

void PcbFRAMPid1Click() {
    Version1Click();
    PCB1Click();
    msgMemoLine("Check PCB...WaitPLC...");
    if (!checkErrorFlag("PCB", "Error2021071011", false)) return;
    FRAM1Click();
    msgMemoLine("Check FRAM...WaitPLC...");
    if (!checkErrorFlag("FRAM", "Error2021071012", true)) return;

    AppMessage message;
    message.caption = "Check PCB+FRAM ";
    message.versionText = titleText;
    message.line1 = "<...Completed...> PLC'ErrLed On(Error) || OFF(Pass)";
    message.line2 = "ProductIdNo=" + productIdText();
    message.timerInterval = 500;
    message.timerEnabled = true;
    langDialogs().appMessage(message);

    msgMemoLine("Setup ProductID...WaitPLC...");
    ProductId1Click();
    pause(100);
    msgMemoLine("...Setup...Completed...");
    platform::statusBar().setPanelText(13, "ProductIdNo=" + productIdText());
}

void PcbCheck1Click() {
    PcbCheckDialog dialog;
    terminalDialogs().pcbCheck(dialog);
}

// ---- TPcbCheckForm ---------------------------------------------------------------------------

void PcbCheckDialog::setLabel(std::size_t label, const char* text, LabelColour colour) {
    labels[label] = {text, colour};
    if (changed) changed();
}

void PcbCheckDialog::addLine(const std::string& line) {
    memo.push_back(line);
    if (changed) changed();
}

void PcbCheckDialog::FormShow() {
    for (ResultLabel& label : labels) label.colour = LabelColour::White;
}

void PcbCheckDialog::runTest(SelfTest test) {
    const bool board = test == SelfTest::Board;
    const std::size_t label = board ? kPcbLabel : kFramLabel;
    setLabel(label, "...Waitting...", LabelColour::Yellow);
    if (board) memo.clear();
    const SelfTestVerdict verdict = runSelfTest(test);
    if (verdict == SelfTestVerdict::None) {
        // No verdict: the label does not go on saying it waits.
        setLabel(label, "", LabelColour::White);
        return;
    }
    const bool pass = verdict == SelfTestVerdict::Pass;
    setLabel(label, pass ? "...PASS..." : "...FAILURE...", pass ? LabelColour::Teal : LabelColour::Red);
    if (!board) {
        addLine("");
        addLine("");
    }
    addLine(std::string(board ? "PCB" : "FRAM") + (pass ? " Check OK..." : " Check Error..."));
}

void PcbCheckDialog::btnPCBClick() {
    runTest(SelfTest::Board);
}

void PcbCheckDialog::btnFRAMClick() {
    runTest(SelfTest::Memory);
}

void PcbCheckDialog::btnProductIdClick() {
    setLabel(kProductIdLabel, "...Waitting...", LabelColour::Yellow);
    bool completed = false;
    if (productIdTypeAllowed()) {
        PasswordCommand wiped;
        runLinkCommand(PortAfter::Close, [this, &completed] {
            requireServiceConnection();
            addLine("");
            addLine("");
            addLine("VersionCode=" + std::to_string(static_cast<std::int16_t>(D8Kreg[1])));
            std::string heldText;
            if (D8Kreg[58] != 0) {
                heldText = "ProductIdNo=" + productIdText();
                addLine("");
                addLine("");
                addLine("<Old>" + heldText);
            }
            const NumberEntryResult entered = askProductId(heldText);
            if (entered.okFlag == 0) abandonCommand();
            const std::string digits = productIdDigits(entered.number);
            if (digits.empty()) abandonCommand();
            addLine("");
            addLine("");
            addLine("<NEW> ProductIdNo=" + digits);
            keepProductId(digits);
            if (!overwriteHeldId()) abandonCommand();
            writeProductId();
            setLabel(kProductIdLabel, "...Completed...", LabelColour::Teal);
            addLine("");
            addLine("");
            addLine("......SetupCompleted......");
            completed = true;
        });
    }
    if (!completed) setLabel(kProductIdLabel, "", LabelColour::White);
}

void PcbCheckDialog::btnCheckAllClick() {
    for (ResultLabel& label : labels) label.colour = LabelColour::White;
    memo.clear();
    addLine("");
    addLine("Check ALL...");
    btnPCBClick();
    btnFRAMClick();
    btnProductIdClick();
}

// ---- Menu ----------------------------------------------------------------------------------------

namespace {

constexpr MenuRowKind kItem = MenuRowKind::Item;

constexpr MenuRow kRows[] = {
    {kItem, "PcbCheck1", "PcbCheck...", "HarewareCheck", 1, PcbCheck1Click},
    {kItem, "PcbFRAMPid1", "PcbFRAMPid", "HarewareCheck", 2, PcbFRAMPid1Click},
    {kItem, "PCB1", "PCB", "HarewareCheck", 3, PCB1Click},
    {kItem, "FRAM1", "FRAM", "HarewareCheck", 4, FRAM1Click},
    {kItem, "ProductId1", "ProductId", "HarewareCheck", 5, ProductId1Click},
    {kItem, "Keyword2Delete1", "Keyword2 Delete", "HarewareCheck", 6, Keyword2Delete1Click},
    {kItem, "Dataintercept1", "Data intercept", "xRS", 60, Dataintercept1Click},
};

}  // namespace

MenuTable serviceMenuRows() {
    return kRows;
}

}  // namespace kestrion
