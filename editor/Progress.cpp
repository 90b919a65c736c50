#include "editor/Progress.h"

#include "platform/Services.h"

namespace kestrion {

void showProgress(TProgressForm* /*form*/, int steps, const std::string& text) {
    platform::progress().show(text, 0, steps < 0 ? 0 : steps);
    platform::progress().setPosition(0);
}

}  // namespace kestrion
