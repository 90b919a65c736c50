#pragma once

#include <string>
#include <vector>

#include "link/line/CommRecord.h"
#include "link/line/Frames.h"
#include "link/line/Receive.h"
#include "support/Fixture.h"

namespace kestrion::test {

inline std::vector<std::uint8_t> bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

class LinkTest : public CoreTest {
protected:
    LinkTest() {
        fakes.clock.bind(platform::TimerId::Timer1, [] { Timer1Timer(); });
    }

    void openAt(std::uint32_t index, std::int32_t protocol = sysProtocol) {
        baudIndex = index;
        setBaudRateString(index);
        commProtocol = protocol;
        ASSERT_EQ(_OpenComPort(protocol), 1);
        ASSERT_NE(comPortHandle, -1);
    }

    void sendFrame(const std::string& text) {
        rsChHex = text;
        AddSumCheckCode(rsChHex.size());
        sendFrameHex(rsChHex.size());
    }

    void sendEnqAlone() {
        rsChHex = "05";
        sendFrameHex(rsChHex.size());
    }

    void arrive(const std::string& bytes) { fakes.serial.deliver(bytesOf(bytes)); }
    void arriveAt(std::uint32_t time, const std::string& bytes) {
        fakes.clock.at(time, [this, bytes] { arrive(bytes); });
    }
    std::string reply() const { return rs.RxBkBuf.data(); }
    bool bit(std::uint8_t mask) const { return (rs.status & mask) != 0; }
    std::uint32_t now() const { return fakes.clock.tickCount(); }
};

}  // namespace kestrion::test
