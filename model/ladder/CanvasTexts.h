// The texts of the canvas's boxes in the interface language. The language floor above keeps the
// texts; its implementation is installed at start-up beside the dialogs (model/core/DialogSeam.h),
// and tests install it through their fixture.
#pragma once

#include <string>

#include "model/core/DialogSeam.h"

namespace kestrion {

class CanvasTexts {
public:
    static constexpr const char* seamName = "canvas texts";
    virtual ~CanvasTexts() = default;
    // The device-too-much text of a ladder too wide for the canvas.
    virtual std::string deviceTooMuch() = 0;
};

inline CanvasTexts& canvasTexts() {
    return DialogSeam<CanvasTexts>::get();
}

}  // namespace kestrion
