#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "link/line/CommRecord.h"
#include "link/terminals/AnyCommandTerminal.h"

namespace kestrion::test {
namespace {

std::size_t labelCount(std::string_view entry) {
    std::size_t count = 0;
    for (std::size_t at = entry.find(" -*"); at != std::string_view::npos; at = entry.find(" -*", at + 1))
        ++count;
    return count;
}

// Two entries run together (a missing comma between two literals) would make one line with two
// labels, or a heading with a frame behind it.
TEST(AnyCommandExamplesTest, EveryEntryIsOneFrameWithOneLabelOrAHeading) {
    for (std::int32_t protocol : {sysProtocol, cLink, ModbusAsc, ModbusRtu, FreeUser}) {
        for (const std::string& entry : anyCommandExamples(protocol)) {
            SCOPED_TRACE(entry);
            if (entry.starts_with("*"))
                EXPECT_EQ(labelCount(entry), 0u);
            else
                EXPECT_EQ(labelCount(entry), 1u);
        }
    }
}

TEST(AnyCommandExamplesTest, TheComputerLinkListHoldsItsFiftyOneLinesWithTheLongOnesWhole) {
    const auto& examples = anyCommandExamples(cLink);
    EXPECT_EQ(examples.size(), 51u);
    for (const char* whole : {
             "053031464642543230334d3030353031533031303030593030303131 45410D0A "
             "-*ENQ01FFBT203M00501S01000Y00011 -EA Bit Test ",
             "05303146465754323032544E30323530323030434E31303030303430 30440D0A "
             "-*ENQ01FFWT202TN0250200CN1000040 -0D Word Test ",
             "0530314646574D3230334430303034544E3035304D30323337 37450D0A "
             "-*ENQ01FFWM203D0004TN050M0237 -7E Bit Monitor ",
         }) {
        EXPECT_NE(std::find(examples.begin(), examples.end(), whole), examples.end()) << whole;
    }
    EXPECT_EQ(examples.front(), "*Command=BR ");
    EXPECT_EQ(examples.back(), "0530324646504330 42310D0A -*ENQ ");
}

}  // namespace
}  // namespace kestrion::test
