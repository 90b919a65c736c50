// The Convert commands: refused while a monitor runs, and LD X0 / OUT Y0 typed then F4.
#include "app/ConvertCommands.h"

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
    static std::vector<std::uint16_t> words(std::size_t count) {
        return {pmw.program.begin(), pmw.program.begin() + static_cast<std::ptrdiff_t>(count)};
    }
};

TEST_F(ConvertCommandsTest, EveryEntryPointIsRefusedWhileAMonitorRuns) {
    const Texts ladder = objectListDetailRows();
    for (int mode : {kMonitorLadder, kMonitorEntryDevices}) {
        for (void (*command)() :
             {LadderToInstruction1Click, Convert4Click, Convert2Click, spbtnConvertClick, spbtnF4Click}) {
            monitorMode = mode;
            fakes.messages.shown.clear();
            command();
            EXPECT_EQ(boxes(), Boxes{"In Device Monitor...Can'tDoConvert... | Msg2015032002 | none"});
            EXPECT_EQ(objectListDetailRows(), ladder);
            EXPECT_EQ(words(1), std::vector<std::uint16_t>{0xFFFF});
            EXPECT_EQ(editModeFlags & 0x0C, 0x0C);
        }
    }
}

TEST_F(ConvertCommandsTest, F4ConvertsTheTypedLadderAndLeavesItConvertedButNotSaved) {
    menuItem("EditCancel1").enabled = true;
    spbtnF4Click();
    EXPECT_EQ(boxes(), Boxes{});
    EXPECT_EQ(words(4), (std::vector<std::uint16_t>{0x2400, 0xC500, 0x000F, 0xFFFF}));
    // 57536 (memory size 8) + 0x2401 + 0xC501 + 0x0010, 16 bits.
    EXPECT_EQ(pmw.sumCheck(), 51666);
    EXPECT_EQ(editModeFlags & 0x0C, 0x08);
    EXPECT_NE(fileStateFlags & kFileNoName, 0);
    EXPECT_FALSE(canvasState.undoMenuEnabled || canvasState.editCancelMenuEnabled);
    EXPECT_FALSE(menuItem("EditCancel1").enabled || menuItem("EditCancel2").enabled);
    ASSERT_EQ(langDialogs.appMessages.size(), 1u);
    const AppMessage& done = langDialogs.appMessages[0];
    EXPECT_EQ(done.caption + "|" + done.line1 + "|" + done.line2, "Convert |...Convert...Completed...|");
    EXPECT_TRUE(done.selfClose == 1 && done.timerEnabled && done.timerInterval == 500 &&
                done.tickCounter == 0);
    EXPECT_EQ(fakes.statusBar.panelText(0), "...Convert...Completed...");
    EXPECT_TRUE(fakes.clock.enabled(platform::TimerId::Timer2));
}

}  // namespace
}  // namespace kestrion::test
