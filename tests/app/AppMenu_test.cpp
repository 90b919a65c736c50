#include "app/AppMenu.h"

#include <map>
#include <string>
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

}  // namespace
}  // namespace kestrion::test
