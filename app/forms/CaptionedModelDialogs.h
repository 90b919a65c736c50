// The model's dialogs sit below the text table; the main window shows them in the interface
// language through this one.
#pragma once

#include "model/forms/QtModelDialogs.h"

namespace kestrion::forms {

class CaptionedModelDialogs final : public QtModelDialogs {
public:
    PlcTypeFormResult showPlcTypeForm(std::int32_t plcType, std::int32_t memSizeCode) override;
    void showStackCode(const StackCodeView& view) override;
};

}  // namespace kestrion::forms
