// The rules of the remote RUN/STOP dialog (TRunStopForm) and the memory-clear dialog
// (TMemoryClearForm); the windows only show the controls and pass the clicks on.
#pragma once

#include <cstdint>

namespace kestrion {

struct RunStopResult {
    std::uint8_t okPressed = 0;
    std::uint8_t runRequest = 0;  // 1: RUN chosen, 0: STOP
};

class RunStopDialog {
public:
    static constexpr int kRunItem = 0;
    static constexpr int kStopItem = 1;
    int itemIndex = kRunItem;  // RunStopRadioGroup; RUN is preselected
    std::uint8_t runRequest = 0;
    std::uint8_t okPressed = 0;

    void RunStopRadioGroupClick() {}
    void btnOkClick() {
        runRequest = itemIndex == kRunItem ? 1 : 0;
        okPressed = 1;
    }
    void btnCancelClick() { okPressed = 0; }
    RunStopResult result() const { return {okPressed, runRequest}; }
};

struct MemoryClearResult {
    std::uint8_t okPressed = 0;
    std::uint8_t clearProgram = 0;
    std::uint8_t clearData = 0;
    std::uint8_t clearBits = 0;
};

class MemoryClearDialog {
public:
    // progCheckBox, dataCheckBox, bitsCheckBox.
    bool programChecked = false;
    bool dataChecked = false;
    bool bitsChecked = false;
    MemoryClearResult fields;

    void btnOkClick() {
        fields = {1, programChecked ? std::uint8_t{1} : std::uint8_t{0},
                  dataChecked ? std::uint8_t{1} : std::uint8_t{0},
                  bitsChecked ? std::uint8_t{1} : std::uint8_t{0}};
    }
    void btnCancelClick() { fields.okPressed = 0; }
    MemoryClearResult result() const { return fields; }
};

}  // namespace kestrion
