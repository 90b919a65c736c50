#include "support/SimulatedPlc.h"

namespace kestrion::test {

SimulatedPlc::SimulatedPlc(FakePlatform& fakes, int plcType) : plc(plcType), fakes_(fakes) {
    fakes_.serial.device = this;
}

SimulatedPlc::~SimulatedPlc() {
    if (fakes_.serial.device == this) fakes_.serial.device = nullptr;
}

void SimulatedPlc::received(const std::uint8_t* data, std::size_t size, const platform::SerialFormat& format) {
    std::uint32_t due = fakes_.clock.tickCount();
    FakeSerialPorts* line = &fakes_.serial;
    for (auto& chunk : plc.receive(data, size, format.baudRate)) {
        due += chunk.delayMs;
        fakes_.clock.at(due, [line, bytes = std::move(chunk.bytes)] { line->deliver(bytes); });
    }
}

}  // namespace kestrion::test
