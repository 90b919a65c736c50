// An output typed on an empty line under a rung is that rung's further output: the box draws it hung
// from the rung's node at once, as the load draws the words Convert then writes. Beside it, outputs
// nothing would feed stay refused, and a label stands on its rung's line.
#include <sstream>
#include <string>
#include <vector>

#include "compiler/ConvertCommand.h"
#include "editor/EditCommands.h"
#include "entry/ShownLadder.h"
#include "entry/TypingFixture.h"
#include "grammar/ConvertProperty.h"
#include "model/core/CommandTransaction.h"

namespace kestrion::test {
namespace {

using Lines = std::vector<std::string>;

// "LD X0;OUT Y0": the lines of a program.
Lines linesOf(const std::string& text) {
    Lines lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line, ';');) lines.push_back(line);
    return lines;
}

const std::string kTwelve =
    "LD X0;AND X1;AND X2;AND X3;AND X4;AND X5;AND X6;AND X7;AND X10;AND X11;AND X12;AND X13";

// What is done to the loaded program before the lines are typed.
enum class Before { Nothing, EmptyLine2, InsertOn };

class FurtherOutputTest : public TypingTest {
protected:
    bool loadThen(const std::string& program, Before before) {
        if (!loadProgram(programOf(linesOf(program)))) return false;
        if (before == Before::EmptyLine2) {
            placeCursor(80, 64);
            InsertLine1Click();
        }
        if (before == Before::InsertOn) editModeFlags |= kEditInsertMode;
        return true;
    }
    // "80,0 LD X1;160,0 OUT Y1": each line typed at its cell; false at the first one refused.
    bool typeAll(const std::string& typed) {
        for (const std::string& at : linesOf(typed)) {
            std::uint32_t x = 0, y = 0;
            char comma = 0;
            std::istringstream in(at);
            in >> x >> comma >> y;
            type(x, y, at.substr(at.find(' ') + 1));
            if (!boxes().empty()) return false;
        }
        return true;
    }
    Words converted() {
        fakes.messages.shown.clear();
        EXPECT_TRUE(runCommand(LToM)) << testing::PrintToString(boxes());
        EXPECT_EQ(boxes(), Boxes{});
        return grammar::imageProgramWords();
    }
};

