#include "monitor/DeviceUsage.h"

#include "model/LadderTestSupport.h"
#include "monitor/FakeMonitorDialogs.h"
#include "monitor/MonitorDialogs.h"
#include "support/ShownBoxes.h"

namespace kestrion::test {
namespace {

class DeviceUsageTest : public LadderTest {
protected:
    static void add(std::uint16_t code, const char* mnemonic, std::vector<const char*> operands) {
        setText(addBeforeEnd(80, 0, code)->mnemonic, mnemonic);
        for (std::size_t i = 0; i < operands.size(); ++i) setText(ldrNew->operands[i], operands[i]);
    }
    FakeMonitorDialogs dialogs;
    InstalledDialogs<MonitorDialogs> installed{dialogs};
};

TEST_F(DeviceUsageTest, EveryNamedDeviceIsMarkedInItsRowAndColumn) {
    initLadderList(1040, 64);
    add(0x2000, "LD", {"X17"});
    add(0xC000, "OUT", {"M8999"});
    add(0x0100, "MOV", {"K4Y0", "D8000", "K100", "D10Z"});
    add(0xB000, "P259", {});
    add(0xC000, "OUT", {"T0", "K10"});
    add(11, "X", {"S999"});  // codes without devices to count
    add(0xF7FF, "RET", {"C5"});
    msDeviceUsedList1Click();
    EXPECT_EQ(dialogs.shownLists, std::vector<std::string>{"Use device X list"});
    // Each cell as its row heading, column heading and contents.
    const std::tuple<char, std::size_t, std::size_t, const char*> marked[] = {
        {'X', 2, 8, "X10+7=*"},        {'M', 900, 10, "M8990+9=Used"}, {'Y', 1, 1, "Y0+0=*"},
        {'D', 801, 1, "D8000+0=Used"}, {'D', 2, 1, "D10+0=Used"},      {'P', 26, 10, "P250+9=*"},
        {'T', 1, 1, "T0+0=Used"},      {'X', 1, 1, "X0+0= "},          {'S', 100, 10, "S990+9= "},
        {'C', 1, 6, "C0+5= "},         {'Y', 16, 8, "Y170+7= "}};
    for (const auto& [letter, r, u, shown] : marked) {
        const DeviceListGrid grid = deviceListGrid(letter);
        EXPECT_EQ(grid[r][0] + grid[0][u] + "=" + grid[r][u], shown);
    }
    EXPECT_TRUE(shownBoxes(fakes.messages).empty());
}

TEST_F(DeviceUsageTest, TheGridsHaveTheirHeadingsAndSizes) {
    const std::tuple<char, std::size_t, std::size_t, const char*> shapes[] = {
        {'X', 17, 9, "X170"}, {'M', 901, 11, "M8990"}, {'S', 101, 11, "S990"}, {'P', 27, 11, "P250"}};
    for (const auto& [letter, rows, columns, last] : shapes) {
        const DeviceListGrid grid = deviceListGrid(letter);
        EXPECT_EQ(
            std::tuple(grid.size(), grid[0].size(), grid.back()[0], grid[0][0], grid[0].back()),
            std::tuple(rows, columns, std::string(last), std::string(), "+" + std::to_string(columns - 2)));
    }
    EXPECT_EQ(deviceListGrid('X')[9][0], "X100");  // the octal tens jump from 70 to 100
    msDeviceUsedList1Click();                      // no program: no list
    EXPECT_TRUE(dialogs.shownLists.empty());
}

TEST_F(DeviceUsageTest, ANumberBeyondItsTableGetsItsBoxAndNoMark) {
    initLadderList(1040, 64);
    add(0x2000, "LD", {"M9000", "X200", "T260", "S1000", "X18"});
    msDeviceUsedList1Click();
    EXPECT_EQ(shownBoxes(fakes.messages),
              (Boxes{"Device M9000 is beyond the device usage list | Use device X list | warning",
                     "Device X200 is beyond the device usage list | Use device X list | warning",
                     "Device T260 is beyond the device usage list | Use device X list | warning",
                     "Device S1000 is beyond the device usage list | Use device X list | warning"}));
    for (const auto& table : deviceUsageTables)
        EXPECT_EQ(std::count(table.entries.begin(), table.entries.end(), ' '),
                  std::ptrdiff_t(table.capacity()));
}

}  // namespace
}  // namespace kestrion::test
