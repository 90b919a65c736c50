// plcsim: the simulated PLC on a pseudo-terminal. It owns the master side, prints the path of the
// slave side and the name of its type on one line ("/dev/pts/4 q3") and answers what arrives there
// until it is killed or the process that started it ends. Lines on its standard input change it
// meanwhile ("bit 0400 1", "word 1000 04D2"). The usage text below says the rest.
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
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

// The names the type dialog gives the PLC types.
const char* typeName(int plcType) {
    switch (plcType) {
        case 1: return "q0";
        case 2: return "W3";
        case 4: return "q4";
        case 5: return "q3";
        case 6: return "q1";
        case 7: return "q2";
        default: return "?";
    }
}

constexpr const char* kUsage =
    "usage: plcsim [--type N] [--baud RATE] [--wire-rate]\n"
    "              [--fault silence|nak|checkcode|split|short|delay|silentrate]\n"
    "              [--error REGISTER=CODE[,D8068[,D8069]]]... [--axis N=VALUE]...\n"
    "              [--fault-frame K:nak|silence] [--log FILE] [--keyword WORD]\n"
    "A simulated PLC on a pseudo-terminal. It prints the terminal's device and the name of its type\n"
    "on one line (\"/dev/pts/4 q3\"); set KESTRION_COM1 to that device. It ends with the process\n"
    "that started it (or when killed).\n"
    "  --type N        1 q0, 4 q4, 6 q1, 7 q2, 5 q3 (the default, the type File > New preselects),\n"
    "                  2 W3; memory size 2K for q0 and q1, 64K for W3, 8K for the others\n"
    "  --baud RATE     the rate it starts at (9600; the program changes it as a PLC's is changed)\n"
    "  --wire-rate     takes and sends characters at the pace of the line's baud rate, 10 bits a\n"
    "                  character, and answers as soon as a request's last character is in\n"
    "  --fault KIND    misbehaves on every frame; --fault-frame K:KIND on the K-th frame with a good\n"
    "                  check code only (ENQ probes not counted)\n"
    "  --error R=C     puts an error code into a special register (8061=6103)\n"
    "  --axis N=V      D8140 + N as a 32-bit value\n"
    "  --log FILE      appends a line per write it takes: head, address, byte count (\"E11 0000 254\")\n"
    "  --keyword WORD  the keyword of its parameter block (up to eight characters; none by default)\n"
    "Lines on its standard input, each ended by a newline, change it while it runs:\n"
    "  bit ADDRESS 0|1          a bit of the monitor's bit space (hex address: \"bit 0400 1\" is X0 on q0)\n"
    "  word ADDRESS VALUE       a word of its memory (hex: \"word 1000 04D2\" is D0 = 1234 on q0)\n"
    "  nak-registration 0|1     answers the monitor's registration frames with NAK\n"
    "  delay MS                 answers every request MS milliseconds after it has come\n";

int usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

using Clock = std::chrono::steady_clock;

Clock::duration characterTime(std::uint32_t rate) {
    return std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(10'000'000'000LL / rate));
}

// The bytes as a line of that rate carries them from now on: each reaches the far end when the
// wire has carried all of it, one character time after the one before it.
void writePaced(int fd, const std::vector<std::uint8_t>& bytes, std::uint32_t rate) {
    const Clock::duration each = characterTime(rate);
    const Clock::time_point start = Clock::now();
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const auto carried = static_cast<std::size_t>((Clock::now() - start) / each);
        const std::size_t upTo = std::min(bytes.size(), carried);
        if (upTo > sent) {
            const ssize_t put = write(fd, bytes.data() + sent, upTo - sent);
            if (put <= 0) return;
            sent += static_cast<std::size_t>(put);
        } else {
            std::this_thread::sleep_until(start + static_cast<Clock::rep>(sent + 1) * each);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    // Ends with the process that started it, even while it sleeps out a delayed answer or waits
    // to write into a full line.
    const pid_t parent = getppid();
    if (prctl(PR_SET_PDEATHSIG, SIGTERM) != 0 || getppid() != parent) return 1;

    kestrion::plcsim::PlcSimulator plc(5);
    bool wireRate = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (option == "--wire-rate") {
            wireRate = true;
            continue;
        }
        if (i + 1 >= argc) return usage();
        const std::string value = argv[++i];
        if (option == "--type") {
            const int type = std::atoi(value.c_str());
            if (std::string(typeName(type)) == "?") return usage();
            plc.setPlcType(type);
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
        } else if (option == "--keyword") {
            if (value.size() > 8) return usage();
            for (std::uint32_t k = 0; k < 8; ++k)
                plc.setByte(kestrion::plcsim::kKeyword + k,
                            k < value.size() ? static_cast<std::uint8_t>(value[k]) : ' ',
                            kestrion::plcsim::Space::Program);
        } else {
            return usage();
        }
    }
    // On the wire the answer's own characters take the time; the PLC adds no delay of its own.
    if (wireRate) plc.replyDelayMs = 0;

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

    std::printf("%s %s\n", name, typeName(plc.plcType()));
    std::fflush(stdout);

    std::uint8_t buffer[512];
    Clock::time_point receivedUntil = Clock::now();
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
        const std::uint32_t rate = lineRate(slave);
        if (wireRate && rate != 0) {
            // The bytes read now have been arriving since the line was last free: the last of them
            // is in only when the wire has carried them all.
            receivedUntil = std::max(receivedUntil, Clock::now()) + got * characterTime(rate);
            std::this_thread::sleep_until(receivedUntil);
        }
        for (const auto& chunk : plc.receive(buffer, static_cast<std::size_t>(got), rate)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(chunk.delayMs));
            if (wireRate && rate != 0)
                writePaced(master, chunk.bytes, rate);
            else
                writeAll(master, chunk.bytes);
        }
    }
    return 0;
}
