#include "link/plc/Keywords.h"

#include "link/LinkFixture.h"
#include "link/line/Connection.h"
#include "link/line/LinkError.h"
#include "link/plc/ParameterBlock.h"
#include "model/image/ConnectedPlc.h"
#include "model/image/ProgramImage.h"
#include "support/ShownBoxes.h"
#include "support/SimulatedPlc.h"

namespace kestrion::test {
namespace {

using plcsim::Space;

class KeywordsTest : public LinkTest {
protected:
    void useType(int type) {
        pmw.setPlcType(static_cast<std::uint16_t>(type));
        sim.plc.setPlcType(type);
    }
    void setPlcKeyword(const std::string& keyword) {
        for (std::size_t i = 0; i < 8; ++i)
            sim.plc.setByte(plcsim::kKeyword + static_cast<std::uint32_t>(i),
                            static_cast<std::uint8_t>(keyword[i]), Space::Program);
    }
    std::string plcKeyword() const {
        std::string keyword;
        for (std::uint32_t i = 0; i < 8; ++i)
            keyword += static_cast<char>(sim.plc.byteAt(plcsim::kKeyword + i, Space::Program));
        return keyword;
    }
    void setUserId(std::uint16_t d8105, std::uint16_t d8104) {
        sim.plc.setWord(0x0E00 + 2 * 1, 24200);
        sim.plc.setWord(0x0E00 + 2 * 105, d8105);
        sim.plc.setWord(0x0E00 + 2 * 104, d8104);
    }
    SimulatedPlc sim{fakes, 5};
};

TEST_F(KeywordsTest, KeywordSetupWritesTheNewKeywordToTheParameterBlockOfThePlc) {
    // STX "E11" or "1", address 8008, 8 bytes (hex 02453131383030383038 or 0231383030383038); each
    // character as the two digits of its code: 'A' as 4 and 1; no keyword as 8 blanks.
    const std::tuple<int, const char*, const char*, const char*> cases[] = {
        {5, "A0B1C2D3", "E118008084130423143324433", "A0B1C2D3"},
        {1, "12345678", "18008083132333435363738", "12345678"},
        {5, "", "E118008082020202020202020", "        "},
    };
    for (const auto& [type, entered, frame, stored] : cases) {
        useType(type);
        linkDialogs.keywordEntries = {{"", entered}};
        KeywordSetup1Click();
        EXPECT_EQ(sim.plc.frames.back(), frame);
        EXPECT_EQ(plcKeyword(), stored);
        EXPECT_EQ(fakes.statusBar.panelText(0), "Write Keyword [Ok]");
        EXPECT_EQ(comPortHandle, -1);
    }
    EXPECT_TRUE(shownBoxes(fakes.messages).empty());
    EXPECT_EQ(connectedPlcType, kNoPlcDetected);  // its register read leaves the type alone
}

TEST_F(KeywordsTest, KeywordSetupRefusesWhatTheUserGetsWrong) {
    const std::tuple<const char*, std::vector<std::pair<std::string, std::string>>, Boxes, const char*>
        cases[] = {
            {"        ",
             {{"", "A0B1C2DG"}},
             {"Keyword is 8 characters, 0~9 or A~F only | Keyword Error | warning"},
             "        "},
            // A wrong character keeps the dialog open as a wrong length does: the corrected
            // keyword goes through.
            {"        ",
             {{"", "A0B1C2DG"}, {"", "A0B1C2DF"}},
             {"Keyword is 8 characters, 0~9 or A~F only | Keyword Error | warning"},
             "A0B1C2DF"},
            {"        ",
             {{"", "ABC"}},
             {"New keyword must be 8 characters | Error Message | error"},
             "        "},
            {"12345678", {{"87654321", ""}}, {"Old Keyword Error | Error2018040234 | warning"}, "12345678"},
            // Seven old characters keep the dialog open; the next try goes through.
            {"12345678",
             {{"1234567", "AAAAAAAA"}, {"12345678", "AAAAAAAA"}},
             {"Old keyword must be 8 characters | Error Message | error"},
             "AAAAAAAA"},
        };
    for (const auto& [inPlc, entries, boxes, after] : cases) {
        setPlcKeyword(inPlc);
        fakes.messages.shown.clear();
        linkDialogs.keywordEntries = entries;
        KeywordSetup1Click();
        EXPECT_EQ(shownBoxes(fakes.messages), boxes);
        EXPECT_EQ(plcKeyword(), after);
        EXPECT_EQ(comPortHandle, -1);
    }
}

TEST_F(KeywordsTest, TheDialogStaysOpenOnAWrongCharacterAndClosesAcceptedOnlyOnAGoodKeyword) {
    const std::tuple<const char*, const char*, bool, std::uint8_t, std::uint8_t> cases[] = {
        // new keyword, box, closes, okPressed, keywordError
        {"A0B1C2DG", "Keyword is 8 characters, 0~9 or A~F only | Keyword Error | warning", false, 0, 1},
        {"a0b1c2d3", nullptr, true, 1, 0},  // the edits force upper case
        {"12 45678", "Keyword is 8 characters, 0~9 or A~F only | Keyword Error | warning", false, 0, 1},
        {"", nullptr, true, 1, 0},
        {"1234567", "New keyword must be 8 characters | Error Message | error", false, 0, 0},
    };
    for (const auto& [typed, box, closes, ok, error] : cases) {
        fakes.messages.shown.clear();
        PlcKeywordDialog dialog;
        dialog.edit2 = typed;
        EXPECT_EQ(dialog.btnOkClick(), closes) << typed;
        EXPECT_EQ(dialog.okPressed, ok) << typed;
        EXPECT_EQ(dialog.keywordError, error) << typed;
        EXPECT_EQ(dialog.accepted(), closes) << typed;
        EXPECT_EQ(shownBoxes(fakes.messages), box != nullptr ? Boxes{box} : Boxes{}) << typed;
    }
}

TEST_F(KeywordsTest, TheKeywordsNeverReachTheTraceAndAreWipedAfterTheCommand) {
    fakes.trace.setVisible(platform::Memo::Rx, true);
    setPlcKeyword("12345678");
    linkDialogs.keywordEntries = {{"12345678", "ABCDEF01"}};
    KeywordSetup1Click();
    ASSERT_EQ(plcKeyword(), "ABCDEF01");
    int masked = 0;
    for (const std::string& line : fakes.trace.lines(platform::Memo::Rx)) {
        EXPECT_EQ(line.find("3132333435363738"), std::string::npos) << line;
        EXPECT_EQ(line.find("4142434445463031"), std::string::npos) << line;
        masked += line.find("********") != std::string::npos;
    }
    EXPECT_EQ(masked, 5);  // the two block reads, their replies and the keyword frame
    for (const Password* word : {&rs.oldKeyword, &rs.newKeyword}) EXPECT_EQ(*word, Password{});
    EXPECT_TRUE(rsChHex.empty());
    EXPECT_EQ(rs.RxBkBuf[0], '\0');
    EXPECT_EQ(rs.txChars[0], '\0');
}

TEST_F(KeywordsTest, TheParameterBlockTravelsInOneFrameToType2AndInTwoToTheOthers) {
    const std::pair<int, std::vector<std::string>> cases[] = {{2, {"080005C"}}, {5, {"080002E", "0802E2E"}}};
    for (const auto& [type, frames] : cases) {
        useType(type);
        connectedPlcType = static_cast<std::uint16_t>(type);
        setPlcKeyword("0123ABCD");
        ASSERT_EQ(TryToConnection(1), 1);
        sim.plc.frames.clear();
        readParameterBlock(false);
        EXPECT_EQ(sim.plc.frames, frames);
        EXPECT_EQ(std::string(VirtualProg.begin() + 8, VirtualProg.begin() + 16), "0123ABCD");
        readParameterBlock(true);
        pmw.parameterBlock[15] = 'E';
        rs.chunkSize = 0;
        writeParameterBlock();
        EXPECT_EQ(plcKeyword(), "0123ABCE");
        EXPECT_TRUE(rsChHex.empty());  // the frame held the keyword
        EXPECT_EQ(sim.plc.frames.back().substr(0, 7), "1" + frames.back().substr(1));
        EXPECT_EQ(rs.chunkSize, type == 2 ? 92u : 46u);
        sim.plc.fault = plcsim::Fault::Nak;
        EXPECT_THROW(writeParameterBlock(), LinkError);
        EXPECT_EQ(shownBoxes(fakes.messages).back(), "Error2015091390...Checksum Error | Download | warning");
        EXPECT_FALSE(fakes.progress.visible);
        sim.plc.fault = plcsim::Fault::ShortReply;  // a reply that does not fit fails like a time-out
        EXPECT_THROW(readParameterBlock(false), LinkError);
        EXPECT_EQ(shownBoxes(fakes.messages).back(), "Error2015091393 | Communication Error | warning");
        sim.plc.fault = plcsim::Fault::None;
        closeComPort();
    }
}

TEST_F(KeywordsTest, AFailedParameterBlockReadEndsTheCommandWithItsBox) {
    // The four special-register reads come first; the fifth frame is the block's.
    const std::tuple<void (*)(), int, plcsim::Fault, const char*> cases[] = {
        {KeywordSetup1Click, 5, plcsim::Fault::Nak, "Error2015091392 | Communication Error | warning"},
        {SetupUserId1Click, 5, plcsim::Fault::Silence, "Error2015091393 | Communication Error | warning"},
        {Keyword2Setup1Click, 2, plcsim::Fault::Nak, "Error2015091392 | Communication Error | warning"},
    };
    for (const auto& [command, type, fault, box] : cases) {
        useType(type);
        setUserId(0, 0);
        setPlcKeyword("12345678");
        VirtualProg.assign(VirtualProg.size(), ' ');  // a stale image without a keyword
        sim.plc.frames.clear();
        sim.plc.faultFrame = 5;
        sim.plc.frameFault = fault;
        fakes.messages.shown.clear();
        linkDialogs.keywordEntries = {{"", "AAAAAAAA"}};
        command();
        EXPECT_EQ(shownBoxes(fakes.messages).back(), box);
        EXPECT_EQ(sim.plc.frames.size(), 5u);
        EXPECT_EQ(plcKeyword(), "12345678");
        EXPECT_EQ(comPortHandle, -1);
    }
}

TEST_F(KeywordsTest, UserIdSetupChecksTheOldIdAgainstD8105ThenD8104) {
    const std::tuple<int, std::uint16_t, const char*, Boxes, std::uint32_t> cases[] = {
        {5, 24200, "12345678", {}, 0xABCD0123},
        {5, 24200, "56781234", {"Old Id Error | Error2019040234 | warning"}, 0x12345678},
        {5, 24200, "12FF5678", {"Old Id Error | Error2019040234 | warning"}, 0x12345678},
        {5, 24200, "1234567F", {"Old Id Error | Error2019040234 | warning"}, 0x12345678},
        {5, 24131, "12345678", {"This version no UserIdNo | Msg20190506 | none"}, 0x12345678},
        {1, 24200, "12345678", {"This function is for the W series only | Msg2019042810 | none"}, 0x12345678},
    };
    for (const auto& [type, version, oldId, boxes, after] : cases) {
        useType(type);
        setUserId(0x1234, 0x5678);
        sim.plc.setWord(0x0E02, version);
        fakes.messages.shown.clear();
        linkDialogs.keywordEntries = {{oldId, "ABCD0123"}};
        SetupUserId1Click();
        EXPECT_EQ(shownBoxes(fakes.messages), boxes) << oldId;
        EXPECT_EQ(sim.plc.wordAt(0x0E00 + 2 * 105) * 0x10000u + sim.plc.wordAt(0x0E00 + 2 * 104), after);
        EXPECT_EQ(rs.userId, Password{});
    }
}

// The old ID is read as four hex pairs; a character that is no hex digit would read as some digit
// all the same (Z as 0: 1234567Z as 12345670), so such an ID is refused before it is compared, with
// the new ID's box, and nothing reaches the PLC.
TEST_F(KeywordsTest, AnOldUserIdOfOtherCharactersThanHexDigitsIsRefusedAndNothingIsWritten) {
    const Boxes notHex = {"Keyword is 8 characters, 0~9 or A~F only | Keyword Error | warning"};
    // The edits force upper case: 1234567z is 1234567Z. The last is the right ID, eight digits.
    const std::tuple<const char*, Boxes, std::uint32_t> cases[] = {
        {"1234567Z", notHex, 0x12345670}, {"1234567z", notHex, 0x12345670}, {"1234567G", notHex, 0x12345670},
        {"12345 70", notHex, 0x12345670}, {"-2345670", notHex, 0x12345670}, {"12345670", {}, 0xABCD0123},
    };
    for (const auto& [oldId, boxes, after] : cases) {
        useType(5);
        setUserId(0x1234, 0x5670);
        sim.plc.frames.clear();
        fakes.messages.shown.clear();
        linkDialogs.keywordEntries = {{oldId, "ABCD0123"}};
        SetupUserId1Click();
        EXPECT_EQ(shownBoxes(fakes.messages), boxes) << oldId;
        EXPECT_EQ(sim.plc.wordAt(0x0E00 + 2 * 105) * 0x10000u + sim.plc.wordAt(0x0E00 + 2 * 104), after)
            << oldId;
        const bool written = std::any_of(sim.plc.frames.begin(), sim.plc.frames.end(),
                                         [](const std::string& f) { return f.rfind("6F6Id2", 0) == 0; });
        EXPECT_EQ(written, boxes.empty()) << oldId;
        EXPECT_EQ(comPortHandle, -1) << oldId;
        EXPECT_EQ(rs.userId, Password{});
        EXPECT_EQ(rs.oldKeyword, Password{});
    }
}

TEST_F(KeywordsTest, Keyword2IsSetOnType2AndSaysWhenItWasNot) {
    // The sixth frame is 6F7Key2: after the four register reads and the block in one frame.
    const std::tuple<int, int, std::size_t, const char*, bool> cases[] = {
        {2, 2, 6, "Keyword2 setup ...unsucessful... | Msg18032116 | none", false},
        {2, 5, 0, "Type error, Can't write... | Error2018032110 | none", false},
        {5, 5, 0, "Type error, can't setup 2nd keyword(W3 only) | Msg18032116 | none", false},
        {2, 2, 0,
         "Keyword2 setup successful... Delete method: online => Memory clear => Program clear | Msg18032115 "
         "| none",
         true},
    };
    for (const auto& [project, plc, nakFrame, box, set] : cases) {
        pmw.setPlcType(static_cast<std::uint16_t>(project));
        sim.plc.setPlcType(plc);
        fakes.messages.shown.clear();
        sim.plc.frames.clear();
        sim.plc.faultFrame = nakFrame;
        sim.plc.frameFault = plcsim::Fault::Nak;
        Keyword2Setup1Click();
        EXPECT_EQ(
            shownBoxes(fakes.messages),
            (Boxes{"Once keyword2 be set then can read 128steps program only ? | Msg18032114 | question",
                   box}));
        EXPECT_EQ(sim.plc.keyword2Set(), set);
        EXPECT_EQ(comPortHandle, -1);
    }
}

TEST_F(KeywordsTest, ThePasswordFramesReachThePlcAndAnUnansweredOneWaitsItsTime) {
    openAt(0);  // 180 ms a tick; the first tick comes within one period
    rs.productId = {'1', '2', '3', '4', 'A', 'B', 'C', 'D'};
    EXPECT_TRUE(writeProductId1());
    EXPECT_EQ(sim.plc.wordAt(0x0E00 + 2 * 58) * 0x10000u + sim.plc.wordAt(0x0E00 + 2 * 59), 0x1234ABCDu);
    EXPECT_EQ(sim.plc.frames.back(), "6F6Id13132333441424344");
    EXPECT_TRUE(setKeyword2() && sim.plc.keyword2Set());
    EXPECT_TRUE(deleteKeyword2());
    EXPECT_FALSE(sim.plc.keyword2Set());

    sim.plc.fault = plcsim::Fault::Silence;
    const std::tuple<bool (*)(), std::uint32_t, std::uint32_t> cases[] = {
        {writePlcKeyword, 1620, 1800}, {writeUserId, 1620, 1800},    {writeProductId1, 1620, 1800},
        {setKeyword2, 1620, 1800},     {deleteKeyword2, 5000, 5100},
    };
    for (const auto& [frame, least, most] : cases) {
        pause(2000);  // the line quiet again; the send still waits 100 ms for that
        const std::uint32_t start = now();
        EXPECT_FALSE(frame());
        EXPECT_GE(now() - start, least);
        EXPECT_LE(now() - start, most);
    }
}

TEST_F(KeywordsTest, TheProjectKeywordIsSetAndAskedWithoutThePlc) {
    std::fill_n(pmw.parameterBlock.begin() + 8, 8, ' ');
    KeywordSetting1Click();  // cancelled: nothing changes
    EXPECT_FALSE(isPlcKeywordSet(true));
    linkDialogs.keywordEntries = {{"", "12345678"}};
    KeywordSetting1Click();
    EXPECT_EQ(std::string(pmw.parameterBlock.begin() + 8, pmw.parameterBlock.begin() + 16), "12345678");
    EXPECT_EQ(std::string(VirtualProg.begin() + 8, VirtualProg.begin() + 16), "12345678");
    linkDialogs.keywordEntries = {{"12345670", ""}};
    KeywordSetting1Click();
    linkDialogs.keywordEntries = {{"12345678", ""}, {"12345679", ""}};
    EXPECT_TRUE(askPlcKeyword(true));
    EXPECT_FALSE(askPlcKeyword(true));
    EXPECT_EQ(shownBoxes(fakes.messages), (Boxes{"Old Keyword Error... | Error2018040235 | warning",
                                                 "Error2018040230... | Keyword Error... | warning"}));
    EXPECT_TRUE(isPlcKeywordSet(true));
    EXPECT_TRUE(sim.plc.frames.empty());
    // The question asks the old keyword alone; the setting asks the new one and the old when set.
    EXPECT_EQ(linkDialogs.keywordEditsEnabled,
              (std::vector<std::pair<bool, bool>>{
                  {false, true}, {false, true}, {true, true}, {true, false}, {true, false}}));
}

}  // namespace
}  // namespace kestrion::test
