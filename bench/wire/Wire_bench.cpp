// The transfers at the pace of a real line: the plcsim program on a pseudo-terminal, told to take
// and send its characters at the baud rate (10 bits a character), the link on the real termios port
// and a real clock whose message loop sleeps a millisecond a pass, as the program's does. Each
// transfer's time is set against the wire time of the characters that crossed the line both ways:
// ratio 1.0 is a link that adds nothing of its own. Built as kestrion_wire_bench, apart from the
// quick benchmarks, since it takes the line's real time (about ten minutes, most of it at 9600).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>

#include "link/line/CommRecord.h"
#include "link/line/Receive.h"
#include "link/transfer/Transfers.h"
#include "model/core/StateRegistry.h"
#include "model/image/ConnectedPlc.h"
#include "model/image/DmwImage.h"
#include "model/image/ProgramImage.h"
#include "platform/PosixSerial.h"
#include "plcsim/PlcSimulator.h"
#include "support/FakePlatform.h"
#include "support/PlcSimLine.h"

namespace {

using namespace kestrion;
using Clock = std::chrono::steady_clock;

constexpr double kBitsPerCharacter = 10;  // start, 7 data, parity, stop

// The real port of a COM number, counting every character written to it and read from it.
class CountingPorts : public platform::SerialPorts {
public:
    std::string deviceName(int comNumber) const override { return real_.deviceName(comNumber); }
    platform::SerialOpenResult open(int comNumber) override {
        platform::SerialOpenResult opened = real_.open(comNumber);
        if (opened.port) opened.port = std::make_unique<Port>(std::move(opened.port), characters);
        return opened;
    }
    std::uint64_t characters = 0;

private:
    class Port : public platform::SerialPort {
    public:
        Port(std::unique_ptr<platform::SerialPort> real, std::uint64_t& characters)
            : real_(std::move(real)), characters_(characters) {}
        int handle() const override { return real_->handle(); }
        bool configure(const platform::SerialFormat& format) override { return real_->configure(format); }
        void clearErrors() override { real_->clearErrors(); }
        std::size_t queuedBytes() override { return real_->queuedBytes(); }
        void purgeReceive() override { real_->purgeReceive(); }
        std::size_t read(std::uint8_t* buffer, std::size_t size) override {
            const std::size_t got = real_->read(buffer, size);
            characters_ += got;
            return got;
        }
        std::size_t write(const std::uint8_t* data, std::size_t size) override {
            const std::size_t put = real_->write(data, size);
            characters_ += put;
            return put;
        }
        bool lost() const override { return real_->lost(); }

    private:
        std::unique_ptr<platform::SerialPort> real_;
        std::uint64_t& characters_;
    };
    platform::PosixSerialPorts real_;
};

// A PLC of the type on the line at the rate, the link's port open on it.
class Line {
public:
    Line(int plcType, std::uint32_t rateIndex)
        : plc_({"--type", std::to_string(plcType), "--baud", std::to_string(baudRateOfIndex(rateIndex)),
                "--wire-rate"}),
          rate_(baudRateOfIndex(rateIndex)) {
        state::resetAll();
        setenv("KESTRION_COM1", plc_.slavePath().c_str(), 1);
        platform::install({&fakes_.messages, &fakes_.statusBar, &fakes_.trace, &fakes_.progress,
                           &fakes_.system, &clock_, &clock_, &fakes_.files, &ports_});
        clock_.bind(platform::TimerId::Timer1, [] { Timer1Timer(); });
        comPortIndex = 0;
        baudIndex = rateIndex;
        setBaudRateString(rateIndex);
        pmw.setPlcType(static_cast<std::uint16_t>(plcType));
        connectedPlcType = static_cast<std::uint16_t>(plcType);
        opened_ = !plc_.slavePath().empty() && _OpenComPort(sysProtocol) == 1;
    }
    ~Line() {
        closeComPort();
        unsetenv("KESTRION_COM1");
        platform::uninstall();
        state::resetAll();
    }
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;

