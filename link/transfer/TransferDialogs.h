// The transfers' dialogs: the program-write dialog (TProgWriteForm) and the register dialog
// (TRegisterViewForm), with their rules; the windows only show the fields and pass the clicks on.
// The Qt ones live in link/forms/ and are installed at start-up; tests install fakes.
#pragma once

#include <cstdint>
#include <string>

#include "link/transfer/RegisterGrid.h"
#include "model/core/DialogSeam.h"

namespace kestrion {

class ProgWriteDialog {
public:
    static constexpr std::int32_t kAllRange = 0;      // the whole capacity, N × 1000 steps
    static constexpr std::int32_t kRangeSetting = 1;  // step 0 to the program's end step

    std::string caption = "Program write";
    std::uint8_t accepted = 0;
    std::int32_t rangeMode = kAllRange;
    std::int32_t startStep = 0;
    std::int32_t endStep = 0;

    void RadioButtonAllRangeClick() { rangeMode = kAllRange; }
    void RadioButtonRangeSettingClick() { rangeMode = kRangeSetting; }
    void btnOkClick() { accepted = 1; }
    void btnCancelClick() { accepted = 0; }
};

// "D register": D0 upward in unsigned decimal, ten a row. What is typed into it stays in the
// dialog.
class RegisterViewDialog {
public:
    std::string caption = "D register";
    int plcType = 0;
    RegisterGrid grid;
    std::uint8_t updated = 0;

    void FormShow() { grid = registerDialogGrid(plcType); }
    void btnOkClick() { updated = 1; }
    void btnCancelClick() { updated = 0; }
};

class TransferDialogs {
public:
    static constexpr const char* seamName = "transfer dialogs";
    virtual ~TransferDialogs() = default;
    // TProgWriteForm and TRegisterViewForm, modal, on the caller's preset rules objects.
    virtual void progWrite(ProgWriteDialog& dialog) = 0;
    virtual void registerView(RegisterViewDialog& dialog) = 0;
};

inline TransferDialogs& transferDialogs() {
    return DialogSeam<TransferDialogs>::get();
}

}  // namespace kestrion
