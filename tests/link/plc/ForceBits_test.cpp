#include "link/plc/ForceBits.h"

#include <algorithm>

#include "editor/EditorViewState.h"
#include "link/LinkFixture.h"
#include "link/line/Connection.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "monitor/ForceOpener.h"
#include "monitor/MonitorMode.h"
#include "support/ShownBoxes.h"
#include "support/SimulatedPlc.h"

namespace kestrion::test {
namespace {

class ForceBitsTest : public LinkTest {
protected:
    ForceBitsTest() { pmw.setPlcType(2); }
    SimulatedPlc sim{fakes, 2};
    ForceOnOffDialog dialog;
};

TEST_F(ForceBitsTest, EachDeviceHasTheAddressOfItsPlcType) {
    // -1: refused with a message (the edit keeps the letter); -2: not on this type, no message.
    const std::tuple<const char*, int, int, const char*> cases[] = {
        {"Y17", 1, 0x050F, ""},
        {"Y17", 5, 0x0C0F, ""},
        {"Y17", 2, 0x5E0F, ""},  // type 2 has its outputs at 5E00h
        {"Y177", 2, 0x5E7F, ""},
        {"Y100", 1, 0x0540, ""},
        {"Y177", 7, 0x0C7F, ""},
        {"Y18", 1, -1, "Error2015091202...Not a correct value"},
        {"Y178", 2, -1, "Error2015091202...Not a correct value"},
        {"M7679", 1, 0x25FF, ""},
        {"M7679", 5, 0x1DFF, ""},
        {"M7679", 7, 0x1DFF, ""},
        {"M7679", 2, 0x5DFF, ""},
        {"M7680", 2, -1, "Error2015091203...Not a correct value"},
        {"M8512", 2, -1, "Error2015091203...Not a correct value"},
        {"M8000", 5, 0x0E00, ""},
        {"M8000", 2, 0x6000, ""},
        {"M8000", 1, -2, ""},
        {"M8256", 5, -2, ""},
        {"M8511", 2, 0x61FF, ""},
        {"S999", 1, 999, ""},
        {"S999", 5, 0x17E7, ""},
        {"S1000", 2, 0x6AE8, ""},
        {"S1000", 5, -2, ""},
        {"S4095", 2, 0x76FF, ""},
        {"S4096", 2, -1, "Error2015091204...Not a correct value"},
    };
    for (const auto& [device, type, address, box] : cases) {
        pmw.setPlcType(static_cast<std::uint16_t>(type));
        fakes.messages.shown.clear();
        ForceOnOffDialog d;
        d.ForceOnOffEditChange(device);
        EXPECT_EQ(d.executeEnabled, address >= 0) << device << " " << type;
        if (address >= 0) {
            EXPECT_EQ(d.forceAddress, static_cast<std::uint32_t>(address)) << device;
        }
        EXPECT_EQ(d.editText, address == -1 ? std::string(1, device[0]) : std::string(device));
        EXPECT_EQ(shownBoxes(fakes.messages),
                  *box ? Boxes{std::string(box) + " | Error Message | warning"} : Boxes{});
    }
}

TEST_F(ForceBitsTest, TheEditRefusesOtherTexts) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"m", "M", ""},
        {"M12345", "M12345", "Error2018050901 | Command Error! | warning"},
        {"X10", "", ""},
        {"M1A", "", "Error2015091201...Device no must be 0~9 | Error Message | warning"},
    };
    for (const auto& [typed, left, box] : cases) {
        fakes.messages.shown.clear();
        dialog.ForceOnOffEditChange(typed);
        EXPECT_FALSE(dialog.executeEnabled) << typed;
        EXPECT_EQ(dialog.editText, left);
        EXPECT_EQ(shownBoxes(fakes.messages), *box ? Boxes{box} : Boxes{});
    }
    dialog.btnExecuteForceOnOffClick();
    EXPECT_EQ(shownBoxes(fakes.messages).back(), "Error2015030203 | Device Error | error");
}

TEST_F(ForceBitsTest, ExecuteForcesTheBitAndListsIt) {
    monitorMode = kMonitorOff;
    setText(clickedOperandText, "M0");
    linkDialogs.forceScript = [](ForceOnOffDialog& d) {
        d.ForceOnOffRadioGroupClick(1);
        d.btnExecuteForceOnOffClick();
        d.ForceOnOffRadioGroupClick(0);
        d.btnExecuteForceOnOffClick();
        EXPECT_EQ(d.memo, (std::vector<std::string>{"M0 ON", "M0 OFF"}));
        EXPECT_EQ(rsChHex.substr(0, 14), "02453830303430");
    };
    ForceBitOnOff1Click();
    EXPECT_FALSE(sim.plc.relayOn(0x4000));
    EXPECT_EQ(std::count(sim.plc.frames.begin(), sim.plc.frames.end(), "E70040"), 1);
    EXPECT_EQ(sim.plc.frames.back(), "E80040");
    EXPECT_EQ(linkDialogs.captions.back(), "Force Bit On/Off");
    EXPECT_EQ(comPortHandle, -1);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(ForceBitsTest, AFailedExecuteListsNothingAndOnlyATypeMismatchGivesThePortUp) {
    dialog.ForceOnOffEditChange("Y0");
    // A NAK fails like a time-out; both leave the port to the dialog's opener.
    const std::tuple<int, plcsim::Fault, const char*, std::size_t, bool> cases[] = {
        {2, plcsim::Fault::Nak, "Error2015030511 | Communication Message | warning", 5, true},
        {2, plcsim::Fault::Silence, "Error2015030511 | Communication Message | warning", 5, true},
        {5, plcsim::Fault::None, "Device type Error... | Error2015030207 | warning", 4, false},
    };
    for (const auto& [project, fault, box, frames, portKept] : cases) {
        pmw.setPlcType(static_cast<std::uint16_t>(project));
        ASSERT_EQ(TryToConnection(1), 1);
        sim.plc.frames.clear();
        sim.plc.faultFrame = 5;  // after the four special-register reads
        sim.plc.frameFault = fault;
        fakes.messages.shown.clear();
        dialog.btnExecuteForceOnOffClick();
        EXPECT_EQ(shownBoxes(fakes.messages), Boxes{box});
        EXPECT_EQ(sim.plc.frames.size(), frames);
        EXPECT_EQ(fakes.serial.isOpen(), portKept);
        EXPECT_TRUE(dialog.memo.empty());
    }
}

}  // namespace
}  // namespace kestrion::test
