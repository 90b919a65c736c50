// The rules of the reply time-out dialog (TrsTimOutForm): a time-out of 1..10 seconds and 1..5
// tries, as indexes 0..9 and 0..4; the window only shows them.
#pragma once

#include <string>

namespace kestrion {

struct RsTimOutResult {
    bool confirmed = false;
    int timeOutIndex = 0;
    int retryIndex = 0;
};

class RsTimOutDialog {
public:
    // Set by the caller before the dialog is shown, read afterwards.
    int timeOutIndex = 0;
    int retryIndex = 0;
    // True after OK.
    bool confirmed = false;

    // The texts the boxes show; an index out of range is first brought back (the time-out to the
    // last item, the retry to the first).
    std::string timeOutText();
    std::string retryText();
    // Each returns the text its box shows afterwards; a text that is no item gives the first.
    std::string TimeOutComboBoxChange(const std::string& text);
    std::string RetryComboBoxChange(const std::string& text);
    void btnOkClick() { confirmed = true; }
    void btnCancelClick() { confirmed = false; }
    RsTimOutResult result() const { return {confirmed, timeOutIndex, retryIndex}; }
};

}  // namespace kestrion
