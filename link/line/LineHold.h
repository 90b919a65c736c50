// A running poll can hold its next request for a click that needs the line: the poll's request
// waits in the message loop, so a click made meanwhile would find the line busy. The click waits
// instead (runWhenLineFree in link/forms) until the poll lets it through, and tells the poll when it
// has run. The monitor implements the hold; the program installs it at start-up beside the dialogs
// (model/core/DialogSeam.h), tests install it through their fixture. Without one, a click never waits.
#pragma once

#include "model/core/DialogSeam.h"

namespace kestrion {

class LineHold {
public:
    static constexpr const char* seamName = "line hold";
    virtual ~LineHold() = default;
    // True when the click has to wait for the poll's request to end.
    virtual bool holdForClick() = 0;
    // The click has run: the poll may go on.
    virtual void release() = 0;
};

inline bool holdLineForClick() {
    return DialogSeam<LineHold>::installed() && DialogSeam<LineHold>::get().holdForClick();
}

inline void releaseLineHold() {
    if (DialogSeam<LineHold>::installed()) DialogSeam<LineHold>::get().release();
}

}  // namespace kestrion
