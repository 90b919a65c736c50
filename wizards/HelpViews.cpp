#include "wizards/HelpViews.h"

#include "model/core/MainState.h"
#include "wizards/DataFiles.h"
#include "wizards/WizardsDialogs.h"

namespace kestrion {

namespace {

constexpr int kFlowChartTopic = 9;

struct CaptionPicture {
    const char* caption;
    const char* tablePath;
};
constexpr CaptionPicture kCaptionPictures[] = {
    {"FlowChart-G06Flc150908", "\\FLC\\G06Flc150908.jpg"},
    {"FlowChart-ZrnFlc150908", "\\FLC\\ZrnFlc150908.jpg"},
};

void showFlowChartPicture(const char* caption) {
    wizardsDialogs().imageView(caption, kFlowChartTopic, eightTenths(screenWidth), eightTenths(screenHeight));
}

}  // namespace

const FlowChartProgram kFlowChartPrograms[2] = {
    {"ZrnFlc", "\\FLC\\ZrnFlc150908"},
    {"G06Flc", "\\FLC\\G06Flc150908"},
};

std::vector<std::string> productMemoLines(int topic) {
    if (topic != 1) return {"msgMemo"};
    return {
        " *D8110=mSnnH *[m]:OccupyStationNumber(1-4) *[S]:Baudrate(0-4) *[nn]:StationNo.(1-64)",
        "",
        "  *[m]=0:Occupy[1]station, *=1:Occupy[2]station, *=2:Occupy[3]station, *=3:Occupy[4]station",
        "  *[S]=0::156Kbps, *=1::625Kbps, *=2::2.5Mbps, *=3::5Mbps, *=4::10Mbps",
        "  *[nn]=StationNumber (1 to 64)",
    };
}

std::string imagePicturePath(int topic, const std::string& caption) {
    std::string picture;
    if (topic == 0) picture = dataFilePath("\\Image\\ccGateModule.jpg");
    if (topic == 1) picture = dataFilePath("\\Image\\Rs485LinkModule.jpg");
    for (const CaptionPicture& entry : kCaptionPictures)
        if (caption == entry.caption) picture = dataFilePath(entry.tablePath);
    return picture;
}

std::string flowChartPicturePath() {
    return dataFilePath("\\FLC\\G06Flc150908.jpg");
}

void flowChartButtonClick(int button) {
    if (button < 0 || button > 1) return;
    openWithDesktop(dataFilePath(kFlowChartPrograms[button].tablePath));
}

int eightTenths(int screenSide) {
    return screenSide * 8 / 10;
}

void zrnFLC1Click() {
    showFlowChartPicture("FlowChart-ZrnFlc150908");
}

void G06FLC1Click() {
    showFlowChartPicture("FlowChart-G06Flc150908");
}

void FlowChart1Click() {
    wizardsDialogs().flowChart(eightTenths(screenWidth), eightTenths(screenHeight));
}

}  // namespace kestrion
