#pragma once

#include <functional>
#include <string>
#include <vector>

#include "monitor/access/AccessDialogs.h"

namespace kestrion::test {

// Each window runs its show handler, then the test's script.
class FakeAccessDialogs : public AccessDialogs {
public:
    void anyAddress(AnyAddressDialog& dialog) override {
        captions.push_back(dialog.caption);
        dialog.FormShow();
        if (anyAddressScript) anyAddressScript(dialog);
    }
    void axisMonitor(AxisMonitorDialog& dialog, const std::string& caption) override {
        captions.push_back(caption);
        dialog.FormShow();
        if (axisScript) axisScript(dialog);
    }
    void machineCode(const std::string& caption, int selection) override {
        captions.push_back(caption + ":" + std::to_string(selection));
    }
    void softwareVariables(const std::string& caption, int width, int height) override {
        captions.push_back(caption + ":" + std::to_string(width) + "x" + std::to_string(height));
    }
    std::vector<std::string> captions;
    std::function<void(AnyAddressDialog&)> anyAddressScript;
    std::function<void(AxisMonitorDialog&)> axisScript;
};

}  // namespace kestrion::test
