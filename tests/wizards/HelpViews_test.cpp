#include "wizards/HelpViews.h"

#include "model/core/MainState.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/EditorState.h"
#include "support/ShownBoxes.h"
#include "wizards/DataFiles.h"
#include "wizards/FakeWizardsDialogs.h"
#include "wizards/ScopeView.h"
#include "wizards/SettingCommands.h"

namespace kestrion::test {
namespace {

class HelpViewsTest : public WizardsTest {
protected:
    HelpViewsTest() { installDir = fakes.files.installDir; }
};

TEST_F(HelpViewsTest, TopicOneShowsTheGatewayRegisterLinesAndOtherTopicsTheDesignText) {
    EXPECT_EQ(
        productMemoLines(1),
        std::vector<std::string>({
            " *D8110=mSnnH *[m]:OccupyStationNumber(1-4) *[S]:Baudrate(0-4) *[nn]:StationNo.(1-64)",
            "",
            "  *[m]=0:Occupy[1]station, *=1:Occupy[2]station, *=2:Occupy[3]station, *=3:Occupy[4]station",
            "  *[S]=0::156Kbps, *=1::625Kbps, *=2::2.5Mbps, *=3::5Mbps, *=4::10Mbps",
            "  *[nn]=StationNumber (1 to 64)",
        }));
    EXPECT_EQ(productMemoLines(0), std::vector<std::string>{"msgMemo"});
}

TEST_F(HelpViewsTest, PicturesAreFoundInTheDataFolderFirstAndChosenByCaption) {
    const std::string data = fakes.files.dataDir, install = fakes.files.installDir;
    fakes.files.put(data + "/FLC/zrnflc150908.JPG", {1});
    fakes.files.put(install + "/FLC/G06Flc150908.jpg", {1});
    EXPECT_EQ(imagePicturePath(9, "FlowChart-ZrnFlc150908"), data + "/FLC/ZrnFlc150908.jpg");
    EXPECT_EQ(imagePicturePath(9, "FlowChart-G06Flc150908"), install + "/FLC/G06Flc150908.jpg");
    EXPECT_EQ(imagePicturePath(0, "FlowChart-G06Flc150908"), install + "/FLC/G06Flc150908.jpg");
    EXPECT_EQ(imagePicturePath(9, "FlowChart-zrnflc150908"), "");  // captions compare exactly
    EXPECT_EQ(imagePicturePath(1, "RS-485"), install + "/Image/Rs485LinkModule.jpg");
}

TEST_F(HelpViewsTest, TheFlowChartItemsOpenTheirViewsAtEightTenthsOfTheScreen) {
    screenWidth = 1024, screenHeight = 768;
    zrnFLC1Click();
    G06FLC1Click();
    FlowChart1Click();
    EXPECT_EQ(wizardsDialogs.shown,
              std::vector<std::string>({"FlowChart-ZrnFlc150908 9 819x614",
                                        "FlowChart-G06Flc150908 9 819x614", "FlowChart 819x614"}));
}

TEST_F(HelpViewsTest, AFlowChartProgramStartsWhenPresentAndAMissingOneIsNamed) {
    const std::string zrn = fakes.files.dataDir + "/FLC/ZrnFlc150908";
    fakes.files.put(zrn, {0x7F});
    flowChartButtonClick(0);
    flowChartButtonClick(1);
    flowChartButtonClick(2);  // "PDF"
    EXPECT_EQ(desktop.opened, std::vector<std::string>{zrn});
    EXPECT_EQ(
        shownBoxes(fakes.messages),
        Boxes{fakes.files.installDir + "/FLC/G06Flc150908\nFile not found | Open File Error | warning"});
}

TEST_F(HelpViewsTest, TheScopeGridAndScalesAreThoseOfTheLayout) {
    const std::vector<ScopeScaleLabel> labels = scopeScaleLabels();
    ASSERT_EQ(labels.size(), 34u);
    const auto find = [&labels](const std::string& name) {
        return *std::find_if(labels.begin(), labels.end(),
                             [&](const ScopeScaleLabel& l) { return l.name == name; });
    };
    struct Case {
        const char* name;
        const char* text;
        int left, top;
        bool blue;
    };
    for (const Case& c :
         {Case{"tLabel10", "0000", 100, 508, false}, Case{"tLabel19", "0900", 1000, 508, false},
          Case{"tLabel23", "0300", 400, 524, true}, Case{"pLabel16", "0600", 44, 488, false},
          Case{"pLabel20", "0000", 44, 20, true}, Case{"pLabel26", "0600", 44, 500, true}}) {
        const ScopeScaleLabel label = find(c.name);
        EXPECT_EQ(std::make_tuple(label.text, label.left, label.top, label.secondSet),
                  std::make_tuple(std::string(c.text), c.left, c.top, c.blue))
            << c.name;
    }
    const std::vector<ScopeLine> lines = scopeGridLines();
    ASSERT_EQ(lines.size(), 4u + 9u + 6u);
    EXPECT_TRUE(std::all_of(lines.begin(), lines.begin() + 4,
                            [](const ScopeLine& l) { return !l.dashed && l.width == 2; }));
    EXPECT_EQ(std::make_tuple(lines[12].x1, lines[12].x2, lines[12].y2), std::make_tuple(900, 900, 480));
    EXPECT_EQ(std::make_tuple(lines[18].x2, lines[18].y1, lines[18].dashed),
              std::make_tuple(1020, 480, true));
    EXPECT_EQ(scopeMouseText(0, 0), "(X,Y)=0,0");
    EXPECT_EQ(scopeMouseText(250, 120), "(X,Y)=250,120");
}

TEST_F(HelpViewsTest, TheStatusTextNamesTheTypeAndCapacity) {
    initPmwImageByType(5);
    pmw.setMemSizeCode(8);
    const std::pair<int, const char*> cases[] = {
        {1, "Type=q0 MemorySize=8k"}, {2, "Type=q5 MemorySize=8k"}, {4, "Type=q4 MemorySize=8k"},
        {5, "Type=q3 MemorySize=8k"}, {6, "Type=q1 MemorySize=8k"}, {7, "Type=q2 MemorySize=8k"},
        {3, "Type Error... "},        {0, "Type Error... "},        {8, "Type Error... "},
        {-1, "Type Error... "},
    };
    for (const auto& [type, text] : cases) {
        showPlcTypeAndMemorySize(type);
        EXPECT_EQ(fakes.statusBar.panelText(0), text) << type;
    }
}

TEST_F(HelpViewsTest, TheScopeItemOpensTheScopeAndAsksForARepaint) {
    redrawFlags = 0;
    Oscilloscope1Click();
    EXPECT_EQ(wizardsDialogs.shown, std::vector<std::string>{"Oscilloscope"});
    EXPECT_EQ(redrawFlags, 0x06);
}

}  // namespace
}  // namespace kestrion::test
