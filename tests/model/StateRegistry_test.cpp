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
    // Each folder keeps its state in one struct: one field of each shows that it was reset.
    pmw.setPlcType(7);
    selectLanguageFlags(4);
    rs.timeOut = 100;
    addDeviceMonitorNode();
    monitorMode = kMonitorLadder;
    addGrayMaskRow(64);
    editNew = new stLadderBlock;
    state::resetAll();
    EXPECT_EQ(pmw, PmwImage{});
    EXPECT_TRUE(bEnglish);
    EXPECT_EQ(std::make_tuple(rs.timeOut, deviceMonitorBytes, monitorMode),
              std::make_tuple(5000u, 0u, kMonitorOff));
    EXPECT_EQ(std::make_tuple(deviceMonitorList.head, grayHead, editNew),
              std::make_tuple(nullptr, nullptr, nullptr));
}

TEST_F(StateRegistryTest, HigherFloorsResetFirstAndAFolderJoinsOnce) {
    const std::vector<std::string_view> expected = {"app",   "monitor", "link", "compiler",
                                                    "reader", "entry",  "lang", "model"};
    EXPECT_EQ(state::registeredFolders(), expected);
    EXPECT_THROW(state::registerReset("model", [] {}), std::logic_error);
    EXPECT_EQ(state::registeredFolders(), expected);
}

}  // namespace
}  // namespace kestrion
