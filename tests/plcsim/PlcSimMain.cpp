// plcsim: the simulated PLC on a pseudo-terminal. It owns the master side, prints the path of the
// slave side on one line and answers what arrives there until it is killed or its parent ends.
// Lines on its standard input change it meanwhile ("bit 0400 1", "word 1000 04D2").
//   plcsim [--type N] [--baud RATE] [--fault silence|nak|checkcode|split|short|delay|silentrate]
//          [--error REGISTER=CODE[,D8068[,D8069]]]... [--axis N=VALUE]... [--fault-frame K:nak|silence]
//          [--log FILE]
// --fault-frame answers only the K-th frame with a good check code so (ENQ probes not counted);
// --log appends one line per write the PLC takes: its head, address and byte count ("E11 0000 254").
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "plcsim/PlcSimErrors.h"
#include "plcsim/PlcSimulator.h"

namespace {

using kestrion::plcsim::Fault;

bool faultByName(const std::string& name, Fault& fault) {
    static const struct {
        const char* name;
        Fault fault;
    } names[] = {{"none", Fault::None},        {"silence", Fault::Silence},
                 {"nak", Fault::Nak},          {"checkcode", Fault::WrongCheckCode},
                 {"split", Fault::SplitReply}, {"short", Fault::ShortReply},
                 {"delay", Fault::Delay},      {"silentrate", Fault::SilentRate}};
    for (const auto& entry : names) {
        if (name == entry.name) {
            fault = entry.fault;
            return true;
        }
    }
    return false;
}

// The rate the program set on the slave side; the PLC hears garbage at any other.
std::uint32_t lineRate(int slave) {
    termios settings{};
    if (tcgetattr(slave, &settings) != 0) return 0;
    switch (cfgetospeed(&settings)) {
        case B9600: return 9600;
        case B19200: return 19200;
        case B38400: return 38400;
        case B57600: return 57600;
        case B115200: return 115200;
        default: return 0;
    }
}

void writeAll(int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = write(fd, bytes.data() + done, bytes.size() - done);
        if (put <= 0) return;
        done += static_cast<std::size_t>(put);
    }
}

bool frameFaultOption(kestrion::plcsim::PlcSimulator& plc, const std::string& value) {
    const std::size_t colon = value.find(':');
    if (colon == std::string::npos) return false;
    plc.faultFrame = std::strtoul(value.c_str(), nullptr, 10);
    const std::string kind = value.substr(colon + 1);
    plc.frameFault = kind == "nak" ? Fault::Nak : Fault::Silence;
    return plc.faultFrame != 0 && (kind == "nak" || kind == "silence");
}

void logWritesTo(kestrion::plcsim::PlcSimulator& plc, const std::string& path) {
    plc.onWrite = [path](const kestrion::plcsim::MemoryWrite& write) {
        if (std::FILE* log = std::fopen(path.c_str(), "a")) {
            std::fprintf(log, "%s %04X %zu\n", write.head.c_str(), write.address & 0xFFFF,
                         write.bytes.size());
            std::fclose(log);
        }
    };
}

int usage() {
    std::fprintf(
        stderr,
        "usage: plcsim [--type N] [--baud RATE] [--fault "
        "silence|nak|checkcode|split|short|delay|silentrate] [--error REGISTER=CODE[,D8068[,D8069]]] "
        "[--axis N=VALUE] [--fault-frame K:nak|silence] [--log FILE]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    // Ends with the process that started it, even while it sleeps out a delayed answer or waits
    // to write into a full line.
    const pid_t parent = getppid();
    if (prctl(PR_SET_PDEATHSIG, SIGTERM) != 0 || getppid() != parent) return 1;

    kestrion::plcsim::PlcSimulator plc;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc) return usage();
        const std::string value = argv[++i];
        if (option == "--type") {
            plc.setPlcType(std::atoi(value.c_str()));
        } else if (option == "--baud") {
            plc.setBaudRate(static_cast<std::uint32_t>(std::strtoul(value.c_str(), nullptr, 10)));
        } else if (option == "--fault") {
            if (!faultByName(value, plc.fault)) return usage();
        } else if (option == "--axis") {
            // D8140 + n as a 32-bit value: "--axis 0=10000" is axis 1's absolute position.
            const std::size_t equals = value.find('=');
            if (equals == std::string::npos) return usage();
            plc.setAxis(static_cast<std::uint32_t>(std::atoi(value.substr(0, equals).c_str())),
                        static_cast<std::int32_t>(std::atol(value.substr(equals + 1).c_str())));
        } else if (option == "--error") {
            if (!kestrion::plcsim::raiseErrorOption(plc, value)) return usage();
        } else if (option == "--fault-frame") {
            if (!frameFaultOption(plc, value)) return usage();
        } else if (option == "--log") {
            logWritesTo(plc, value);
        } else {
            return usage();
        }
    }

    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        std::perror("plcsim: openpty");
        return 1;
    }
    // The slave stays open here too, so the master keeps working while the program under test
    // closes and reopens the port; raw from the start, so nothing is echoed.
    termios settings{};
    tcgetattr(slave, &settings);
    cfmakeraw(&settings);
    cfsetspeed(&settings, B9600);
    tcsetattr(slave, TCSANOW, &settings);

    std::printf("%s\n", name);
    std::fflush(stdout);

    std::uint8_t buffer[512];
    std::string controlLine;
    bool controlOpen = true;
    while (getppid() == parent) {
        // A closed or finished standard input is left out (poll passes over a negative descriptor).
        pollfd ready[2] = {{master, POLLIN, 0}, {controlOpen ? STDIN_FILENO : -1, POLLIN, 0}};
        if (poll(ready, 2, 100) <= 0) continue;
        if ((ready[1].revents & (POLLNVAL | POLLERR)) != 0) controlOpen = false;
        if ((ready[1].revents & (POLLIN | POLLHUP)) != 0) {
            char c = 0;
            if (read(STDIN_FILENO, &c, 1) != 1) {
                controlOpen = false;
            } else if (c != '\n') {
                controlLine += c;
            } else {
                plc.applyControlLine(controlLine);
                controlLine.clear();
            }
        }
        if ((ready[0].revents & POLLIN) == 0) continue;
        const ssize_t got = read(master, buffer, sizeof buffer);
        if (got <= 0) continue;
        for (const auto& chunk : plc.receive(buffer, static_cast<std::size_t>(got), lineRate(slave))) {
            std::this_thread::sleep_for(std::chrono::milliseconds(chunk.delayMs));
            writeAll(master, chunk.bytes);
        }
    }
    return 0;
}
