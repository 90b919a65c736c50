// The scope view (TOscilloscopeForm): an empty measuring grid with two colour-coded sets of value and
// time scales, and the mouse position over the plot area. It plots no data.
#pragma once

#include <string>
#include <vector>

namespace kestrion {

constexpr int kScopePlotWidth = 1000;
constexpr int kScopePlotHeight = 480;

struct ScopeScaleLabel {
    std::string name;  // tLabel10 .. tLabel29, pLabel10 .. pLabel26
    std::string text;
    int left = 0;  // in the panel that holds the plot area
    int top = 0;
    bool secondSet = false;  // blue; the first set is purple
};
std::vector<ScopeScaleLabel> scopeScaleLabels();

struct ScopeLine {
    int x1, y1, x2, y2;
    bool dashed;
    int width;
};
// The frame (solid, 2 pixels) and the dashed grid, in plot-area pixels, in drawing order.
std::vector<ScopeLine> scopeGridLines();

// Status panel 0 while the mouse moves over the plot area.
std::string scopeMouseText(int x, int y);

// Monitor > Oscilloscope.
void Oscilloscope1Click();

}  // namespace kestrion
