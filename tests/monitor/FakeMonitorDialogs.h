#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "monitor/MonitorDialogs.h"

namespace kestrion::test {

// A registration dialog typed into: the device text, the count, the size index, the format text;
// with none left it is cancelled.
struct RegisterEntry {
    std::string device;
    std::string count = "1";
    int size = 0;
    std::string format = "Decimal";
};

class FakeMonitorDialogs : public MonitorDialogs {
public:
    void deviceList(const std::string& caption) override { shownLists.push_back(caption); }
    void registerDevice(RegisterDeviceDialog& dialog) override {
        captions.push_back(dialog.caption);
        if (whileRegistering) whileRegistering();
        dialog.FormShow();
        if (registerEntries.empty()) return dialog.btnCancelClick();
        const RegisterEntry entry = registerEntries.front();
        registerEntries.pop_front();
        dialog.MonDeviceEdit1Change(entry.device);
        dialog.MonDeviceNoEdit2Change(entry.count);
        dialog.registerDeviceRadioGroupClick(entry.size);
        dialog.dispTypeComboBoxChange(entry.format);
        dialog.btnRegisterClick();
    }
    void changeValue(CvChangeDialog& dialog) override {
        captions.push_back(dialog.caption);
        dialog.FormShow();
        if (changeValueScript) changeValueScript(dialog);
    }
    void entryDeviceMonitor(EntryDeviceMonitorDialog& dialog) override {
        captions.push_back(dialog.caption);
        dialog.FormShow();
        if (entryScript) entryScript(dialog);
    }
    std::vector<std::string> shownLists;
    std::vector<std::string> captions;
    std::deque<RegisterEntry> registerEntries;
    std::function<void(CvChangeDialog&)> changeValueScript;
    std::function<void()> whileRegistering;  // runs while the registration dialog is open
    std::function<void(EntryDeviceMonitorDialog&)> entryScript;
};

}  // namespace kestrion::test
