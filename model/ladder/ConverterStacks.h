// The four fixed stacks the converters keep while they walk a program: two coordinate stacks, the
// right-most x positions and the MPS/MRD/MPP branch points (x, then y). Each index is the number
// of entries on its stack and is kept by the callers: a push stores at the index and the caller
// adds 1; a pop returns the entry below the index and the caller subtracts 1.
//
// A push at an index of 64 or more, a pop at an index above 64, or an index below the stack
// shows its box and throws ConversionError: a conversion never goes on with a lost entry or a
// made-up value.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrion {

constexpr int kConverterStackSize = 64;

extern std::array<std::uint32_t, kConverterStackSize>& stack0Code;
extern std::array<std::uint32_t, kConverterStackSize>& stack1Code;
extern std::array<std::uint32_t, kConverterStackSize>& Xmaximum;
extern std::array<std::uint32_t, kConverterStackSize>& MpsMrdMpp;
extern std::int32_t& startPointer;  // index of stack0Code
extern std::int32_t& nextPointer;   // index of stack1Code
extern std::int32_t& xMaxiPointer;  // index of Xmaximum
extern std::int32_t& mpsPointer;    // index of MpsMrdMpp

// The label text is the text of the box on a fault; the caption names the stack.
void pushStack0(std::int32_t index, std::uint32_t value, std::string_view label);
void pushStack1(std::int32_t index, std::uint32_t value, std::string_view label);
void pushStack2(std::int32_t index, std::uint32_t value, std::string_view label);
void pushStack4(std::int32_t index, std::uint32_t value);
std::uint32_t popStack0(std::int32_t index, std::string_view label);
std::uint32_t popStack1(std::int32_t index, std::string_view label);
std::uint32_t popStack2(std::int32_t index, std::string_view label);
std::uint32_t popStack4(std::int32_t index);

// The boxes of a stack fault, by stack number (0, 1, 2 xMaximum, 3 the integer stack, 4 MPS; any
// other number is named "Other"): a warning with the label as text. They only show the box.
enum class StackOperation { Push, Pop };
void showStackOverflow(std::int32_t stack, StackOperation operation, const std::string& label);
void showStackUnderflow(std::int32_t stack, StackOperation operation, const std::string& label);

}  // namespace kestrion
