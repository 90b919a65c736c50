#include "link/line/RegisterReads.h"

#include "link/LinkFixture.h"
#include "link/line/Connection.h"
#include "support/ShownBoxes.h"
#include "support/SimulatedPlc.h"

namespace kestrion::test {
namespace {

using plcsim::Fault;

class RegisterReadsTest : public LinkTest {
protected:
    RegisterReadsTest() { openAt(0); }
    SimulatedPlc sim{fakes, 1};
};

TEST_F(RegisterReadsTest, RequestsSendTheirFrames) {
    sim.plc.fault = Fault::Silence;
    const std::pair<void (*)(), const char*> cases[] = {
        {[] { readD8004(); }, "0230304530383032033732"},
        {[] { readD8110(); }, "0230304544433032033931"},
        {[] { readPlcSystemBlock(0, 0); }, "0230304530303430033643"},
        {[] { writeD8110(0x1234); }, "023130454443303233343132033543"},
    };
    for (const auto& [call, frame] : cases) {
        call();
        EXPECT_EQ(rsChHex, frame);
    }
    // D8060 to D8069 at 0x0E78 to 0x0E8A.
    void (*const reads[])() = {readD8060, readD8061, readD8062, readD8063, readD8064,
                               readD8065, readD8066, readD8067, readD8068, readD8069};
    sim.plc.frames.clear();
    for (void (*read)() : reads) read();
    EXPECT_EQ(sim.plc.frames,
              (std::vector<std::string>{"00E7802", "00E7A02", "00E7C02", "00E7E02", "00E8002", "00E8202",
                                        "00E8402", "00E8602", "00E8802", "00E8A02"}));
}

TEST_F(RegisterReadsTest, FindEndStepTakesTheAddressOfEachFamily) {
    const std::tuple<int, std::uint32_t, const char*, const char*> cases[] = {
        {1, 35, "EndStepAddr=80A2", "EndStepNo=35"}, {2, 4, "", " "}, {5, 2, "", " "}};
    for (const auto& [type, step, addressPanel, stepPanel] : cases) {
        sim.plc.setPlcType(type);
        sim.plc.setWord(0x805C, 0xFFFF, plcsim::Space::Program);
        sim.plc.setWord(0x805C + 2 * step, 0x000F, plcsim::Space::Program);
        fakes.statusBar.setPanelText(0, "");
        EXPECT_EQ(findEndStep(type), step);
        EXPECT_EQ(fakes.statusBar.panelText(0) + "|" + fakes.statusBar.panelText(13),
                  std::string(addressPanel) + "|" + stepPanel);
    }
    for (Fault fault : {Fault::Silence, Fault::Nak}) {
        sim.plc.fault = fault;
        fakes.statusBar.setPanelText(0, "");
        EXPECT_EQ(findEndStep(1), 0xFFFF);
        EXPECT_EQ(fakes.statusBar.panelText(0), "");
    }
}

TEST_F(RegisterReadsTest, ReadD8058D8059StoresBothWordsAndAFailedReadNothing) {
    sim.plc.setWord(0x0E74, 0x1234);
    sim.plc.setWord(0x0E76, 0x0001);
    EXPECT_EQ(readD8058D8059(), 1);
    EXPECT_EQ(D8Kreg[58] * 0x10000u + D8Kreg[59], 0x12340001u);
    for (Fault fault : {Fault::Silence, Fault::Nak, Fault::WrongCheckCode, Fault::ShortReply}) {
        sim.plc.fault = fault;
        D8Kreg[4] = D8Kreg[58] = 0xABCD;
        EXPECT_EQ(readD8004() + readD8004Msg() + readD8058D8059(), 0);
        EXPECT_EQ(D8Kreg[4] * 0x10000u + D8Kreg[58], 0xABCDABCDu);
    }
    EXPECT_EQ(shownBoxes(fakes.messages).back(), "Error2021071004 | Communication Message | none");
    EXPECT_EQ(shownBoxes(fakes.messages).at(6), "Error2021071002 | Communication Message | none");
}

TEST_F(RegisterReadsTest, ARequestWhileAnotherWaitsIsRefusedAsBusy) {
    sim.plc.fault = Fault::Silence;
    const std::pair<int (*)(), int> cases[] = {
        {[] { return TryToConnection(1); }, 0},
        {[] { return readPlcSystemBlock(1, 1); }, 0},
        {[] { return static_cast<int>(findEndStep(1)); }, 0xFFFF},
    };
    for (const auto& [call, refused] : cases) {
        fakes.messages.shown.clear();
        int result = -1;
        fakes.clock.at(now() + 50, [&, call = call] { result = call(); });
        readD8004();
        EXPECT_EQ(result, refused);
        EXPECT_EQ(std::string(rs.txChars.data()), "0230304530383032033732");  // the waiting one's frame
        EXPECT_EQ(shownBoxes(fakes.messages),
                  Boxes{"The PLC link is busy with another request | Communication Message | warning"});
    }
}

}  // namespace
}  // namespace kestrion::test
