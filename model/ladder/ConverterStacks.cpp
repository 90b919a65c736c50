#include "model/ladder/ConverterStacks.h"

#include "model/core/ConversionError.h"
#include "model/ladder/ModelDialogs.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

using Stack = std::array<std::uint32_t, kConverterStackSize>;

struct StackCaptions {
    std::int32_t stack;
    const char* pushOverflow;
    const char* popOverflow;
    const char* pushUnderflow;
    const char* popUnderflow;
};

// clang-format off
// Stack 3, the integer stack, has no array any more; its captions stay for the report numbers.
constexpr StackCaptions kCaptions[] = {
    {0, "[push]00.stack0 overflow error", "[pop] 01.stack0 overflow error", "[push]Stack0 underflow error",
     "[pop] Stack0 underflow error"},
    {1, "[push]10.stack1 overflow error", "[pop] 11.stack1 overflow error", "[push]Stack1 underflow error",
     "[pop] Stack1 underflow error"},
    {2, "[push]xMaximum stack overflow error", "[pop] xMaximum stack overflow error",
     "[push]xMaximum stack underflow error", "[pop] xMaximum stack underflow error"},
    {3, "[push]Interger stack overflow error", "[pop] Interger stack overflow error",
     "[push]Interger stack underflow error", "[pop] Interger stack underflow error"},
    {4, "[push]MPS stack overflow error", "[pop] MPS stack overflow error", "[push]MPS stack underflow error",
     "[pop] MPS stack underflow error"},
};

constexpr StackCaptions kOtherStackCaptions = {
    -1, "[push]Other stack overflow error", "[pop] Other stack overflow error", "[push]Other stack underflow error",
    "[pop] Other stack underflow error"};

// clang-format on
const StackCaptions& captionsOf(std::int32_t stack) {
    for (const StackCaptions& captions : kCaptions)
        if (captions.stack == stack) return captions;
    return kOtherStackCaptions;
}

const char* overflowCaption(std::int32_t stack, StackOperation operation) {
    const StackCaptions& captions = captionsOf(stack);
    return operation == StackOperation::Push ? captions.pushOverflow : captions.popOverflow;
}

const char* underflowCaption(std::int32_t stack, StackOperation operation) {
    const StackCaptions& captions = captionsOf(stack);
    return operation == StackOperation::Push ? captions.pushUnderflow : captions.popUnderflow;
}

void showWarning(const std::string& label, const char* caption) {
    platform::say({label, caption, platform::MsgIcon::Warning});
}

[[noreturn]] void failOverflow(std::int32_t stack, StackOperation operation, std::string_view label) {
    showStackOverflow(stack, operation, std::string(label));
    throw ConversionError(overflowCaption(stack, operation));
}

[[noreturn]] void failUnderflow(std::int32_t stack, StackOperation operation, std::string_view label) {
    showStackUnderflow(stack, operation, std::string(label));
    throw ConversionError(underflowCaption(stack, operation));
}

void push(Stack& entries, std::int32_t stack, std::int32_t index, std::uint32_t value,
          std::string_view label) {
    if (index < 0) failUnderflow(stack, StackOperation::Push, label);
    if (index >= kConverterStackSize) failOverflow(stack, StackOperation::Push, label);
    entries[static_cast<std::size_t>(index)] = value;
}

// A full stack holds 64 entries, so an index of 64 still pops the top one.
std::uint32_t pop(const Stack& entries, std::int32_t stack, std::int32_t index, std::string_view label) {
    if (index < 1) failUnderflow(stack, StackOperation::Pop, label);
    if (index > kConverterStackSize) failOverflow(stack, StackOperation::Pop, label);
    return entries[static_cast<std::size_t>(index - 1)];
}

}  // namespace

void showStackOverflow(std::int32_t stack, StackOperation operation, const std::string& label) {
    showWarning(label, overflowCaption(stack, operation));
}

void showStackUnderflow(std::int32_t stack, StackOperation operation, const std::string& label) {
    showWarning(label, underflowCaption(stack, operation));
}

void pushStack0(std::int32_t index, std::uint32_t value, std::string_view label) {
    if (index >= kConverterStackSize) {
        showStackOverflow(0, StackOperation::Push, std::string(label));
        // The first stack to run over is the one a developer wants to look at.
        modelDialogs().showStackCode({"[push] 00.stack0 overflow error ", std::to_string(index),
                                      "[search] _stackOverError(0,0,s) ...Error2018031600"});
        throw ConversionError(overflowCaption(0, StackOperation::Push));
    }
    push(stack0Code, 0, index, value, label);
}

void pushStack1(std::int32_t index, std::uint32_t value, std::string_view label) {
    push(stack1Code, 1, index, value, label);
}

void pushStack2(std::int32_t index, std::uint32_t value, std::string_view label) {
    push(Xmaximum, 2, index, value, label);
}

void pushStack4(std::int32_t index, std::uint32_t value) {
    push(MpsMrdMpp, 4, index, value, std::string_view());
}

std::uint32_t popStack0(std::int32_t index, std::string_view label) {
    return pop(stack0Code, 0, index, label);
}
std::uint32_t popStack1(std::int32_t index, std::string_view label) {
    return pop(stack1Code, 1, index, label);
}
std::uint32_t popStack2(std::int32_t index, std::string_view label) {
    return pop(Xmaximum, 2, index, label);
}
std::uint32_t popStack4(std::int32_t index) {
    return pop(MpsMrdMpp, 4, index, std::string_view());
}

}  // namespace kestrion
