#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "link/Connection.h"
#include "link/LinkFixture.h"
#include "link/RegisterReads.h"
#include "link/RemoteControl.h"
#include "link/SpecialRelays.h"
#include "platform/PosixSerial.h"

namespace kestrion::test {
namespace {

class PlcSimProcess {
public:
    explicit PlcSimProcess(std::vector<std::string> arguments) {
        int out[2];
        if (pipe(out) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            close(out[1]);
            std::vector<char*> argv{const_cast<char*>(KESTRION_PLCSIM_PROGRAM)};
            for (auto& argument : arguments) argv.push_back(argument.data());
            argv.push_back(nullptr);
            execv(KESTRION_PLCSIM_PROGRAM, argv.data());
            _exit(127);
        }
        close(out[1]);
        slavePath_ = readLine(out[0]);
        close(out[0]);
    }
    ~PlcSimProcess() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    PlcSimProcess(const PlcSimProcess&) = delete;
    PlcSimProcess& operator=(const PlcSimProcess&) = delete;
    const std::string& slavePath() const { return slavePath_; }

private:
    static std::string readLine(int fd) {
        std::string line;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < deadline) {
            pollfd ready{fd, POLLIN, 0};
            if (poll(&ready, 1, 100) <= 0) continue;
            char c = 0;
            if (read(fd, &c, 1) != 1 || c == '\n') return line;
            line += c;
        }
        return {};
    }
    pid_t pid_ = -1;
    std::string slavePath_;
};

class RealTimeClock : public FakeClockAndTimers {
public:
    void runMessageLoopOnce() override {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const auto elapsed = std::chrono::steady_clock::now() - start_;
        const auto ms = static_cast<std::uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
        if (ms > tickCount()) advance(ms - tickCount());
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

class SerialLineTest : public LinkTest {
protected:
    void connectTo(const PlcSimProcess& plc) {
        attachTo(plc, 0);
        ASSERT_EQ(_OpenComPort(sysProtocol), 1);
        ASSERT_NE(comPortHandle, -1);
    }
    void attachTo(const PlcSimProcess& plc, std::uint32_t index) {
        ASSERT_FALSE(plc.slavePath().empty());
        setenv("KESTRION_COM1", plc.slavePath().c_str(), 1);
        installServices(clock, ports);
        clock.bind(platform::TimerId::Timer1, [] { Timer1Timer(); });
        comPortIndex = 0;
        baudIndex = index;
        setBaudRateString(index);
    }
    ~SerialLineTest() override {
        closeComPort();
        unsetenv("KESTRION_COM1");
        installServices(fakes.clock, fakes.serial);
    }
    void installServices(FakeClockAndTimers& clockAndTimers, platform::SerialPorts& serialPorts) {
        platform::Services services;
        services.messages = &fakes.messages;
        services.statusBar = &fakes.statusBar;
        services.trace = &fakes.trace;
        services.progress = &fakes.progress;
        services.system = &fakes.system;
        services.clock = &clockAndTimers;
        services.timers = &clockAndTimers;
        services.files = &fakes.files;
        services.serial = &serialPorts;
        platform::install(services);
    }
    void readSpecialRegisters() {
        sendFrame("023030453030343003");  // '0' 0E00 64 bytes
        gblDELAY(rs.timeOut);
    }
    RealTimeClock clock;
    platform::PosixSerialPorts ports;
};

TEST_F(SerialLineTest, TheTermiosPortOpensThePseudoTerminalAtTheRateAndExclusively) {
    PlcSimProcess plc({});
    connectTo(plc);
    termios settings{};
    ASSERT_EQ(tcgetattr(comPortHandle, &settings), 0);
    EXPECT_EQ(cfgetospeed(&settings), static_cast<speed_t>(B9600));
    EXPECT_FALSE(settings.c_lflag & ECHO);
    if (geteuid() != 0) {
        EXPECT_EQ(platform::PosixSerialPorts::openDevice(plc.slavePath()).status,
                  platform::SerialOpenStatus::Busy);
    }
}

TEST_F(SerialLineTest, APlcAt9600IsSwitchedToTheChosenRate) {
    const std::tuple<std::uint32_t, std::uint32_t, const char*> cases[] = {{2, 2,
                                                                            "\x02"
                                                                            "A2\x03"
                                                                            "76"},
                                                                           {4, 5,
                                                                            "\x02"
                                                                            "A4\x03"
                                                                            "78"}};
    for (const auto& [chosen, finalIndex, rateFrame] : cases) {
        PlcSimProcess plc({});
        attachTo(plc, chosen);
        fakes.trace.setVisible(platform::Memo::Rx, true);
        EXPECT_EQ(TryToConnection(1), 1);
        EXPECT_EQ(baudIndex, finalIndex);
        const auto& lines = fakes.trace.lines(platform::Memo::Rx);
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.rfind("-->", 0) == 0 && line.substr(line.find(':') + 1) == rateFrame;
        })) << chosen;
        EXPECT_FALSE(bit(kRsWaiting));  // the last probe, at the new rate, was answered
        EXPECT_TRUE(fakes.messages.shown.empty());
        closeComPort();
    }
}

TEST_F(SerialLineTest, StopAndRunSwitchThePlcAndAProgramClearEmptiesItsProgramArea) {
    PlcSimProcess plc({});
    connectTo(plc);
    const auto statusByte = [] {
        readStatusByte(1);
        return expectReplyBytes(1) ? std::string(rs.RxBkBuf.data(), 2) : "none";
    };
    for (bool run : {false, true, false}) {
        EXPECT_TRUE(run ? remoteToRunMode(1) : remoteToStopMode(1));
        EXPECT_EQ(statusByte(), run ? "09" : "00");
    }
    EXPECT_EQ(sendRequest("1805E023412"), LinkOutcome::Done);  // step 1 := 0x1234
    for (const char* clear : {"60", "61"}) {
        makeCommandFrame(clear);
        EXPECT_EQ(sendAckedFrame(rs.timeOut), LinkOutcome::Done) << clear;
    }
    sendRequest("0805C04");
    ASSERT_TRUE(expectReplyBytes(4));
    EXPECT_EQ(std::string(rs.RxBkBuf.data(), 8), "0F00FFFF");  // END alone
}

}  // namespace
}  // namespace kestrion::test
