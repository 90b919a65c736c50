#include "model/core/TextBuffers.h"

#include <algorithm>

namespace kestrion {

namespace {

std::string_view untilNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

bool isBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

}  // namespace

std::string_view cStringView(std::span<const char> buffer) {
    const auto end = std::find(buffer.begin(), buffer.end(), '\0');
    return std::string_view(buffer.data(), static_cast<std::size_t>(end - buffer.begin()));
}

bool compareAnsiPrefix(std::size_t n, std::string_view a, std::string_view b) {
    a = untilNul(a);
    b = untilNul(b);
    if (b.empty()) return false;
    const std::size_t count = std::min(n, b.size());
    return a.size() >= count && a.compare(0, count, b, 0, count) == 0;
}

bool isSameCString(std::string_view a, std::string_view b) {
    return untilNul(a) == untilNul(b);
}

char firstFixedDriveLetter() {
    return '[';
}

void rtrimCString(std::span<char> text) {
    std::size_t end = cStringView(text).size();
    while (end > 0 && isBlankOrControl(text[end - 1])) text[--end] = '\0';
}

void rtrimCString(std::string& text) {
    text.resize(untilNul(text).size());
    while (!text.empty() && isBlankOrControl(text.back())) text.pop_back();
}

std::string trimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

void removeAmpersands(std::span<char> text) {
    const std::size_t length = cStringView(text).size();
    const auto first = text.begin();
    const auto end = first + static_cast<std::ptrdiff_t>(length);
    const auto mark = std::find(first, end, '&');
    if (mark == end) return;
    std::copy(mark + 1, end, mark);
    *(end - 1) = '\0';
}

void removeAmpersands(std::string& text) {
    if (const std::size_t mark = text.find('&'); mark != std::string::npos) text.erase(mark, 1);
}

bool ansiToCharBuf(std::string_view text, std::span<char> dest) {
    if (dest.empty()) return false;
    const std::size_t count = std::min(text.size(), dest.size() - 1);
    std::copy_n(text.begin(), count, dest.begin());
    dest[count] = '\0';
    return count == text.size();
}

bool copyAnsiToChars(std::span<char> dest, std::string_view text) {
    return ansiToCharBuf(text, dest);
}

}  // namespace kestrion
