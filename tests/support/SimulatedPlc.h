// The simulated PLC at the far end of the fake serial line, answering on the virtual clock.
#pragma once

#include "plcsim/PlcSimulator.h"
#include "support/FakePlatform.h"

namespace kestrion::test {

class SimulatedPlc : public FakeSerialDevice {
public:
    // Attaches itself to the fake line for its lifetime.
    explicit SimulatedPlc(FakePlatform& fakes, int plcType = 1) : plc(plcType), fakes_(fakes) {
        fakes_.serial.device = this;
    }
    ~SimulatedPlc() override {
        if (fakes_.serial.device == this) fakes_.serial.device = nullptr;
    }
    SimulatedPlc(const SimulatedPlc&) = delete;
    SimulatedPlc& operator=(const SimulatedPlc&) = delete;

    void received(const std::uint8_t* data, std::size_t size, const platform::SerialFormat& format) override {
        std::uint32_t due = fakes_.clock.tickCount();
        FakeSerialPorts* line = &fakes_.serial;
        for (auto& chunk : plc.receive(data, size, format.baudRate)) {
            due += chunk.delayMs;
            fakes_.clock.at(due, [line, bytes = std::move(chunk.bytes)] { line->deliver(bytes); });
        }
    }

    plcsim::PlcSimulator plc;

private:
    FakePlatform& fakes_;
};

}  // namespace kestrion::test
