// The wizards' dialogs as Qt windows.
#pragma once

#include "wizards/WizardsDialogs.h"

namespace kestrion::forms {

class QtWizardsDialogs : public WizardsDialogs {
public:
    void systemSetup(SystemSetupDialog& dialog) override;
    void declared(DeclaredDialog& dialog) override;
    void oscilloscope(const std::string& caption) override;
    void productMemo(const std::string& caption, int topic) override;
    void imageView(const std::string& caption, int topic, int width, int height) override;
    void flowChart(int width, int height) override;
    void autoLink(AutoLinkCalculator& calculator) override;
    void axisControl(AxisControlDialog& dialog) override;
    void rotaryCut(RotaryCutCalculator& calculator) override;
    void axisPanel() override;
    void ccLink(CcLinkDialog& dialog) override;
    void ccGateModbus(CcGateModbusDialog& dialog) override;
};

}  // namespace kestrion::forms
