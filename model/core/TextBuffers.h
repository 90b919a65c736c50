// Small routines that move texts between std::string and fixed character buffers, and compare
// NUL-terminated texts. Every write into a buffer stays inside it.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace kestrion {

// The text of a character buffer up to its first NUL, or the whole buffer when it holds none.
std::string_view cStringView(std::span<const char> buffer);

// True when the first n characters of a equal those of b, compared only as far as b reaches (a
// NUL ends a text); false when b is empty.
bool compareAnsiPrefix(std::size_t n, std::string_view a, std::string_view b);

// True when two NUL-terminated texts are equal, their lengths included.
bool isSameCString(std::string_view a, std::string_view b);

// There are no drive letters here: always '[', the answer for "no fixed drive from C to Z".
char firstFixedDriveLetter();

// Overwrites every trailing character with a code of 32 or less with NUL.
void rtrimCString(std::span<char> text);
void rtrimCString(std::string& text);

// The text without the blanks before and after it.
std::string trimBlanks(std::string_view text);

// Removes the first '&' (the accelerator mark of a menu caption).
void removeAmpersands(std::span<char> text);
void removeAmpersands(std::string& text);

// Copies the characters of text into dest and appends a NUL. A text that does not fit is cut to
// the buffer (the NUL always written) and the result is false.
[[nodiscard]] bool ansiToCharBuf(std::string_view text, std::span<char> dest);
[[nodiscard]] bool copyAnsiToChars(std::span<char> dest, std::string_view text);

}  // namespace kestrion
