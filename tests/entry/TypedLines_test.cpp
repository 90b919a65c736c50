// Lines typed one after another into the same block, in overwrite and in Insert mode: every Enter
// returns, with the line placed or refused with its box, and what the box took Convert writes.
#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "compiler/ConvertCommand.h"
#include "entry/FakeEntryDialogs.h"
#include "entry/InstructionBox.h"
#include "entry/ShownLadder.h"
#include "model/core/CommandTransaction.h"
#include "model/ladder/CanvasState.h"
#include "reader/LoaderTestSupport.h"
#include "support/Bounded.h"
#include "support/ShownBoxes.h"
#include "support/SourceTree.h"

namespace kestrion::test {
namespace {

using Lines = std::vector<std::string>;

Words readWords(const char* relative) {
    std::ifstream in(testSource(relative));
    Words words;
    for (std::string word; in >> word;)
        words.push_back(static_cast<std::uint16_t>(std::stoul(word, nullptr, 16)));
    return words;
}

class TypedLinesTest : public LoaderTest {
protected:
    TypedLinesTest() { fresh(); }
    void fresh() {
        resetAllState();
        prepare();
        initPmwImageByType(5);
        EXPECT_TRUE(initPmwImageForTypeAndSize(5, 8));
        fakes.messages.shown.clear();
    }
    bool loadProgram(const Words& words) {
        fresh();
        const bool loaded = load(words, 8);
        fakes.messages.shown.clear();
        return loaded;
    }
    static Lines ladder() {
        Lines rows;
        for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
            rows.push_back(std::to_string(o->xAddr) + "," + std::to_string(o->yAddr) + " " +
                           objectEntryText(*o));
        return rows;
    }
    // A line typed at the cursor (x, y), its first key opening the box.
    void type(std::uint32_t x, std::uint32_t y, const std::string& line) {
        xOldCursor = x;
        yOldCursor = y;
        setBlueFrameObject(x, y);
        entryDialogs.scripts.push_back(line.substr(1) + "\r");
        openInstructionBoxOnKey(line[0]);
    }
    static Words program(std::size_t count) {
        return Words(pmw.program.begin(), pmw.program.begin() + static_cast<std::ptrdiff_t>(count));
    }
    Boxes boxes() const { return shownBoxes(fakes.messages); }
    FakeEntryDialogs entryDialogs;
    InstalledDialogs<EntryDialogs> installed{entryDialogs};
};

// The program of the report (a step ladder of 356 words, 8K): in Insert mode OR Y4 in the 9th cell
// of the 7th line, then LD X0 in the 9th cell of the 10th line. The second Enter opened a cell in
// front of an object of a line below that had wire to its left, linked a NOP there, then looked at
// that NOP, which needed one too, without end. Both lines are taken and Convert writes the ladder.
TEST_F(TypedLinesTest, InsertModeLinesInALongStepLadderReturn) {
    const Words words = readWords("tests/entry/programs/insert-mode-hang.words");
    ASSERT_EQ(words.size(), 356u);
    ASSERT_TRUE(loadProgram(words));
    editModeFlags |= kEditInsertMode;
    const auto typeBoth = [this] {
        type(720, 384, "OR Y4");
        type(720, 576, "LD X0");
    };
    ASSERT_EQ(endsWithin(30, typeBoth), "");
    typeBoth();
    EXPECT_EQ(boxes(), Boxes{});
    EXPECT_EQ(editInstrFlags & kInstrEntryRefused, 0);
    const Lines typed = ladder();
    EXPECT_EQ(std::count(typed.begin(), typed.end(), "720,384 OR Y4"), 1);
    EXPECT_EQ(std::count(typed.begin(), typed.end(), "720,576 LD X0"), 1);
    ASSERT_TRUE(runCommand(LToM)) << testing::PrintToString(boxes());
}

}  // namespace
}  // namespace kestrion::test
