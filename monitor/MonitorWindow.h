// What the monitor asks of the main window it runs in: its panels take the ladder's place and give
// it back, so the ladder's tool bar and function keys are laid out anew; and a registration shows
// the rows it has added before the dialog for the next batch opens. The main window implements it
// (app/forms); the program installs it at start-up beside the dialogs (model/core/DialogSeam.h),
// tests install fakes through their fixture.
#pragma once

#include "model/core/DialogSeam.h"

namespace kestrion {

class MonitorWindow {
public:
    static constexpr const char* seamName = "monitor window";
    virtual ~MonitorWindow() = default;
    // The ladder's tool bar and function keys laid out for a view mode: 1 the ladder, 0 another
    // view in its place.
    virtual void layOutLadderButtons(int viewMode) = 0;
    // The window shows the monitor's state now, in the middle of a command.
    virtual void refresh() = 0;
};

inline MonitorWindow& monitorWindow() {
    return DialogSeam<MonitorWindow>::get();
}

}  // namespace kestrion
