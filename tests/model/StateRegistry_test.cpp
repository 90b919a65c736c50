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

TEST_F(StateRegistryTest, HigherFloorsResetFirstAndAFolderJoinsOnce) {
    const std::vector<std::string_view> expected = {"app",    "diagnostics", "monitor", "link", "compiler",
                                                    "reader", "editor",      "entry",   "lang", "model"};
    EXPECT_EQ(state::registeredFolders(), expected);
    EXPECT_THROW(state::registerReset("model", [] {}), std::logic_error);
    EXPECT_EQ(state::registeredFolders(), expected);
}

}  // namespace
}  // namespace kestrion
