#include "monitor/access/AnyAddressDialog.h"
#include "support/PlcSimLine.h"

namespace kestrion::test {
namespace {

TEST_F(SerialLineTest, AnyAddressIsWrittenReadBackAndWatchedWhileItChanges) {
    PlcSimProcess plc({"--type", "5"});
    attachTo(plc, 0);
    AnyAddressDialog dialog;
    dialog.FormShow();
    dialog.dataEdit = "H1234";
    dialog.btnWriteClick();
    dialog.byteNoEdit = "K2";
    dialog.dataTypeText = "Hexiadecimal";
    dialog.dataLengthText = "16";
    dialog.btnReadClick();
    ASSERT_EQ(dialog.rows.size(), 1u);
    EXPECT_EQ(dialog.rows[0].value, "1234");

    // The PLC's second D8013 runs on: the loop, one read right after the other, sees it change
    // within about a second.
    dialog.addressEdit = "H0E1A";
    dialog.btnReadClick();
    std::vector<std::string> seen;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    dialog.changed = [&] {
        if (!dialog.monitoring) return;
        seen.push_back(dialog.rows.at(0).value);
        if (seen.front() != seen.back() || std::chrono::steady_clock::now() > giveUp)
            dialog.btnStopMonitorClick();
    };
    dialog.btnStartMonitorClick();
    ASSERT_GE(seen.size(), 2u);
    EXPECT_NE(seen.front(), seen.back());
    EXPECT_TRUE(fakes.messages.shown.empty());
}

}  // namespace
}  // namespace kestrion::test
