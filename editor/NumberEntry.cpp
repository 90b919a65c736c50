#include <charconv>

#include "editor/EditorDialogs.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

bool acceptNumberKey(char key, const std::string& caption) {
    const auto code = static_cast<unsigned char>(key);
    if ((key >= '0' && key <= '9') || code < 0x20 || code == 0x7F) return true;
    platform::say({"Character must be 0 ~ 9", caption, platform::MsgIcon::None});
    return false;
}

NumberEntryResult numberEntryResult(bool okPressed, const std::string& text) {
    if (!okPressed || text.empty()) return {};
    int number = 0;
    const char* const last = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), last, number);
    if (error != std::errc{} || stop != last || text.front() == '-') return {};
    return {1, number};
}

}  // namespace kestrion
