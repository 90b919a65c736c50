// The dialogs of the interface-language services: the application message pop-up that other
// routines open, and the about box of the Help menu. The Qt ones live in lang/forms/ and are
// installed at start-up; tests install fakes.
#pragma once

#include <string>

#include "lang/AppMessage.h"
#include "model/core/DialogSeam.h"

namespace kestrion {

// The about box (TAboutTovelForm, or TAboutMarboForm for the second brand), its texts in the
// interface language.
struct AboutBox {
    std::string caption;
    std::string title;  // the product word and the version
    std::string purpose;
    std::string maker;
    std::string ok;
    bool secondBrand = false;  // the second brand's box
};

class LangDialogs {
public:
    static constexpr const char* seamName = "language dialogs";
    virtual ~LangDialogs() = default;
    // Shows the pop-up modally until the user closes it.
    virtual void appMessage(const AppMessage& message) = 0;
    // Shows the about box modally until the user closes it.
    virtual void about(const AboutBox& box) = 0;
};

inline LangDialogs& langDialogs() {
    return DialogSeam<LangDialogs>::get();
}

}  // namespace kestrion
