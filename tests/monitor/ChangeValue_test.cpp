#include "monitor/ChangeValue.h"

#include "monitor/MonitorFixture.h"

namespace kestrion::test {
namespace {

class ChangeValueTest : public MonitorTest {
protected:
    // The dialog's Execute with a device, a value and a size; the frames the PLC saw.
    std::vector<std::string> execute(const std::string& device, const std::string& value, int size = 0) {
        sim.plc.frames.clear();
        dialog = {};
        dialog.deviceText = device;
        dialog.CurrentValueEdit1Change(value);
        dialog.cvChangeRadioGroupClick(size);
        dialog.btnExecuteChangeClick();
        std::vector<std::string> writes;
        for (const std::string& frame : sim.plc.frames)
            if (frame[0] == '1' || frame.rfind("E10", 0) == 0) writes.push_back(frame);
        return writes;
    }
    CvChangeDialog dialog;
};

TEST_F(ChangeValueTest, TheWriteFrameCarriesTheAddressTheCountAndTheValueLowByteFirst) {
    ASSERT_EQ(execute("D100", "K1234"), (Texts{"110C802D204"}));
    const std::vector<std::uint8_t> frame = {0x02, 0x31, 0x31, 0x30, 0x43, 0x38, 0x30, 0x32,
                                             0x44, 0x32, 0x30, 0x34, 0x03, 0x34, 0x43};
    const auto& written = fakes.serial.written;
    EXPECT_TRUE(std::search(written.begin(), written.end(), frame.begin(), frame.end()) != written.end());
    EXPECT_EQ(sim.plc.wordAt(dataAddress(100)), 1234);
    EXPECT_EQ(dialog.memo, (Texts{"D100 K1234", ""}));

    struct Case {
        int type;
        const char* device;
        const char* value;
        int size;
        const char* frame;
    };
    const Case cases[] = {
        {1, "D8000", "K7", 0, "10E00020700"},
        {7, "D7999", "H1", 0, "E107E7E020100"},
        {5, "D0", "K-1", 0, "E10400002FFFF"},
        {5, "D0", "K-2147483648", 1, "E1040000400000080"},
        {5, "D0", "HFFFFFFFF", 1, "E10400004FFFFFFFF"},
        {5, "D2", "H1", 1, "E1040040401000000"},
        {5, "D2", "H12345", 1, "E1040040445230100"},
        // Decided: type 2's special registers are written where its device map and the monitor
        // have them, 8000h + 2(n - 8000), not at 0E00h + 2(n - 8000), which is another device there.
        {2, "D8001", "K-32768", 0, "E108002020080"},
        {2, "D8255", "K1", 0, "E1081FE020100"},
        {5, "D8255", "K1", 0, "E100FFE020100"},
    };
    for (const Case& c : cases) {
        useType(c.type);
        EXPECT_EQ(execute(c.device, c.value, c.size), (Texts{c.frame})) << c.device << " " << c.value;
    }
    EXPECT_EQ(boxes(), Boxes{});
}

TEST_F(ChangeValueTest, ABadEntryIsRefusedWithItsBoxAndNothingIsSent) {
    struct Case {
        const char* device;
        const char* value;
        int size;
        const char* box;  // "" refused without a box
    };
    const Case cases[] = {
        {"D1", "K32768", 0, "Value over range [-32768 =< K >= 32767] | Error2015091221... | error"},
        {"D1", "K123456", 0, "Value over range [From K-32768 to H32767] | Error2015091215... | error"},
        {"D1", "H12345", 0, "Character>5 too long [From H0000 to HFFFF] | Error2015091217... | error"},
        {"D1", "K2147483648", 1,
         "Value over range [-2147483648 =< K >= 2147483647] | Error2015091222... | error"},
        {"D1", "K-32769", 0, "Value over range [-32768 =< K >= 32767] | Error2015091221... | error"},
        {"D1", "K-0032768", 0, "Value over range [From K-32768 to H32767] | Error2015091215... | error"},
        {"D1", "K-21474836480", 1,
         "Value over range [From K-2147483648 to 2147483647] | Error2015091216... | error"},
        {"D1", "H123456789", 1,
         "Character>9 too long [From H00000000 to HFFFFFFFF] | Error2015091218... | error"},
        {"D1", "K-2147483649", 1,
         "Value over range [-2147483648 =< K >= 2147483647] | Error2015091222... | error"},
        {"D1", "K1-2", 0, "Character must be 0~9 ... | Error2015091213... | error"},
        {"D1", "Hab", 0, "Character must be 0~9 and A~F ... | Error2015091214... | error"},
        {"D1", "k1", 0, "First character must be K or H... | Error2015091212... | error"},
        {"D1", "K12A", 0, "Character must be 0~9 ... | Error2015091213... | error"},
        {"D1", "HFG", 0, "Character must be 0~9 and A~F ... | Error2015091214... | error"},
        {"D1", "Z1", 0, "First character must be K or H... | Error2015091212... | error"},
        {"D1", "K", 0, "Error2015091227 | Error Message | warning"},
        {"D1", "K-", 0, ""},
        {"D100L", "K1", 0, "DeviceNo must be 0~9 | Error2015091211 | warning"},
        {"X1", "K1", 0, ""},
        {"", "K1", 0, "Device address isn't setting error... | Error2015091220... | error"},
        {"D", "K1", 0, "Error2015091225 | Error Message | warning"},
        {"D12345", "K1", 0, "Error Message | Error2015091226 | warning"},
        {"D8300", "K1", 0, "Device no over range [D0 ~ D7999, D8000 ~ D8255] | Error Message | warning"},
        {"D300", "K1", 0, "*dDeviceNoRange  | Error2015112846... | error"},
    };
    for (const Case& c : cases) {
        fakes.messages.shown.clear();
        EXPECT_TRUE(execute(c.device, c.value, c.size).empty()) << c.device << " " << c.value;
        EXPECT_EQ(boxes(), *c.box == '\0' ? Boxes{} : Boxes{c.box}) << c.device << " " << c.value;
        EXPECT_EQ(dialog.inputError, 1);
    }
}

TEST_F(ChangeValueTest, ANakGetsTheTimeOutsBoxAndNoLine) {
    sim.plc.faultFrame = 5;  // the write, after the four reads of the special registers
    sim.plc.frameFault = plcsim::Fault::Nak;
    execute("D1", "K5");
    EXPECT_EQ(boxes(), (Boxes{"Communication Error | Error2015030523 | warning"}));
    EXPECT_TRUE(dialog.memo.empty());
}

// Another PLC than the project's on the line: neither the dialog nor the panel writes to it; each
// says so with its own caption and closes the port.
TEST_F(ChangeValueTest, APlcOfAnotherTypeIsNotWritten) {
    sim.plc.setPlcType(5);  // the project is for type 1
    EXPECT_TRUE(execute("D100", "K1234").empty());
    EXPECT_EQ(boxes(), (Boxes{"Device type Error | Error2018081046 | warning"}));
    EXPECT_TRUE(dialog.memo.empty());
    EXPECT_EQ(comPortHandle, -1);

    fakes.messages.shown.clear();
    sim.plc.writes.clear();
    ChangeCurrentValue1Click();
    ChangeCurrentDevNoEditChange("D100");
    ChangeCurrentValueEditChange("K12");
    btnChangeCurrentValueOkClick();
    EXPECT_EQ(boxes(), (Boxes{"Device type Error | btnChangeCurrentValueOkClick( | warning"}));
    EXPECT_TRUE(sim.plc.writes.empty());
    EXPECT_TRUE(monitorState.changeValuePanel.memo.empty());
    EXPECT_EQ(comPortHandle, -1);
}

// The size is 16 or 32 bits; anything else the radio groups or the opener hand over is 16 bits.
TEST_F(ChangeValueTest, ASizeOtherThanSixteenOrThirtyTwoBitsWritesSixteen) {
    EXPECT_EQ(execute("D100", "K1", 2), (Texts{"110C8020100"}));
    EXPECT_EQ(execute("D100", "K1", -1), (Texts{"110C8020100"}));
    CvChangeDialog shown;
    shown.dataSize = 3;
    shown.FormShow();
    EXPECT_EQ(std::make_pair(shown.dataSize, shown.sizeIndex), std::make_pair(0, 0));
    shown.dataSize = 1;
    shown.FormShow();
    EXPECT_EQ(shown.sizeIndex, 1);

    ChangeCurrentValue1Click();
    ChangeCurrentValueRadioGroupClick(1);
    EXPECT_EQ(std::make_pair(monitorState.cvDataSize, monitorState.changeValuePanel.sizeIndex),
              std::make_pair(1, 1));
    ChangeCurrentValueRadioGroupClick(2);
    EXPECT_EQ(std::make_pair(monitorState.cvDataSize, monitorState.changeValuePanel.sizeIndex),
              std::make_pair(0, 0));
    ChangeCurrentDevNoEditChange("D100");
    ChangeCurrentValueEditChange("K1");
    sim.plc.frames.clear();
    btnChangeCurrentValueOkClick();
    EXPECT_EQ(sim.plc.frames.back(), "110C8020100");
}

// The panel's device edit refuses a text longer than a register's name at once, and the closed
// panel gives the tool bar back its start buttons with Stop disabled, whatever it had meanwhile.
TEST_F(ChangeValueTest, ThePanelRefusesAnOverlongDeviceAndItsCloseDisablesStop) {
    ChangeCurrentValue1Click();
    ChangeCurrentDevNoEditChange("D123");
    ChangeCurrentDevNoEditChange("D1234");
    EXPECT_TRUE(boxes().empty());
    ChangeCurrentDevNoEditChange("D12345");
    EXPECT_EQ(boxes(), (Boxes{"Command Error! | Error Message | warning"}));
    EXPECT_EQ(monitorState.cvDeviceAddress, 0x1000 + 2 * 1234);

    for (const char* name :
         {"spbtnStartMonitor1", "spbtnEntryDeviceMonitor", "spbtnChangeValue", "spbtnForceOnOff"})
        menuItem(name).enabled = false;
    menuItem("spbtnStopMonitor1").enabled = true;
    btnChangeCurrentValueCloseClick();
    for (const char* name :
         {"spbtnStartMonitor1", "spbtnEntryDeviceMonitor", "spbtnChangeValue", "spbtnForceOnOff"})
        EXPECT_TRUE(menuItem(name).enabled) << name;
    EXPECT_FALSE(menuItem("spbtnStopMonitor1").enabled);
}

TEST_F(ChangeValueTest, ThePanelChecksEachKeystrokeAndTheOpenersKeepARunningMonitorsPort) {
    ChangeCurrentValue1Click();
    const ChangeValuePanel& panel = monitorState.changeValuePanel;
    EXPECT_TRUE(panel.visible && !panel.executeEnabled);
    ChangeCurrentValueEditChange("K1");
    EXPECT_EQ(boxes(), (Boxes{"No Device Address Error ! | Error Message | error"}));
    for (const char* typed : {"D", "D1", "D10"}) ChangeCurrentDevNoEditChange(typed);
    EXPECT_EQ(monitorState.cvDeviceAddress, 0x1000 + 20);
    for (const char* typed : {"K", "K1", "K12"}) ChangeCurrentValueEditChange(typed);
    EXPECT_TRUE(panel.executeEnabled);
    btnChangeCurrentValueOkClick();
    EXPECT_EQ(sim.plc.wordAt(dataAddress(10)), 12);
    EXPECT_EQ(panel.memo, (Texts{"D10 K12", ""}));
    EXPECT_EQ(comPortHandle, -1);
    ChangeCurrentDevNoEditChange("Q1");
    EXPECT_EQ(boxes().back(), "Device Error2015030201 | Error Message | warning");
    EXPECT_EQ(panel.deviceText, "");
    btnChangeCurrentValueCloseClick();
    EXPECT_FALSE(panel.visible);

    // While a monitor runs, the dialog's opener leaves the port open for the poll.
    monitorDevices({{"D0"}});
    dialogs.changeValueScript = [](CvChangeDialog& d) { EXPECT_EQ(d.monitorRunning, 1); };
    Popup4ChangeValueClick();
    EXPECT_NE(comPortHandle, -1);
    EXPECT_TRUE(timer3Running());
}

}  // namespace
}  // namespace kestrion::test
