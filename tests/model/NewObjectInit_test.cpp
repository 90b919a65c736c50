#include "model/NewObjectInit.h"

#include <gtest/gtest.h>

#include <cstring>

#include "model/LadderObject.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

using NewObjectInitTest = test::CoreTest;

TEST_F(NewObjectInitTest, TextsAndMonitorFieldsAreClearedAndEverythingElseIsLeft) {
    stLadderBlock object;
    std::memset(static_cast<void*>(&object), 0x5A, offsetof(stLadderBlock, next));
    ldrNew = &object;
    initNewObjectText();
    initNewObjectFields();
    EXPECT_EQ(object.mnemonic, decltype(object.mnemonic){});
    EXPECT_EQ(object.operands, decltype(object.operands){});
    EXPECT_EQ(object.operand6, decltype(object.operand6){});
    EXPECT_EQ(object.ItemNo, decltype(object.ItemNo){});
    EXPECT_EQ(object.monValue, decltype(object.monValue){});
    EXPECT_EQ(object.unsettled276, 0);
    EXPECT_EQ(object.xAddr, 0x5A5A5A5Au);
    EXPECT_EQ(object.iCode, 0x5A5A);
    EXPECT_EQ(object.objLbc, 0x5A5A5A5Au);
    EXPECT_EQ(object.objNo, 0x5A5A5A5Au);
    EXPECT_EQ(object.traceLabel[0], 0x5A);
    EXPECT_EQ(object.ID[0], 0x5A);
    EXPECT_EQ(object.unsettled272[0], 0x5A);
    ldrNew = nullptr;
}

TEST_F(NewObjectInitTest, WithoutAnObjectTheProgramStopsWithItsOwnMessage) {
    ldrNew = nullptr;
    EXPECT_EXIT(initNewObjectText(), testing::ExitedWithCode(1), "");
    EXPECT_EXIT(initNewObjectFields(), testing::ExitedWithCode(1), "");
}

}  // namespace
}  // namespace kestrion
