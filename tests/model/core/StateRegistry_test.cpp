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
    // The link's sub-floors keep states of their own, the highest reset first.
    const std::vector<std::string_view> expected = {
        "app",       "devviews", "diagnostics", "monitor", "link/terminals", "link/transfer", "link/plc",
        "link/line", "compiler", "reader",      "editor",  "entry",          "lang",          "model"};
    EXPECT_EQ(state::registeredFolders(), expected);
    EXPECT_THROW(state::registerReset("model", [] {}), std::logic_error);
    EXPECT_THROW(state::registerReset("link/plc", [] {}), std::logic_error);
    EXPECT_THROW(state::registerReset("gadgets", [] {}), std::logic_error);  // no floor of the tree
    EXPECT_THROW(state::registerReset("gadgets/line", [] {}), std::logic_error);
    EXPECT_THROW(state::registerReset("link/gadgets", [] {}), std::logic_error);  // no sub-floor of link
    EXPECT_THROW(state::registerReset("entry/core", [] {}), std::logic_error);    // entry has none
    EXPECT_THROW(state::registerReset("link/", [] {}), std::logic_error);
    EXPECT_THROW(state::registerReset("platform", nullptr), std::logic_error);
    EXPECT_EQ(state::registeredFolders(), expected);
}

}  // namespace
}  // namespace kestrion
