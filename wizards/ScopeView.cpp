#include "wizards/ScopeView.h"

#include <cstdio>

#include "model/ladder/EditorState.h"
#include "wizards/WizardsDialogs.h"

namespace kestrion {

namespace {

std::string fourDigits(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d", value);
    return text;
}

}  // namespace

std::vector<ScopeScaleLabel> scopeScaleLabels() {
    std::vector<ScopeScaleLabel> labels;
    for (int set = 1; set <= 2; ++set) {
        for (int k = 0; k < 10; ++k)
            labels.push_back({"tLabel" + std::to_string(set * 10 + k), fourDigits(100 * k), 100 + 100 * k,
                              set == 1 ? 508 : 524, set == 2});
        for (int k = 0; k < 7; ++k)
            labels.push_back({"pLabel" + std::to_string(set * 10 + k), fourDigits(100 * k), 44,
                              (set == 1 ? 8 : 20) + 80 * k, set == 2});
    }
    return labels;
}

std::vector<ScopeLine> scopeGridLines() {
    std::vector<ScopeLine> lines = {
        {0, 0, kScopePlotWidth, 0, false, 2},
        {kScopePlotWidth, 0, kScopePlotWidth, kScopePlotHeight, false, 2},
        {kScopePlotWidth, kScopePlotHeight, 0, kScopePlotHeight, false, 2},
        {0, kScopePlotHeight, 0, 0, false, 2},
    };
    for (int x = 100; x <= 900; x += 100) lines.push_back({x, 0, x, kScopePlotHeight, true, 1});
    // The rows run 20 pixels past the area's right edge.
    for (int y = 80; y <= kScopePlotHeight; y += 80)
        lines.push_back({0, y, kScopePlotWidth + 20, y, true, 1});
    return lines;
}

std::string scopeMouseText(int x, int y) {
    return "(X,Y)=" + std::to_string(x) + "," + std::to_string(y);
}

void Oscilloscope1Click() {
    wizardsDialogs().oscilloscope("Oscilloscope");
    requestLadderRedraw();
}

}  // namespace kestrion
