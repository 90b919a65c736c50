// The diagnostics dialog as a Qt window.
#pragma once

#include "diagnostics/DiagnosticsDialogs.h"

namespace kestrion::forms {

class QtDiagnosticsDialogs : public DiagnosticsDialogs {
public:
    void errMsg1(const std::string& caption) override;
};

}  // namespace kestrion::forms
