#include "app/AppMenu.h"

#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "support/Fixture.h"

namespace kestrion::test {
namespace {

TEST(AppMenu, RowsOfOneNameAreOneRowThatKeepsTheFirstPlaceAndTakesALaterCommand) {
    void (*const run)() = [] {};
    const std::vector<MenuRow> rows = {
        {MenuRowKind::Menu, "xRS", "xRS", "", 125, nullptr, {.hidden = true}},
        {MenuRowKind::Item, "Item1", "", "xRS", 10},
        // another table's row of the same menu
        {MenuRowKind::Menu, "xRS", "xRS", "", 140, nullptr, {.hidden = true}},
        {MenuRowKind::Item, "Item1", "", "xRS", 20, run},
        {MenuRowKind::Item, "Item2", "", "xRS", 30, run},
    };
    std::string merged;
    for (const MenuRow& row : mergeRowsOfOneName(rows))
        merged += std::string(row.objectName) + " " + std::to_string(row.position) +
                  (row.command ? " run; " : "; ");
    EXPECT_EQ(merged, "xRS 125; Item1 10 run; Item2 30 run; ");
}

// Each row of a menu has a place of its own: two rows at one position would show in the order their
// tables happen to be joined in.
TEST(AppMenu, NoTwoRowsOfOneMenuShareAPosition) {
    std::map<std::pair<std::string, int>, std::string> taken;
    for (const MenuRow& row : mergeRowsOfOneName(mainMenuRows())) {
        const auto [at, fresh] =
            taken.emplace(std::pair(std::string(row.parent), row.position), row.objectName);
        EXPECT_TRUE(fresh) << row.objectName << " and " << at->second << " both stand at " << row.position
                           << " of " << (*row.parent != '\0' ? row.parent : "the menu bar");
    }
}

const MenuRow* rowNamed(const std::vector<MenuRow>& rows, std::string_view name) {
    for (const MenuRow& row : rows)
        if (name == row.objectName) return &row;
    return nullptr;
}

// The menus and items the design hides stay hidden until something shows them.
TEST(AppMenu, TheHiddenMenusAndItemsOfTheDesignAreHidden) {
    const std::vector<MenuRow> rows = mergeRowsOfOneName(mainMenuRows());
    for (const char* name : {"xRS", "xTHIS", "ParameterTransfer1", "ProtocolSetting1", "DregView1"}) {
        const MenuRow* row = rowNamed(rows, name);
        ASSERT_NE(row, nullptr) << name;
        EXPECT_TRUE(row->options.hidden) << name;
    }
    for (const char* name : {"ProgramTransfer1", "RegisterTransfer1", "RegisterView1"})
        EXPECT_FALSE(rowNamed(rows, name)->options.hidden) << name;
}

// Every size and zoom a view menu offers shows its tick when chosen.
TEST(AppMenu, EverySizeAndZoomItemCanBeTicked) {
    const std::vector<MenuRow> rows = mergeRowsOfOneName(mainMenuRows());
    int items = 0;
    for (const MenuRow& row : rows) {
        const std::string_view parent = row.parent;
        if (parent != "Font1" && parent != "CellWidth1" && parent != "CellHeight1" && parent != "Zoom1")
            continue;
        ++items;
        EXPECT_TRUE(row.options.checkable) << row.objectName;
    }
    EXPECT_EQ(items, 4 + 4 + 5 + 6);  // 8..14 points; 56..68 and 56..72 pixels; 50..150 % and Auto
}

}  // namespace
}  // namespace kestrion::test
