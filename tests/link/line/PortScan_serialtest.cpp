// The device scan on a real line: the simulated PLC's pseudo-terminal stands in for a USB adapter,
// linked under /dev/serial/by-id of a tree of the test's own, with no KESTRION_COM variable set.
#include <memory>

#include "link/line/Connection.h"
#include "support/PlcSimLine.h"
#include "support/SerialTree.h"

namespace kestrion::test {
namespace {

constexpr const char* kAdapter = "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";

TEST_F(SerialLineTest, AnAdapterIsCom1WithoutSettingsAndIsFoundAgainAfterItWasUnplugged) {
    const SerialTree tree("pty");
    for (const char* port : {"ttyS0", "ttyS1"}) tree.onboard(port, 0);
    auto plc = std::make_unique<PlcSimProcess>(std::vector<std::string>{});
    ASSERT_FALSE(plc->slavePath().empty());
    tree.link(kAdapter, plc->slavePath());
    ports.setRoot(tree.root);
    installServices(clock, ports);
    clock.bind(platform::TimerId::Timer1, [] { Timer1Timer(); });
    comPortIndex = 0;
    setBaudRateString(baudIndex = 0);

    const auto connectionTest = [this] {
        ConnectionTest1Click();
        return langDialogs.appMessages.empty() ? std::string() : langDialogs.appMessages.back().line1;
    };
    EXPECT_EQ(connectionTest(), "Successfully connected with the -9600bps");
    EXPECT_NE(comPortHandle, -1);  // this test keeps the port open

    plc.reset();  // unplugged: the line is hung up and its node goes
    EXPECT_EQ(connectionTest(), "Can't connected with the device");
    EXPECT_EQ(comPortHandle, -1);
    EXPECT_EQ(langDialogs.appMessages.back().line2,
              "Tried COM1: " + tree.root + "/dev/ttyS0 (no device)\nNo serial device found");

    PlcSimProcess again({});  // plugged in again: another node, the same by-id name
    tree.link(kAdapter, again.slavePath());
    EXPECT_EQ(connectionTest(), "Successfully connected with the -9600bps");
    EXPECT_EQ(comPortIndex, 0u);
}

}  // namespace
}  // namespace kestrion::test
