// The simulated PLC as the program plcsim on the far side of a pseudo-terminal, and the base of
// the tests that talk to it through the real termios port on a real-time clock.
#pragma once

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "link/LinkFixture.h"
#include "platform/PosixSerial.h"

namespace kestrion::test {

class PlcSimProcess {
public:
    explicit PlcSimProcess(std::vector<std::string> arguments) {
        int out[2];
        int in[2];
        if (pipe(out) != 0 || pipe(in) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            dup2(in[0], STDIN_FILENO);
            close(out[0]);
            close(out[1]);
            close(in[0]);
            close(in[1]);
            std::vector<char*> argv{const_cast<char*>(KESTRION_PLCSIM_PROGRAM)};
            for (auto& argument : arguments) argv.push_back(argument.data());
            argv.push_back(nullptr);
            execv(KESTRION_PLCSIM_PROGRAM, argv.data());
            _exit(127);
        }
        close(out[1]);
        close(in[0]);
        control_ = in[1];
        // The device, a blank and the name of the type.
        const std::string line = readLine(out[0]);
        const auto blank = std::find(line.begin(), line.end(), ' ');
        slavePath_.assign(line.begin(), blank);
        if (blank != line.end()) typeName_.assign(blank + 1, line.end());
        close(out[0]);
    }
    ~PlcSimProcess() {
        end();
        if (control_ >= 0) close(control_);
    }
    // A line for the simulated PLC to carry out ("bit 0400 1", "word 1000 04D2").
    void command(const std::string& line) const {
        const std::string text = line + "\n";
        if (control_ >= 0 && write(control_, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
            return;
    }
    // The PLC is gone, as a pulled cable leaves the line.
    void end() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    PlcSimProcess(const PlcSimProcess&) = delete;
    PlcSimProcess& operator=(const PlcSimProcess&) = delete;
    const std::string& slavePath() const { return slavePath_; }
    const std::string& typeName() const { return typeName_; }

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
    int control_ = -1;
    std::string slavePath_;
    std::string typeName_;
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

}  // namespace kestrion::test
