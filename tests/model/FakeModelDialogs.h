#pragma once

#include <functional>
#include <vector>

#include "model/ladder/ModelDialogs.h"

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
    std::function<PlcTypeFormResult(std::int32_t plcType, std::int32_t memSizeCode)> plcTypeAnswer;
    std::vector<PlcTypeFormRequest> plcTypeRequests;
};

}  // namespace kestrion::test
