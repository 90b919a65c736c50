// Lines typed one after another into the same block, in overwrite and in Insert mode: every Enter
// returns, with the line placed or refused with its box, and what the box took Convert writes.
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "compiler/ConvertCommand.h"
#include "entry/EntryDriver.h"
#include "entry/TypingFixture.h"
#include "grammar/CoilLogic.h"
#include "grammar/ConvertProperty.h"
#include "model/core/CommandTransaction.h"
#include "model/ladder/CanvasState.h"
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

using TypedLinesTest = TypingTest;

// The program of the report (a step ladder of 356 words, 8K): in Insert mode OR Y4 in the 9th cell
// of the 7th line, then LD X0 in the 9th cell of the 10th line; the second Enter never returned.
// Every Enter returns now. The OR is refused: opening its cell moves the contact above it on and
// leaves wire there, beside which the OR would stand (Convert wrote it in series). The LD is taken,
// and Convert writes it.
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
    type(720, 384, "OR Y4");
    EXPECT_EQ(boxes(), Boxes{"This position can't insert | Msg2015011911 | warning"});
    EXPECT_EQ(fakes.statusBar.panelText(13),
              "An OR inserted here would stand beside the wire the insert leaves above it.");
    fakes.messages.shown.clear();
    type(720, 576, "LD X0");
    EXPECT_EQ(boxes(), Boxes{});
    const Lines typed = ladder();
    EXPECT_EQ(std::count(typed.begin(), typed.end(), "720,576 LD X0"), 1);
    ASSERT_TRUE(runCommand(LToM)) << testing::PrintToString(boxes());
    const grammar::Words once = grammar::imageProgramWords();
    ASSERT_TRUE(runCommand(LToM)) << testing::PrintToString(boxes());
    EXPECT_EQ(grammar::compareLogic(once, grammar::imageProgramWords()), "");
}

// Opening a cell in front of an object of another line of the block that has wire or a contact to
// its left links a NOP in front of that object. The NOP takes the block id of new objects; when that
// is the block's own (as it was in the report's program), the walk that met the NOP next gave it a
// NOP too, without end. LD X0, AND X1 over LD X2, AND X3, joined in parallel before OUT Y0.
TEST_F(TypedLinesTest, OpeningACellWalksOnPastTheNopItLinks) {
    ASSERT_TRUE(loadProgram({0x2400, 0x4401, 0x2402, 0x4403, 0xFFF9, 0xC500, 0x000F}));
    const std::uint32_t block = ldrHead->objLbc;
    curObjLbc = block;
    ASSERT_EQ(endsWithin(10, [block] { shiftBlockCellsRight(160, 0, block); }), "");
    shiftBlockCellsRight(160, 0, block);
    EXPECT_EQ(ladder(), (Lines{"80,0 LD X000", "240,0 AND X001", "80,64 LD X002", "160,64 NOP",
                               "240,64 AND X003", "340,64 ORB", "1040,0 OUT Y000", "1040,128 END"}));
}

std::uint32_t fromEnvironment(const char* name, std::uint32_t otherwise) {
    const char* value = std::getenv(name);
    return value != nullptr ? static_cast<std::uint32_t>(std::strtoul(value, nullptr, 10)) : otherwise;
}

struct Typed {
    std::uint32_t x, y;
    std::string line;
    bool insert;
};

// A few lines at cells of the block's two lines and the line below them, each in overwrite or in
// Insert mode.
std::vector<Typed> typedSequence(std::uint32_t seed) {
    static const char* const kLines[] = {"LD X1",  "AND X2", "OR X3",  "LDI X4",    "ANI X5", "ORI X6",
                                         "LDP X7", "OUT Y1", "SET M0", "MOV K1 D0", "RST M1", "OR X10"};
    std::mt19937 random(seed);
    std::vector<Typed> sequence(2 + random() % 7);
    for (Typed& typed : sequence) {
        // Most go where the block's objects stand, so that Insert mode opens cells among them.
        typed.x = 80 * (1 + random() % (random() % 4 == 0 ? 12 : 4));
        typed.y = 64 * (random() % 3);
        typed.line = kLines[random() % std::size(kLines)];
        typed.insert = random() % 2 == 0;
    }
    return sequence;
}

std::string listing(const std::vector<Typed>& sequence) {
    std::string text;
    for (const Typed& typed : sequence)
        text += std::string(typed.insert ? "insert " : "") + typed.line + " at " + std::to_string(typed.x) +
                "," + std::to_string(typed.y) + "\n";
    return text;
}

// Lines typed one after another into a block of two parallel lines (LD X0, OR X1, AND X2, OUT Y0,
// OUT Y2): every Enter returns; when the box took them all, Convert writes the ladder (or refuses
// it with its box and leaves it as it was), a second Convert writes a program that computes the
// same, and a third the same words as the second. (An OR typed in Insert mode under a cell that
// the insert turned into wire is drawn beside that wire, and the first Convert writes it in series:
// the words settle only at the second Convert.) Seeds from 1, 300 of them; KESTRION_TYPED_FIRST and
// KESTRION_TYPED_SEQUENCES set others.
TEST_F(TypedLinesTest, LinesTypedIntoOneBlockReturnAndConvertAsTheyStand) {
    const Words block = {0x2400, 0x6401, 0x4402, 0xC500, 0xC502, 0x000F};
    const std::uint32_t first = fromEnvironment("KESTRION_TYPED_FIRST", 1);
    const std::uint32_t count = fromEnvironment("KESTRION_TYPED_SEQUENCES", 300);
    int broken = 0;
    for (std::uint32_t seed = first; seed < first + count && broken < 5; ++seed) {
        const std::vector<Typed> sequence = typedSequence(seed);
        SCOPED_TRACE("seed " + std::to_string(seed) + "\n" + listing(sequence));
        ASSERT_TRUE(loadProgram(block));
        const auto typeAll = [&] {
            for (const Typed& typed : sequence) {
                editModeFlags = static_cast<std::uint8_t>((editModeFlags & ~kEditInsertMode) |
                                                          (typed.insert ? kEditInsertMode : 0));
                type(typed.x, typed.y, typed.line);
            }
        };
        const std::string ended = endsWithin(10, typeAll);
        if (!ended.empty()) {
            ADD_FAILURE() << ended;
            ++broken;
            continue;
        }
        typeAll();
        if (!boxes().empty()) continue;  // a line refused with its box
        const std::size_t shown = fakes.messages.shown.size();
        const Lines typed = ladder();
        if (!runCommand(LToM)) {
            EXPECT_GT(fakes.messages.shown.size(), shown);
            EXPECT_EQ(ladder(), typed);
            continue;
        }
        const grammar::Words once = grammar::imageProgramWords();
        if (!runCommand(LToM)) {
            ADD_FAILURE() << "a second Convert refused what the first wrote: "
                          << testing::PrintToString(boxes());
            ++broken;
            continue;
        }
        const grammar::Words twice = grammar::imageProgramWords();
        const std::string differs = grammar::compareLogic(once, twice);
        if (!differs.empty() || !runCommand(LToM) || grammar::imageProgramWords() != twice) {
            ADD_FAILURE() << "Convert did not settle: " << differs << "\n"
                          << grammar::hexWords(once) << "\n"
                          << grammar::hexWords(twice);
            ++broken;
        }
    }
}

}  // namespace
}  // namespace kestrion::test
