#include "model/ladder/NewObjectInit.h"

#include <gtest/gtest.h>

#include <cstring>

#include "model/ladder/LadderObject.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

using NewObjectInitTest = test::CoreTest;

// Every field but the links, as bytes.
unsigned char* fieldBytes(stLadderBlock& object) {
    return reinterpret_cast<unsigned char*>(&object) + kLadderObjectFieldsBegin;
}
constexpr std::size_t kFieldBytes = offsetof(stLadderBlock, heldBySnapshots) + 1 - kLadderObjectFieldsBegin;

TEST_F(NewObjectInitTest, TextsAndMonitorFieldsAreClearedAndEverythingElseIsLeft) {
    stLadderBlock object, expected;
    for (stLadderBlock* filled : {&object, &expected}) std::memset(fieldBytes(*filled), 0x5A, kFieldBytes);
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
    EXPECT_EQ(std::memcmp(fieldBytes(object), fieldBytes(expected), kFieldBytes), 0);
}

}  // namespace
}  // namespace kestrion
