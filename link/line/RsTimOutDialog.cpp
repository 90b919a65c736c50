#include "link/line/RsTimOutDialog.h"

namespace kestrion {

namespace {

constexpr int kTimeOutChoices = 10;
constexpr int kRetryChoices = 5;

// The number text "1".."count" as index 0..count-1, -1 for any other text.
int indexOfNumberText(const std::string& text, int count) {
    for (int i = 0; i < count; ++i)
        if (text == std::to_string(i + 1)) return i;
    return -1;
}

// The box's text after the user chose or typed one; index follows it.
std::string changeChoice(const std::string& text, int count, int& index) {
    index = indexOfNumberText(text, count);
    if (index >= 0) return text;
    index = 0;
    return "1";
}

}  // namespace

std::string RsTimOutDialog::timeOutText() {
    if (timeOutIndex < 0 || timeOutIndex >= kTimeOutChoices) timeOutIndex = kTimeOutChoices - 1;
    return std::to_string(timeOutIndex + 1);
}

std::string RsTimOutDialog::retryText() {
    if (retryIndex < 0 || retryIndex >= kRetryChoices) retryIndex = 0;
    return std::to_string(retryIndex + 1);
}

std::string RsTimOutDialog::TimeOutComboBoxChange(const std::string& text) {
    return changeChoice(text, kTimeOutChoices, timeOutIndex);
}

std::string RsTimOutDialog::RetryComboBoxChange(const std::string& text) {
    return changeChoice(text, kRetryChoices, retryIndex);
}

}  // namespace kestrion
