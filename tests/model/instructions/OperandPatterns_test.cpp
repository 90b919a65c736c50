#include "model/instructions/OperandPatterns.h"

#include <gtest/gtest.h>

namespace kestrion {
namespace {

// What each row checks is shown by the checkers' tests on typed lines; here only the lookup.
TEST(OperandPatternsTest, MnemonicsAreFoundWholeInAnyPlaceOfTheirRow) {
    for (const char* known : {"LDP", "ORF", "MOV", "WXOR", "BKCMP>=", "HOUR", "EBIN"})
        EXPECT_NE(findOperandPattern(known), nullptr) << known;
    for (const char* unknown : {"", "MO", "MOVX", "NOP", "ANB", "DMOV", "BK", "CMP="})
        EXPECT_EQ(findOperandPattern(unknown), nullptr) << unknown;
    EXPECT_EQ(findOperandPattern("WXOR"), findOperandPattern("ADD"));
}

}  // namespace
}  // namespace kestrion
