#include "lang/MenuState.h"

#include "model/core/CommandTransaction.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

class MenuStateTest : public test::CoreTest {};

TEST_F(MenuStateTest, AnItemNotSetYetIsEnabledUncheckedAndAsItsTableHasIt) {
    const MenuItemState& item = menuItem("Save1");
    EXPECT_TRUE(item.enabled);
    EXPECT_FALSE(item.checked);
    EXPECT_FALSE(item.visible.has_value());
}

// The device monitor panel's stop and delete buttons and the Stop items start disabled; Start does not.
TEST_F(MenuStateTest, TheMonitorsItemsStartAsTheWindowOpensWithThem) {
    for (const char* off : {"btnStopMonitor1", "btnDeleteTheDevice", "btnDeleteAllDevices",
                            "spbtnStopMonitor1", "msStopMonitor1"})
        EXPECT_FALSE(menuItem(off).enabled) << off;
    for (const char* on : {"btnStartMonitor1", "spbtnStartMonitor1", "msStartMonitor1", "btnRegisterDevices"})
        EXPECT_TRUE(menuItem(on).enabled) << on;
}

TEST_F(MenuStateTest, AResetPutsEveryItemBackToItsStartState) {
    menuItem("msStopMonitor1").enabled = true;
    menuItem("ZoomAuto1").checked = true;
    menuItem("mmWizard").visible = false;
    test::resetAllState();
    EXPECT_FALSE(menuItem("msStopMonitor1").enabled);
    EXPECT_FALSE(menuItem("ZoomAuto1").checked);
    EXPECT_FALSE(menuItem("mmWizard").visible.has_value());
}

TEST_F(MenuStateTest, AFailedCommandLeavesTheItemsAsTheyWere) {
    menuItem("Save1").enabled = false;
    runCommand([] {
        menuItem("Save1").enabled = true;
        menuItem("msStopMonitor1").enabled = true;
        menuItem("FontN81").checked = true;
        return false;
    });
    EXPECT_FALSE(menuItem("Save1").enabled);
    EXPECT_FALSE(menuItem("msStopMonitor1").enabled);
    EXPECT_FALSE(menuItem("FontN81").checked);
    runCommand([] {
        menuItem("FontN81").checked = true;
        return true;
    });
    EXPECT_TRUE(menuItem("FontN81").checked);
}

int startRuns = 0;
void countStart() {
    ++startRuns;
}

TEST_F(MenuStateTest, AStartFunctionRunsWhenRegisteredAndAfterEveryReset) {
    startRuns = 0;
    ASSERT_TRUE(registerMenuStart(countStart));
    EXPECT_EQ(startRuns, 1);
    resetMenuState();
    EXPECT_EQ(startRuns, 2);
    test::resetAllState();
    EXPECT_EQ(startRuns, 3);
}

TEST_F(MenuStateTest, OnlyTheItemsSetAreListed) {
    const std::size_t before = menuItemStates().size();
    menuItem("Copy2").enabled = false;
    EXPECT_EQ(menuItemStates().size(), before + 1);
    EXPECT_FALSE(menuItemStates().at("Copy2").enabled);
}

}  // namespace
}  // namespace kestrion
