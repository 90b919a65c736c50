#include "link/plc/RelayForces.h"

#include "link/LinkFixture.h"
#include "model/image/ProgramImage.h"
#include "support/SimulatedPlc.h"

namespace kestrion::test {
namespace {

class RelayForcesTest : public LinkTest {
protected:
    RelayForcesTest() { openAt(0); }
    // The frame as sent, without its two check characters; the PLC took its check code.
    std::string sentFrame() const {
        EXPECT_EQ(sim.plc.frames.size(), 1u);
        return rsChHex.substr(0, rsChHex.size() - 4);
    }
    SimulatedPlc sim{fakes, 1};
};

TEST_F(RelayForcesTest, EachOperationSendsItsFrameForTheThreeRelayBlocks) {
    // The blocks 0x0F00, 0x0E00 and 0x6000.
    const std::tuple<LinkOutcome (*)(int), const char*, const char*, const char*> cases[] = {
        {forceOnM8015, "02373046304603", "0245373046304503", "0245373046363003"},
        {forceOffM8015, "02383046304603", "0245383046304503", "0245383046363003"},
        {forceOnM8018, "02373132304603", "0245373132304503", "0245373132363003"},
        {forceOffM8018, "02383132304603", "0245383132304503", "0245383132363003"},
        {forceOnM8025, "02373139304603", "0245373139304503", "0245373139363003"},
        {forceOnM8027, "02373142304603", "0245373142304503", "0245373142363003"},
        {forceOnM8035, "02373233304603", "0245373233304503", "0245373233363003"},
        {forceOnM8036, "02373234304603", "0245373234304503", "0245373234363003"},
        {forceOnM8037, "02373235304603", "0245373235304503", "0245373235363003"},
        {forceOffM8037, "02383235304603", "0245383235304503", "0245383235363003"},
    };
    // Every type code but 2, 5 and 7 takes the plain commands and the block of type 1.
    for (const auto& [operation, plain, block0E, block60] : cases) {
        for (const auto& [types, frame] : {std::pair{std::vector{1, 4, 6, 3, 0}, plain},
                                           {std::vector{5, 7}, block0E},
                                           {std::vector{2}, block60}}) {
            for (int type : types) {
                sim.plc.frames.clear();
                operation(type);
                EXPECT_EQ(sentFrame(), frame) << type;
            }
        }
    }
}

TEST_F(RelayForcesTest, ADataFrameDoesNotAnswerAForce) {
    sim.plc.fault = plcsim::Fault::Silence;
    const std::string dataFrame{'\x02', '0', '0', '\x03', '6', '3'};
    arriveAt(now() + 5, dataFrame);
    EXPECT_EQ(forceOnM8035(1), LinkOutcome::TimeOut);
    EXPECT_TRUE(bit(kRsWaiting));
}

TEST_F(RelayForcesTest, TheWritePrefixFollowsTheProjectsType) {
    for (const auto& [types, prefix] :
         {std::pair{std::vector{2, 5, 7}, "02453130"}, {std::vector{1, 4, 6, 3}, "0231"}})
        for (int type : types) {
            pmw.setPlcType(static_cast<std::uint16_t>(type));
            makeWritePrefix();
            EXPECT_EQ(rsChHex, prefix) << type;
        }
}

}  // namespace
}  // namespace kestrion::test
