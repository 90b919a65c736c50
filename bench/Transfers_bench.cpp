// A 64,000-step program written to a simulated PLC of type 2 and read back, in process: the line
// and the waits run on the virtual clock of the fakes, so the time measured is the link's own
// (frames built, sent, replies framed, checked and decoded; the simulated PLC's work included).
// It is set against the wire time of the characters that crossed the line at the rate:
// own_percent is the link's own time as a share of that wire time.
#include <benchmark/benchmark.h>

#include <chrono>

#include "link/line/CommRecord.h"
#include "link/line/Receive.h"
#include "link/transfer/Transfers.h"
#include "model/core/StateRegistry.h"
#include "model/image/ConnectedPlc.h"
#include "model/image/ProgramImage.h"
#include "plcsim/PlcSimulator.h"
#include "support/FakePlatform.h"

namespace {

using namespace kestrion;

constexpr double kBitsPerCharacter = 10;  // start, 7 data, parity, stop

// The simulated PLC at the far end of the fake line, counting what it sends back.
class CountingPlc : public test::FakeSerialDevice {
public:
    explicit CountingPlc(test::FakePlatform& fakes) : plc(2), fakes_(fakes) { fakes_.serial.device = this; }
    ~CountingPlc() override { fakes_.serial.device = nullptr; }
    CountingPlc(const CountingPlc&) = delete;
    CountingPlc& operator=(const CountingPlc&) = delete;

    void received(const std::uint8_t* data, std::size_t size, const platform::SerialFormat& format) override {
        std::uint32_t due = fakes_.clock.tickCount();
        test::FakeSerialPorts* line = &fakes_.serial;
        for (auto& chunk : plc.receive(data, size, format.baudRate)) {
            due += chunk.delayMs;
            sent += chunk.bytes.size();
            fakes_.clock.at(due, [line, bytes = std::move(chunk.bytes)] { line->deliver(bytes); });
        }
    }

    plcsim::PlcSimulator plc;
    std::size_t sent = 0;

private:
    test::FakePlatform& fakes_;
};

void BM_ProgramWriteAndRead64k(benchmark::State& state) {
    const auto rateIndex = static_cast<std::uint32_t>(state.range(0));
    double wireSeconds = 0;
    double ownSeconds = 0;
    for (auto _ : state) {
        state::resetAll();
        test::FakePlatform fakes;
        fakes.clock.bind(platform::TimerId::Timer1, [] { Timer1Timer(); });
        CountingPlc far(fakes);
        far.plc.setBaudRate(baudRateOfIndex(rateIndex));
        baudIndex = rateIndex;
        pmw.setPlcType(2);
        pmw.setMemSizeCode(64);
        for (std::size_t i = 0; i < kProgramWordCount; ++i)
            pmw.program[i] = static_cast<std::uint16_t>(0x2400 + (i & 0xFF));
        connectedPlcType = 2;
        _OpenComPort(sysProtocol);

        const auto start = std::chrono::steady_clock::now();
        rs.TxNo = static_cast<std::uint32_t>(kParameterBlockSize + 2 * kProgramWordCount);
        writeProgram(2 * kProgramWordCount);
        rs.RxNo = rs.TxNo;
        rs.RxData.assign(rs.RxNo, 0);
        const std::uint32_t received = receiveProgram(2 * kProgramWordCount);
        const std::chrono::duration<double> own = std::chrono::steady_clock::now() - start;
        closeComPort();
        const std::uint32_t lastStep = plcsim::kProgramStart + 2 * (kProgramWordCount - 1);
        if (received != 2 * kProgramWordCount || !fakes.messages.shown.empty() ||
            far.plc.wordAt(lastStep, plcsim::Space::Program) != pmw.program[kProgramWordCount - 1]) {
            state.SkipWithError("the program did not cross the line whole");
            break;
        }

        const double characters = static_cast<double>(fakes.serial.written.size() + far.sent);
        wireSeconds = characters * kBitsPerCharacter / baudRateOfIndex(rateIndex);
        ownSeconds = own.count();
        state.SetIterationTime(ownSeconds);
    }
    state::resetAll();
    state.counters["wire_s"] = wireSeconds;
    state.counters["own_percent"] = 100 * ownSeconds / wireSeconds;
}
BENCHMARK(BM_ProgramWriteAndRead64k)->Arg(0)->Arg(4)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
