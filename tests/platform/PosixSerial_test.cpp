// The termios settings made from a line format, and the device each COM number stands for.
#include <gtest/gtest.h>

#include "platform/PosixSerial.h"

namespace kestrion::platform {
namespace {

TEST(PosixSerial, FormatsBecomeTheirTermiosFlags) {
    struct Case {
        int dataBits;
        Parity parity;
        tcflag_t size;
        bool parityOn;
        bool odd;
    };
    const Case cases[] = {{7, Parity::Even, CS7, true, false},
                          {8, Parity::Even, CS8, true, false},
                          {8, Parity::None, CS8, false, false},
                          {7, Parity::Odd, CS7, true, true}};
    for (const Case& c : cases) {
        termios settings{};
        settings.c_cflag = PARODD | CSTOPB | CRTSCTS;
        ASSERT_TRUE(applySerialFormat(settings, {9600, c.dataBits, c.parity, 1}));
        EXPECT_EQ(settings.c_cflag & CSIZE, c.size);
        EXPECT_EQ((settings.c_cflag & PARENB) != 0, c.parityOn);
        EXPECT_EQ((settings.c_cflag & PARODD) != 0, c.odd);
        EXPECT_FALSE(settings.c_cflag & CSTOPB);
        EXPECT_FALSE(settings.c_cflag & CRTSCTS);
        EXPECT_FALSE(settings.c_lflag & (ECHO | ICANON));
        EXPECT_EQ(settings.c_cc[VMIN], 0);
        EXPECT_EQ(settings.c_cc[VTIME], 0);
    }
}

TEST(PosixSerial, EveryRateOfTheBaudTableIsOfferedAndNoOther) {
    const std::pair<std::uint32_t, speed_t> rates[] = {
        {9600, B9600}, {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200}};
    for (const auto& [rate, speed] : rates) {
        termios settings{};
        ASSERT_TRUE(applySerialFormat(settings, {rate, 7, Parity::Even, 1}));
        EXPECT_EQ(cfgetospeed(&settings), speed);
        EXPECT_EQ(cfgetispeed(&settings), speed);
    }
    termios settings{};
    EXPECT_FALSE(applySerialFormat(settings, {4800, 7, Parity::Even, 1}));
    EXPECT_FALSE(applySerialFormat(settings, {9600, 6, Parity::Even, 1}));
}

TEST(PosixSerial, ComNumbersResolveToTtySUnlessTheEnvironmentNamesADevice) {
    EXPECT_EQ(resolveComDevice(1, nullptr), "/dev/ttyS0");
    EXPECT_EQ(resolveComDevice(19, nullptr), "/dev/ttyS18");
    EXPECT_EQ(resolveComDevice(1, ""), "/dev/ttyS0");
    EXPECT_EQ(resolveComDevice(1, "/dev/ttyUSB0"), "/dev/ttyUSB0");
}

TEST(PosixSerial, OpeningAMissingDeviceOrAFileThatIsNoTerminalFails) {
    EXPECT_EQ(PosixSerialPorts::openDevice("/dev/kestrion-no-such-port").status, SerialOpenStatus::NotFound);
    EXPECT_EQ(PosixSerialPorts::openDevice("/dev/null").status, SerialOpenStatus::NotFound);
}

}  // namespace
}  // namespace kestrion::platform
