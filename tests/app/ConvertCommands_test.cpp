// The Convert commands: refused while a monitor runs, and LD X0 / OUT Y0 typed, then F4.
#include "app/ConvertCommands.h"

#include <algorithm>

#include "app/MainView.h"
#include "entry/EntryTestSupport.h"
#include "model/CanvasState.h"
#include "model/MainState.h"
#include "monitor/MonitorMode.h"

namespace kestrion::test {
namespace {

class ConvertCommandsTest : public EntryTest {
protected:
    ConvertCommandsTest() {
        initPmwImageByType(5);
        (void)initPmwImageForTypeAndSize(5, 8);
        typeLines({"LD X0", "OUT Y0"});
        fakes.messages.shown.clear();
    }
    static std::vector<std::uint16_t> words() { return {pmw.program.begin(), pmw.program.begin() + 4}; }
};

TEST_F(ConvertCommandsTest, EveryEntryPointIsRefusedWhileAMonitorRuns) {
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

TEST_F(ConvertCommandsTest, F4ConvertsTheTypedLadderAndLeavesItConvertedButNotSaved) {
    spbtnF4Click();
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(words(), (std::vector<std::uint16_t>{0x2400, 0xC500, 0x000F, 0xFFFF}));
    EXPECT_EQ(pmw.sumCheck(), 51666);  // 57536 (memory size 8) + 0x2401 + 0xC501 + 0x0010, 16 bits
    EXPECT_TRUE((editModeFlags & 0x0C) == 0x08 && (fileStateFlags & kFileNoName) != 0);
    EXPECT_FALSE(canvasState.undoMenuEnabled || canvasState.editCancelMenuEnabled ||
                 menuItem("EditCancel1").enabled || menuItem("EditCancel2").enabled);
    ASSERT_EQ(langDialogs.appMessages.size(), 1u);
    const AppMessage& done = langDialogs.appMessages[0];
    EXPECT_EQ(done.caption + "|" + done.line1 + "|" + done.line2 + "|" + std::to_string(done.selfClose) +
                  "|" + std::to_string(done.timerEnabled * done.timerInterval),
              "Convert |...Convert...Completed...||1|500");
    EXPECT_TRUE(fakes.statusBar.panelText(0) == "...Convert...Completed..." &&
                fakes.clock.enabled(platform::TimerId::Timer2));
    const Texts steps = {"Progress...", "15%", "20%", "25%", "30%", "35%",        "40%", "45%",
                         "50%",         "55%", "56%", "60%", "64%", "66%",        "68%", "70%",
                         "75%",         "80%", "85%", "88%", "90%", "Progress..."};
    const Texts& shown = fakes.progress.captions;
    EXPECT_EQ(Texts(shown.begin(), shown.begin() + std::min(shown.size(), steps.size())), steps);
    const Texts panel13 = fakes.statusBar.history(13);
    EXPECT_EQ(std::count(panel13.begin(), panel13.end(), "LToI.LBC=2"), 1);
}

}  // namespace
}  // namespace kestrion::test
