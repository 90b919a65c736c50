#include "wizards/forms/QtWizardsDialogs.h"

#include "wizards/forms/AutoLinkForm.h"
#include "wizards/forms/AxisForms.h"
#include "wizards/forms/CcLinkForm.h"
#include "wizards/forms/DeclaredForm1.h"
#include "wizards/forms/OscilloscopeForm.h"
#include "wizards/forms/PictureForms.h"
#include "wizards/forms/RotaryCutForm1.h"
#include "wizards/forms/SystemSetupForm.h"

namespace kestrion::forms {

void QtWizardsDialogs::systemSetup(SystemSetupDialog& dialog) {
    runSystemSetupForm(dialog);
}

void QtWizardsDialogs::declared(DeclaredDialog& dialog) {
    runDeclaredForm1(dialog);
}

void QtWizardsDialogs::oscilloscope(const std::string& caption) {
    runOscilloscopeForm(caption);
}

void QtWizardsDialogs::productMemo(const std::string& caption, int topic) {
    runProductMemoForm(caption, topic);
}

void QtWizardsDialogs::imageView(const std::string& caption, int topic, int width, int height) {
    runImageForm1(caption, topic, width, height);
}

void QtWizardsDialogs::flowChart(int width, int height) {
    runFlowChartForm(width, height);
}

void QtWizardsDialogs::autoLink(AutoLinkCalculator& calculator) {
    runAutoLinkForm(calculator);
}

void QtWizardsDialogs::axisControl(AxisControlDialog& dialog) {
    runSubForm1(dialog);
}

void QtWizardsDialogs::rotaryCut(RotaryCutCalculator& calculator) {
    runRotaryCutForm1(calculator);
}

void QtWizardsDialogs::axisPanel() {
    runAxisControlForm1();
}

void QtWizardsDialogs::ccLink(CcLinkDialog& dialog) {
    runCcLinkForm(dialog);
}

void QtWizardsDialogs::ccGateModbus(CcGateModbusDialog& dialog) {
    runCcGateModbusForm(dialog);
}

}  // namespace kestrion::forms
