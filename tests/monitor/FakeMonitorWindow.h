// The main window as the monitor's tests see it: each layout of the ladder's buttons by its view
// mode, and each refresh, which may run a check of the test's at that moment.
#pragma once

#include <functional>
#include <vector>

#include "monitor/MonitorWindow.h"

namespace kestrion::test {

class FakeMonitorWindow : public MonitorWindow {
public:
    void layOutLadderButtons(int viewMode) override { layouts.push_back(viewMode); }
    void refresh() override {
        ++refreshes;
        if (onRefresh) onRefresh();
    }

    std::vector<int> layouts;
    int refreshes = 0;
    std::function<void()> onRefresh;
};

}  // namespace kestrion::test
