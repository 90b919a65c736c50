#include "model/OperandPatterns.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace kestrion {
namespace {

TEST(OperandPatternsTest, EveryMnemonicHasOneRow) {
    std::map<std::string, int> rows;
    for (const OperandPattern& pattern : operandPatterns()) {
        std::string_view rest = pattern.instructions;
        while (!rest.empty()) {
            const std::size_t blank = rest.find(' ');
            ++rows[std::string(rest.substr(0, blank))];
            rest = blank == std::string_view::npos ? std::string_view{} : rest.substr(blank + 1);
        }
    }
    for (const auto& [name, count] : rows) {
        EXPECT_EQ(count, 1) << name;
        EXPECT_TRUE(findOperandPattern(name)->names(name)) << name;
    }
}

TEST(OperandPatternsTest, LookupMatchesWholeNamesOnly) {
    EXPECT_EQ(findOperandPattern(""), nullptr);
    EXPECT_EQ(findOperandPattern("MO"), nullptr);
    EXPECT_EQ(findOperandPattern("MOVX"), nullptr);
    EXPECT_EQ(findOperandPattern("NOP"), nullptr);
    ASSERT_NE(findOperandPattern("WXOR"), nullptr);
    EXPECT_EQ(findOperandPattern("WXOR"), findOperandPattern("ADD"));
    EXPECT_NE(findOperandPattern("LD"), findOperandPattern("OR"));
}

}  // namespace
}  // namespace kestrion
