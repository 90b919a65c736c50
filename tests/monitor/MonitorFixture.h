// The base of the monitor's tests: the simulated PLC on the fake line, the monitor's fake dialogs,
// Timer3 bound to the poll, and the device monitor panel driven as a user drives it.
#pragma once

#include <string>
#include <vector>

#include "link/LinkFixture.h"
#include "model/image/ConnectedPlc.h"
#include "model/image/ProgramImage.h"
#include "monitor/DevicePanel.h"
#include "monitor/FakeMonitorDialogs.h"
#include "monitor/LadderMonitor.h"
#include "monitor/MonitorPoll.h"
#include "support/ShownBoxes.h"
#include "support/SimulatedPlc.h"

namespace kestrion::test {

using Texts = std::vector<std::string>;

class MonitorTest : public LinkTest {
protected:
    MonitorTest() {
        fakes.clock.bind(platform::TimerId::Timer3, [] { Timer3Timer(); });
        useType(1);
    }
    void useType(int type) {
        sim.plc.setPlcType(type);
        pmw.setPlcType(static_cast<std::uint16_t>(type));
    }
    // The panel opened, the runs registered through the dialog; the port is closed afterwards.
    void registerRuns(std::initializer_list<RegisterEntry> runs) {
        if (!monitorState.panelVisible) EnterDeviceMonitor1Click();
        dialogs.registerEntries.insert(dialogs.registerEntries.end(), runs.begin(), runs.end());
        btnRegisterDevicesClick();
    }
    // Registered and started: the first poll cycle is due.
    void monitorDevices(std::initializer_list<RegisterEntry> runs) {
        registerRuns(runs);
        btnStartMonitor1Click();
        ASSERT_TRUE(timer3Running()) << (shownBoxes(fakes.messages).empty() ? ""
                                                                            : shownBoxes(fakes.messages)[0]);
    }
    // Runs the poll for whole cycles (a word tick and a bit tick each, 100 ms apart), ending after
    // a bit phase.
    void cycles(int n) {
        fakes.clock.advance(static_cast<std::uint32_t>(200 * n));
        for (int wait = 0; wait < 100 && monitorState.pollPhase != 0 && timer3Running(); ++wait)
            fakes.clock.advance(10);
    }
    static Texts captions(const MonitorRows& rows) {
        Texts out;
        for (const MonitorRow& row : rows) out.push_back(row.caption);
        return out;
    }
    // Caption and sub-items of each row, joined with '|'.
    static Texts rowTexts(const MonitorRows& rows) {
        Texts out;
        for (const MonitorRow& row : rows) {
            std::string text = row.caption;
            for (const std::string& sub : row.subItems) text += "|" + sub;
            out.push_back(text);
        }
        return out;
    }
    Boxes boxes() const { return shownBoxes(fakes.messages); }
    std::uint32_t dataAddress(std::uint32_t n) const { return sim.plc.dataRegisterBase() + 2 * n; }
    plcsim::Space space() const {
        return sim.plc.plcType() == 2 ? plcsim::Space::Extended : plcsim::Space::Plain;
    }

    SimulatedPlc sim{fakes, 1};
    FakeMonitorDialogs dialogs;
    InstalledDialogs<MonitorDialogs> dialogsInstalled{dialogs};
};

}  // namespace kestrion::test
