#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/AppMenu.h"
#include "diagnostics/DiagnosticsDialogs.h"
#include "diagnostics/DiagnosticsMenu.h"
#include "diagnostics/MachineStatus.h"
#include "lang/Language.h"
#include "link/LinkFixture.h"
#include "link/line/LinkError.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/EditorState.h"
#include "monitor/MonitorMode.h"
#include "plcsim/PlcSimErrors.h"
#include "support/ShownBoxes.h"
#include "support/SimulatedPlc.h"
#include "support/SourceTree.h"

namespace kestrion::test {
namespace {

using plcsim::Fault;
using Lines = std::vector<std::string>;

class FakeDiagnosticsDialogs : public DiagnosticsDialogs {
public:
    void errMsg1(const std::string& caption) override {
        captions.push_back(caption);
        ErrMsg1Dialog dialog;
        dialog.FormShow();
        script(dialog);
    }
    Lines captions;
    std::function<void(ErrMsg1Dialog&)> script;
};

// A PLC that starts to misbehave at its n-th frame (counted from 0; probes are no frames).
class FaultyPlc : public SimulatedPlc {
public:
    using SimulatedPlc::SimulatedPlc;
    void received(const std::uint8_t* data, std::size_t size, const platform::SerialFormat& format) override {
        if (plc.frames.size() >= faultFrom) plc.fault = fault;
        if (plc.baudRate() == silentAt) plc.fault = Fault::Silence;
        SimulatedPlc::received(data, size, format);
    }
    std::size_t faultFrom = SIZE_MAX;
    Fault fault = Fault::None;
    std::uint32_t silentAt = 38400;  // the rate the PLC falls silent at once it has switched to it
};

// A case of diagnostics_cases.txt: its settings, then what the dialog must show.
struct Case {
    std::string title;
    Lines memo, boxes;
    std::vector<std::pair<std::string, std::string>> checks;
};

class DiagnosticsTest : public LinkTest {
protected:
    DiagnosticsTest() { dialog.FormShow(); }
    void apply(const std::string& key, const std::string& value) {
        const auto number = [&] { return static_cast<std::uint16_t>(std::stoll(value, nullptr, 0)); };
        const std::pair<std::string, Fault> faults[] = {{"nak", Fault::Nak},
                                                        {"silence", Fault::Silence},
                                                        {"checkcode", Fault::WrongCheckCode},
                                                        {"short", Fault::ShortReply}};
        if (key == "language") selectLanguageFlags(number());
        if (key == "type") pmw.setPlcType(number());
        if (key[0] == 'D') plcsim::setSpecialRegister(sim.plc, std::stoi(key.substr(1)), number());
        if (key == "raise") plcsim::raiseError(sim.plc, {8061, number()});
        if (key == "poweron") plcsim::setPowerOnCount(sim.plc, number());
        if (key == "runtime") plcsim::setRunTime(sim.plc, static_cast<std::uint32_t>(std::stoll(value)));
        if (key == "reportsize") sim.plc.errorReport.resize(number());
        if (key == "faultfrom") sim.faultFrom = number();
        if (key == "silentat38400") setBaudRateString(baudIndex = 2);
        for (const auto& [name, fault] : faults)
            sim.fault = key == "fault" && value == name ? fault : sim.fault;
        if (key == "press") value == "check" ? dialog.btnErrorCheck1Click() : dialog.btnMachineStatus1Click();
    }
    std::string actual(const std::string& key) {
        if (key == "port") return comPortHandle == -1 ? "closed" : "open";
        if (key == "panel0") return "[" + fakes.statusBar.panelText(0) + "]";
        if (key == "tx") return rs.txChars.data();
        if (key == "RunTime") return std::to_string(RunTime());
        if (key[0] == 'D') return std::to_string(D8Kreg[std::stoul(key.substr(1)) - 8000]);
        std::string frames;
        for (const std::string& frame : sim.plc.frames) frames += (frames.empty() ? "" : " ") + frame;
        return frames;
    }
    FaultyPlc sim{fakes, 1};
    ErrMsg1Dialog dialog;
    FakeDiagnosticsDialogs dialogs;
    InstalledDialogs<DiagnosticsDialogs> installed{dialogs};
};

TEST_F(DiagnosticsTest, EachCaseShowsWhatItsFileSays) {
    std::ifstream in(test::testSource("tests/diagnostics/diagnostics_cases.txt"));
    std::vector<Case> cases;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("case ", 0) == 0) cases.push_back({line, {}, {}, {}});
        if (line.rfind("|", 0) == 0) cases.back().memo.push_back(line.substr(1));
        if (line.rfind("! ", 0) == 0) cases.back().boxes.push_back(line.substr(2));
        if (line.rfind("= ", 0) == 0)
            cases.back().checks.emplace_back(line.substr(2, line.find(' ', 2) - 2),
                                             line.substr(line.find(' ', 2) + 1));
    }
    ASSERT_GT(cases.size(), 20u);
    for (const Case& c : cases) {
        resetAllState();
        pmw.setPlcType(1);
        sim.plc = plcsim::PlcSimulator(1);
        sim.faultFrom = SIZE_MAX;
        fakes.messages.shown.clear();
        fakes.statusBar.setPanelText(0, "old");
        dialog.FormShow();
        std::istringstream settings(c.title.substr(5));
        for (std::string setting; settings >> setting;)
            apply(setting.substr(0, setting.find('=')), setting.substr(setting.find('=') + 1));
        EXPECT_EQ(dialog.msgMemo, c.memo) << c.title;
        EXPECT_EQ(shownBoxes(fakes.messages), c.boxes) << c.title;
        for (const auto& [key, expected] : c.checks)
            EXPECT_EQ(actual(key), expected) << c.title << " " << key;
    }
}

