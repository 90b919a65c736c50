#include "model/StateRegistry.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "lang/Language.h"
#include "link/CommRecord.h"
#include "model/EditMarks.h"
#include "model/LadderObject.h"
#include "model/ModelState.h"
#include "model/MonitorLists.h"
#include "monitor/MonitorMode.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

class StateRegistryTest : public test::CoreTest {};

TEST_F(StateRegistryTest, OneResetGivesEveryFolderItsStartValuesAndFreesTheLists) {
    pmw.setPlcType(7);
    ModeData.languageNo = 3;
    installDir = "/home/plc";
    zoomPercent = 150;
    connectedPlcType = 2;
    selectLanguageFlags(4);
    rs.timeOut = 100;
    comPortHandle = 5;
    D8Kreg[1] = 1;
    addDeviceMonitorNode();
    monitorMode = kMonitorLadder;
    addGrayMaskRow(64);
    editNew = new stLadderBlock;

    state::resetAll();

    EXPECT_EQ(pmw, PmwImage{});
    EXPECT_EQ(ModeData.languageNo, 0u);
    EXPECT_EQ(installDir, "");
    EXPECT_EQ(zoomPercent, 100u);
    EXPECT_EQ(connectedPlcType, 0xFF);
    EXPECT_TRUE(bEnglish);
    EXPECT_FALSE(bSpanish);
    EXPECT_EQ(rs.timeOut, 5000u);
    EXPECT_EQ(comPortHandle, -1);
    EXPECT_EQ(D8Kreg[1], 24300);
    EXPECT_EQ(deviceMonitorList.head, nullptr);
    EXPECT_EQ(deviceMonitorBytes, 0u);
    EXPECT_EQ(monitorMode, kMonitorOff);
    EXPECT_EQ(grayHead, nullptr);
    EXPECT_EQ(editNew, nullptr);
}

TEST_F(StateRegistryTest, HigherFloorsResetFirstAndAFolderJoinsOnce) {
    const std::vector<std::string_view> expected = {"monitor", "link", "reader", "entry", "lang", "model"};
    EXPECT_EQ(state::registeredFolders(), expected);
    EXPECT_THROW(state::registerReset("tests", [] {}), std::logic_error);
    EXPECT_THROW(state::registerReset("model", [] {}), std::logic_error);
    EXPECT_EQ(state::registeredFolders(), expected);
}

}  // namespace
}  // namespace kestrion
