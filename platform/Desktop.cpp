#include "platform/Desktop.h"

#include <stdexcept>

namespace kestrion::platform {

namespace {

Desktop* current = nullptr;

}  // namespace

void installDesktop(Desktop* desktop) {
    current = desktop;
}

bool desktopInstalled() {
    return current != nullptr;
}

Desktop& desktop() {
    if (current == nullptr) throw std::logic_error("platform service not installed: desktop");
    return *current;
}

}  // namespace kestrion::platform
