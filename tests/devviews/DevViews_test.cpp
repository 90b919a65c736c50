#include "devviews/DevViews.h"

#include <utility>

#include "compiler/CompilerState.h"
#include "devviews/DevViewsDialogs.h"
#include "lang/Language.h"
#include "link/LinkFixture.h"
#include "link/line/Frames.h"
#include "link/plc/Keywords.h"
#include "link/plc/MonitorFrames.h"
#include "model/core/MainState.h"
#include "model/image/ProgramImage.h"
#include "model/instructions/Conversions.h"
#include "model/ladder/LadderObject.h"
#include "support/SimulatedPlc.h"

namespace kestrion::test {
namespace {

using Lines = std::vector<std::string>;

std::string hexOf(const std::string& text) {
    std::string hex;
    for (char c : text)
        hex += {hexDigit(static_cast<unsigned char>(c) >> 4u), hexDigit(static_cast<unsigned char>(c))};
    return hex;
}

// Records the views shown; the developer access answers with the choice set beforehand.
struct FakeDevViewsDialogs : DevViewsDialogs {
    void showTextView(const DevTextView& view) override { views.push_back(view); }
    void viewMore(ViewMoreDialog& dialog) override { presets.push_back(std::exchange(dialog, answer)); }
    void showDeveloperMenus(bool shown) override { menusShown.push_back(shown); }
    void mathTest() override { ++mathTests; }
    ViewMoreDialog answer;
    int mathTests = 0;
    std::vector<DevTextView> views;
    std::vector<ViewMoreDialog> presets;
    std::vector<bool> menusShown;
};

class DevViewsTest : public LinkTest {
protected:
    FakeDevViewsDialogs dialogs;
    InstalledDialogs<DevViewsDialogs> installed_{dialogs};
};

TEST_F(DevViewsTest, TheObjectViewLeadsWithTheTraceTexts) {
    compileTraceText = "*ReDefineAllFncEndSymble";
    activityText = "*saveCommentToCowBuffer 1.deviceName";
    initLadderList(1040, 0);
    ObjLadder1Click();
    ASSERT_EQ(dialogs.views.size(), 1u);
    EXPECT_EQ(dialogs.views[0].lines,
              (Lines{"traceCaption: ", "activityText: *saveCommentToCowBuffer 1.deviceName",
                     "traceText: *ReDefineAllFncEndSymble", "canvasTraceText: ", "",
                     "1040,0 END code=000F end=11 id=1"}));
}

TEST_F(DevViewsTest, TheLinkViewShowsFramesInClearOnlyWhenNoPasswordIsUnderWay) {
    rs.bitTxBuf[0] = 0x02;
    rs.bitTxBuf[17] = 0xAB;
    rs.byteTxBuf[15] = 0x01;  // the last byte of the first row: one row
    rsChHex = "02453131";
    comTemp2Array = "0231";
    std::copy_n(
        "\x02"
        "01\x03",
        5, rs.RxBkBuf.begin());
    const std::string zeros = " 00 00 00 00 00 00 00 00 00 00 00 00 00 00";
    EXPECT_EQ(linkFrameLines(), (Lines{"bitTxBuf 000: 02 00" + zeros, "bitTxBuf 010: 00 AB" + zeros,
                                       "byteTxBuf 000: 00" + zeros + " 01", "rsChHex: 02453131",
                                       "txChars: ", "RxBkBuf: <02>01<03>",
                                       "comTempArray: ", "comTemp2Array: 0231", "comTemp3Array: "}));
    MaskedTrace masked;
    const Lines hidden = linkFrameLines();
    EXPECT_EQ(Lines(hidden.end() - 6, hidden.end() - 3),
              (Lines{"rsChHex: ********", "txChars: ********", "RxBkBuf: ********"}));
}

TEST_F(DevViewsTest, NoTraceAndNoViewEverHoldsAKeywordInClear) {
    SimulatedPlc sim{fakes, 5};
    sim.plc.replyDelayMs = 100;  // the command waits long enough for many clicks to come meanwhile
    pmw.setPlcType(5);
    for (std::uint32_t i = 0; i < 8; ++i)
        sim.plc.setByte(plcsim::kKeyword + i, static_cast<std::uint8_t>('1' + i), plcsim::Space::Program);
    for (int memo = 0; memo < platform::memoCount; ++memo) fakes.trace.setVisible(platform::Memo(memo), true);
    // What the views would show to a menu click that comes while the command waits for the PLC.
    std::vector<Lines> seen;
    for (std::uint32_t ms = 0; ms < 3000; ms += 5)
        fakes.clock.at(now() + ms, [&seen] {
            seen.push_back(linkFrameLines());
            seen.push_back(objLadderViewLines());
        });
    linkDialogs.keywordEntries = {{"12345678", "ABCDEF01"}};
    KeywordSetup1Click();
    ASSERT_EQ(fakes.statusBar.panelText(0), "Write Keyword [Ok]");
    seen.push_back(linkFrameLines());
    for (int memo = 0; memo < platform::memoCount; ++memo)
        seen.push_back(fakes.trace.lines(platform::Memo(memo)));
    // Each keyword as typed, as the hex digits of a reply and as the hex text of a frame.
    Lines secrets;
    for (const std::string keyword : {"12345678", "ABCDEF01"})
        secrets.insert(secrets.end(), {keyword, hexOf(keyword), hexOf(hexOf(keyword))});
    int lines = 0;
    for (const Lines& view : seen)
        for (const std::string& line : view) {
            ++lines;
            for (const std::string& secret : secrets) EXPECT_EQ(line.find(secret), std::string::npos) << line;
        }
    EXPECT_GT(lines, 1000);
}

TEST_F(DevViewsTest, MoreViewSetsWhatTheUserConfirmedAndNothingOnCancel) {
    dialogs.answer = {true, true, true};
    MoreView1Click();
    EXPECT_EQ(optionFlags & kOptionDeveloperViews, kOptionDeveloperViews);
    dialogs.answer = {false, false, false};  // Cancel
    MoreView1Click();
    dialogs.answer = {false, false, true};
    MoreView1Click();
    EXPECT_EQ(optionFlags & kOptionDeveloperViews, 0);
    ASSERT_EQ(dialogs.presets.size(), 3u);
    EXPECT_TRUE(dialogs.presets[1].developerMenus &&
                dialogs.presets[1].developerViews);  // the state as it stood
    EXPECT_EQ(dialogs.menusShown, (std::vector<bool>{true, false}));
}

}  // namespace
}  // namespace kestrion::test
