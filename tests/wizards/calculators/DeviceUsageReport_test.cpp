#include "wizards/calculators/DeviceUsageReport.h"

#include <gtest/gtest.h>

namespace kestrion {
namespace {

const std::vector<std::string> kSpecialRegisters = {
    "*** Special Register ***",
    "[D8137,D8136]: Axis1 target relative position register",
    "[D8139,D8138]: Axis2 target relative position register",
    "[D8141,D8140]: Axis1 current absolute position register",
    "[D8143,D8142]: Axis2 currentt absolute position register",
    "[D8145,D8144]: Axis1 relative position movement register",
    "[D8147,D8146]: Axis2 relative position movement register",
    "[D8157,D8156]: Axis1 maximum speed register (pps)",
    "[D8159,D8158]: Axis2 maximum speed register (pps)",
    "[D8161,D8160]: Axis1 current speed register (pps)",
    "[D8163,D8162]: Axis2 current speed register (pps)",
    "[D8164]: Axis1 acceleration/deceleration time register",
    "[D8165]: Axis1 deceleration time register (when M8150 ON effective)",
    "[D8166]: Axis2 acceleration/deceleration time register",
    "[D8167]: Axis2 deceleration time register (when M8151 ON effective)",
    "[D8168]: Axis1 bias speed register (pps)",
    "[D8169]: Axis1 search servo Z phase times",
    "[D8170]: Axis2 bias speed register (pps)",
    "[D8171]: Axis2 search servo Z phase times",
};

TEST(DeviceUsageReportTest, TheAutoLinkReportListsItsTwentyLines) {
    const std::vector<std::string> lines = deviceUsageLines({1, 100, 200, 0, 0, ""});
    EXPECT_EQ(lines, std::vector<std::string>({
                         "",
                         "M100 --- M139 be occupied",
                         "M100 Auto link control enable register",
                         "M101 --- M132 receive finish flag",
                         "M133 Broadcast Enable Flag",
                         "M134 Broadcast Busy Flag",
                         "M135 Broadcast Finish Flag",
                         "M136 --- M139 system reserved bit register",
                         "",
                         "D200 --- D299 be occupied",
                         "D200 --- D231 Parameter of auto link control",
                         "D200 Communication Format",
                         "D201 Communication Command",
                         "D203 Communication Timeout Timer",
                         "D218 Amount of total connected stations",
                         "D219 Current station no in connection",
                         "D220 The beginning address of received data",
                         "D222 The beginning address of send data",
                         "D232 --- D263 Read from slaver address",
                         "D264 --- D295 Write to slaver address",
                         "D296 --- D299 system reserved byte register",
                     }));
    EXPECT_EQ(deviceUsageLines({1, 1535, 0, 0, 0, ""})[1], "M1535 --- M1574 be occupied");
}

TEST(DeviceUsageReportTest, TheAxisReportsGiveBothBlocksAndTheSpecialRegisters) {
    const std::vector<std::string> increment = deviceUsageLines({3, 100, 200, 300, 400, ""});
    ASSERT_EQ(increment.size(), 1u + 9 + 1 + 9 + 1 + 19);
    EXPECT_EQ(std::vector<std::string>(increment.begin(), increment.begin() + 11),
              std::vector<std::string>(
                  {"", "*** Axis1 Increment Control ***", "M100 --- M109 be occupied",
                   "M100 Axis1IncrementControlEnableFlag", "M102 Axis1IncrementControlBusyFlag",
                   "M107 Axis1IncrementControlFinishFlag", "", "D200 --- D209 be occupied",
                   "[D201,D200] Axis1 Position register", "[D203,D202] Axis1 Speed register", ""}));
    EXPECT_EQ(increment[11], "*** Axis2 Increment Control ***");
    EXPECT_EQ(increment[18], "[D401,D400] Axis2 Position register");
    EXPECT_EQ(std::vector<std::string>(increment.end() - 19, increment.end()), kSpecialRegisters);
    const std::vector<std::string> absolute = deviceUsageLines({2, 0, 0, 0, 0, ""});
    EXPECT_EQ(absolute[1], "*** Axis1 Absolute Control ***");
    EXPECT_EQ(absolute[2], "M0 --- M9 be occupied");
    EXPECT_EQ(absolute[3], "M0 Axis1AbsoluteControlEnableFlag");
    EXPECT_EQ(absolute[8], "[D1,D0] Axis1 Position register");
    EXPECT_EQ(std::vector<std::string>(absolute.end() - 19, absolute.end()), kSpecialRegisters);
    EXPECT_EQ(deviceUsageLines({0, 1, 2, 3, 4, ""}), std::vector<std::string>{""});
}

}  // namespace
}  // namespace kestrion
