// The simulated PLC at the far end of the fake serial line, answering on the virtual clock.
#pragma once

#include "plcsim/PlcSimulator.h"
#include "support/FakePlatform.h"

namespace kestrion::test {

class SimulatedPlc : public FakeSerialDevice {
public:
    // Attaches itself to the fake line for its lifetime.
    explicit SimulatedPlc(FakePlatform& fakes, int plcType = 1);
    ~SimulatedPlc() override;
    SimulatedPlc(const SimulatedPlc&) = delete;
    SimulatedPlc& operator=(const SimulatedPlc&) = delete;

    void received(const std::uint8_t* data, std::size_t size, const platform::SerialFormat& format) override;

    plcsim::PlcSimulator plc;

private:
    FakePlatform& fakes_;
};

}  // namespace kestrion::test
