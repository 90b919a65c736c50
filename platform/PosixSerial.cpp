#include "platform/PosixSerial.h"

#include <fcntl.h>
#include <grp.h>
#include <linux/major.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace kestrion::platform {

namespace {

bool speedOf(std::uint32_t baudRate, speed_t& speed) {
    switch (baudRate) {
        case 9600: speed = B9600; return true;
        case 19200: speed = B19200; return true;
        case 38400: speed = B38400; return true;
        case 57600: speed = B57600; return true;
        case 115200: speed = B115200; return true;
        default: return false;
    }
}

SerialOpenStatus statusFromErrno(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
        case ENXIO:
        case ENODEV: return SerialOpenStatus::NotFound;
        case EACCES:
        case EPERM: return SerialOpenStatus::AccessDenied;
        case EBUSY: return SerialOpenStatus::Busy;
        default: return SerialOpenStatus::Failed;
    }
}

// A pseudo-terminal has no line: its driver holds eight data bits without parity whatever it is
// asked, and a request that then changes nothing at all is refused with EINVAL.
bool isPseudoTerminal(int fd) {
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISCHR(info.st_mode)) return false;
    const unsigned deviceMajor = major(info.st_rdev);
    return deviceMajor >= UNIX98_PTY_SLAVE_MAJOR &&
           deviceMajor < UNIX98_PTY_SLAVE_MAJOR + UNIX98_PTY_MAJOR_COUNT;
}

// A driver leaves out what its hardware cannot do and still reports success, so what the port
// holds afterwards decides.
bool holdsRateAndFraming(const termios& held, const termios& asked) {
#ifdef CMSPAR
    constexpr tcflag_t framing = CSIZE | PARENB | PARODD | CSTOPB | CMSPAR;
#else
    constexpr tcflag_t framing = CSIZE | PARENB | PARODD | CSTOPB;
#endif
    return (held.c_cflag & framing) == (asked.c_cflag & framing) &&
           cfgetospeed(&held) == cfgetospeed(&asked) && cfgetispeed(&held) == cfgetispeed(&asked);
}

// The errors of a device that has gone: an unplugged adapter's line is hung up, and every read,
// write and query of it fails from then on.
bool isGoneError(int error) {
    return error == EIO || error == ENODEV || error == ENXIO;
}

class PosixSerialPort : public SerialPort {
public:
    explicit PosixSerialPort(int fd) : fd_(fd), pseudoTerminal_(isPseudoTerminal(fd)) {}
    ~PosixSerialPort() override {
        ioctl(fd_, TIOCNXCL);
        ::close(fd_);
    }
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    int handle() const override { return fd_; }

    bool configure(const SerialFormat& format) override {
        termios settings{};
        if (tcgetattr(fd_, &settings) != 0 || !applySerialFormat(settings, format)) return false;
        // A pseudo-terminal has no parity bit to hold always 1 or 0: refused, not run as another.
        if (pseudoTerminal_ && (format.parity == Parity::Mark || format.parity == Parity::Space))
            return false;
        // Asked for what it holds, a pseudo-terminal reopened at the rate it kept is not refused.
        if (pseudoTerminal_)
            settings.c_cflag = (settings.c_cflag & ~static_cast<tcflag_t>(CSIZE | PARENB)) | CS8;
        termios held{};
        return tcsetattr(fd_, TCSANOW, &settings) == 0 && tcgetattr(fd_, &held) == 0 &&
               holdsRateAndFraming(held, settings);
    }

    // Line errors are ignored by the settings (IGNPAR, no INPCK); there is no error state to clear.
    void clearErrors() override {}

    std::size_t queuedBytes() override {
        int count = 0;
        if (ioctl(fd_, FIONREAD, &count) != 0) {
            noteError();
            return 0;
        }
        return count > 0 ? static_cast<std::size_t>(count) : 0;
    }

    void purgeReceive() override { tcflush(fd_, TCIFLUSH); }

    std::size_t read(std::uint8_t* buffer, std::size_t size) override {
        if (size == 0) return 0;
        const ssize_t got = ::read(fd_, buffer, size);
        if (got < 0) noteError();
        return got > 0 ? static_cast<std::size_t>(got) : 0;
    }

    std::size_t write(const std::uint8_t* data, std::size_t size) override {
        std::size_t done = 0;
        int stalls = 0;
        // The port is non-blocking: a full output queue is waited out briefly, never forever.
        while (done < size && stalls < 1000) {
            const ssize_t put = ::write(fd_, data + done, size - done);
            if (put > 0) {
                done += static_cast<std::size_t>(put);
                stalls = 0;
            } else if (put < 0 && errno != EAGAIN && errno != EINTR) {
                noteError();
                break;
            } else {
                ++stalls;
                usleep(1000);
            }
        }
        return done;
    }

