#include "wizards/gateway/CcLinkDialog.h"

#include "link/line/CommRecord.h"
#include "link/line/Receive.h"
#include "model/ladder/EditorState.h"
#include "monitor/MonitorMode.h"
#include "plcsim/PlcSimErrors.h"
#include "support/ShownBoxes.h"
#include "support/SimulatedPlc.h"
#include "wizards/FakeWizardsDialogs.h"

namespace kestrion::test {
namespace {

using Lines = std::vector<std::string>;
using plcsim::Fault;

constexpr const char* kOccupied = "OccupiedStationsComboBox";
constexpr const char* kBaudRate = "BaudRateComboBox";
constexpr const char* kStationNo = "StationNoCSpinEdit";
constexpr std::uint32_t kD8110 = 0x0EDC;
// The frames of Check: four reads of the special registers, then D8110.
constexpr std::size_t kD8110ReadFrame = 5;

class CcLinkDialogTest : public WizardsTest {
protected:
    CcLinkDialogTest() {
        fakes.clock.bind(platform::TimerId::Timer1, [] { Timer1Timer(); });
    }
    // The three fields as "text colour", colour "y" for yellow.
    Lines fields() const {
        Lines shown;
        for (const char* name : {kOccupied, kBaudRate, kStationNo})
            shown.push_back(dialog.control(name).text + (dialog.control(name).yellow ? " y" : " w"));
        return shown;
    }
    Boxes boxes() const { return shownBoxes(fakes.messages); }

