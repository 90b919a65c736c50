// The commands that change a PLC's protection or wipe it, and a line pulled in the middle of a
// command, over a pseudo-terminal against the plcsim program.
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <functional>

#include "app/MainCore.h"
#include "lang/Language.h"
#include "link/line/CommRecord.h"
#include "link/line/Connection.h"
#include "link/line/RegisterReads.h"
#include "link/plc/Keywords.h"
#include "link/plc/ParameterBlock.h"
#include "link/plc/RemoteControl.h"
#include "link/transfer/TransferCommands.h"
#include "model/image/ProgramImage.h"
#include "model/image/StepCount.h"
#include "model/ladder/EditorState.h"
#include "monitor/access/AnyAddressDialog.h"
#include "support/PlcSimLine.h"
#include "support/ShownBoxes.h"

namespace kestrion::test {
namespace {

using platform::MsgAnswer;

class LinkSafetyLineTest : public SerialLineTest {
protected:
    LinkSafetyLineTest() {
        mainFormStartUp();
        fakes.trace.setVisible(platform::Memo::Rx, true);
        linkDialogs.progWriteRange = ProgWriteDialog::kRangeSetting;
    }
    ~LinkSafetyLineTest() override { unlink(log_.c_str()); }
    void project(const std::vector<std::uint16_t>& words) {
        initPmwImageByType(1);
        pmw.setPlcType(1);
        pmw.setMemSizeCode(2);
        std::copy(words.begin(), words.end(), pmw.program.begin());
        pmw.setSumCheck(programCheckCode(pmw.program, 2));
        convStepNo = static_cast<std::uint32_t>(words.size() - 1);
    }
    std::vector<std::string> loggedWrites() const {
        std::ifstream file(log_);
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);) lines.push_back(line);
        return lines;
    }
    std::vector<std::string> sentFrames() const {
        std::vector<std::string> sent;
        for (const std::string& line : fakes.trace.lines(platform::Memo::Rx))
            if (line.rfind("-->", 0) == 0) sent.push_back(line);
        return sent;
    }
    // A fresh start of the trace, the boxes and the log.
    void forget() {
        fakes.trace.clear(platform::Memo::Rx);
        fakes.messages.shown.clear();
        unlink(log_.c_str());
    }
    // The PLC's status byte (9 in RUN) and keyword, read over the line.
    std::string plcState() {
        if (TryToConnection(1) != 1) return "no connection";
        readStatusByte(1);
        std::string state = expectReplyBytes(1) ? std::string(rs.RxBkBuf.data(), 2) : "none";
        readParameterBlock(false);
        state += " " + std::string(VirtualProg.begin() + 8, VirtualProg.begin() + 16);
        closeComPort();
        return state;
    }
    const std::string log_ = "/tmp/kestrion-plcsim-safety-" + std::to_string(getpid()) + ".log";
};

const std::vector<std::uint16_t> kRung{0x2400, 0xC500, kEndCode};  // LD X0, OUT Y0, END

TEST_F(LinkSafetyLineTest, AWriteThatWouldRemoveThePlcsKeywordSendsNothingAfterTheBlockReadOnNo) {
    PlcSimProcess plc({"--type", "1", "--log", log_});
    attachTo(plc, 0);
    project(kRung);
    linkDialogs.keywordEntries = {{"", "1234ABCD"}};
    KeywordSetup1Click();
    remoteRunStopButton(true, false);  // its question answered OK
    ASSERT_EQ(plcState(), "09 1234ABCD");
    forget();

    linkDialogs.keywordEntries = {{"1234ABCD", ""}};
    ProgWriteClick();  // the keyword question unanswered: its default, No
    EXPECT_EQ(shownBoxes(fakes.messages),
              (Boxes{"Do you want to write program? | Write Program | question",
                     "The PLC is protected with a keyword, and the program to write has none: the write "
                     "removes the PLC's keyword and leaves the PLC unprotected. Write the program? | Write "
                     "Program | question"}));
    // The last frame sent is the block read (it holds the keyword: its trace is stars); no STOP,
    // no write.
    const std::vector<std::string> sent = sentFrames();
    ASSERT_FALSE(sent.empty());
    EXPECT_NE(sent.back().find("********"), std::string::npos) << sent.back();
    EXPECT_TRUE(loggedWrites().empty());
    EXPECT_EQ(comPortHandle, -1);
    EXPECT_EQ(plcState(), "09 1234ABCD");

    // Yes writes the program's block: the PLC is unprotected, as the question said.
    forget();
    linkDialogs.keywordEntries = {{"1234ABCD", ""}};
    fakes.messages.scriptAnswers({MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::Ok, MsgAnswer::Cancel});
    ProgWriteClick();
    EXPECT_EQ(shownBoxes(fakes.messages)[2], "Completed | Program write | information");
    EXPECT_EQ(plcState(), "00         ");
}

