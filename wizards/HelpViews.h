// The help text view (TProductMemoForm), the picture view (TImageForm1) and the flow-chart page
// (TFlowChartForm): what each shows. Pictures that are not there leave the view empty.
#pragma once

#include <string>
#include <vector>

namespace kestrion {

// The memo's lines for a help topic; any topic but 1 keeps the memo's design text.
std::vector<std::string> productMemoLines(int topic);

// The picture the picture view loads for its topic and window caption: the module pictures of
// topics 0 and 1, the flow charts by caption (a caption wins over the topic). Empty when neither
// names one.
std::string imagePicturePath(int topic, const std::string& caption);

// The flow-chart page's picture and the programs its two buttons start.
std::string flowChartPicturePath();
struct FlowChartProgram {
    const char* caption;
    const char* tablePath;
};
extern const FlowChartProgram kFlowChartPrograms[2];
// Button1Click (0) and Button2Click (1): the program started with the desktop's handler; a missing
// one is named in a box. Button3 ("PDF") does nothing.
void flowChartButtonClick(int button);

// The windows sized to the screen: 8/10 of each side.
int eightTenths(int screenSide);

// The flow-chart items of the template menu and the main window.
void zrnFLC1Click();
void G06FLC1Click();
void FlowChart1Click();

}  // namespace kestrion
