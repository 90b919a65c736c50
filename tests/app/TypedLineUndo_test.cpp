// A line typed into a long program and Undo: each gives exactly the ladder it should, and what
// they cost does not grow with the program (the objects they make and free are the line's own).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/EditCommands.h"
#include "entry/FakeEntryDialogs.h"
#include "entry/InstructionBox.h"
#include "model/ladder/CanvasError.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/EditMarks.h"
#include "reader/LoaderTestSupport.h"
#include "support/ShownBoxes.h"

namespace kestrion::test {
namespace {

using Images = std::vector<LadderObjectImage>;

// LD X0, AND X1, OUT Y0 on every line up to the steps, then END.
Words linesOf(std::size_t steps) {
    Words words;
    while (words.size() + 4 <= steps) words.insert(words.end(), {0x2400, 0x4401, 0xC500});
    words.push_back(0x000F);
    return words;
}

// The cells of the canvas in the columns in use (the undo copy of the canvas is of those).
std::string cellsOf(const CanvasGrid& grid) {
    std::string cells;
    for (std::int64_t row = 0; row <= grid.rowsInUse(); ++row)
        for (std::int64_t column = 0; column < virtualArrayColumns; ++column) cells += grid.at(column, row);
    return cells;
}

// The whole ladder: every object's record in list order, the canvas, and the rows marked edited.
struct Ladder {
    Images objects;
    std::string canvas;
    std::vector<std::uint32_t> marked;
    bool operator==(const Ladder&) const = default;
};

Ladder ladderNow() {
    Ladder ladder{{}, cellsOf(VirtualArray), {}};
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
        ladder.objects.push_back(ladderObjectImage(*o));
    for (const stGrayMark* m = grayMarks.head; m != nullptr; m = m->next) ladder.marked.push_back(m->Y);
    return ladder;
}

// A trace that fails the command writing it once a given line comes: a failure inside the entry
// after it has changed the ladder.
class FailingTrace : public FakeTraceMemos {
public:
    bool visible(platform::Memo) const override { return true; }
    void append(platform::Memo memo, const std::string& line) override {
        if (armed && line.starts_with("*srcObjectCopyToDestObject")) throw CanvasError("failed");
        FakeTraceMemos::append(memo, line);
    }
    bool armed = false;
};

class TypedLineUndoTest : public LoaderTest {
protected:
    TypedLineUndoTest() {
        readerState.placed.verify = false;  // the load as the program makes it
        pmw.setPlcType(5);
    }
    // A line typed at (x, y) as the box takes it.
    void type(const std::string& line, std::uint32_t x, std::uint32_t y) {
        xOldCursor = x;
        yOldCursor = y;
        BlueFrame = {x, y, x + 79, y + 63};
        entryDialogs.scripts.push_back(line.substr(1) + "\r");
        openInstructionBoxOnKey(line[0]);
    }
    void useTrace(platform::TraceMemos& trace) {
        platform::install({&fakes.messages, &fakes.statusBar, &trace, &fakes.progress, &fakes.system,
                           &fakes.clock, &fakes.clock, &fakes.files, &fakes.serial});
    }

    FakeEntryDialogs entryDialogs;

private:
    InstalledDialogs<EntryDialogs> installed_{entryDialogs};
};

TEST_F(TypedLineUndoTest, ALineTypedAtSixtyFourThousandStepsThenUndoThenUndoGivesEachLadderExactly) {
    ASSERT_TRUE(load(linesOf(64000), 64));
    ASSERT_GT(ldrTail->stepNo, 63990u);
    const Ladder before = ladderNow();
    const std::uint64_t changesBefore = ladderChanges();
    type("LD X1", 80, 0);
    EXPECT_EQ(shownBoxes(fakes.messages), Boxes{});
    const Ladder edited = ladderNow();
    EXPECT_EQ(edited.objects.size(), before.objects.size());
    EXPECT_NE(edited.objects.front(), before.objects.front());
    EXPECT_EQ(std::vector<Images::value_type>(edited.objects.begin() + 1, edited.objects.end()),
              std::vector<Images::value_type>(before.objects.begin() + 1, before.objects.end()));
    Undo1Click();
    EXPECT_TRUE(ladderNow().objects == before.objects && ladderNow().canvas == before.canvas);
    Undo1Click();
    EXPECT_TRUE(ladderNow() == edited);
    Undo1Click();
    EXPECT_TRUE(ladderNow().objects == before.objects && ladderNow().canvas == before.canvas);
    // Objects made and freed, and commands: the line's own, not a copy of the ladder.
    EXPECT_LT(ladderChanges() - changesBefore, 64u);
    EXPECT_EQ(ldrUndoHead, nullptr);
    EXPECT_TRUE(hasUndoCopy());
}

TEST_F(TypedLineUndoTest, ALineThatFailsAfterAnEditPutsEverythingBackAndUndoStillTakesTheEditBack) {
    ASSERT_TRUE(load(linesOf(8000), 8));
    const Ladder before = ladderNow();
    type("LD X1", 80, 0);
    const Ladder edited = ladderNow();
    ASSERT_NE(edited.objects, before.objects);
    FailingTrace failing;
    failing.armed = true;
    useTrace(failing);
    type("LDI X7", 80, 64);
    failing.armed = false;
    useTrace(fakes.trace);
    EXPECT_NE(editInstrFlags & kInstrEntryRefused, 0);
    EXPECT_EQ(editNew, nullptr);
    EXPECT_TRUE(ladderNow() == edited);
    Undo1Click();
    EXPECT_TRUE(ladderNow().objects == before.objects && ladderNow().canvas == before.canvas);
    Undo1Click();
    EXPECT_TRUE(ladderNow() == edited);
}

}  // namespace
}  // namespace kestrion::test
