// The dialogs of the interface-language services that other routines open: the application
// message pop-up. The Qt one lives in lang/forms/ and is installed at start-up; tests install fakes.
#pragma once

#include "lang/AppMessage.h"
#include "model/core/DialogSeam.h"

namespace kestrion {

class LangDialogs {
public:
    static constexpr const char* seamName = "language dialogs";
    virtual ~LangDialogs() = default;
    // Shows the pop-up modally until the user closes it.
    virtual void appMessage(const AppMessage& message) = 0;
};

inline LangDialogs& langDialogs() {
    return DialogSeam<LangDialogs>::get();
}

}  // namespace kestrion
