#include "link/terminals/ServiceTools.h"

#include <algorithm>

#include "editor/FakeEditorDialogs.h"
#include "link/LinkFixture.h"
#include "link/terminals/FakeTerminalDialogs.h"
#include "model/image/ProgramImage.h"
#include "support/ShownBoxes.h"
#include "support/SimulatedPlc.h"

namespace kestrion::test {
namespace {

constexpr std::uint32_t kStatusByte = 0x01E0;
constexpr std::uint32_t kD8004 = 0x0E00 + 2 * 4;
constexpr std::uint32_t kD8058 = 0x0E00 + 2 * 58;
constexpr std::uint32_t kD8059 = 0x0E00 + 2 * 59;

class ServiceToolsTest : public LinkTest {
protected:
    ServiceToolsTest() { pmw.setPlcType(5); }
    // The frames the PLC took since the mark, without the register reads of the connection test.
    std::vector<std::string> framesSince(std::size_t mark) const {
        std::vector<std::string> frames(sim.plc.frames.begin() + static_cast<std::ptrdiff_t>(mark),
                                        sim.plc.frames.end());
        frames.erase(
            std::remove_if(frames.begin(), frames.end(),
                           [](const std::string& f) { return f.rfind("00E", 0) == 0 && f != "00E7A02"; }),
            frames.end());
        return frames;
    }
    SimulatedPlc sim{fakes, 5};
    FakeEditorDialogs editor;
    InstalledDialogs<EditorDialogs> editorInstalled{editor};
    FakeTerminalDialogs terminals;
    InstalledDialogs<TerminalDialogs> terminalsInstalled{terminals};
};

TEST_F(ServiceToolsTest, SelfTestsStopARunningPlcFirstAndJudgeD8061ReadAfterThePause) {
    struct Case {
        void (*click)();
        std::uint8_t status;
        std::uint16_t result;
        std::vector<std::string> frames;
        const char* panel0;
        const char* panel13;
    };
    const Case cases[] = {
        {PCB1Click, 9, 0, {"001E001", "E7230E", "E7250E", "E7190E", "00E7A02"}, "PCB Check OK...", ""},
        {FRAM1Click, 0, 3, {"001E001", "E71B0E", "00E7A02"}, "FRAM Check Error...", "FRAM Check Error..."},
    };
    for (const Case& c : cases) {
        sim.plc.setByte(kStatusByte, c.status);
        sim.plc.setWord(0x0E00 + 2 * 61, 7);  // an old result: never the verdict
        sim.plc.selfTestResult = c.result;
        const std::size_t mark = sim.plc.frames.size();
        c.click();
        EXPECT_EQ(framesSince(mark), c.frames);
        EXPECT_EQ(fakes.statusBar.panelText(0), c.panel0);
        const auto panel13 = fakes.statusBar.history(13);
        EXPECT_EQ(std::count(panel13.begin(), panel13.end(), "FRAM Check Error..."),
                  *c.panel13 != '\0' ? 1 : 0);
        EXPECT_FALSE(fakes.serial.isOpen());
    }
    EXPECT_FALSE(sim.plc.running());  // not switched back to RUN
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(ServiceToolsTest, AD8061ReadWithoutAGoodReplyGivesNoVerdict) {
    PCB1Click();
    sim.plc.faultFrame = 2 * sim.plc.frames.size();  // the D8061 read of the second run
    sim.plc.frameFault = plcsim::Fault::Nak;
    PCB1Click();
    EXPECT_EQ(shownBoxes(fakes.messages), Boxes{"Error2015030502 | Communication Error | warning"});
    const auto panel0 = fakes.statusBar.history(0);
    EXPECT_EQ(std::count(panel0.begin(), panel0.end(), "PCB Check OK..."), 1);  // the first run's only
}

TEST_F(ServiceToolsTest, TheProductIdIsWrittenAsEightDigitsAndAHeldOneIsOnlyOverwrittenOnYes) {
    struct Case {
        int type;
        std::uint8_t ok;
        int number;
        std::uint16_t held;
        const char* sent;  // the ID frame, or "" for none
        Boxes boxes;
    };
    const Case cases[] = {
        {5, 1, 0, 0, "6F6Id13030303030303030", {}},
        {5, 1, 123, 0, "6F6Id13030303030313233", {}},
        {5, 1, 99999999, 0, "6F6Id13939393939393939", {}},
        {5, 1, 123, 0x0012, "", {"Do you want continue ? | ProductIdNo=00120000 | question"}},
        {5, 1, 123456789, 0, "", {"Product ID must be 0 ~ 99999999 (8 digits) | Setup Product ID | warning"}},
        {5, 0, 0, 0, "", {}},
        {1, 1, 1, 0, "", {"This function is for the W series only | Msg2019042810 | none"}},
    };
    for (const Case& c : cases) {
        pmw.setPlcType(static_cast<std::uint16_t>(c.type));
        sim.plc.setWord(kD8058, c.held);
        sim.plc.setWord(kD8059, 0);
        editor.answer = {c.ok, c.number};
        fakes.messages.shown.clear();
        fakes.messages.scriptAnswers({platform::MsgAnswer::No});
        const std::size_t mark = sim.plc.frames.size();
        ProductId1Click();
        const auto frames = framesSince(mark);
        const bool sent = !frames.empty() && frames.back().rfind("6F6Id1", 0) == 0;
        EXPECT_EQ(sent ? frames.back() : "", c.sent) << c.number;
        EXPECT_EQ(shownBoxes(fakes.messages), c.boxes) << c.number;
        EXPECT_FALSE(fakes.serial.isOpen());
        EXPECT_EQ(rs.productId, (std::array<char, 8>{}));  // wiped
        fakes.messages = FakeMessages{};
    }
    EXPECT_EQ(editor.lastRequest.caption + "|" + editor.lastRequest.stepNoLabel,
              "Setup Product ID|serial no.");
}

TEST_F(ServiceToolsTest, Keyword2IsDeletedOnType2OnlyAndOtherTypesSendNothing) {
    Keyword2Delete1Click();
    EXPECT_EQ(shownBoxes(fakes.messages).size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].caption, "Msg18032115");
    EXPECT_EQ(std::count(sim.plc.frames.begin(), sim.plc.frames.end(), "6F8Key2"), 0);
    sim.plc.setPlcType(2);
    pmw.setPlcType(2);
    fakes.messages.shown.clear();
    Keyword2Delete1Click();
    EXPECT_EQ(shownBoxes(fakes.messages), Boxes{"---OK--- | Msg18032118 | none"});
    EXPECT_EQ(sim.plc.frames.back(), "6F8Key2");
}

TEST_F(ServiceToolsTest, CheckAllRunsTheThreeEvenAfterAFailedBoardTest) {
    sim.plc.selfTestResult = 1;
    editor.answer = {1, 42};
    terminals.pcbCheckScript = [](PcbCheckDialog& dialog) { dialog.btnCheckAllClick(); };
    PcbCheck1Click();
    EXPECT_EQ(terminals.captions, std::vector<std::string>{"Hareware Check"});
    EXPECT_EQ(sim.plc.frames.back(), "6F6Id13030303030303432");
}

TEST_F(ServiceToolsTest, TheFormShowsEachVerdictInItsLabelAndTheMemo) {
    sim.plc.selfTestResult = 1;
    editor.answer = {1, 42};
    PcbCheckDialog dialog;
    dialog.btnCheckAllClick();
    std::vector<std::pair<std::string, LabelColour>> labels;
    for (const ResultLabel& label : dialog.labels) labels.emplace_back(label.text, label.colour);
    EXPECT_EQ(labels,
              (std::vector<std::pair<std::string, LabelColour>>{{"...FAILURE...", LabelColour::Red},
                                                                {"...FAILURE...", LabelColour::Red},
                                                                {"...Completed...", LabelColour::Teal}}));
    EXPECT_EQ(dialog.memo,
              (std::vector<std::string>{"PCB Check Error...", "", "", "FRAM Check Error...", "", "",
                                        "VersionCode=24100", "", "", "<NEW> ProductIdNo=00000042", "", "",
                                        "......SetupCompleted......"}));
    const auto panel0 = fakes.statusBar.history(0);  // the form writes no verdict to the status bar
    EXPECT_EQ(std::count_if(panel0.begin(), panel0.end(),
                            [](const std::string& text) { return text.find("Check") != std::string::npos; }),
              0);
    editor.answer = {0, 0};  // the ID dialog cancelled: the label is idle again
    dialog.btnProductIdClick();
    EXPECT_EQ(dialog.labels[2].text + "|" + std::to_string(static_cast<int>(dialog.labels[2].colour)), "|0");
}

TEST_F(ServiceToolsTest, TheCombinedRunReportsTheErrorFlagAfterEachTestAndShowsTheIds) {
    sim.plc.setWord(kD8004, 8001);
    sim.plc.setWord(kD8058, 0x1234);
    fakes.trace.setVisible(platform::Memo::Msg1, true);
    fakes.messages.scriptAnswers({platform::MsgAnswer::Ok, platform::MsgAnswer::Ok, platform::MsgAnswer::No});
    editor.answer = {1, 7};
    PcbFRAMPid1Click();
    EXPECT_EQ(shownBoxes(fakes.messages),
              (Boxes{"Check PCB...Error... | Error2021071011 | none",
                     "Check FRAM...Error... | Error2021071012 | none",
                     "Do you want continue ? | ProductIdNo=12340000 | question"}));
    ASSERT_EQ(langDialogs.appMessages.size(), 1u);
    EXPECT_EQ(langDialogs.appMessages[0].caption + langDialogs.appMessages[0].line2,
              "Check PCB+FRAM ProductIdNo=12340000");
    const auto& memo = fakes.trace.lines(platform::Memo::Msg1);
    EXPECT_EQ(
        std::vector<std::string>(memo.end() - 5, memo.end()),
        (std::vector<std::string>{"Check FRAM...WaitPLC...", ">>Read PLC Status...", "Check FRAM...Error...",
                                  "Setup ProductID...WaitPLC...", "...Setup...Completed..."}));
    EXPECT_EQ(fakes.statusBar.panelText(13), "ProductIdNo=12340000");
}

}  // namespace
}  // namespace kestrion::test
