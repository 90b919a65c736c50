// The dialogs of the wizards: the Options dialog, the template disclaimer, the scope, help text,
// picture and flow-chart views. Their rules are the Qt-free classes beside them; the Qt ones live
// in wizards/forms/ and are installed at start-up; tests install fakes.
#pragma once

#include <string>

#include "model/core/DialogSeam.h"
#include "wizards/DisplayOptions.h"

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
};

inline WizardsDialogs& wizardsDialogs() {
    return DialogSeam<WizardsDialogs>::get();
}

}  // namespace kestrion
