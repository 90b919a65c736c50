// The Convert commands: refused while a monitor runs, and LD X0 / OUT Y0 typed, then F4.
#include "compiler/ConversionCommands.h"

#include <tuple>

#include "app/MainView.h"
#include "entry/EntryTestSupport.h"
#include "model/core/MainState.h"
#include "model/ladder/CanvasState.h"
#include "monitor/MonitorMode.h"

namespace kestrion::test {
namespace {

class ConversionCommandsTest : public EntryTest {
protected:
    ConversionCommandsTest() {
        initPmwImageByType(5);
        (void)initPmwImageForTypeAndSize(5, 8);
        typeLines({"LD X0", "OUT Y0"});
        fakes.messages.shown.clear();
    }
    static std::vector<std::uint16_t> words() { return {pmw.program.begin(), pmw.program.begin() + 4}; }
};

TEST_F(ConversionCommandsTest, EveryEntryPointIsRefusedWhileAMonitorRuns) {
    const Texts ladder = objectListDetailRows();
    for (int mode : {kMonitorLadder, kMonitorEntryDevices})
        for (auto command :
             {LadderToInstruction1Click, Convert4Click, Convert2Click, spbtnConvertClick, spbtnF4Click}) {
            monitorMode = mode;
            fakes.messages.shown.clear();
            command();
            EXPECT_EQ(boxes(), Boxes{"In Device Monitor...Can'tDoConvert... | Msg2015032002 | none"});
            EXPECT_TRUE(objectListDetailRows() == ladder && words()[0] == 0xFFFF &&
                        (editModeFlags & 0x0C) == 0x0C);
        }
}

TEST_F(ConversionCommandsTest, F4ConvertsTheTypedLadderAndLeavesItConvertedButNotSaved) {
    spbtnF4Click();
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(words(), (std::vector<std::uint16_t>{0x2400, 0xC500, 0x000F, 0xFFFF}));
    EXPECT_EQ(pmw.sumCheck(), 51666);  // 57536 (memory size 8) + 0x2401 + 0xC501 + 0x0010, 16 bits
    EXPECT_TRUE((editModeFlags & 0x0C) == 0x08 && (fileStateFlags & kFileNoName) != 0);
    EXPECT_FALSE(canvasState.undoMenuEnabled || canvasState.editCancelMenuEnabled ||
                 menuItem("EditCancel1").enabled);
    ASSERT_EQ(langDialogs.appMessages.size(), 1u);
    const AppMessage& done = langDialogs.appMessages[0];
    EXPECT_EQ(done.caption + "|" + done.line1 + "|" + done.line2 + "|" + std::to_string(done.selfClose) +
                  "|" + std::to_string(done.timerEnabled * done.timerInterval),
              "Convert |...Convert...Completed...||1|500");
    EXPECT_TRUE(fakes.statusBar.panelText(0) == "...Convert...Completed..." &&
                fakes.clock.enabled(platform::TimerId::Timer2));
    const Texts steps = {"Progress.../0", "15%/15", "20%/20", "25%/25",       "30%/30", "35%/35",
                         "40%/40",        "45%/45", "50%/50", "55%/55",       "56%/56", "60%/60",
                         "64%/64",        "66%/66", "68%/68", "70%/70",       "75%/75", "80%/80",
                         "85%/85",        "88%/88", "90%/90", "Progress.../0"};
    Texts shown;
    for (std::size_t i = 0; i < steps.size() && i < fakes.progress.positions.size(); ++i)
        shown.push_back(fakes.progress.captions[i] + "/" + std::to_string(fakes.progress.positions[i]));
    EXPECT_EQ(shown, steps);
}

// One F4 after another on the same ladder: panel 0 says how each ended, panel 2 counts the steps the
// last completed one wrote (END not counted), and a ladder left open is told where in panel 13.
TEST_F(ConversionCommandsTest, TheStatusBarSaysHowEachConvertEnded) {
    const std::string monitoring = "In Device Monitor...Can'tDoConvert... | Msg2015032002 | none";
    const std::string p1 = "P1- Ladder diagram error | *Error2018031880 | warning";
    const std::string refused = "...Convert...Refused...", completed = "...Convert...Completed...";
    // lines typed, monitor mode, box, panels 0, 2 and 13 (empty: not looked at)
    // clang-format off
    const std::vector<std::tuple<Texts, int, std::string, std::string, std::string, std::string>> cases = {
        {{}, kMonitorLadder, monitoring, refused, "", ""},
        {{"@80,64", "LD X1", "AND X2", "OUT Y1", "@80,128", "LD X3", "AND X4", "AND X5", "OUT Y2"}, kMonitorOff, "", completed, "Program step [9/8000]", ""},
        {{"@80,192", "LD X6", "OUT Y3"}, kMonitorOff, "", completed, "Program step [11/8000]", ""},
        {{}, kMonitorLadder, monitoring, refused, "Program step [11/8000]", ""},
        {{"@160,256", "AND X7", "OUT Y4"}, kMonitorOff, p1, refused, "Program step [11/8000]", "Line 5: nothing joins X7 on its left."},
    };
    // clang-format on
    for (const auto& [typed, monitor, box, panel0, panel2, panel13] : cases) {
        typeLines(typed);
        ASSERT_EQ(boxes(), Boxes{});
        monitorMode = monitor;
        spbtnF4Click();
        monitorMode = kMonitorOff;
        EXPECT_EQ(boxes(), box.empty() ? Boxes{} : Boxes{box});
        fakes.messages.shown.clear();
        EXPECT_EQ(fakes.statusBar.panelText(0) + " " + fakes.statusBar.panelText(2), panel0 + " " + panel2);
        if (!panel13.empty()) {
            EXPECT_EQ(fakes.statusBar.panelText(13), panel13);
        }
    }
}

}  // namespace
}  // namespace kestrion::test
