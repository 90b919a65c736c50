// The dialogs and main-window services of the instruction box: the box itself over the ladder
// cursor, the device entry dialog, and the memo and hidden menu items the box reaches. The Qt ones
// live in entry/forms/ and are installed at start-up; tests install fakes.
#pragma once

#include <cstdint>

#include "entry/InputDeviceDialog.h"
#include "model/core/DialogSeam.h"

namespace kestrion {

struct EditKeyBox;

// Menu items an access code reveals.
enum class HiddenItems { MoreView, DemoKit };

class EntryDialogs {
public:
    static constexpr const char* seamName = "entry dialogs";
    virtual ~EntryDialogs() = default;
    // Shows TEditKeyForm modally at the ladder cursor; its keys go through the box's rules until
    // they close it.
    virtual void editKey(EditKeyBox& box) = 0;
    // Shows TInputDeviceForm modally with the symbol of dialog.paintSymbleCode.
    virtual void inputDevice(InputDeviceDialog& dialog) = 0;
    virtual void hideInstrMemoScreen() = 0;
    virtual void revealHiddenItems(HiddenItems items) = 0;
};

inline EntryDialogs& entryDialogs() {
    return DialogSeam<EntryDialogs>::get();
}

}  // namespace kestrion
