// The termios settings made from a line format, and the device each COM number stands for.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <memory>
#include <thread>

#include "platform/PosixSerial.h"
#include "support/SerialTree.h"

namespace kestrion::platform {
namespace {

TEST(PosixSerial, FormatsBecomeTheirTermiosFlags) {
    // data bits, parity; the size and parity flags set
    const std::tuple<int, Parity, tcflag_t> cases[] = {{7, Parity::Even, CS7 | PARENB},
                                                       {8, Parity::None, CS8},
                                                       {7, Parity::Odd, CS7 | PARENB | PARODD},
                                                       {8, Parity::Mark, CS8 | PARENB | PARODD | CMSPAR},
                                                       {7, Parity::Space, CS7 | PARENB | CMSPAR}};
    for (const auto& [dataBits, parity, flags] : cases) {
        termios settings{};  // what another program may have left on the device
        settings.c_cflag = PARODD | CSTOPB | CRTSCTS | CMSPAR;
        settings.c_iflag = IXON | IXOFF | IXANY | INPCK | IUCLC | ICRNL | ISTRIP;
        settings.c_lflag = ECHO | ICANON | ISIG;
        settings.c_oflag = OPOST | ONLCR;
        ASSERT_TRUE(applySerialFormat(settings, {9600, dataBits, parity, 1}));
        EXPECT_EQ(settings.c_cflag & (CSIZE | PARENB | PARODD | CMSPAR), flags) << dataBits;
        EXPECT_EQ(settings.c_cflag & (CSTOPB | CRTSCTS | CLOCAL | CREAD),
                  static_cast<tcflag_t>(CLOCAL | CREAD));
        EXPECT_FALSE((settings.c_iflag & (IXON | IXOFF | IXANY | INPCK | IUCLC | ICRNL | ISTRIP)) ||
                     (settings.c_lflag & (ECHO | ICANON | ISIG)) || (settings.c_oflag & OPOST));
        EXPECT_EQ(settings.c_cc[VMIN] + settings.c_cc[VTIME], 0);
    }
    const std::pair<std::uint32_t, speed_t> rates[] = {
        {9600, B9600}, {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200}};
    for (const auto& [rate, speed] : rates) {
        termios settings{};
        ASSERT_TRUE(applySerialFormat(settings, {rate, 7, Parity::Even, 1}));
        EXPECT_EQ(std::make_pair(cfgetospeed(&settings), cfgetispeed(&settings)),
                  std::make_pair(speed, speed));
    }
    termios settings{};  // a rate or a size the PLCs do not use is refused
    EXPECT_FALSE(applySerialFormat(settings, {4800, 7, Parity::Even, 1}));
    EXPECT_FALSE(applySerialFormat(settings, {9600, 6, Parity::Even, 1}));
}

constexpr const char* kFtdi = "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
constexpr const char* kProlific = "usb-Prolific_Technology_Inc._USB-Serial_Controller-if00-port0";

// "COMn device by-id-name" for COM1..COM4, the device relative to the tree; "-" when nothing is
// there, "$" when the environment named it.
std::string firstPortsUnder(const std::string& root) {
    std::string shown;
    for (const ComPortInfo& port : PosixSerialPorts(root).comPorts()) {
        if (port.comNumber > 4) break;
        std::string device = port.device;
        if (device.rfind(root + "/", 0) == 0) device.erase(0, root.size() + 1);
        shown += "COM" + std::to_string(port.comNumber) + " " + device + (port.byIdName.empty() ? "" : " ") +
                 port.byIdName + (port.present ? "" : " -") + (port.environmentVariable.empty() ? "" : " $") +
                 "\n";
    }
    return shown;
}

std::string firstPorts(const test::SerialTree& tree) {
    return firstPortsUnder(tree.root);
}

TEST(PosixSerial, ComNumbersGoToAdaptersFirstThenRealUartsThenTtyS) {
    struct Case {
        const char* what;
        std::function<void(const test::SerialTree&)> build;
        const char* com2Variable;
        const char* expected;
    };
    const auto noUarts = [](const test::SerialTree& tree) {
        for (int n = 0; n < 4; ++n) tree.onboard("ttyS" + std::to_string(n), 0);
    };
    const Case cases[] = {
        {"one adapter, four ports without a UART",
         [&](const test::SerialTree& tree) {
             noUarts(tree);
             tree.adapter(kFtdi, "ttyUSB0");
         },
         nullptr,
         "COM1 dev/ttyUSB0 usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0\nCOM2 dev/ttyS1 -\nCOM3 dev/ttyS2 -\n"
         "COM4 dev/ttyS3 -\n"},
        {"two adapters by their by-id names, not their nodes",
         [](const test::SerialTree& tree) {
             tree.adapter(kProlific, "ttyUSB0");
             tree.adapter(kFtdi, "ttyUSB1");
         },
         nullptr,
         "COM1 dev/ttyUSB1 usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0\n"
         "COM2 dev/ttyUSB0 usb-Prolific_Technology_Inc._USB-Serial_Controller-if00-port0\nCOM3 dev/ttyS2 -\n"
         "COM4 dev/ttyS3 -\n"},
        {"the same adapters made in the other order",
         [](const test::SerialTree& tree) {
             tree.adapter(kFtdi, "ttyUSB1");
             tree.adapter(kProlific, "ttyUSB0");
         },
         nullptr,
         "COM1 dev/ttyUSB1 usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0\n"
         "COM2 dev/ttyUSB0 usb-Prolific_Technology_Inc._USB-Serial_Controller-if00-port0\nCOM3 dev/ttyS2 -\n"
         "COM4 dev/ttyS3 -\n"},
        {"no adapter, a UART on ttyS0 only",
         [](const test::SerialTree& tree) {
             tree.onboard("ttyS0", 4);
             tree.onboard("ttyS1", 0);
         },
         nullptr, "COM1 dev/ttyS0\nCOM2 dev/ttyS1 -\nCOM3 dev/ttyS2 -\nCOM4 dev/ttyS3 -\n"},
        {"nodes without a link after the linked ones, by number; UARTs last",
         [](const test::SerialTree& tree) {
             tree.onboard("ttyS0", 4);
             tree.node("ttyUSB10");
             tree.node("ttyUSB2");
             tree.node("ttyACM0");
             tree.adapter(kFtdi, "ttyUSB3");
             tree.link("usb-Gone_Adapter-if00-port0", "../../ttyUSB7");  // being unplugged
         },
         nullptr,
         "COM1 dev/ttyUSB3 usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0\nCOM2 dev/ttyACM0\nCOM3 dev/ttyUSB2\n"
         "COM4 dev/ttyUSB10\n"},
        {"KESTRION_COM2 takes COM2, the others keep their numbers",
         [](const test::SerialTree& tree) {
             tree.adapter(kFtdi, "ttyUSB0");
             tree.adapter(kProlific, "ttyUSB1");
             tree.onboard("ttyS0", 4);
             tree.node("plc-line");
         },
         "dev/plc-line",
         "COM1 dev/ttyUSB0 usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0\nCOM2 dev/plc-line $\n"
         "COM3 dev/ttyS0\nCOM4 dev/ttyS3 -\n"},
        {"a device named by the environment that is not there",
         [](const test::SerialTree& tree) { tree.adapter(kFtdi, "ttyUSB0"); }, "dev/ttyUSB9",
         "COM1 dev/ttyUSB0 usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0\nCOM2 dev/ttyUSB9 - $\n"
         "COM3 dev/ttyS2 -\nCOM4 dev/ttyS3 -\n"},
        {"names of ports that are no devices: a dangling link, plain files, a by-id link to one",
         [](const test::SerialTree& tree) {
             tree.danglingLink("ttyUSB0");
             tree.plainFile("ttyUSB1");
             tree.plainFile("ttyACM0");
             tree.link(kProlific, "../../ttyUSB1");
             tree.onboard("ttyS0", 0);
             tree.onboard("ttyS1", 4);
             tree.plainFile("ttyS2");  // a UART's type file, but no node
             std::filesystem::create_directories(tree.root + "/sys/class/tty/ttyS2");
             std::ofstream(tree.root + "/sys/class/tty/ttyS2/type") << 4 << '\n';
             tree.node("ttyUSB3");
         },
         nullptr, "COM1 dev/ttyUSB3\nCOM2 dev/ttyS1\nCOM3 dev/ttyS2 -\nCOM4 dev/ttyS3 -\n"},
    };
    for (const Case& c : cases) {
        const test::SerialTree tree("scan");
        c.build(tree);
        if (c.com2Variable != nullptr) setenv("KESTRION_COM2", (tree.root + "/" + c.com2Variable).c_str(), 1);
        EXPECT_EQ(firstPorts(tree), c.expected) << c.what;
        unsetenv("KESTRION_COM2");
    }
}

// A type file that is a pipe nobody writes would hold a blocking read for good: the scan reads
// it without waiting and takes the port for one without a UART.
TEST(PosixSerial, ATypeFileThatIsAPipeNeitherHoldsTheScanNorMakesAPort) {
    const test::SerialTree tree("fifo");
    tree.onboardWithPipeType("ttyS0");
    tree.onboard("ttyS1", 4);
    auto done = std::make_shared<std::promise<std::string>>();
    std::future<std::string> shown = done->get_future();
    // Scanned on a thread of its own, so a scan that blocks fails the test instead of hanging it.
    std::thread([root = tree.root, done] { done->set_value(firstPortsUnder(root)); }).detach();
    ASSERT_EQ(shown.wait_for(std::chrono::seconds(5)), std::future_status::ready) << "the scan blocked";
    EXPECT_EQ(shown.get(), "COM1 dev/ttyS1\nCOM2 dev/ttyS1\nCOM3 dev/ttyS2 -\nCOM4 dev/ttyS3 -\n");
}

TEST(PosixSerial, ADeviceTheEnvironmentNamesIsOpenedAsItIsAndMustBeATerminal) {
    const test::SerialTree tree("open");
    tree.adapter(kFtdi, "ttyUSB0");
    PosixSerialPorts ports(tree.root);
    setenv("KESTRION_COM1", "/dev/kestrion-no-such-port", 1);
    EXPECT_EQ(ports.deviceName(1), "/dev/kestrion-no-such-port");
    EXPECT_EQ(ports.open(1).status, SerialOpenStatus::NotFound);
    unsetenv("KESTRION_COM1");
    EXPECT_EQ(ports.deviceName(1), tree.root + "/dev/ttyUSB0");
    EXPECT_EQ(ports.open(1).status, SerialOpenStatus::NotFound);  // the adapter's node is /dev/null
    EXPECT_EQ(PosixSerialPorts::openDevice("/dev/null").status, SerialOpenStatus::NotFound);
}

TEST(PosixSerial, ADeviceTheUserMayNotOpenIsReportedAsAPermissionError) {
    char path[] = "/tmp/kestrion-port-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    ASSERT_EQ(chmod(path, 0), 0);
    // Tried in a child that is an ordinary user, since the superuser opens every file.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
        _exit(PosixSerialPorts::openDevice(path).status == SerialOpenStatus::AccessDenied ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    unlink(path);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 2) GTEST_SKIP() << "no ordinary user to try it as";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

// A pseudo-terminal stands in for the device: the real port's configure() sets its termios.
TEST(PosixSerial, TheRealPortRefusesAFormatItCannotSetAndKeepsItsSettings) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    SerialOpenResult opened = PosixSerialPorts::openDevice(ptsname(master));
    ASSERT_EQ(opened.status, SerialOpenStatus::Ok);
    SerialPort& port = *opened.port;
    ASSERT_TRUE(port.configure({19200, 7, Parity::Even, 1}));
    termios before{};
    ASSERT_EQ(tcgetattr(port.handle(), &before), 0);
    const SerialFormat refused[] = {{12345, 7, Parity::Even, 1},
                                    {9600, 9, Parity::None, 1},
                                    {9600, 8, Parity::None, 3},
                                    // a pseudo-terminal has no parity bit to hold at mark or space
                                    {9600, 8, Parity::Mark, 1},
                                    {9600, 7, Parity::Space, 1}};
    for (const SerialFormat& format : refused) {
        EXPECT_FALSE(port.configure(format))
            << format.baudRate << " " << format.dataBits << " " << format.stopBits;
        termios after{};
        ASSERT_EQ(tcgetattr(port.handle(), &after), 0);
        EXPECT_TRUE(after.c_cflag == before.c_cflag && cfgetospeed(&after) == cfgetospeed(&before));
    }
    EXPECT_TRUE(port.configure({115200, 8, Parity::None, 2}));
    opened.port.reset();
    close(master);
}

}  // namespace
}  // namespace kestrion::platform
