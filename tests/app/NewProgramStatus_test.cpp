#include "app/FakeAppDialogs.h"
#include "app/FileCommands.h"
#include "model/image/PlcTypeDialog.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

// File > New as the status bar shows it: the PLC type chosen in panel 0 while the program is made,
// the program image's type word in panel 13.
class NewProgramStatusTest : public test::CoreTest {
protected:
    NewProgramStatusTest() {
        mainFormStartUp();
        modelDialogs.plcTypeAnswer = [](std::int32_t type, std::int32_t size) {
            return PlcTypeFormResult{1, size, type};
        };
        linkDialogs.parameterScript = [](ParameterDialog& dialog) { dialog.btnOkClick(); };
        fakes.statusBar.forgetHistory();
    }
    test::FakeAppDialogs dialogs;

private:
    InstalledDialogs<AppDialogs> installed_{dialogs};
};

TEST_F(NewProgramStatusTest, TheChosenTypeGoesToPanelZeroAndTheImagesTypeWordToPanelThirteen) {
    New1Click();
    const std::vector<std::string> panel0 = fakes.statusBar.history(0);
    EXPECT_NE(std::find(panel0.begin(), panel0.end(), "iType=5"), panel0.end())
        << ::testing::PrintToString(panel0);
    for (int panel = 1; panel < 13; ++panel)
        for (const std::string& text : fakes.statusBar.history(panel))
            EXPECT_NE(text.rfind("iType=", 0), 0u) << "panel " << panel;
    EXPECT_EQ(fakes.statusBar.panelText(13), "pmw.un.ST.PRE.i[jPrePlcType]=5");
}

}  // namespace
}  // namespace kestrion