TEST_F(LinkSafetyLineTest, APlcPulledDuringAWriteIsToldInTheLanguageAndLeavesTheLinkClosed) {
    PlcSimProcess plc({"--type", "1", "--log", log_});
    attachTo(plc, 4);
    rs.timeOut = 1000;
    project(kRung);
    selectLanguageFlags(static_cast<int>(Language::Japanese));
    // The line goes once the first program frame has been taken.
    std::function<void()> pullWhenWriting = [&] {
        const std::vector<std::string> writes = loggedWrites();
        if (std::any_of(writes.begin(), writes.end(),
                        [](const std::string& w) { return w.rfind("1 805C", 0) == 0; }))
            plc.end();
        else
            clock.at(clock.tickCount() + 2, pullWhenWriting);
    };
    pullWhenWriting();
    linkDialogs.progWriteRange = ProgWriteDialog::kAllRange;
    ProgWriteClick();  // 63 program frames
    const Boxes boxes = shownBoxes(fakes.messages);
    ASSERT_GE(boxes.size(), 3u);
    EXPECT_EQ(boxes.front(), "Do you want to write program? | Write Program | question");
    EXPECT_EQ(boxes.back(),
              "PLC は STOP のままです。プログラムが不完全な可能性があります | Download | warning");
    EXPECT_EQ(std::count_if(boxes.begin(), boxes.end(),
                            [](const std::string& b) { return b.find("Completed") != std::string::npos; }),
              0);
    EXPECT_EQ(comPortHandle, -1);
    selectLanguageFlags(static_cast<int>(Language::English));
}

TEST_F(LinkSafetyLineTest, MemoryClearAsksFirstAndTellsARefusedClearAsAFailure) {
    // Frame 1 the change to 115200, 2 the status byte, 3 and 4 the program clear.
    PlcSimProcess plc({"--type", "1", "--fault-frame", "4:nak", "--log", log_});
    attachTo(plc, 4);
    project(kRung);
    linkDialogs.memoryClearScript = [](MemoryClearDialog& dialog) {
        dialog = {true, false, false, {}};
        dialog.btnOkClick();
    };
    MemoryClear1Click();  // the question unanswered: its default, No
    const std::string question =
        "Memory Clear erases the checked memories of the PLC for good; a PLC in RUN is switched to STOP "
        "first. Clear the PLC's memory? | Memory Clear | question";
    EXPECT_EQ(shownBoxes(fakes.messages), Boxes{question});
    EXPECT_TRUE(sentFrames().empty());
    EXPECT_EQ(comPortHandle, -1);

    forget();
    fakes.messages.scriptAnswers({MsgAnswer::Yes});
    MemoryClear1Click();
    EXPECT_EQ(shownBoxes(fakes.messages),
              (Boxes{question,
                     "Memory Clear failed: the PLC did not confirm the clear. Its memory may be partly "
                     "cleared. | Memory clear | error"}));
    EXPECT_EQ(comPortHandle, -1);
}

TEST_F(LinkSafetyLineTest, TheAnyAddressWindowSendsNothingForATextThatIsNoNumber) {
    PlcSimProcess plc({"--type", "5", "--log", log_});
    attachTo(plc, 0);
    AnyAddressDialog dialog;
    dialog.FormShow();
    for (const char* address : {"HZZ", "HQQ"}) {
        dialog.addressEdit = address;
        dialog.dataEdit = "H1234";
        dialog.byteNoEdit = "K2";
        dialog.btnWriteClick();
        dialog.btnReadClick();
        dialog.btnForceOnClick();
        dialog.AddressEditChange();
        dialog.btnStartMonitorClick();
    }
    EXPECT_TRUE(sentFrames().empty());
    EXPECT_TRUE(loggedWrites().empty());
    const Boxes boxes = shownBoxes(fakes.messages);
    EXPECT_EQ(boxes.size(), 10u);
    EXPECT_EQ(boxes.front(), "'HZZ' is not a hexadecimal number | Error Message | error");
    EXPECT_EQ(boxes.back(), "'HQQ' is not a hexadecimal number | Error Message | error");

    // The same window with a good address: the write goes.
    dialog.addressEdit = "H09E0";
    dialog.btnWriteClick();
    const std::vector<std::string> sent = sentFrames();
    EXPECT_TRUE(std::any_of(sent.begin(), sent.end(), [](const std::string& f) {
        return f.find("EAC09E0023412") != std::string::npos;
    }));
    EXPECT_EQ(shownBoxes(fakes.messages).size(), 10u);
}

}  // namespace
}  // namespace kestrion::test
