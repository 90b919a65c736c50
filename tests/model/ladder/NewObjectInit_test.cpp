#include "model/ladder/NewObjectInit.h"

#include <gtest/gtest.h>

#include <cstring>

#include "model/ladder/LadderObject.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

using NewObjectInitTest = test::CoreTest;

TEST_F(NewObjectInitTest, TextsAndMonitorFieldsAreClearedAndEverythingElseIsLeft) {
    stLadderBlock object, expected;
    for (stLadderBlock* filled : {&object, &expected})
        std::memset(static_cast<void*>(filled), 0x5A, offsetof(stLadderBlock, next));
    ldrNew = &object;
    initNewObjectText();
    initNewObjectFields();
    ldrNew = nullptr;
    expected.mnemonic = {};
    expected.operands = {};
    expected.operand6 = {};
    expected.ItemNo = {};
    expected.monValue = {};
    expected.monMark = 0;
    expected.monState = 0;
    expected.unsettled276 = 0;
    EXPECT_EQ(std::memcmp(&object, &expected, offsetof(stLadderBlock, next)), 0);
}

}  // namespace
}  // namespace kestrion