    bool opened() const { return opened_; }
    bool quiet() const { return fakes_.messages.shown.empty(); }
    // Runs a transfer: its time, and the wire time of what crossed the line meanwhile.
    template <class Transfer>
    std::pair<double, double> time(Transfer transfer) {
        const std::uint64_t before = ports_.characters;
        const Clock::time_point start = Clock::now();
        transfer();
        const std::chrono::duration<double> took = Clock::now() - start;
        const double wire = static_cast<double>(ports_.characters - before) * kBitsPerCharacter / rate_;
        return {took.count(), wire};
    }

private:
    test::PlcSimProcess plc_;
    double rate_;
    test::FakePlatform fakes_;  // installed first; the clock and the ports are replaced
    test::RealTimeClock clock_;
    CountingPorts ports_;
    bool opened_ = false;
};

void report(benchmark::State& state, const char* what, std::pair<double, double> timed) {
    state.counters[std::string(what) + "_s"] = timed.first;
    state.counters[std::string(what) + "_wire_s"] = timed.second;
    state.counters[std::string(what) + "_ratio"] = timed.first / timed.second;
}

// 64,000 steps written to a W3 (type 2, 254 bytes a frame) and read back.
void BM_Wire_ProgramWriteAndRead64k(benchmark::State& state) {
    const auto rateIndex = static_cast<std::uint32_t>(state.range(0));
    for (auto _ : state) {
        Line line(2, rateIndex);
        if (!line.opened()) {
            state.SkipWithError("plcsim did not start on a pseudo-terminal");
            break;
        }
        pmw.setMemSizeCode(64);
        for (std::size_t i = 0; i + 1 < kProgramWordCount; ++i)
            pmw.program[i] = static_cast<std::uint16_t>(0x2400 + (i & 0xFF));
        pmw.program[kProgramWordCount - 1] = kEndCode;
        constexpr auto kBytes = static_cast<std::uint32_t>(2 * kProgramWordCount);
        const auto written = line.time([] {
            rs.TxNo = static_cast<std::uint32_t>(kParameterBlockSize) + kBytes;
            writeProgram(kBytes);
        });
        std::uint32_t received = 0;
        const auto read = line.time([&received] {
            rs.RxNo = static_cast<std::uint32_t>(kParameterBlockSize) + kBytes;
            rs.RxData.assign(rs.RxNo, 0);
            received = receiveProgram(kBytes);
        });
        if (received != kBytes || !line.quiet()) {
            state.SkipWithError("the program did not cross the line whole");
            break;
        }
        state.SetIterationTime(written.first + read.first);
        report(state, "write", written);
        report(state, "read", read);
    }
}
BENCHMARK(BM_Wire_ProgramWriteAndRead64k)
    ->ArgName("index")
    ->Arg(4)  // 115200
    ->Arg(0)  // 9600
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

// The 8,000 D registers of a q3 (type 5, 64 bytes a frame), the type the program starts with,
// written and read back.
void BM_Wire_RegisterWriteAndRead(benchmark::State& state) {
    const auto rateIndex = static_cast<std::uint32_t>(state.range(0));
    for (auto _ : state) {
        Line line(5, rateIndex);
        if (!line.opened()) {
            state.SkipWithError("plcsim did not start on a pseudo-terminal");
            break;
        }
        for (std::uint32_t k = 0; k < 8000; ++k) setDmwRegister(k, static_cast<std::uint16_t>(7 * k + 1));
        const auto written = line.time([] { writeRegister(); });
        for (std::uint32_t k = 0; k < 8000; ++k) setDmwRegister(k, 0);
        const auto read = line.time([] { readRegister(true); });
        if (dmwRegister(7999) != 7 * 7999 + 1 || !line.quiet()) {
            state.SkipWithError("the registers did not cross the line whole");
            break;
        }
        state.SetIterationTime(written.first + read.first);
        report(state, "write", written);
        report(state, "read", read);
    }
}
BENCHMARK(BM_Wire_RegisterWriteAndRead)
    ->ArgName("index")
    ->Arg(4)
    ->Arg(0)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

}  // namespace
