#include "platform/TraceLines.h"

#include "support/Fixture.h"

namespace kestrion::test {
namespace {

using platform::Memo;
using TraceLines = CoreTest;

TEST_F(TraceLines, AHiddenMemoTakesNoLineAShownOneTakesAcommaBAndMemo9KeepsAHundred) {
    const std::pair<Memo, void (*)()> writers[] = {
        {Memo::Debug2, [] { platform::debugMemo2Add("a", "b"); }},
        {Memo::Debug3, [] { platform::debugMemo3Add("a", "b"); }},
        {Memo::Debug4, [] { platform::debugMemo4Add("a, b"); }},
        {Memo::Debug9, [] { platform::debugMemo9Add("a", "b"); }},
    };
    for (const auto& [memo, write] : writers) {
        write();
        EXPECT_EQ(fakes.trace.lineCount(memo), 0);
        fakes.trace.setVisible(memo, true);
        write();
        EXPECT_EQ(fakes.trace.lines(memo), std::vector<std::string>{"a, b"});
        EXPECT_EQ(fakes.trace.lineCount(Memo::Debug1), 0);  // no other memo takes it
    }
    // Memo 9 is cleared before its hundred and first line.
    for (int i = 1; i < 100; ++i) platform::debugMemo9Add("line", std::to_string(i));
    EXPECT_EQ(fakes.trace.lineCount(Memo::Debug9), 100);
    platform::debugMemo9Add("line", "100");
    EXPECT_EQ(fakes.trace.lines(Memo::Debug9), std::vector<std::string>{"line, 100"});
}

}  // namespace
}  // namespace kestrion::test
