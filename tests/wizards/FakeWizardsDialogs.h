// The wizards' dialogs and the desktop service for core tests: each dialog records that it was
// shown and runs the test's script on its rules object.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Desktop.h"
#include "support/Fixture.h"
#include "wizards/WizardsDialogs.h"

namespace kestrion::test {

class FakeWizardsDialogs : public WizardsDialogs {
public:
    void systemSetup(SystemSetupDialog& dialog) override {
        shown.push_back("Options");
        if (systemSetupScript) systemSetupScript(dialog);
    }
    void declared(DeclaredDialog& dialog) override {
        shown.push_back(dialog.caption);
        declaredSeen = dialog;
        if (declaredScript) declaredScript(dialog);
    }
    void oscilloscope(const std::string& caption) override { shown.push_back(caption); }
    void productMemo(const std::string& caption, int topic) override {
        shown.push_back(caption + " " + std::to_string(topic));
    }
    void imageView(const std::string& caption, int topic, int width, int height) override {
        shown.push_back(caption + " " + std::to_string(topic) + " " + std::to_string(width) + "x" +
                        std::to_string(height));
    }
    void flowChart(int width, int height) override {
        shown.push_back("FlowChart " + std::to_string(width) + "x" + std::to_string(height));
    }

    void autoLink(AutoLinkCalculator& calculator) override {
        shown.push_back("AutoLink");
        calculator.FormShow();
        if (autoLinkScript) autoLinkScript(calculator);
    }
    void axisControl(AxisControlDialog& dialog) override {
        shown.push_back(dialog.caption);
        dialog.FormShow();
        if (axisControlScript) axisControlScript(dialog);
    }
    void rotaryCut(RotaryCutCalculator& calculator) override {
        shown.push_back("RotaryCut");
        calculator.FormShow();
        if (rotaryCutScript) rotaryCutScript(calculator);
    }
    void axisPanel() override { shown.push_back("Axis control"); }
    void ccLink(CcLinkDialog& dialog) override {
        shown.push_back(dialog.caption);
        if (ccLinkScript) ccLinkScript(dialog);
    }
    void ccGateModbus(CcGateModbusDialog& dialog) override {
        shown.push_back(dialog.caption);
        if (ccGateModbusScript) ccGateModbusScript(dialog);
    }

    std::vector<std::string> shown;
    std::function<void(AutoLinkCalculator&)> autoLinkScript;
    std::function<void(AxisControlDialog&)> axisControlScript;
    std::function<void(RotaryCutCalculator&)> rotaryCutScript;  // the dialogs in the order they were shown
    std::function<void(SystemSetupDialog&)> systemSetupScript;
    std::function<void(DeclaredDialog&)> declaredScript;
    std::function<void(CcLinkDialog&)> ccLinkScript;
    std::function<void(CcGateModbusDialog&)> ccGateModbusScript;
    DeclaredDialog declaredSeen;
};

class FakeDesktop : public platform::Desktop {
public:
    bool openWithHandler(const std::string& path) override {
        opened.push_back(path);
        return true;
    }
    std::vector<std::string> opened;
};

// Core tests of the wizards: the fakes of every folder and the wizards' own.
class WizardsTest : public CoreTest {
protected:
    WizardsTest() { platform::installDesktop(&desktop); }
    ~WizardsTest() override { platform::installDesktop(nullptr); }

    FakeWizardsDialogs wizardsDialogs;
    FakeDesktop desktop;

private:
    InstalledDialogs<WizardsDialogs> installed_{wizardsDialogs};
};

}  // namespace kestrion::test
