// Running out of memory while a list grows is the one failure the program does not survive: the
// lists would be left half built, so it says so and ends.
#pragma once

#include <new>
#include <string>

namespace kestrion {

// Shows the stop box (text, caption "Memory not enough") and ends the process with exit code 1.
[[noreturn]] void haltMemoryNotEnough(const std::string& text);

// A new zero-filled T, or the stop box with the given text and the end of the process.
template <class T>
T* allocateOrHalt(const char* text) {
    T* node = new (std::nothrow) T{};
    if (node == nullptr) haltMemoryNotEnough(text);
    return node;
}

}  // namespace kestrion
