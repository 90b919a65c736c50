// The model's dialogs as Qt windows.
#pragma once

#include "model/ladder/ModelDialogs.h"

namespace kestrion::forms {

class QtModelDialogs : public ModelDialogs {
public:
    void showStackCode(const StackCodeView& view) override;
    PlcTypeFormResult showPlcTypeForm(std::int32_t plcType, std::int32_t memSizeCode) override;
};

}  // namespace kestrion::forms
