// Contacts and outputs typed in Insert mode at random cells of programs the grammar builds, a few
// lines one after the other, then Convert: what the box takes, Convert writes as the ladder drew it
// before the key (wire included) or refuses with its box; it never finds the ladder broken ("P1-",
// "P2-") on a rung that converted before the lines. What the box refuses leaves the ladder as it was.
#include <algorithm>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "compiler/ConvertCommand.h"
#include "entry/FakeEntryDialogs.h"
#include "entry/ShownLadder.h"
#include "entry/TypingFixture.h"
#include "grammar/ConvertProperty.h"
#include "grammar/DrawnLogic.h"
#include "grammar/ProgramGrammar.h"
#include "model/core/CommandTransaction.h"
#include "model/instructions/InstructionCodes.h"
#include "model/ladder/EditorServices.h"
#include "support/Fixture.h"
#include "support/ShownBoxes.h"

namespace kestrion::test {
namespace {

using Lines = std::vector<std::string>;

const Lines kContacts = {"AND X7", "ANI M5", "LD X6", "LDI X5", "OR X4", "ORI M6", "LDP X3", "ANDF X2"};
const Lines kOutputs = {"OUT Y1", "SET M1", "MOV K1 D0"};

using grammar::fromEnvironment;

struct Tally {
    int lines = 0, taken = 0, sequences = 0, convertedAsDrawn = 0, convertRefused = 0;
};

class InsertGrammar : public CoreTest {
protected:
    void open(const grammar::Words& words) {
        grammar::startEditor();
        ASSERT_TRUE(grammar::openProgramWords(words));
        ASSERT_TRUE(runCommand(LToM));
        editModeFlags |= kEditFileOpen | kEditInsertMode;
        forgetRecords();
        entryDialogs.forgetRecords();
    }
    Boxes boxes() const {
        Boxes shown = shownBoxes(fakes.messages);
        std::erase(shown, kFirstIsStl);
        return shown;
    }
    // "" when the property holds for the lines typed one after the other; else what broke. `steps`
    // says what was typed.
    std::string sequence(const grammar::Words& words, std::mt19937& random, Tally& tally,
                         std::string& steps) {
        open(words);
        const std::uint32_t endY = ldrTail->yAddr;
        // The lines of the rungs that converted: a line with a label alone, or END's, is free for a new
        // rung, which may be left open while it is built.
        std::set<std::uint32_t> rungLines;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> objects;  // the cells of the objects
        for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
            objects.emplace_back(o->xAddr / 80 * 80, o->yAddr);
            if (o != ldrTail && !isLabelCode(o->iCode)) rungLines.insert(o->yAddr);
        }
        bool anyTaken = false;
        for (int n = 1 + static_cast<int>(random() % 3); n > 0; --n) {
            const bool output = random() % 4 == 0;
            const Lines& from = output ? kOutputs : kContacts;
            const std::string line = from[random() % from.size()];
            std::uint32_t x = 80 * (random() % 14), y = 64 * (random() % (endY / 64 + 1));
            // Half the lines go in front of an object, which Insert moves on.
            if (random() % 2 == 0) std::tie(x, y) = objects[random() % objects.size()];
            steps += line + " at " + std::to_string(x) + "," + std::to_string(y) + "; ";
            const Lines before = shownLadder();
            typeLineAt(entryDialogs, x, y, line);
            ++tally.lines;
            if (!boxes().empty()) {
                if (std::find(kPlaceRefusals.begin(), kPlaceRefusals.end(), boxes().front()) ==
                    kPlaceRefusals.end())
                    return "refused with " + testing::PrintToString(boxes());
                if (shownLadder() != before) return "refused, and the ladder changed";
                fakes.messages.shown.clear();
                continue;
            }
            ++tally.taken;
            anyTaken = true;
        }
        if (!anyTaken) return "";
        ++tally.sequences;
        const grammar::DrawnBefore drawn;
        if (!runCommand(LToM)) {
            ++tally.convertRefused;
            const Boxes shown = boxes();
            const bool diagram = std::any_of(shown.begin(), shown.end(), [](const std::string& box) {
                return box.starts_with("P1-") || box.starts_with("P2-");
            });
            if (diagram && rungLines.contains(BlueFrame.y1))
                return "Convert found a rung that converted before broken at " +
                       std::to_string(BlueFrame.x1) + "," + std::to_string(BlueFrame.y1) + ": " +
                       testing::PrintToString(shown);
            return "";
        }
        if (!boxes().empty()) return "Convert showed " + testing::PrintToString(boxes());
        if (const std::string differs = drawn.compareWithWords(grammar::imageProgramWords());
            !differs.empty())
            return "Convert wrote other logic than the ladder drawn: " + differs;
        ++tally.convertedAsDrawn;
        return "";
    }

    FakeEntryDialogs entryDialogs;
    InstalledDialogs<EntryDialogs> installed{entryDialogs};
};

// Programs from seed 1, twenty of them, 20 sequences each; KESTRION_INSERT_GRAMMAR_FIRST,
// KESTRION_INSERT_GRAMMAR_PROGRAMS and KESTRION_INSERT_GRAMMAR_SEQUENCES set others.
TEST_F(InsertGrammar, WhatTheBoxTakesInInsertModeConvertWritesAsDrawn) {
    const std::uint32_t first = fromEnvironment("KESTRION_INSERT_GRAMMAR_FIRST", 1);
    const std::uint32_t count = fromEnvironment("KESTRION_INSERT_GRAMMAR_PROGRAMS", 20);
    const std::uint32_t perProgram = fromEnvironment("KESTRION_INSERT_GRAMMAR_SEQUENCES", 20);
    Tally tally;
    int failures = 0;
    for (std::uint32_t seed = first; seed < first + count && failures < 30; ++seed) {
        grammar::RandomChoices choices(seed);
        const grammar::Program program = grammar::generateProgram(choices);
        const grammar::Words words = program.words();
        grammar::startEditor();
        if (!grammar::openProgramWords(words) || !runCommand(LToM)) continue;
        std::mt19937 random(seed);
        for (std::uint32_t s = 0; s < perProgram && failures < 30; ++s) {
            std::string steps = "seed " + std::to_string(seed) + ": ";
            const std::string broke = sequence(words, random, tally, steps);
            if (broke.empty()) continue;
            ++failures;
            ADD_FAILURE() << steps << broke << "\n" << program.listing();
        }
    }
    std::cout << "lines " << tally.lines << ", taken " << tally.taken << "; sequences with a line taken "
              << tally.sequences << ": converted as drawn " << tally.convertedAsDrawn << ", Convert refused "
              << tally.convertRefused << "\n";
}

}  // namespace
}  // namespace kestrion::test
