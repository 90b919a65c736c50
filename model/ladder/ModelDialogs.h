// The dialogs that routines of the model open in the middle of their work. The Qt ones live in
// model/forms/ and are installed at start-up; tests install fakes.
#pragma once

#include <cstdint>

#include "model/core/DialogSeam.h"
#include "model/image/PlcTypeDialog.h"
#include "model/ladder/StackCodeView.h"

namespace kestrion {

class ModelDialogs {
public:
    static constexpr const char* seamName = "model dialogs";
    virtual ~ModelDialogs() = default;
    // Shows the stack-code view modally and hides it again when the user closes it.
    virtual void showStackCode(const StackCodeView& view) = 0;
    // The PLC type dialog, preset with the program's type and memory size code.
    virtual PlcTypeFormResult showPlcTypeForm(std::int32_t plcType, std::int32_t memSizeCode) = 0;
};

inline ModelDialogs& modelDialogs() {
    return DialogSeam<ModelDialogs>::get();
}

}  // namespace kestrion