TEST_F(DiagnosticsTest, ClicksWhileARequestWaitsAreIgnored) {
    plcsim::raiseError(sim.plc, {8061, 6101});
    sim.plc.replyDelayMs = 200;  // a poller tick comes while the first request waits
    bool clicked = false;
    bool closeAllowed = true;
    fakes.clock.bind(platform::TimerId::Timer1, [&] {
        if (linkBusy() && !std::exchange(clicked, true)) {
            dialog.btnErrorCheck1Click();
            dialog.btnMachineStatus1Click();
            closeAllowed = dialog.btnCloseClick();
        }
        Timer1Timer();
    });
    dialog.btnErrorCheck1Click();
    EXPECT_TRUE(clicked && !closeAllowed && dialog.btnCloseClick());
    EXPECT_EQ(sim.plc.frames.size(), 9u);  // the block, D8004, D8061, D8068, D8069, D8061
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(dialog.msgMemo, (Lines{" D8004=8061", " D8061=6101 ...System hardware RAM Error ..."}));
}

// The dialog opened while another request waits leaves that request's port alone when it closes.
TEST_F(DiagnosticsTest, ADialogOpenedWhileARequestWaitsLeavesItsPortOpen) {
    plcsim::raiseError(sim.plc, {8061, 6101});
    sim.plc.replyDelayMs = 200;  // a poller tick comes while the first request waits
    bool opened = false, portOpenAfter = false;
    dialogs.script = [](ErrMsg1Dialog&) {};
    fakes.clock.bind(platform::TimerId::Timer1, [&] {
        if (linkBusy() && !std::exchange(opened, true)) {
            Diagnostics1Click();
            portOpenAfter = comPortHandle != -1;
        }
        Timer1Timer();
    });
    dialog.btnErrorCheck1Click();
    EXPECT_TRUE(opened && portOpenAfter);
    EXPECT_EQ(dialogs.captions, Lines{"Diagnostics Information"});
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(dialog.msgMemo, (Lines{" D8004=8061", " D8061=6101 ...System hardware RAM Error ..."}));
}

TEST_F(DiagnosticsTest, EveryEntryOpensTheDialogAndItsClosingRepaintsAndClosesThePort) {
    const std::tuple<std::string, int, const char*, int> cases[] = {
        {"KoSeries1", kMonitorLadder, " Machine Information", kMonitorOff},
        {"Wseries2", kMonitorEntryDevices, " Machine Information", kMonitorEntryDevices},
        {"ControllerStatus1", kMonitorOff, " Machine Information", kMonitorOff},
        {"MachineStatus1", kMonitorLadder, " Machine Information", kMonitorOff},
        {"Diagnostics1", kMonitorLadder, "Diagnostics Information", kMonitorLadder},
    };
    dialogs.script = [](ErrMsg1Dialog& shown) {
        shown.btnErrorCheck1Click();
        ASSERT_NE(comPortHandle, -1);
        throw LinkError("aborted");
    };
    const std::vector<MenuRow> rows = mainMenuRows();
    for (const auto& [name, mode, caption, modeAfter] : cases) {
        std::tie(monitorMode, redrawFlags) = std::tuple(mode, 0);
        dialogs.captions.clear();
        const auto row =
            std::find_if(rows.begin(), rows.end(), [&](const MenuRow& r) { return r.objectName == name; });
        ASSERT_NE(row, rows.end()) << name;
        EXPECT_THROW(row->command(), LinkError) << name;
        EXPECT_EQ(dialogs.captions, Lines{caption}) << name;
        EXPECT_EQ(monitorMode, modeAfter) << name;
        EXPECT_EQ(redrawFlags, kRedrawLadder | kRedrawObjects) << name;
        EXPECT_EQ(comPortHandle, -1) << name;
    }
}

}  // namespace
}  // namespace kestrion::test