    bool lost() const override {
        if (lost_) return true;
        // A hung-up line reports it at once, before any read or write has failed.
        pollfd line{fd_, POLLIN, 0};
        return poll(&line, 1, 0) == 1 && (line.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
    }

private:
    void noteError() {
        if (isGoneError(errno)) lost_ = true;
    }

    int fd_;
    bool pseudoTerminal_;
    bool lost_ = false;
};

}  // namespace

bool applySerialFormat(termios& settings, const SerialFormat& format) {
    speed_t speed{};
    if (!speedOf(format.baudRate, speed)) return false;
    if (format.dataBits != 7 && format.dataBits != 8) return false;
    if (format.stopBits != 1 && format.stopBits != 2) return false;
    // The device keeps whatever an earlier program left in its settings; raw mode does not clear
    // everything that would change the bytes, so the rest is cleared here.
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
#ifdef CMSPAR
    // With PARENB it would make mark or space parity of even and odd.
    settings.c_cflag &= ~static_cast<tcflag_t>(CMSPAR);
#endif
    settings.c_cflag |= format.dataBits == 7 ? CS7 : CS8;
    if (format.parity != Parity::None) settings.c_cflag |= PARENB;
    // Mark is the odd flag under CMSPAR, space the even one.
    if (format.parity == Parity::Odd || format.parity == Parity::Mark) settings.c_cflag |= PARODD;
    if (format.parity == Parity::Mark || format.parity == Parity::Space) {
#ifdef CMSPAR
        settings.c_cflag |= CMSPAR;
#else
        return false;
#endif
    }
    if (format.stopBits == 2) settings.c_cflag |= CSTOPB;
    // No software flow control either way: 0x11 and 0x13 are data, and the driver must never
    // send them to the PLC on its own.
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK);
#ifdef IUCLC
    // It would turn the hex digits 'A'..'F' of a reply into lower case.
    settings.c_iflag &= ~static_cast<tcflag_t>(IUCLC);
#endif
    // Receive errors are ignored: parity is not checked and a byte with a framing error is dropped,
    // so a damaged reply shows up as a wrong check code or a short frame.
    settings.c_iflag |= IGNPAR | IGNBRK;
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    return cfsetspeed(&settings, speed) == 0;
}

ComPortInfo PosixSerialPorts::comPort(int comNumber, const std::vector<SerialDevice>& found) const {
    const std::string variable = "KESTRION_COM" + std::to_string(comNumber);
    return resolveComPort(comNumber, std::getenv(variable.c_str()), found, root_);
}

std::string PosixSerialPorts::deviceName(int comNumber) const {
    return comPort(comNumber, scanSerialDevices(root_)).device;
}

std::vector<ComPortInfo> PosixSerialPorts::comPorts() const {
    const std::vector<SerialDevice> found = scanSerialDevices(root_);
    std::vector<ComPortInfo> ports;
    for (int n = 1; n <= kComPortCount; ++n) ports.push_back(comPort(n, found));
    return ports;
}

// The devices are looked for at every open: an adapter plugged in since the last one is found, and
// one plugged in again keeps its number.
SerialOpenResult PosixSerialPorts::open(int comNumber) {
    return openDevice(deviceName(comNumber));
}

SerialOpenResult PosixSerialPorts::openDevice(const std::string& path) {
    SerialOpenResult result;
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result.status = statusFromErrno(errno);
        // Who may open it: the group the device belongs to (dialout on most systems, not all).
        struct stat info {};
        if (result.status == SerialOpenStatus::AccessDenied && stat(path.c_str(), &info) == 0) {
            if (const group* owner = getgrgid(info.st_gid); owner != nullptr && owner->gr_name != nullptr)
                result.deviceGroup = owner->gr_name;
        }
        return result;
    }
    // Exclusive: a second open of the device, by us or another program, fails with EBUSY.
    const bool terminal = isatty(fd) == 1;
    if (!terminal || ioctl(fd, TIOCEXCL) != 0) {
        const int error = errno;
        ::close(fd);
        result.status = terminal ? statusFromErrno(error) : SerialOpenStatus::NotFound;
        return result;
    }
    result.status = SerialOpenStatus::Ok;
    result.port = std::make_unique<PosixSerialPort>(fd);
    return result;
}

}  // namespace kestrion::platform
