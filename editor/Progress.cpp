#include "editor/Progress.h"

#include "platform/ProgressStep.h"

namespace kestrion {

void showProgress(TProgressForm* /*form*/, int steps, const std::string& text) {
    platform::showProgressWindow(text, steps);
}

}  // namespace kestrion
