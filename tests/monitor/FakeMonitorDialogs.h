#pragma once

#include "monitor/DeviceUsage.h"

namespace kestrion::test {

class FakeMonitorDialogs : public MonitorDialogs {
public:
    void deviceList(const std::string& caption) override { shownLists.push_back(caption); }
    std::vector<std::string> shownLists;
};

}  // namespace kestrion::test
