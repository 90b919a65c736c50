// The loader's entry points: from the program words of the image to ladder objects.
//
// STAND-IN: until the loader is built these make the END-only ladder whatever the program holds;
// the step count and the END checks already read the real program words, and the instruction
// word check (reader/WordCheck.h) is the real one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrion {

// x of the first object of a loaded line.
extern std::uint32_t& loaderStartX;

// True when only empty words (0xFFFF) follow from the byte offset up to END or the end of the
// program area.
[[nodiscard]] bool isOnlyNopUntilEnd(std::size_t byteOffset);

// Builds the ladder objects from the program words to END and sets convStepNo to the program's
// step count. (Stand-in: the main list keeps END alone.)
void convMachineCodeToLadder(const std::string& caption);

// Finishes a loaded ladder on the virtual canvas. (Stand-in: the END-only ladder needs nothing.)
void ModifyHLineToVirtualCanvas();

}  // namespace kestrion
