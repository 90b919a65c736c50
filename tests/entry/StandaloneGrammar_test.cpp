// The instructions that stand alone on their line (and END), and the outputs, typed at every cell
// the cursor reaches of programs the grammar builds, in overwrite and in Insert mode: what the box
// takes, Convert writes without a box as words that compute what the ladder on screen drew (wire
// included), and a second Convert writes the same words; what it refuses, it refuses with its box and the
// ladder stays as it was.
#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "compiler/ConvertCommand.h"
#include "entry/FakeEntryDialogs.h"
#include "entry/RungTrial.h"
#include "entry/ShownLadder.h"
#include "entry/TypingFixture.h"
#include "grammar/ConvertProperty.h"
#include "grammar/DrawnLogic.h"
#include "grammar/ProgramGrammar.h"
#include "model/core/CommandTransaction.h"
#include "model/ladder/EditorServices.h"
#include "support/Fixture.h"
#include "support/ShownBoxes.h"

namespace kestrion::test {
namespace {

using Lines = std::vector<std::string>;

const Lines kTyped = {"MCR N0", "FOR K5", "NEXT", "FEND", "SRET", "IRET", "EI", "DI", "RET", "END"};

// The outputs: coils, the set and reset, a pulse, a master control and an application instruction.
const Lines kOutputs = {"OUT Y1", "OUT M2", "SET M1", "RST Y2", "PLS M3", "MC N0 M4", "MOV K1 D0"};

using grammar::fromEnvironment;

class StandaloneGrammar : public CoreTest {
public:  // the judges are handed to the sweep by the tests
    void open(const grammar::Words& words) {
        grammar::startEditor();
        ASSERT_TRUE(grammar::openProgramWords(words));
        // From the ladder Convert reads back: what the program brought is Convert's own business.
        ASSERT_TRUE(runCommand(LToM));
        editModeFlags |= kEditFileOpen;
        forgetRecords();
        entryDialogs.forgetRecords();
    }
    void type(std::uint32_t x, std::uint32_t y, const std::string& line) {
        typeLineAt(entryDialogs, x, y, line);
    }
    Boxes boxes() const {
        Boxes shown = shownBoxes(fakes.messages);
        std::erase(shown, kFirstIsStl);
        return shown;
    }
    // "" when the property holds for the line typed at (x, y); else what broke.
    std::string check(const grammar::Words& words, const std::string& line, std::uint32_t x, std::uint32_t y,
                      bool insert) {
        open(words);
        if (insert) editModeFlags |= kEditInsertMode;
        const Lines before = shownLadder();
        type(x, y, line);
        if (!boxes().empty()) {
            if (std::find(kPlaceRefusals.begin(), kPlaceRefusals.end(), boxes().front()) ==
                kPlaceRefusals.end())
                return "refused with " + testing::PrintToString(boxes());
            return shownLadder() == before ? "" : "refused, and the ladder changed";
        }
        const grammar::DrawnBefore typed;
        if (!runCommand(LToM)) return "Convert refused what the box took: " + testing::PrintToString(boxes());
        if (!boxes().empty()) return "Convert showed " + testing::PrintToString(boxes());
        if (const std::string differs = typed.compareWithWords(grammar::imageProgramWords());
            !differs.empty())
            return "Convert wrote other logic than the ladder drawn: " + differs;
        const grammar::Words once = grammar::imageProgramWords();
        if (!runCommand(LToM) || grammar::imageProgramWords() != once)
            return "a second Convert did not write the same words";
        return "";
    }

    using Check = std::string (StandaloneGrammar::*)(const grammar::Words&, const std::string&, std::uint32_t,
                                                     std::uint32_t, bool);