    SimulatedPlc sim{fakes, 1};
    CcLinkDialog dialog;
};

TEST_F(CcLinkDialogTest, CheckExplainsTheWordAndShowsItsCodesInTheFields) {
    struct Case {
        std::uint16_t value;
        Lines explained;  // the lines of the three codes
        Lines fields;
    };
    const Case cases[] = {
        {0x1203,
         {" D8110.[m]=1 *Occupy[2]station", " D8110.[S]=2 *Baudrate=2.5Mbps", " D8110.[nn]=03h *StationNo=3"},
         {"2 w", "2.5Mbps w", "3 w"}},
        {0x0000,
         {" D8110.[m]=0 *Occupy[1]station", " D8110.[S]=0 *Baudrate=156Kbps", " D8110.[nn]=00h *StationNo=0"},
         {"1 w", "156Kbps w", "0 y"}},
        {0x3440,
         {" D8110.[m]=3 *Occupy[4]station", " D8110.[S]=4 *Baudrate=10Mbps", " D8110.[nn]=40h *StationNo=64"},
         {"4 w", "10Mbps w", "64 w"}},
        {0x5541,
         {" D8110.[m]!=0~3 Occupy Station setting Error...", " D8110.[S]!=0~4 Baudrate setting Error...",
          " D8110.[nn]=65>64 Station number setting Error..."},
         {"Error y", "Error y", "65 y"}},
        {0x2300,
         {" D8110.[m]=2 *Occupy[3]station", " D8110.[S]=3 *Baudrate=5Mbps", " D8110.[nn]=00h *StationNo=0"},
         {"3 w", "5Mbps w", "0 y"}},
    };
    for (const Case& c : cases) {
        plcsim::setSpecialRegister(sim.plc, 8110, c.value);
        dialog.create();
        ASSERT_EQ(dialog.msgMemo.size(), 8u);
        EXPECT_EQ((Lines{dialog.msgMemo[3], dialog.msgMemo[5], dialog.msgMemo[7]}), c.explained);
        EXPECT_EQ(fields(), c.fields) << std::hex << c.value;
        EXPECT_EQ(dialog.d8110Value, c.value);
    }
    EXPECT_EQ(dialog.msgMemo, (Lines{"", " D8110= [2300h]", "", dialog.msgMemo[3], "", dialog.msgMemo[5], "",
                                     dialog.msgMemo[7]}));
    EXPECT_EQ(explainD8110(0x8000)[1], " D8110= [FFFF8000h]");
    EXPECT_EQ(boxes(), Boxes{});
    EXPECT_NE(comPortHandle, -1);  // left open for the next button
}

TEST_F(CcLinkDialogTest, SetupWritesTheWordOfTheThreeEntries) {
    dialog.create();
    dialog.userPick(kOccupied, "4");
    dialog.userPick(kBaudRate, "2.5Mbps");
    dialog.userText(kStationNo, "12");
    dialog.btnSetupClick();
    EXPECT_EQ(rsChHex, "023130454443303230433332033641");
    EXPECT_EQ(sim.plc.wordAt(kD8110), 0x320C);
    dialog.btnCheckClick();
    EXPECT_EQ(dialog.msgMemo[1], " D8110= [320Ch]");
    EXPECT_EQ(boxes(), Boxes{});
    EXPECT_EQ(composeD8110(1, 4, 64), 0x1440);
}

TEST_F(CcLinkDialogTest, EachEntryBecomesItsCodeAndAnInvalidOneIsYellowAndNotWritten) {
    dialog.create();
    struct Case {
        const char* field;
        const char* text;
        std::int16_t code;
        bool yellow;
    };
    std::int16_t CcLinkDialog::*codes[] = {&CcLinkDialog::occupiedStationsCode, &CcLinkDialog::baudRateCode,
                                           &CcLinkDialog::stationNo};
    for (const Case& c : {Case{kOccupied, "3 ", 4, true}, Case{kOccupied, "3", 2, false},
                          Case{kBaudRate, "5.0Mbps", 3, false}, Case{kBaudRate, "5Mbps", 5, true},
                          Case{kBaudRate, "625Kbps", 1, false}, Case{kStationNo, "65", 65, true},
                          Case{kStationNo, "", 65, true}, Case{kStationNo, "0", 0, true},
                          Case{kStationNo, "1", 1, false}, Case{kStationNo, "", 1, true}}) {
        const int field = c.field == kOccupied ? 0 : c.field == kBaudRate ? 1 : 2;
        field == 2 ? dialog.userText(c.field, c.text) : dialog.userPick(c.field, c.text);
        EXPECT_EQ(dialog.*codes[field], c.code) << c.field << " " << c.text;
        EXPECT_EQ(dialog.control(c.field).yellow, c.yellow) << c.field << " " << c.text;
    }
    EXPECT_EQ(dialog.keyFilter(kStationNo), KeyFilter::Digits);
    EXPECT_EQ(dialog.keyFilter(kOccupied), KeyFilter::NoKeys);
    // An invalid entry anywhere: Setup says so and sends nothing.
    for (const auto& [field, text] : {std::pair{kOccupied, "3 "}, std::pair{kStationNo, "300"}}) {
        dialog.userPick(kOccupied, "1");
        dialog.userText(kStationNo, "2");
        field == kOccupied ? dialog.userPick(field, text) : dialog.userText(field, text);
        sim.plc.frames.clear();
        fakes.messages.shown.clear();
        dialog.btnSetupClick();
        EXPECT_TRUE(sim.plc.frames.empty());
        ASSERT_EQ(boxes().size(), 1u);
        EXPECT_NE(boxes()[0].find("station number 1 to 64"), std::string::npos);
    }
}

TEST_F(CcLinkDialogTest, AnUnansweredOrRefusedRequestShowsItsBoxAndGivesThePortUp) {
    struct Case {
        Fault fault;
        std::size_t frame;
        bool setup;
        const char* box;
    };
    for (const Case& c :
         {Case{Fault::Silence, kD8110ReadFrame, false, "Error2015030562"},
          Case{Fault::Nak, kD8110ReadFrame, false, "Error2015030562"},
          Case{Fault::Silence, 9, true, "Error2015030565"}, Case{Fault::Nak, 9, true, "Error2015030565"}}) {
        plcsim::setSpecialRegister(sim.plc, 8110, 0x1203);
        CcLinkDialog fresh;
        fresh.create();
        sim.plc.frames.clear();
        sim.plc.frameFault = c.fault;
        sim.plc.faultFrame = c.frame;
        fakes.messages.shown.clear();
        c.setup ? fresh.btnSetupClick() : fresh.btnCheckClick();
        sim.plc.frameFault = Fault::None;
        EXPECT_EQ(shownBoxes(fakes.messages),
                  Boxes{std::string(c.box) + " | Communication Message | warning"});
        EXPECT_EQ(comPortHandle, -1);
        EXPECT_EQ(fresh.msgMemo[1], " D8110= [1203h]");  // the last check stays
        EXPECT_EQ(fresh.stationNo, 3);
    }
}

TEST_F(CcLinkDialogTest, ASilentPlcOpensTheDialogWithItsStartValues) {
    sim.plc.fault = Fault::Silence;
    dialog.create();
    EXPECT_EQ(fields(), (Lines{"1 w", "156Kbps w", "0 y"}));
    EXPECT_TRUE(dialog.msgMemo.empty());
    EXPECT_FALSE(boxes().empty());  // the connection test's own
}

TEST_F(CcLinkDialogTest, TheMenuItemSaysHowTheDialogWasLeftAndClosesThePortAfterClose) {
    struct Case {
        void (*leave)(CcLinkDialog&);
        const char* panel;
        bool portOpen;
        std::uint8_t closeFlags;
    };
    for (const Case& c :
         {Case{[](CcLinkDialog& d) { d.btnCloseClick(); }, "Finish setup ccGateModule ...", false, 0x01},
          Case{[](CcLinkDialog& d) {
                   d.btnCloseClick();
                   d.btnCancelClick();
               },
               "Cancel setting ccGateModule data ...", true, 0x02},
          Case{[](CcLinkDialog&) {}, "Cancel setting ccGateModule data ...", true, 0x00}}) {
        redrawFlags = 0;
        wizardsDialogs.ccLinkScript = [&c](CcLinkDialog& d) {
            EXPECT_EQ(d.msgMemo.size(), 8u);  // filled before it shows
            d.btnPinfoClick();
            monitorState.monDeviceRows.resize(3);  // rows the registered list does not hold
            d.MonitorClick();
            EXPECT_TRUE(monitorState.monDeviceRows.empty());  // rebuilt from the empty list
            c.leave(d);
            EXPECT_EQ(d.closeFlags, c.closeFlags);
        };
        ccLinkProtocol2Click();
        EXPECT_EQ(fakes.statusBar.panelText(0), c.panel);
        EXPECT_EQ(comPortHandle != -1, c.portOpen);
        EXPECT_EQ(redrawFlags & (kRedrawLadder | kRedrawObjects), kRedrawLadder | kRedrawObjects);
    }
    EXPECT_EQ(wizardsDialogs.shown,
              (Lines{"Setup ccGate Parameter", "ccGateModule 1", "Setup ccGate Parameter", "ccGateModule 1",
                     "Setup ccGate Parameter", "ccGateModule 1"}));
    EXPECT_EQ(boxes(), Boxes{});
}

}  // namespace
}  // namespace kestrion::test
