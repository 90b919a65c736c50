#include "app/SearchCommands.h"

#include <set>

#include "app/AppMenu.h"
#include "app/MainView.h"
#include "editor/FindTestSupport.h"
#include "model/ladder/DrawGeometry.h"

namespace kestrion::test {
namespace {

class SearchCommandsTest : public FindTest {};

const MenuRow* rowOf(const std::vector<MenuRow>& rows, std::string_view name) {
    for (const MenuRow& row : rows)
        if (name == row.objectName) return &row;
    return nullptr;
}

// The keys: F3 and Shift+F3 stay the falling-edge contacts of the function keys.
TEST_F(SearchCommandsTest, TheEditMenuHoldsTheItemsWithTheirKeys) {
    const std::vector<MenuRow> rows = mainMenuRows();
    const std::pair<const char*, const char*> items[] = {
        {"Find1", "Ctrl+F"}, {"FindNext1", "Ctrl+F3"}, {"FindPrevious1", "Ctrl+Shift+F3"},
        {"Replace1", ""},    {"GoToStep1", "Ctrl+G"},
    };
    for (const auto& [name, keys] : items) {
        const MenuRow* row = rowOf(rows, name);
        ASSERT_NE(row, nullptr) << name;
        EXPECT_EQ(std::string(row->parent), "EditMenu");
        EXPECT_EQ(std::string(row->options.shortcut), keys);
    }
    std::set<std::string> taken;
    for (const MenuRow& row : rows) {
        if (*row.options.shortcut != '\0') {
            EXPECT_TRUE(taken.insert(row.options.shortcut).second) << row.options.shortcut << " twice";
        }
    }
    for (const char* key : {"F2", "F3", "Shift+F3", "F5", "F6", "F7", "F8"})
        EXPECT_EQ(taken.count(key), 0u) << key;
    EXPECT_EQ(std::string(rowOf(rows, "ZoomAuto1")->parent), "Zoom1");
    EXPECT_TRUE(rowOf(rows, "ZoomAuto1")->options.checkable);
    EXPECT_EQ(std::string(rowOf(rows, "Time1")->parent), "HelpMenu");
    EXPECT_EQ(std::string(rowOf(rows, "Disk1")->parent), "HelpMenu");
    EXPECT_EQ(std::string(rowOf(rows, "MathTest1")->parent), "xTHIS");
}

TEST_F(SearchCommandsTest, TheItemsWorkOnAnOpenProgram) {
    setMenuClosed();
    for (const char* item : {"Find1", "FindNext1", "FindPrevious1", "GoToStep1", "Replace1"})
        EXPECT_FALSE(menuItem(item).enabled) << item;
    setMenuOpened();
    setMenuProgramOpen();
    for (const char* item : {"Find1", "FindNext1", "FindPrevious1", "GoToStep1", "Replace1"})
        EXPECT_TRUE(menuItem(item).enabled) << item;
}

// A place found while the instruction view shows brings the ladder forward; nothing found leaves it.
TEST_F(SearchCommandsTest, AFindFromAnotherViewShowsTheLadder) {
    InstructionView1Click();
    editorDialogs.answer = {1, 14};
    GoToStep1Click();
    EXPECT_FALSE(appState.instructionViewVisible);
    EXPECT_TRUE(menuItem("LadderView1").checked);
    EXPECT_EQ(framed(), "14 LD X010");
    InstructionView1Click();
    editorDialogs.findHand = [](FindDialog& dialog) {
        dialog.text = "C7";
        dialog.action = FindAction::FindNext;
    };
    Find1Click();
    EXPECT_TRUE(appState.instructionViewVisible);
    editorDialogs.findHand = [](FindDialog& dialog) {
        dialog.text = "Y1";
        dialog.action = FindAction::FindNext;
    };
    Find1Click();
    EXPECT_FALSE(appState.instructionViewVisible);
    EXPECT_EQ(framed(), "15 OUT Y001");
    FindPrevious1Click();
    FindNext1Click();
    EXPECT_EQ(framed(), "15 OUT Y001");
    editorDialogs.replaceHand = [](ReplaceDialog& dialog) {
        dialog.to = "Y2";
        return dialog.btnOkClick();
    };
    Replace1Click();
    EXPECT_EQ(editorDialogs.shownReplace.from, "Y1");
    EXPECT_EQ(framed(), "15 OUT Y002");
}

// The ladder from its left edge to the right bus and half a cell: 14 cells of 80 pixels and 40,
// 1160 pixels at 100 %.
TEST_F(SearchCommandsTest, AutoZoomFitsTheLadderToTheViewWidth) {
    ASSERT_EQ(draw.iBusLineEnd, 1120u);
    const std::pair<int, std::uint32_t> cases[] = {
        {1160, 100}, {580, 50},    {2320, 200}, {1740, 150}, {1159, 99},
        {100, 25},   {10000, 300}, {0, 100},    {-5, 100},
    };
    for (const auto& [width, percent] : cases) EXPECT_EQ(autoZoomPercent(width), percent) << width;
}

TEST_F(SearchCommandsTest, AutoIsOneOfTheZoomItemsAndFollowsTheViewWhileChecked) {
    ladderViewWidthChanged(870);
    EXPECT_EQ(zoomPercent, 100u);  // not chosen: the width changes nothing
    ZoomAuto1Click();
    EXPECT_EQ(zoomPercent, 75u);
    EXPECT_TRUE(menuItem("ZoomAuto1").checked);
    for (const char* item : {"Np501", "Np751", "Np1001", "Np1251", "Np1501"})
        EXPECT_FALSE(menuItem(item).checked);
    ladderViewWidthChanged(1450);
    EXPECT_EQ(zoomPercent, 125u);
    Np501Click();
    EXPECT_EQ(zoomPercent, 50u);
    EXPECT_FALSE(menuItem("ZoomAuto1").checked);
    EXPECT_TRUE(menuItem("Np501").checked);
    ladderViewWidthChanged(2320);
    EXPECT_EQ(zoomPercent, 50u);
    // A wider ladder (16 device columns) gets a smaller zoom at the same width.
    ZoomAuto1Click();
    EXPECT_EQ(zoomPercent, 200u);
    deviceColumns = 16;
    setupDrawGeometry();
    ladderViewWidthChanged(2320);
    EXPECT_EQ(zoomPercent, 175u);  // 2320 x 100 / 1320
    mainViewStartUp();
    EXPECT_FALSE(menuItem("ZoomAuto1").checked);
    EXPECT_TRUE(menuItem("Np1001").checked);
}

// The start ticks the height item of the cell height it finds, and the width item of 64 pixels
// whatever the width: 68, 64 and 60 have their items, any other height ticks 56.
TEST_F(SearchCommandsTest, TheStartTicksTheItemOfTheCellHeight) {
    const std::pair<std::uint32_t, const char*> cases[] = {
        {64, "Y641"}, {68, "Y681"}, {60, "Y601"}, {56, "Y561"}, {72, "Y561"}};
    for (const auto& [height, item] : cases) {
        ModeData.ySizeSymble = height;
        mainViewStartUp();
        for (const char* other : {"Y561", "Y601", "Y641", "Y681", "Y721"})
            EXPECT_EQ(menuItem(other).checked, std::string(other) == item) << height << " " << other;
        for (const char* width : {"X561", "X601", "X641", "X681"})
            EXPECT_EQ(menuItem(width).checked, std::string(width) == "X641") << height << " " << width;
    }
}

// Auto takes the tick from whichever zoom item had it.
TEST_F(SearchCommandsTest, AutoTakesTheTickFromEveryZoomItem) {
    const std::pair<void (*)(), const char*> items[] = {{Np501Click, "Np501"},
                                                        {Np751Click, "Np751"},
                                                        {Np1001Click, "Np1001"},
                                                        {Np1251Click, "Np1251"},
                                                        {Np1501Click, "Np1501"}};
    for (const auto& [click, name] : items) {
        click();
        ASSERT_TRUE(menuItem(name).checked) << name;
        ZoomAuto1Click();
        EXPECT_TRUE(menuItem("ZoomAuto1").checked);
        for (const auto& [other, otherName] : items)
            EXPECT_FALSE(menuItem(otherName).checked) << "after " << name;
    }
}

}  // namespace
}  // namespace kestrion::test
