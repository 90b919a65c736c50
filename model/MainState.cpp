#include "model/MainState.h"

#include <algorithm>

namespace kestrion {

std::string installDir;
std::string modeDataPath;
std::uint32_t projectTreeDivisor = 10;
std::string traceCaption;

std::uint8_t fileStateFlags = 0;
std::string titleText;
std::array<char, kFileNameSize> FileNameArray{};
std::int32_t startNameLength = 0;
std::int32_t newFileCounter = 0;
std::int32_t screenWidth = 0;
std::int32_t screenHeight = 0;

std::string currentFileName() {
    const auto end = std::find(FileNameArray.begin(), FileNameArray.end(), '\0');
    return std::string(FileNameArray.begin(), end);
}

void setFileNameArray(const std::string& text) {
    FileNameArray.fill('\0');
    const std::size_t length = std::min({text.size(), text.find('\0'), kFileNameSize - 1});
    std::copy_n(text.begin(), length, FileNameArray.begin());
}

std::string intToAnsiString(std::int32_t value) { return std::to_string(value); }
std::string intToAnsiString2(std::int32_t value) { return std::to_string(value); }

void resetMainState() {
    installDir.clear();
    modeDataPath.clear();
    projectTreeDivisor = 10;
    traceCaption.clear();
    fileStateFlags = 0;
    titleText.clear();
    FileNameArray.fill('\0');
    startNameLength = 0;
    newFileCounter = 0;
    screenWidth = 0;
    screenHeight = 0;
}

}  // namespace kestrion
