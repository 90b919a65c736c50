#include "model/forms/QtModelDialogs.h"

#include <QApplication>

#include "model/forms/PlcTypeForm.h"
#include "model/forms/StackCodeForm.h"

namespace kestrion::forms {

void QtModelDialogs::showStackCode(const StackCodeView& view) {
    showStackCodeForm(view);
}

PlcTypeFormResult QtModelDialogs::showPlcTypeForm(std::int32_t plcType, std::int32_t memSizeCode) {
    return forms::showPlcTypeForm(plcType, memSizeCode, QApplication::activeWindow());
}

}  // namespace kestrion::forms
