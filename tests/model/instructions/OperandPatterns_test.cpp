#include "model/instructions/OperandPatterns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

namespace kestrion {
namespace {

TEST(OperandPatternsTest, EveryMnemonicHasOneRowAndIsFoundByItsWholeName) {
    std::map<std::string, int> rows;
    for (const OperandPattern& pattern : operandPatterns()) {
        for (std::string_view rest = pattern.instructions; !rest.empty();) {
            const std::size_t blank = std::min(rest.find(' '), rest.size());
            ++rows[std::string(rest.substr(0, blank))];
            rest.remove_prefix(std::min(blank + 1, rest.size()));
        }
    }
    for (const auto& [name, count] : rows) {
        EXPECT_EQ(count, 1) << name;
        EXPECT_TRUE(findOperandPattern(name)->names(name)) << name;
    }
    for (const char* unknown : {"", "MO", "MOVX", "NOP", "ANB"})
        EXPECT_EQ(findOperandPattern(unknown), nullptr);
    EXPECT_EQ(findOperandPattern("WXOR"), findOperandPattern("ADD"));
}

}  // namespace
}  // namespace kestrion
