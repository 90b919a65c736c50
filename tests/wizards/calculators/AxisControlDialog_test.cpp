#include "wizards/calculators/AxisControlDialog.h"

#include "support/ShownBoxes.h"
#include "wizards/FakeWizardsDialogs.h"
#include "wizards/calculators/CalculatorCommands.h"

namespace kestrion::test {
namespace {

class AxisControlTest : public WizardsTest {
protected:
    AxisControlTest() {
        dialog.openAs(kUsageIncrementControl);
        dialog.FormShow();
    }
    std::string text(const std::string& name) const { return dialog.control(name).text; }
    bool yellow(const std::string& name) const { return dialog.control(name).yellow; }
    AxisControlDialog dialog;
};

TEST_F(AxisControlTest, BothModesOpenWithTheirTextsAndTheZeroReturnGroupHidden) {
    for (int mode : {kUsageIncrementControl, kUsageAbsoluteControl}) {
        AxisControlDialog opened;
        opened.openAs(mode);
        opened.FormShow();
        const bool increment = mode == kUsageIncrementControl;
        EXPECT_EQ(opened.caption, increment ? "Increment Control" : "Absolute Control");
        EXPECT_EQ(opened.control("EnableAx2ControlCheckBox").text,
                  increment ? "Enable Axis2 Increment Control" : "Enable Axis2 Absolute Control");
        EXPECT_EQ(opened.control("Ax2InstrLabel").text, increment
                                                            ? "DDRVI [S1.] [S2.] [D1.] [D2.] #pls:Y1,dir:Y3"
                                                            : "DDRVA [s1.] [s2.] [d1.] [d2.] #pls:Y1,dir:Y3");
        EXPECT_EQ(opened.record.axisControlMode, mode);
        for (const char* pattern :
             {"Ax#MaximumSpeedEdit", "Ax#BiasSpeedEdit", "Ax#AccTimeEdit", "Ax#DecTimeEdit",
              "bitDeviceNoCSpinEdit#", "byteDeviceNoCSpinEdit#", "Ax#PositionEdit", "Ax#SpeedEdit"})
            for (int axis = 1; axis <= 2; ++axis)
                EXPECT_EQ(opened.control(axisControlName(pattern, axis)).text, "0");
        EXPECT_EQ(opened.control("MInformationLabel1").text, "M0000--M0009 be occupied");
        EXPECT_EQ(opened.control("DInformationLabel2").text, "D0000--D0009 be occupied");
        for (const char* hidden :
             {"Ax1DogPointXnoComboBox", "Ax2ServoZeroCountEdit", "Ax1ReturnModeComboBox", "btnSimu"})
            EXPECT_FALSE(opened.control(hidden).visible) << hidden;
        EXPECT_EQ(opened.control("Ax1DogPointXnoComboBox").text, "0");
        EXPECT_EQ(opened.control("Ax2DogPointXnoComboBox").text, "1");
    }
}

TEST_F(AxisControlTest, NumberBoxesShowTheirBlocksAndClampOrFlag) {
    struct Case {
        const char* box;
        const char* typed;
        const char* shown;
        const char* label;
        bool flagged;
        int field;
        const char* position;  // D boxes only
        const char* speed;
    };
    const Case cases[] = {
        {"bitDeviceNoCSpinEdit1", "1527", "1527", "M1527--M1536 be occupied", true, 1527, "", ""},
        {"bitDeviceNoCSpinEdit1", "2000", "2000", "M2000--M2009 be occupied", true, 1527, "", ""},
        {"bitDeviceNoCSpinEdit2", "9000", "1535", "M1535--M1544 be occupied", true, 1535, "", ""},
        {"byteDeviceNoCSpinEdit1", "3990", "3990", "D3990--D3999 be occupied", false, 3990, "3990", "3992"},
        {"byteDeviceNoCSpinEdit1", "3991", "3991", "D3991--D4000 be occupied", true, 3991, "3991", "3993"},
        {"byteDeviceNoCSpinEdit1", "5000", "5000", "D5000--D5009 be occupied", true, 3991, "5000", "5002"},
        {"byteDeviceNoCSpinEdit2", "9000", "3999", "D3999--D4008 be occupied", true, 3999, "3999", "4001"},
    };
    for (const Case& c : cases) {
        dialog.userText(c.box, c.typed);
        const std::string box(c.box);
        const int axis = box.back() - '0';
        const bool bit = box[0] == 'b' && box[1] == 'i';
        const std::string label = axisControlName(bit ? "MInformationLabel#" : "DInformationLabel#", axis);
        EXPECT_EQ(text(c.box), c.shown) << c.typed;
        EXPECT_EQ(text(label), c.label) << c.typed;
        EXPECT_EQ(yellow(c.box) && yellow(label), c.flagged) << c.typed;
        EXPECT_EQ(bit ? dialog.record.axBitDeviceNo[axis - 1] : dialog.record.axByteDeviceNo[axis - 1],
                  c.field);
        if (!bit) {
            EXPECT_EQ(text(axisControlName("Ax#PositionEdit", axis)), c.position) << c.typed;
            EXPECT_EQ(text(axisControlName("Ax#SpeedEdit", axis)), c.speed) << c.typed;
        }
    }
    EXPECT_EQ(dialog.record.axSpeedNo[1], 4001);
}

TEST_F(AxisControlTest, EmptyOrBadNumberBoxesAndCappedLimits) {
    dialog.userText("byteDeviceNoCSpinEdit1", "300");
    dialog.userText("byteDeviceNoCSpinEdit1", "");
    EXPECT_TRUE(yellow("byteDeviceNoCSpinEdit1"));
    EXPECT_EQ(text("DInformationLabel1"), "");
    EXPECT_EQ(dialog.record.axByteDeviceNo[0], 0);
    EXPECT_EQ(text("Ax1PositionEdit") + " " + text("Ax1SpeedEdit"), "300 302");
    dialog.userText("byteDeviceNoCSpinEdit2", "4x");
    EXPECT_EQ(text("byteDeviceNoCSpinEdit2"), "");
    EXPECT_EQ(shownBoxes(fakes.messages), Boxes{"Device no must be 0 - 9 ! | Error Message | error"});

    const std::tuple<const char*, const char*, const char*, int> limits[] = {
        {"Ax1MaximumSpeedEdit", "250000", "200000", 200000},
        {"Ax1MaximumSpeedEdit", "200000", "200000", 200000},
        {"Ax2AccTimeEdit", "6000", "5000", 5000},
        {"Ax2DecTimeEdit", "5001", "5000", 5000},
        {"Ax1BiasSpeedEdit", "9999", "9999", 9999},
    };
    for (const auto& [box, typed, shown, stored] : limits) {
        dialog.userText(box, typed);
        EXPECT_EQ(text(box), shown) << box;
    }
    EXPECT_EQ(dialog.record.axMaximumSpeed[0], 200000);
    EXPECT_EQ(dialog.record.axAccTime[1], 5000);
    EXPECT_EQ(dialog.record.axDecTime[1], 5000);
    EXPECT_EQ(dialog.record.axBiasSpeed[0], 9999);
    for (const char* bad : {"", "1e3"}) {
        dialog.userText("Ax1AccTimeEdit", "100");
        dialog.userText("Ax1AccTimeEdit", bad);
        EXPECT_TRUE(yellow("Ax1AccTimeEdit")) << bad;
        EXPECT_EQ(dialog.record.axAccTime[0], 100) << bad;
    }
}

TEST_F(AxisControlTest, TheMenuItemsOpenTheDialogAndHelpTakesTheBoxesValues) {
    dialog.userText("bitDeviceNoCSpinEdit1", "100");
    dialog.userText("byteDeviceNoCSpinEdit1", "200");
    dialog.userText("bitDeviceNoCSpinEdit2", "9000");
    dialog.userText("byteDeviceNoCSpinEdit2", "4500");
    const DeviceUsageReport report = dialog.helpReport();
    EXPECT_EQ(std::make_tuple(report.deviceUsageMode, report.caption, report.bitDeviceNo1,
                              report.byteDeviceNo1, report.bitDeviceNo2, report.byteDeviceNo2),
              std::make_tuple(3, std::string("Increment control"), 100, 200, 1535, 4500));
    Increment1Click();
    Absolute1Click();
    EXPECT_EQ(wizardsDialogs.shown, std::vector<std::string>({"Increment Control", "Absolute Control"}));
    EXPECT_EQ(dialog.keyFilter("Ax1MaximumSpeedEdit"), KeyFilter::Digits);
    EXPECT_EQ(dialog.keyFilter("Ax1PositionEdit"), KeyFilter::NoKeys);
    EXPECT_EQ(pulseSimulationMouseText(120, 45), "X=120 ,Y=45");
}

TEST_F(AxisControlTest, OpeningShowsTheRecordOfEachAxisInItsOwnColumn) {
    AxisControlDialog opened;
    opened.record.axMaximumSpeed[0] = 100, opened.record.axMaximumSpeed[1] = 200;
    opened.record.axDecTime[1] = 30, opened.record.axDogPointXno[1] = 7, opened.record.axReturnMode[0] = 4;
    opened.FormShow();
    EXPECT_EQ(opened.control("Ax1MaximumSpeedEdit").text + " " + opened.control("Ax2MaximumSpeedEdit").text +
                  " " + opened.control("Ax2DecTimeEdit").text + " " +
                  opened.control("Ax2DogPointXnoComboBox").text + " " +
                  opened.control("Ax1ReturnModeComboBox").text,
              "100 200 30 7 Reverse-R");
    opened.userPick("Ax1DogPointXnoComboBox", "7");
    opened.userPick("Ax2ReturnModeComboBox", "Forward-L");
    opened.userPick("Ax1ReturnModeComboBox", "x");
    EXPECT_EQ(std::make_tuple(opened.record.axDogPointXno[0], opened.record.axReturnMode[1],
                              opened.record.axReturnMode[0], opened.control("Ax1ReturnModeComboBox").text),
              std::make_tuple(std::uint16_t{7}, std::uint16_t{1}, std::uint16_t{0}, std::string()));
}

TEST_F(AxisControlTest, SpinButtonsAndLeavingKeepTheBoxWithinItsRange) {
    dialog.spinStep("bitDeviceNoCSpinEdit1", -1);
    EXPECT_EQ(text("bitDeviceNoCSpinEdit1"), "0");
    dialog.userText("bitDeviceNoCSpinEdit1", "1535");
    dialog.spinStep("bitDeviceNoCSpinEdit1", 1);
    EXPECT_EQ(text("bitDeviceNoCSpinEdit1"), "1535");
    dialog.userText("byteDeviceNoCSpinEdit1", "5000");
    dialog.spinExit("byteDeviceNoCSpinEdit1");
    EXPECT_EQ(text("byteDeviceNoCSpinEdit1"), "3999");
    EXPECT_EQ(dialog.record.axByteDeviceNo[0], 3999);
}

}  // namespace
}  // namespace kestrion::test
