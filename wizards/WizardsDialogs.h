// The dialogs of the wizards: the Options dialog, the template disclaimer, the scope, help text,
// picture and flow-chart views, the calculators and the gateway dialogs. Their rules are the
// Qt-free classes beside them; the Qt ones live in wizards/forms/ and are installed at start-up;
// tests install fakes.
#pragma once

#include <string>

#include "model/core/DialogSeam.h"
#include "wizards/DisplayOptions.h"
#include "wizards/calculators/AutoLinkCalculator.h"
#include "wizards/calculators/AxisControlDialog.h"
#include "wizards/calculators/RotaryCutCalculator.h"
#include "wizards/gateway/CcLinkDialog.h"
#include "wizards/gateway/GatewayProgram.h"

namespace kestrion {

class WizardsDialogs {
public:
    static constexpr const char* seamName = "wizards dialogs";
    virtual ~WizardsDialogs() = default;
    // TSystemSetupForm on the caller's preset rules; its boxes write viewFlags as they are clicked.
    virtual void systemSetup(SystemSetupDialog& dialog) = 0;
    // TDeclaredForm1 laid out and filled by the caller; the answer is left in the rules object.
    virtual void declared(DeclaredDialog& dialog) = 0;
    // TOscilloscopeForm, TProductMemoForm, TImageForm1 and TFlowChartForm, modal, closed by the user.
    virtual void oscilloscope(const std::string& caption) = 0;
    virtual void productMemo(const std::string& caption, int topic) = 0;
    virtual void imageView(const std::string& caption, int topic, int width, int height) = 0;
    virtual void flowChart(int width, int height) = 0;
    // The calculators on the caller's rules objects, modal; their "Help ..." buttons open the
    // device-usage report over them. Nothing is read back.
    virtual void autoLink(AutoLinkCalculator& calculator) = 0;
    virtual void axisControl(AxisControlDialog& dialog) = 0;
    virtual void rotaryCut(RotaryCutCalculator& calculator) = 0;
    // TAxisControlForm1, the axis panel of the factory menu.
    virtual void axisPanel() = 0;
    // The gateway setup dialog (TccLinkForm), created by the caller (CcLinkDialog::create), and the
    // gateway program dialog (TccGateModbusForm); modal, the answers left in the rules objects.
    virtual void ccLink(CcLinkDialog& dialog) = 0;
    virtual void ccGateModbus(CcGateModbusDialog& dialog) = 0;
};

inline WizardsDialogs& wizardsDialogs() {
    return DialogSeam<WizardsDialogs>::get();
}

}  // namespace kestrion