// Each line is taken, Convert writes the words given, the load reads them back to the ladder that was
// on screen (links included), and a second Convert writes the same words. The further outputs are
// typed at the first or the second cell of the line under the rung's last output.
TEST_F(FurtherOutputTest, AFurtherOutputIsDrawnAsTheLoadDrawsTheWordsConvertWrites) {
    struct Case {
        std::string program, typed, words;
        Before before = Before::Nothing;
    };
    const Case cases[] = {
        {"", "80,0 LD X1;160,0 OUT Y1;80,64 OUT Y2", "LD X1;OUT Y1;OUT Y2"},
        {"LD X1;OUT Y1", "160,64 OUT Y2;80,128 OUT Y3;160,192 OUT Y4", "LD X1;OUT Y1;OUT Y2;OUT Y3;OUT Y4"},
        {"LD X1;OUT Y1", "80,64 SET M0;80,128 RST M1;160,192 MOV K1 D0",
         "LD X1;OUT Y1;SET M0;RST M1;MOV K1 D0"},
        {"LD X1;OUT Y1", "80,64 OUT Y2", "LD X1;OUT Y1;OUT Y2", Before::InsertOn},
        {kTwelve + ";OUT Y0", "80,64 OUT Y1;160,128 OUT Y2", kTwelve + ";OUT Y0;OUT Y1;OUT Y2"},
        // a box that would begin under the contacts begins at the node, narrower
        {kTwelve + ";OUT Y0", "160,64 MOV K1 D0", kTwelve + ";OUT Y0;MOV K1 D0"},
        // beside the parallel contacts under the rung's output, where the load draws it; the next under it
        {"LD X0;OR X1;OUT Y0", "80,128 OUT Y1;160,128 SET M1", "LD X0;OR X1;OUT Y0;OUT Y1;SET M1"},
        {"LD X0;AND X1;OR X2;AND X3;OUT Y0", "80,128 RST M0", "LD X0;AND X1;OR X2;AND X3;OUT Y0;RST M0"},
        {"LD X0;MPS;AND X1;OUT Y0;MPP;AND X2;OUT Y1", "80,128 OUT Y2",
         "LD X0;MPS;AND X1;OUT Y0;MPP;AND X2;OUT Y1;OUT Y2"},
        {"LD X7;SET S20;STL S20;LD X0;OUT Y0", "80,128 OUT Y1", "LD X7;SET S20;STL S20;LD X0;OUT Y0;OUT Y1"},
        {"LD X0;OUT Y0;LD X1;OUT Y1", "80,64 OUT Y2", "LD X0;OUT Y0;OUT Y2;LD X1;OUT Y1", Before::EmptyLine2},
        // a rung being built right above another is not that rung left open
        {"LD X0;OUT Y0;LD X1;OUT Y1", "80,64 LD X5;160,64 OUT Y5", "LD X0;OUT Y0;LD X5;OUT Y5;LD X1;OUT Y1",
         Before::EmptyLine2},
        // a label on its rung's line, typed first or last, or alone at the end
        {"", "0,0 P0;80,0 LD X0;160,0 OUT Y0", "P0;LD X0;OUT Y0"},
        {"LD X0;OUT Y0;LD X1;OUT Y1", "0,64 P0", "LD X0;OUT Y0;P0;LD X1;OUT Y1"},
        {"LD X0;OUT Y0", "0,64 P0", "LD X0;OUT Y0;P0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program + " / " + c.typed);
        ASSERT_TRUE(loadThen(c.program, c.before));
        ASSERT_TRUE(typeAll(c.typed)) << testing::PrintToString(boxes()) << fakes.statusBar.panelText(13);
        const Lines shown = shownLadder();
        const Words words = converted();
        EXPECT_EQ(grammar::hexWords(words), grammar::hexWords(programOf(linesOf(c.words))));
        ASSERT_TRUE(loadProgram(words));
        EXPECT_EQ(shownLadder(), shown);
        EXPECT_EQ(converted(), words);
    }
}

// The last line is refused with its reason and nothing changes: an output where nothing feeds it
// (under END, under a rung without an output, over the next rung's contact, under a step's RET or an
// MC), a rung under a label alone on its line, and a label alone over a rung.
TEST_F(FurtherOutputTest, WhatNothingFeedsAndALabelAloneAreRefused) {
    const std::string noContact =
        "An output needs a contact in front of it on its line, or a link to a line that has one.";
    const std::string underLabel = "Line 2: the label above stands alone; type the rung on the label's line.";
    struct Case {
        std::string program, typed, why;
        Before before = Before::Nothing;
    };
    const Case cases[] = {
        {"LD X0;OUT Y0", "80,128 OUT Y1", noContact},
        {"", "80,0 LD X0;80,64 OUT Y1", noContact},
        {"LD X0;OUT Y0;LD X1;OUT Y1", "80,64 OUT Y2", noContact},
        {"STL S20;LD X0;OUT Y0;RET", "80,128 OUT Y1", noContact},
        {"LD X0;MC N0 M100", "80,64 SET M1", noContact},
        {"", "0,0 P0;80,64 OUT Y1", underLabel},
        {"", "0,0 P0;80,64 LD X0", underLabel},
        {"", "0,0 P0;0,64 P1", underLabel},
        {"LD X0;OUT Y0;LD X1;OUT Y1", "0,64 P0",
         "Line 2: a label stands on the line of the rung it starts; type it on that line.",
         Before::EmptyLine2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program + " / " + c.typed);
        ASSERT_TRUE(loadThen(c.program, c.before));
        const Lines lines = linesOf(c.typed);
        std::string before;
        for (std::size_t i = 0; i + 1 < lines.size(); ++i) before += lines[i] + ";";
        ASSERT_TRUE(typeAll(before));
        const Lines ladderBefore = ladder(), shown = shownLadder();
        EXPECT_FALSE(typeAll(lines.back()));
        EXPECT_EQ(boxes(), Boxes{kLineRefused});
        EXPECT_EQ(fakes.statusBar.panelText(13), c.why);
        EXPECT_EQ(ladder(), ladderBefore);
        EXPECT_EQ(shownLadder(), shown);
    }
}

// The link comes down from the node right of the rung's contacts, a joint fills the cell right of it,
// the output stands at the bus, the cursor goes to the line under it; Undo and Edit Cancel take all of
// it back.
TEST_F(FurtherOutputTest, TheFurtherOutputHangsFromTheNodeAndGoesBackAsATypedLine) {
    for (void (*back)() : {Undo1Click, EditCancel1Click}) {
        ASSERT_TRUE(loadThen("LD X1;OUT Y1", Before::Nothing));
        const Lines loaded = ladder(), shown = shownLadder();
        ASSERT_TRUE(typeAll("80,64 OUT Y2"));
        EXPECT_EQ(ladder(), (Lines{"80,0 LD X001", "1040,0 OUT Y001", "160,64 #NOP", "1040,64 OUT Y2",
                                   "1040,128 END"}));
        EXPECT_EQ(shownLadder().back(), "links 1    |");
        EXPECT_EQ(yOldCursor, 128u);
        back();
        EXPECT_EQ(ladder(), loaded);
        EXPECT_EQ(shownLadder(), shown);
    }
}

}  // namespace
}  // namespace kestrion::test
