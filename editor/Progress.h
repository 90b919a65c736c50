// The progress window of the long ladder operations (the converters, the loader, the transfers).
#pragma once

#include <string>

namespace kestrion {

class TProgressForm;  // the window itself; the platform's progress service stands for it

// Shows the progress window when it is hidden, captions it with text and sets its bar to the range
// 0 .. steps at position 0. Callers advance the position by one per step and hide the window at
// the end. The form argument is kept for the callers' sake and not used.
void showProgress(TProgressForm* form, int steps, const std::string& text);

}  // namespace kestrion
