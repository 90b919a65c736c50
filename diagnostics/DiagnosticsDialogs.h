// The diagnostics dialog as the entry handlers open it. The Qt one lives in diagnostics/forms/ and is
// installed at start-up; tests install a fake.
#pragma once

#include <string>

#include "model/core/DialogSeam.h"

namespace kestrion {

class DiagnosticsDialogs {
public:
    static constexpr const char* seamName = "diagnostics dialogs";
    virtual ~DiagnosticsDialogs() = default;
    // Shows TErrMsg1Form modally with the caption until the user closes it.
    virtual void errMsg1(const std::string& caption) = 0;
};

inline DiagnosticsDialogs& diagnosticsDialogs() {
    return DialogSeam<DiagnosticsDialogs>::get();
}

}  // namespace kestrion
