#include "entry/forms/QtEntryDialogs.h"

#include "entry/forms/EditKeyForm.h"
#include "entry/forms/InputDeviceForm.h"

namespace kestrion::forms {

void QtEntryDialogs::editKey(EditKeyBox& box) {
    runEditKeyForm(box, ladderArea_);
    hideInstrMemoScreen();
}

void QtEntryDialogs::inputDevice(InputDeviceDialog& dialog) {
    runInputDeviceForm(dialog);
}

void QtEntryDialogs::hideInstrMemoScreen() {
    if (instrMemo_ != nullptr) instrMemo_->hide();
}

void QtEntryDialogs::revealHiddenItems(HiddenItems items) {
    if (reveal_) reveal_(items);
}

}  // namespace kestrion::forms
