#include "model/ladder/ConverterStacks.h"

#include <functional>

#include "model/core/ConversionError.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

using platform::MsgIcon;

struct FaultCaptions {
    std::int32_t stack;
    const char* pushOverflow;
    const char* popOverflow;
    const char* pushUnderflow;
    const char* popUnderflow;
};

// clang-format off
const FaultCaptions kFaultCaptions[] = {
    {0, "[push]00.stack0 overflow error", "[pop] 01.stack0 overflow error", "[push]Stack0 underflow error",
     "[pop] Stack0 underflow error"},
    {1, "[push]10.stack1 overflow error", "[pop] 11.stack1 overflow error", "[push]Stack1 underflow error",
     "[pop] Stack1 underflow error"},
    {2, "[push]xMaximum stack overflow error", "[pop] xMaximum stack overflow error",
     "[push]xMaximum stack underflow error", "[pop] xMaximum stack underflow error"},
    {4, "[push]MPS stack overflow error", "[pop] MPS stack overflow error", "[push]MPS stack underflow error",
     "[pop] MPS stack underflow error"},
};
// clang-format on

struct StackUnderTest {
    const FaultCaptions& captions;
    std::function<void(std::int32_t, std::uint32_t)> push;
    std::function<std::uint32_t(std::int32_t)> pop;
    std::array<std::uint32_t, kConverterStackSize>& entries;
    const char* label;
};

std::vector<StackUnderTest> allStacks() {
    return {
        {kFaultCaptions[0], [](std::int32_t i, std::uint32_t v) { pushStack0(i, v, "ldr to code"); },
         [](std::int32_t i) { return popStack0(i, "ldr to code"); }, stack0Code, "ldr to code"},
        {kFaultCaptions[1], [](std::int32_t i, std::uint32_t v) { pushStack1(i, v, "next row"); },
         [](std::int32_t i) { return popStack1(i, "next row"); }, stack1Code, "next row"},
        {kFaultCaptions[2], [](std::int32_t i, std::uint32_t v) { pushStack2(i, v, "x max"); },
         [](std::int32_t i) { return popStack2(i, "x max"); }, Xmaximum, "x max"},
        {kFaultCaptions[3], [](std::int32_t i, std::uint32_t v) { pushStack4(i, v); },
         [](std::int32_t i) { return popStack4(i); }, MpsMrdMpp, ""},
    };
}

class ConverterStacksTest : public test::CoreTest {
protected:
    void expectFault(const std::function<void()>& operation, const char* label, const char* caption) {
        fakes.messages.shown.clear();
        try {
            operation();
            ADD_FAILURE() << "no ConversionError for " << caption;
        } catch (const ConversionError& error) {
            EXPECT_STREQ(error.what(), caption);
        }
        ASSERT_EQ(fakes.messages.shown.size(), 1u);
        EXPECT_EQ(fakes.messages.shown[0].text, label);
        EXPECT_EQ(fakes.messages.shown[0].caption, caption);
        EXPECT_EQ(fakes.messages.shown[0].icon, MsgIcon::Warning);
    }
};

TEST_F(ConverterStacksTest, SixtyFourPushesThenSixtyFourPopsGiveThemBackInReverse) {
    for (const StackUnderTest& stack : allStacks()) {
        for (std::int32_t index = 0; index < kConverterStackSize; ++index)
            stack.push(index, 1000u + static_cast<std::uint32_t>(index));
        for (std::int32_t index = kConverterStackSize; index >= 1; --index)
            EXPECT_EQ(stack.pop(index), 999u + static_cast<std::uint32_t>(index)) << index;
    }
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_TRUE(modelDialogs.stackCodeViews.empty());
}

TEST_F(ConverterStacksTest, OverflowAndUnderflowStoreNothingAndFailWithoutEndingTheProgram) {
    for (const StackUnderTest& stack : allStacks()) {
        stack.entries.fill(7);
        expectFault([&] { stack.push(64, 1); }, stack.label, stack.captions.pushOverflow);
        expectFault([&] { stack.push(1000, 1); }, stack.label, stack.captions.pushOverflow);
        expectFault([&] { stack.pop(65); }, stack.label, stack.captions.popOverflow);
        expectFault([&] { stack.pop(0); }, stack.label, stack.captions.popUnderflow);
        expectFault([&] { stack.pop(-1); }, stack.label, stack.captions.popUnderflow);
        expectFault([&] { stack.push(-1, 1); }, stack.label, stack.captions.pushUnderflow);
        for (std::uint32_t entry : stack.entries) EXPECT_EQ(entry, 7u);
    }
}

}  // namespace
}  // namespace kestrion