    // Each line at every cell of the programs from seed `first` on, judged by `judge`; at most 60
    // failures, one of each kind a program.
    void sweep(const Lines& lines, std::uint32_t first, std::uint32_t count,
               Check judge = &StandaloneGrammar::check) {
        int broken = 0;
        for (std::uint32_t seed = first; seed < first + count && broken < 60; ++seed) {
            std::set<std::string> seen;
            grammar::RandomChoices choices(seed);
            const grammar::Program program = grammar::generateProgram(choices);
            const grammar::Words words = program.words();
            grammar::startEditor();
            if (!grammar::openProgramWords(words) || !runCommand(LToM)) continue;
            const std::uint32_t bottom = ldrTail->yAddr;
            for (const std::string& line : lines)
                for (const bool insert : {false, true})
                    for (std::uint32_t y = 0; y <= bottom; y += 64)
                        for (std::uint32_t x = 0; x <= 1040; x += 80) {
                            const std::string broke = (this->*judge)(words, line, x, y, insert);
                            const std::string kind = line + (insert ? " insert " : " ") + broke.substr(0, 40);
                            if (broke.empty() || !seen.insert(kind).second || ++broken > 60) continue;
                            ADD_FAILURE() << "seed " << seed << ": " << (insert ? "insert " : "") << line
                                          << " at " << x << "," << y << ": " << broke << "\n"
                                          << program.listing();
                        }
        }
    }

    // "" when the line the trial refused at (x, y) is one the whole program's Convert refuses or
    // writes as other logic than the ladder drawn, tried with a trial that takes every line.
    std::string checkRefusal(const grammar::Words& words, const std::string& line, std::uint32_t x,
                             std::uint32_t y, bool insert) {
        open(words);
        if (insert) editModeFlags |= kEditInsertMode;
        type(x, y, line);
        if (boxes() != Boxes{kPlaceRefusals.front()}) return "";
        open(words);
        if (insert) editModeFlags |= kEditInsertMode;
        {
            TakesEveryLine takes;
            const InstalledDialogs<RungTrial> installedTrial{takes};
            type(x, y, line);
        }
        if (!boxes().empty()) return "";  // a rule of the box refused it, not the trial
        const grammar::DrawnBefore drawn;
        if (!runCommand(LToM)) return "";
        if (!drawn.compareWithWords(grammar::imageProgramWords()).empty()) return "";
        return "the trial refused a line Convert writes as drawn";
    }

    struct TakesEveryLine final : RungTrial {
        LadderVerdict tryRung(const RungCopy&) override { return {}; }
    };

    FakeEntryDialogs entryDialogs;
    InstalledDialogs<EntryDialogs> installed{entryDialogs};
};

// Programs from seed 1, two of them; KESTRION_GRAMMAR_STANDALONE_FIRST and
// KESTRION_GRAMMAR_STANDALONE_PROGRAMS set others.
TEST_F(StandaloneGrammar, WhatTheBoxTakesConvertWritesAndTheLoadReadsBack) {
    sweep(kTyped, fromEnvironment("KESTRION_GRAMMAR_STANDALONE_FIRST", 1),
          fromEnvironment("KESTRION_GRAMMAR_STANDALONE_PROGRAMS", 2));
}

// The outputs the same way: programs from seed 1, two of them; KESTRION_GRAMMAR_OUTPUTS_FIRST and
// KESTRION_GRAMMAR_OUTPUTS_PROGRAMS set others.
TEST_F(StandaloneGrammar, OutputsTheBoxTakesConvertWritesAndTheLoadReadsBack) {
    sweep(kOutputs, fromEnvironment("KESTRION_GRAMMAR_OUTPUTS_FIRST", 1),
          fromEnvironment("KESTRION_GRAMMAR_OUTPUTS_PROGRAMS", 2));
}

// Every line the trial refuses on a loaded program is one the whole program's Convert would refuse or
// write as other logic than drawn: programs from seed 1, two of them; KESTRION_GRAMMAR_REFUSALS_FIRST
// and KESTRION_GRAMMAR_REFUSALS_PROGRAMS set others.
TEST_F(StandaloneGrammar, EveryLineTheTrialRefusesConvertWouldRefuseOrWriteOtherwise) {
    sweep(kOutputs, fromEnvironment("KESTRION_GRAMMAR_REFUSALS_FIRST", 1),
          fromEnvironment("KESTRION_GRAMMAR_REFUSALS_PROGRAMS", 2), &StandaloneGrammar::checkRefusal);
}

}  // namespace
}  // namespace kestrion::test
