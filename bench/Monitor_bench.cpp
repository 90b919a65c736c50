// The monitor poll against the simulated PLC in process: 64 request entries registered for each
// family, then whole poll cycles (a word read and a bit read). The time a cycle takes here is the
// link's own work: the line and the timer periods pass on the virtual clock, which only counts
// them. Beside it the wire time of the cycle's characters (10 bits a character) at 9600 and at
// 115200 baud, and the share of each the link's work takes (at most 10 %; the shares print with
// SI prefixes: 25u is 0.0025 %).
#include <benchmark/benchmark.h>

#include "link/line/CommRecord.h"
#include "link/line/Receive.h"
#include "link/plc/MonitorFrames.h"
#include "model/core/StateRegistry.h"
#include "model/image/ConnectedPlc.h"
#include "model/image/MonitorLists.h"
#include "model/image/ProgramImage.h"
#include "monitor/AddressLists.h"
#include "monitor/DevicePanel.h"
#include "monitor/MonitorMode.h"
#include "monitor/MonitorPoll.h"
#include "support/SimulatedPlc.h"

namespace {

using namespace kestrion;

class QuietStatusBar : public platform::StatusBar {
public:
    void setPanelText(int, const std::string&) override {}
    std::string panelText(int) const override { return {}; }
};

// 64 entries: 8 registers, 8 timers (16 word entries in all, a plain type's room) and 40 relays.
void registerDevices() {
    auto addNode = [](char letter, std::uint32_t n) {
        addDeviceMonitorNode();
        deviceMonitorNode& node = *deviceMonitorList.newest;
        setNodeName(node, std::string(1, letter) + std::to_string(n));
        node.deviceNo = n;
        setNodeDataType(node, dataTypeOfDevice(letter, n, false));
        setNodeDisplayFormat(node, kFormatDecimal);
    };
    for (std::uint32_t n = 0; n < 8; ++n) addNode('D', n);
    for (std::uint32_t n = 0; n < 8; ++n) addNode('T', n);
    for (std::uint32_t n = 0; n < 40; ++n) addNode('M', n);
    _registerMonitorDevices();
}

void BM_MonitorPollCycle(benchmark::State& state) {
    const int type = static_cast<int>(state.range(0));
    state::resetAll();
    test::FakePlatform fakes;
    QuietStatusBar quiet;
    platform::Services services{&fakes.messages, &quiet,       &fakes.trace, &fakes.progress, &fakes.system,
                                &fakes.clock,    &fakes.clock, &fakes.files, &fakes.serial};
    platform::install(services);
    fakes.clock.bind(platform::TimerId::Timer1, [] { Timer1Timer(); });
    fakes.clock.bind(platform::TimerId::Timer3, [] { Timer3Timer(); });
    test::SimulatedPlc sim{fakes, type};
    sim.plc.replyDelayMs = 0;
    pmw.setPlcType(static_cast<std::uint16_t>(type));
    connectedPlcType = static_cast<std::uint16_t>(type);
    monitorMode = kMonitorEntryDevices;
    registerDevices();
    btnStartMonitor1Click();
    if (!timer3Running() || monitorListEntries(rs.bitTxBuf) + monitorListEntries(rs.byteTxBuf) != 64) {
        state.SkipWithError("the monitor did not start with 64 entries");
        return;
    }
    std::size_t sentBefore = fakes.serial.written.size();
    std::size_t characters = 0;
    for (auto _ : state) {
        sentBefore = fakes.serial.written.size();
        fakes.clock.advance(200);  // one word tick and one bit tick
        characters = fakes.serial.written.size() - sentBefore;
    }
    // The two replies: STX, two characters a byte, ETX and the check code each.
    const bool plain = type == 1 || type == 4 || type == 6;
    std::size_t replyBytes = monitorRead1958Bytes() + monitorRead19A0Bytes();
    if (!plain) replyBytes = 2 * (type == 2 ? monitorReadEBytes() : monitorReadE2Bytes());
    characters += 2 * replyBytes + 2 * 4;
    const double seconds9600 = static_cast<double>(characters) * 10 / 9600;
    const double seconds115200 = static_cast<double>(characters) * 10 / 115200;
    state.counters["chars"] = static_cast<double>(characters);
    state.counters["wire_ms_9600"] = seconds9600 * 1000;
    state.counters["wire_ms_115200"] = seconds115200 * 1000;
    // The time measured over all cycles divided by their wire time: the link's share of the line.
    const auto share = [&state](double wireSeconds) {
        return benchmark::Counter(static_cast<double>(state.iterations()) * wireSeconds,
                                  benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    };
    state.counters["share_9600"] = share(seconds9600);
    state.counters["share_115200"] = share(seconds115200);
    platform::uninstall();
    state::resetAll();
}
BENCHMARK(BM_MonitorPollCycle)->Arg(1)->Arg(5)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace
