#include "app/AppMenu.h"

#include <string>

#include "support/Fixture.h"

namespace kestrion::test {
namespace {

TEST(AppMenu, RowsOfOneNameAreOneRowThatKeepsTheFirstPlaceAndTakesALaterCommand) {
    void (*const run)() = [] {};
    const std::vector<MenuRow> rows = {
        {MenuRowKind::Menu, "xRS", "xRS", "", 125, nullptr, true},
        {MenuRowKind::Item, "Item1", "", "xRS", 10},
        {MenuRowKind::Menu, "xRS", "xRS", "", 140, nullptr, true},  // another table's row of the same menu
        {MenuRowKind::Item, "Item1", "", "xRS", 20, run},
        {MenuRowKind::Item, "Item2", "", "xRS", 30, run},
    };
    std::string merged;
    for (const MenuRow& row : mergeRowsOfOneName(rows))
        merged += std::string(row.objectName) + " " + std::to_string(row.position) +
                  (row.command ? " run; " : "; ");
    EXPECT_EQ(merged, "xRS 125; Item1 10 run; Item2 30 run; ");
}

}  // namespace
}  // namespace kestrion::test
