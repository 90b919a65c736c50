#include "model/core/MainState.h"

#include <algorithm>

#include "platform/Box.h"

namespace kestrion {

std::string currentFileName() {
    const auto end = std::find(FileNameArray.begin(), FileNameArray.end(), '\0');
    return std::string(FileNameArray.begin(), end);
}

void setFileNameArray(const std::string& text) {
    FileNameArray.fill('\0');
    const std::size_t length = std::min({text.size(), text.find('\0'), kFileNameSize - 1});
    std::copy_n(text.begin(), length, FileNameArray.begin());
}

bool refusedWhileMonitoring(const platform::Box& refusal) {
    if (monitorMode == kMonitorOff) return false;
    platform::say(refusal);
    return true;
}

std::string intToAnsiString(std::int32_t value) {
    return std::to_string(value);
}
std::string intToAnsiString2(std::int32_t value) {
    return std::to_string(value);
}

}  // namespace kestrion
