// The model's dialogs for tests: they record what they were asked to show and answer as scripted.
#pragma once

#include <functional>
#include <vector>

#include "model/ModelDialogs.h"

namespace kestrion::test {

struct PlcTypeFormRequest {
    std::int32_t plcType;
    std::int32_t memSizeCode;
};

class FakeModelDialogs : public ModelDialogs {
public:
    void showStackCode(const StackCodeView& view) override { stackCodeViews.push_back(view); }
    PlcTypeFormResult showPlcTypeForm(std::int32_t plcType, std::int32_t memSizeCode) override {
        plcTypeRequests.push_back({plcType, memSizeCode});
        if (plcTypeAnswer) return plcTypeAnswer(plcType, memSizeCode);
        return {0, memSizeCode, plcType};
    }
    std::vector<StackCodeView> stackCodeViews;
    // Answers the PLC type dialog; without one the dialog is cancelled with its presets unchanged.
    std::function<PlcTypeFormResult(std::int32_t plcType, std::int32_t memSizeCode)> plcTypeAnswer;
    std::vector<PlcTypeFormRequest> plcTypeRequests;
};

}  // namespace kestrion::test
