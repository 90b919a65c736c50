#include "model/WindowSteps.h"

namespace kestrion {

namespace {

// Not part of the state: the window installs them once.
constinit WindowSteps installedSteps;

}  // namespace

void setWindowSteps(const WindowSteps& steps) {
    installedSteps = steps;
}

const WindowSteps& windowSteps() {
    return installedSteps;
}

}  // namespace kestrion
