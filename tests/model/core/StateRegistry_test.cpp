#include "model/core/StateRegistry.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "lang/Language.h"
#include "link/line/CommRecord.h"
#include "model/ModelState.h"
#include "model/image/MonitorLists.h"
#include "model/ladder/EditMarks.h"
#include "model/ladder/LadderObject.h"
#include "monitor/MonitorMode.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

class StateRegistryTest : public test::CoreTest {};

TEST_F(StateRegistryTest, HigherFloorsResetFirstAndAFolderJoinsOnce) {
    const std::vector<std::string_view> expected = {"app",   "devviews", "diagnostics", "monitor",
                                                    "link",  "compiler", "reader",      "editor",
                                                    "entry", "lang",     "model"};
    EXPECT_EQ(state::registeredFolders(), expected);
    EXPECT_THROW(state::registerReset("model", [] {}), std::logic_error);
    EXPECT_THROW(state::registerReset("gadgets", [] {}), std::logic_error);  // no floor of the tree
    EXPECT_EQ(state::registeredFolders(), expected);
}

}  // namespace
}  // namespace kestrion
