#include "wizards/calculators/RotaryCutCalculator.h"

#include "support/ShownBoxes.h"
#include "wizards/FakeWizardsDialogs.h"

namespace kestrion::test {
namespace {

class RotaryCutTest : public WizardsTest {
protected:
    RotaryCutTest() {
        calculator.presetExample();
        calculator.FormShow();
    }
    std::string text(const std::string& name) const { return calculator.control(name).text; }
    RotaryCutCalculator calculator;
};

TEST_F(RotaryCutTest, OpeningShowsTheExampleAndLeavesTheStatusBarAlone) {
    const std::pair<const char*, const char*> shown[] = {
        {"MotorResolutionEdit", "2000"},
        {"umPerPulseEdit", "5"},
        {"ToolCircumferenceEdit", "314159"},
        {"CutLengthEdit", "100000"},
        {"SynchronizeStartEdit", "0"},
        {"SynchronizeEndEdit", "50000"},
        {"InterruptTimeEdit", "1"},
        {"NumeratorEdit1", "100"},
        {"DenominatorEdit1", "100"},
        {"Description", "Source pulse input to C251, output pulse feedback to C242"},
    };
    for (const auto& [name, value] : shown) EXPECT_EQ(text(name), value) << name;
    EXPECT_TRUE(fakes.statusBar.history(0).empty() && fakes.statusBar.history(13).empty());
    RcutForm1Click();
    EXPECT_EQ(wizardsDialogs.shown, std::vector<std::string>{"RotaryCut"});
}

TEST_F(RotaryCutTest, TravelPerPulseAndCircumference) {
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"MotorResolutionEdit", "2500", "umPerPulseEdit", "4"},
        {"MotorResolutionEdit", "3", "umPerPulseEdit", "3333.33325195313"},
        {"MotorResolutionEdit", "", "umPerPulseEdit", "10000"},
        {"ToolRadiusEdit", "1", "ToolCircumferenceEdit", "6"},
        {"ToolRadiusEdit", "100", "ToolCircumferenceEdit", "628"},
        {"ToolRadiusEdit", "12.5", "ToolCircumferenceEdit", "75"},
    };
    for (const auto& [box, typed, result, shown] : cases) {
        calculator.userText(box, typed);
        EXPECT_EQ(text(result), shown) << typed;
    }
    EXPECT_EQ(text("MotorResolutionEdit"), "1");
    EXPECT_EQ(calculator.toolRadius, 12u);
    EXPECT_EQ(fakes.statusBar.history(0),
              std::vector<std::string>({"ToolRadius(um)=1", "ToolRadius(um)=100", "ToolRadius(um)=12"}));
    EXPECT_EQ(fakes.statusBar.history(13)[0], "ToolCircumference(um)=6.28318405151367");
    EXPECT_EQ(fakes.statusBar.history(13)[1], "ToolCircumference(um)=628.318420410156");
}

TEST_F(RotaryCutTest, BadEntriesAreRefusedAndAZeroResolutionNeverDivides) {
    calculator.userText("MotorMovementEdit", "0");
    EXPECT_EQ(text("MotorMovementEdit"), "1");
    calculator.userText("MotorMovementEdit", "10000");
    calculator.userText("MotorResolutionEdit", "25x0");
    calculator.userText("MotorResolutionEdit", "00");
    EXPECT_EQ(text("umPerPulseEdit"), "5");
    EXPECT_EQ(calculator.motorResolution, 2000u);
    EXPECT_TRUE(calculator.control("MotorResolutionEdit").yellow);
    calculator.userText("ToolRadiusEdit", "5,0");
    calculator.userText("NumeratorEdit1", "");
    EXPECT_EQ(text("NumeratorEdit1"), "1");
    EXPECT_EQ(text("ToolCircumferenceEdit"), "314159");
    EXPECT_EQ(shownBoxes(fakes.messages),
              (Boxes{"Character must be 0 ~ 9 | Error Message | error",
                     "Character must be 0~9 or .  | ToolRadiusErrorMessage | error"}));
}

TEST(GeneralText15Test, FifteenDigitsRoundedHalfUpOfTheExactValue) {
    const std::pair<double, const char*> cases[] = {
        {3333.333251953125, "3333.33325195313"},
        {5.0, "5"},
        {314159.1875, "314159.1875"},
        {6.283184051513671875, "6.28318405151367"},
        {0.00001, "0.00001"},
        {0.000001, "1E-6"},
        {1e15, "1E15"},
        {999999999999999.5, "1E15"},
        {-2.5, "-2.5"},
        {0.0, "0"},
        {123456789012345.0, "123456789012345"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(generalText15(value), text) << text;
}

}  // namespace
}  // namespace kestrion::test
