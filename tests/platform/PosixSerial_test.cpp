// The termios settings made from a line format, and the device each COM number stands for.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <cstdlib>

#include "platform/PosixSerial.h"

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

TEST(PosixSerial, ComNumbersResolveToTtySUnlessTheEnvironmentNamesADeviceThatMustBeATerminal) {
    EXPECT_EQ(resolveComDevice(19, nullptr) + resolveComDevice(1, ""), "/dev/ttyS18/dev/ttyS0");
    EXPECT_EQ(resolveComDevice(1, "/dev/ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(PosixSerialPorts::openDevice("/dev/kestrion-no-such-port").status, SerialOpenStatus::NotFound);
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
