#include "lang/LanguageCommands.h"

#include "app/MainCore.h"
#include "app/MainView.h"
#include "lang/HelpCommands.h"
#include "lang/Language.h"
#include "model/core/MainState.h"
#include "model/image/ModeData.h"
#include "model/ladder/EditorState.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

class LanguageCommandsTest : public test::CoreTest {
protected:
    LanguageCommandsTest() { mainFormStartUp(); }
    static std::string checkedItems() {
        std::string checked;
        for (const char* item : {"English1", "TraditionalChinese1", "SimplifiedChinese1", "JapaneseLanguage1",
                                 "Spanish1", "Turkish1"})
            checked += menuItem(item).checked ? '1' : '0';
        return checked;
    }
};

TEST_F(LanguageCommandsTest, EachItemSelectsItsLanguageKeepsItsIndexAndTakesTheCheckMark) {
    const std::tuple<void (*)(), std::uint32_t, const char*> cases[] = {
        {TraditionalChinese1Click, 1, "010000"},
        {SimplifiedChinese1Click, 2, "001000"},
        {JapaneseLanguage1Click, 3, "000100"},
        {Spanish1Click, 4, "000010"},
        {Turkish1Click, 5, "000001"},
        {English1Click, 0, "100000"},
    };
    for (const auto& [click, index, checked] : cases) {
        menuItem("mmWizard").visible = true;
        redrawFlags = 0;
        click();
        EXPECT_EQ(redrawFlags & (kRedrawLadder | kRedrawObjects), kRedrawLadder | kRedrawObjects);
        EXPECT_EQ(ModeData.languageNo, index);
        EXPECT_EQ(static_cast<std::uint32_t>(currentLanguage()), index);
        EXPECT_EQ(checkedItems(), checked);
        EXPECT_EQ(menuItem("mmWizard").visible, false);
    }
    languageClick(7);
    EXPECT_EQ(std::tie(ModeData.languageNo, bEnglish), std::make_tuple(0u, true));
}

TEST_F(LanguageCommandsTest, TheMenuStatesWithAndWithoutAProgram) {
    menuItem("mmWizard").visible = true;
    setMenuClosed();
    EXPECT_EQ(menuItem("mmWizard").visible, false);
    EXPECT_TRUE(menuItem("Templates1").enabled);
    setMenuProgramOpen();
    EXPECT_EQ(
        std::make_tuple(menuItem("Templates1").enabled, menuItem("AxisControl1").visible, optionFlags & 0x01),
        std::make_tuple(false, true, 0x01));
}

TEST_F(LanguageCommandsTest, TheHelpItemsShowTheScreenAndTheVersionInTheInterfaceLanguage) {
    fakes.system.screen = {1280, 800};
    screenResolution1Click();
    EXPECT_EQ(std::tie(screenWidth, screenHeight), std::make_tuple(1280, 800));
    EXPECT_EQ(fakes.statusBar.panelText(0), "Screen Resolution=1280*800");
    setSoftwareVersion("Version 2.1.1108");
    Spanish1Click();
    About1Click();
    ASSERT_EQ(langDialogs.aboutBoxes.size(), 1u);
    const AboutBox& box = langDialogs.aboutBoxes[0];
    EXPECT_EQ(std::tie(box.caption, box.title, box.ok),
              std::make_tuple("Acerca de", "Kestrion Version 2.1.1108", "Aceptar"));
}

}  // namespace
}  // namespace kestrion
