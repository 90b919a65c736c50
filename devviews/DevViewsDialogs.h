// The windows of the developer views as the menu items open them. The Qt ones live in
// devviews/forms/ and are installed at start-up; tests install a fake.
#pragma once

#include <string>
#include <vector>

#include "model/core/DialogSeam.h"

namespace kestrion {

// A read-only text view: the form's object name, its caption and its lines.
struct DevTextView {
    std::string formName;
    std::string caption;
    std::vector<std::string> lines;
};

// TViewMoreForm: the developer access. The check boxes come in with the state as it stands and
// go out with the user's choice; ok is set when the user confirmed it.
struct ViewMoreDialog {
    bool developerMenus = false;  // the hidden menus xRS and xTHIS shown
    bool developerViews = false;  // bDeveloperViews: the entry device monitor's trace memos shown
    bool ok = false;
};

class DevViewsDialogs {
public:
    static constexpr const char* seamName = "developer views";
    virtual ~DevViewsDialogs() = default;
    // Shows the view modally until the user closes it; the window is made for it and destroyed.
    virtual void showTextView(const DevTextView& view) = 0;
    // Shows TViewMoreForm modally.
    virtual void viewMore(ViewMoreDialog& dialog) = 0;
    // Shows or hides the main window's menus xRS and xTHIS.
    virtual void showDeveloperMenus(bool shown) = 0;
    // The math test view (devviews/MathTest.h), modal until the user closes it.
    virtual void mathTest() = 0;
};

inline DevViewsDialogs& devViewsDialogs() {
    return DialogSeam<DevViewsDialogs>::get();
}

}  // namespace kestrion
