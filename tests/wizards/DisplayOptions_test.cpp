#include "wizards/DisplayOptions.h"

#include <functional>

#include "model/core/MainState.h"
#include "model/image/ModeData.h"
#include "model/ladder/EditorState.h"
#include "wizards/FakeWizardsDialogs.h"
#include "wizards/SettingCommands.h"

namespace kestrion::test {
namespace {

using DisplayOptionsTest = WizardsTest;

TEST_F(DisplayOptionsTest, TheAnswerAndDoNotShowAgainDecideTheOpenAndTheBit) {
    struct Case {
        const char* name;
        std::function<void(DeclaredDialog&)> answer;
        bool opens;
        bool switchedOff;
    };
    const Case cases[] = {
        {"agree", [](DeclaredDialog& d) { d.btnAgreeClick(); }, true, false},
        {"agree, do not show again",
         [](DeclaredDialog& d) {
             d.CheckBox1Click(true);
             d.btnAgreeClick();
         },
         true, true},
        {"do not agree, do not show again",
         [](DeclaredDialog& d) {
             d.CheckBox1Click(true);
             d.btnAgreeClick();
             d.btnDoNotAgreeClick();
         },
         false, true},
        {"checked then unchecked",
         [](DeclaredDialog& d) {
             d.CheckBox1Click(true);
             d.CheckBox1Click(false);
             d.btnAgreeClick();
         },
         true, false},
        {"closed without a button", [](DeclaredDialog&) {}, false, false},
    };
    screenWidth = 1024;
    for (const Case& c : cases) {
        ModeData.viewFlags = kViewBlockComments;
        wizardsDialogs.shown.clear();
        wizardsDialogs.declaredScript = c.answer;
        EXPECT_EQ(showTemplateDeclared(), c.opens) << c.name;
        EXPECT_EQ(ModeData.viewFlags, kViewBlockComments | (c.switchedOff ? kViewTemplateDisclaimerOff : 0))
            << c.name;
        EXPECT_EQ(wizardsDialogs.shown, std::vector<std::string>{"Disclaimer "}) << c.name;
        EXPECT_EQ(wizardsDialogs.declaredSeen.layout.width, 819);
    }
    // Switched off: no dialog, and the template opens.
    wizardsDialogs.shown.clear();
    ModeData.viewFlags = kViewTemplateDisclaimerOff;
    EXPECT_TRUE(showTemplateDeclared());
    EXPECT_TRUE(wizardsDialogs.shown.empty());
}

TEST_F(DisplayOptionsTest, OnlyTraditionalChineseGetsTheChineseDisclaimer) {
    const std::string english =
        "These application examples are just for reference. *Tovel Electric has no responsibility for any "
        "damage "
        "of any third-party's rights.";
    for (std::uint32_t language : {0u, 2u, 3u, 5u}) EXPECT_EQ(declaredText(language), english);
    const std::string chinese = declaredText(1);
    EXPECT_EQ(chinese.substr(0, 4), "*** ");
    EXPECT_EQ(chinese.substr(chinese.size() - 3), "***");
}

TEST_F(DisplayOptionsTest, TheOptionsBoxesStartFromViewFlagsAndWriteTheirBitsAtOnce) {
    ModeData.viewFlags = kViewTemplateDisclaimerOff | kViewBlockComments | 0x01;
    ModeData.ySizeSymble = 56;
    wizardsDialogs.systemSetupScript = [](SystemSetupDialog& d) {
        EXPECT_TRUE(d.doNotShowTemplatesDeclared && !d.showDeviceComment && d.showBlockComment &&
                    !d.showCoilComment);
        d.ShowCoilCommentClick(true);
        EXPECT_EQ(ModeData.viewFlags,
                  kViewTemplateDisclaimerOff | kViewBlockComments | kViewCoilComments | 0x01);
        d.DoNotShowTemplatesDeclaredClick(false);
        d.ShowBlockCommentClick(false);
        d.ShowDeviceCommentClick(true);
    };
    redrawFlags = 0;
    SystemSetting1Click();
    EXPECT_EQ(ModeData.viewFlags, kViewDeviceComments | kViewCoilComments | 0x01);
    EXPECT_EQ(redrawFlags, kRedrawLadder | kRedrawObjects);
    EXPECT_EQ(ModeData.ySizeSymble, 56u);  // the cell height is the Comment menu's business
}

}  // namespace
}  // namespace kestrion::test
