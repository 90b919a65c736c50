#include "model/InstructionCodes.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestrion {
namespace {

struct PredicateCase {
    const char* name;
    bool (*predicate)(std::int32_t);
    std::vector<std::int32_t> trueFor;
    std::vector<std::int32_t> falseFor;
};

// The members of each family and the codes just outside it.
// clang-format off
const std::vector<PredicateCase> kPredicateCases = {
    {"isOutputTypeCode", isOutputTypeCode,
     {0xC000, 0xD000, 0xE000, 0x600, 0x700, 0xE00, 0x20A, 2, 3, 12, 13, 15, 0xF7FF, 16, 17, 1021, 1022, 0x1C1, 0x1C8,
      0x1C9, 0x1FE, 0x3C1, 0x3C8, 0x3C9, 0x3D0, 0x3FE, 0x1010, 0x11CF, 0x11FE, 0x13FF},
     {0, 1, 14, 1023, 0x1C2, 0x1C5, 0x1C7, 0x1CA, 0x1D0, 0x1E0, 0x1F0, 0x1FD, 0x3C2, 0x3C7, 0x3CA, 0x3CF, 0x100F,
      0x11D0, 0x11E5, 0x11FD, 0x1400, 0x1000, 0x2000, 0xB000, 0xC001, 0xF000, 0xFFF8, 0xFFFF}},
    {"isUnconditionalInstrCode", isUnconditionalInstrCode,
     {11, 15, 20, 22, 24, 26, 28, 32, 34, 0xF7FF},
     {0, 10, 12, 14, 16, 21, 30, 33, 35, 36, 0xF000, 0xF7FE, 0xFFFF}},
    {"isStlPageCode", isStlPageCode,
     {0xF000, 0xF001, 0xF7FE, 0xF800, 0xFFF8, 0xFFFC, 0xFFFF},
     {0xF7FF, 0xEFFF, 0xE000, 0x0F00, 0, 0x1000}},
    {"isRetCode", isRetCode, {0xF7FF}, {0xF7FE, 0xF800, 0xF000, 0x7FF}},
    {"isLoadTypeCode", isLoadTypeCode,
     {0x2000, 0x2FFF, 0x3000, 0x3FFF, 0x1C2, 0x1C3, 0x1CA, 0x1CB, 0x3C2, 0x3C3, 0x3CA, 0x3CB, 0x1D0, 0x1DD, 0x11D0,
      0x11DD},
     {0x1FFF, 0x4000, 0x1C1, 0x1C4, 0x1CC, 0x1CF, 0x1DE, 0x3C4, 0x3CC, 0x11CF, 0x11DE, 0xFFFD}},
    {"isAndTypeCode", isAndTypeCode,
     {0x4000, 0x4FFF, 0x5000, 0x5FFF, 0x1C4, 0x1C5, 0x1CC, 0x1CD, 0x3C4, 0x3C5, 0x3CC, 0x3CD, 0xFFFD, 0x1E0, 0x1ED,
      0x11E0, 0x11ED},
     {0x3FFF, 0x6000, 0x1C3, 0x1C6, 0x1CB, 0x1CE, 0x1DF, 0x1EE, 0x11DF, 0x11EE, 0xFFFC, 0xFFFE}},
    {"isOrTypeCode", isOrTypeCode,
     {0x6000, 0x6FFF, 0x7000, 0x7FFF, 0x1C6, 0x1C7, 0x1CE, 0x1CF, 0x3C6, 0x3C7, 0x3CE, 0x3CF, 0x1F0, 0x1FD, 0x11F0,
      0x11FD},
     {0x5FFF, 0x8000, 0x1C5, 0x1CD, 0x1EF, 0x1FE, 0x3C5, 0x3D0, 0x11EF, 0x11FE, 0xFFF9}},
    {"isAnbCode", isAnbCode, {0xFFF8}, {0xFFF7, 0xFFF9, 0xFFFF}},
    {"isOrbCode", isOrbCode, {0xFFF9}, {0xFFF8, 0xFFFA}},
    {"isMppCode", isMppCode, {0xFFFC}, {0xFFFA, 0xFFFB, 0xFFFD}},
    {"isNopCode", isNopCode, {0xFFFF}, {0xFFFE, 0x1000, 0}},
};
// clang-format on

TEST(InstructionCodesTest, EachFamilyHoldsItsCodesAndNoNeighbours) {
    for (const PredicateCase& c : kPredicateCases) {
        SCOPED_TRACE(c.name);
        for (std::int32_t code : c.trueFor) EXPECT_TRUE(c.predicate(code)) << std::hex << "0x" << code;
        for (std::int32_t code : c.falseFor) EXPECT_FALSE(c.predicate(code)) << std::hex << "0x" << code;
    }
}

// The drawing and the converters place an object by the first family that claims it, so no code
// may be two kinds of contact, nor a contact and an output.
TEST(InstructionCodesTest, NoCodeIsInTwoContactFamiliesOrAContactAndAnOutput) {
    for (std::int32_t code = 0; code <= 0xFFFF; ++code) {
        const int contactFamilies = isLoadTypeCode(code) + isAndTypeCode(code) + isOrTypeCode(code);
        ASSERT_LE(contactFamilies, 1) << std::hex << "0x" << code;
        ASSERT_FALSE(contactFamilies == 1 && isOutputTypeCode(code)) << std::hex << "0x" << code;
    }
}

TEST(InstructionCodesTest, ToolBarSymbolOfEachCode) {
    // clang-format off
    const struct {
        std::int32_t symbol;
        std::vector<std::int32_t> codes;
    } cases[] = {
        {0, {0, 0x1000, 0xB000, 0xB100, 0xB800, 0xFFFF, 1, 14, 15, 1022, 1023, 0x100F, 0x13FF, 0x1400, 0xF001, 0xF7FF,
             0xFFF8, 0xFFFD, 0x8000}},
        {2, {0x1CA, 0x1CC}},
        {3, {0x1CB, 0x1CD}},
        {5, {0x1C2, 0x1C4, 0x2000, 0x4000}},
        {6, {0x1C3, 0x1C5, 0x3000, 0x5000}},
        {7, {2, 5, 0x600, 0x700, 0xE00, 0xC000}},
        {8, {3, 4, 6, 7, 12, 13, 0x20A, 0xD000, 0xE000, 16, 17, 0x1C8, 0x1D0, 0x1FD, 0x3C2, 0x3CA, 1021, 0x1010,
             0x1200, 0x13FE}},
        {11, {0x1C6, 0x6000}},
        {12, {0x1C7, 0x7000}},
        {13, {0x1CE}},
        {14, {0x1CF}},
        {18, {0xF000}},
    };
    // clang-format on
    for (const auto& c : cases)
        for (std::int32_t code : c.codes)
            EXPECT_EQ(getIconSymbleCode(code), c.symbol) << std::hex << "0x" << code;
}

TEST(InstructionCodesTest, TheLastApplicationCodeIsAnOutputWithoutASymbol) {
    EXPECT_EQ(getIconSymbleCode(0x3FE), 0);
    EXPECT_TRUE(isOutputTypeCode(0x3FE));
}

}  // namespace
}  // namespace kestrion
