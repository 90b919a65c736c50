// Rungs built from an empty program through the box and the link keys: contacts and an output on the
// rung's first line, and below it branches hung from nodes of that line, each with contacts and an
// output, with a coil of its own on its link, or with a further coil typed under the last output; the
// rung's output before or after its branches, the links top down or bottom up, F4 between rungs now
// and then. A step refused leaves the ladder as it was; what is taken, Convert writes as the logic
// the ladder draws, and with every step taken, as the logic the rungs were built for.
#include <algorithm>
#include <iostream>
#include <optional>

#include "compiler/ConvertCommand.h"
#include "editor/EditCommands.h"
#include "editor/VerticalLinks.h"
#include "entry/ShownLadder.h"
#include "entry/TypingFixture.h"
#include "grammar/ConvertProperty.h"
#include "grammar/DrawnLogic.h"
#include "model/core/CommandTransaction.h"
#include "model/ladder/VirtualCanvas.h"

namespace kestrion::test {
namespace {

using Lines = std::vector<std::string>;

// How a branch gets its output: contacts of its own, a coil on its link, or a coil typed on the line
// under the rung's last output, which runs under that output's contacts.
enum class BranchKind { Contacts, CoilOnLink, UnderOutput };
constexpr BranchKind kBranchKinds[] = {BranchKind::Contacts, BranchKind::CoilOnLink, BranchKind::UnderOutput};

std::uint32_t cellX(std::uint32_t cell) {
    return 80 * (cell + 1);
}

class BranchGrammar : public TypingTest {
protected:
    // A device of its own, inputs and outputs numbered in octal.
    std::string device(const std::string& kind) {
        const std::uint32_t n = kind.ends_with('X') ? inputs++ % 24 : outputs++ % 64;
        return kind + std::to_string(kind.ends_with('M') ? n : n / 8 * 10 + n % 8);
    }
    // A line typed at a cell, or with an empty line a link drawn there; a step refused must leave the
    // ladder and the flags as they were.
    void step(std::uint32_t cell, std::uint32_t y, const std::string& line) {
        const Lines before = shownLadder();
        const std::uint8_t flags = editModeFlags;
        fakes.messages.shown.clear();
        steps +=
            (line.empty() ? "link" : line) + " at " + std::to_string(cellX(cell)) + "," + std::to_string(y);
        placeCursor(cellX(cell), y);
        const bool taken =
            line.empty() ? editLinkAtFrame(LinkEdit::Draw) : (type(cellX(cell), y, line), true);
        steps += taken && boxes().empty() ? "; " : " (refused); ";
        allTaken = allTaken && taken && boxes().empty();
        if ((!taken || !boxes().empty()) && (shownLadder() != before || editModeFlags != flags))
            broke = "a step refused changed the ladder";
    }
    // A rung on END's line; `built` takes its logic, one rung for each output.
    void buildRung(grammar::Choices& choices, Lines& built) {
        const std::uint32_t top = ldrTail->yAddr, count = 1 + choices.below(4);
        Lines contacts;
        for (std::uint32_t i = 0; i < count; ++i)
            contacts.push_back(device(i == 0 ? (choices.percent(30) ? "LDI X" : "LD X") : "AND X"));
        const std::string output = device(choices.percent(50) ? "OUT Y" : "SET M");
        // A coil hangs on a link drawn down to a blank line, which only a rung being built takes.
        const bool outputLast = choices.percent(50), upward = choices.percent(50);
        for (std::uint32_t i = 0; i < count; ++i) step(i, top, contacts[i]);
        if (!outputLast) step(count, top, output);
        built.insert(built.end(), contacts.begin(), contacts.end());
        built.push_back(output);
        // The contacts of the lowest output typed so far: a further coil runs under them.
        std::optional<Lines> lastFed;
        if (!outputLast) lastFed = contacts;
        // Nodes do not move right going down: a branch's links pass the lines above it where they are blank.
        std::uint32_t at = top, node = count;
        for (std::uint32_t b = choices.below(4); b > 0; --b) {
            at += 64;
            BranchKind kind = kBranchKinds[choices.below(std::size(kBranchKinds))];
            if ((kind == BranchKind::CoilOnLink && !outputLast) ||
                (kind == BranchKind::UnderOutput && !lastFed))
                kind = BranchKind::Contacts;
            if (kind != BranchKind::UnderOutput) node = 1 + choices.below(node);
            Lines own;
            for (std::uint32_t c = kind == BranchKind::Contacts ? 1 + choices.below(2) : 0; c > 0; --c)
                own.push_back(device("AND X"));
            own.push_back(device(choices.percent(50) ? "OUT Y" : "SET M"));
            if (kind == BranchKind::Contacts)
                for (std::uint32_t c = 0; c < own.size(); ++c) step(node + c, at, own[c]);
            if (kind == BranchKind::CoilOnLink) {
                placeCursor(80, at);
                InsertLine1Click();  // a blank line in front of END for the link to reach
            }
            // A link from the node's line goes on down past lines clear of it.
            std::vector<std::uint32_t> links;
            for (std::uint32_t y = top; y < at && kind != BranchKind::UnderOutput; y += 64)
                links.push_back(y);
            if (upward) std::reverse(links.begin(), links.end());
            for (const std::uint32_t y : links)
                if (VirtualArray.at(2 * node + 1, canvasRowOf(y) + 1) != kCellLink) step(node, y, "");
            if (kind != BranchKind::Contacts) step(kind == BranchKind::CoilOnLink ? node : 0, at, own.back());
            if (kind != BranchKind::UnderOutput) {
                lastFed = Lines(contacts.begin(), contacts.begin() + node);
                lastFed->insert(lastFed->end(), own.begin(), own.end() - 1);
            }
            built.insert(built.end(), lastFed->begin(), lastFed->end());
            built.push_back(own.back());
        }
        if (outputLast) step(count, top, output);
    }
    // F4: what was taken converts as drawn; with every step taken, as built and without a box.
    void convert(const Lines& built) {
        const grammar::DrawnBefore drawn;
        fakes.messages.shown.clear();
        steps += "F4; ";
        if (!runCommand(LToM)) {
            if (allTaken) broke = "Convert refused what was built: " + testing::PrintToString(boxes());
            return;
        }
        const Words words = grammar::imageProgramWords();
        if (!boxes().empty()) broke = "Convert showed " + testing::PrintToString(boxes());
        if (const std::string differs = drawn.compareWithWords(words); !differs.empty())
            broke = "Convert wrote other logic than the ladder drawn: " + differs;
        if (const std::string differs = grammar::compareLogic(programOf(built), words);
            allTaken && !differs.empty())
            broke = "Convert wrote other logic than the rungs were built for: " + differs;
        convertedAsBuilt += allTaken && broke.empty() ? 1 : 0;
    }

    std::string steps, broke;
    bool allTaken = true;
    std::uint32_t inputs = 0, outputs = 0;
    int convertedAsBuilt = 0;
};

// Programs from seed 1, 300 of them; KESTRION_BRANCH_GRAMMAR_FIRST and KESTRION_BRANCH_GRAMMAR_PROGRAMS
// set others.
TEST_F(BranchGrammar, RungsBuiltWithTheBoxAndTheLinkKeysConvertAsDrawn) {
    const std::uint32_t first = grammar::fromEnvironment("KESTRION_BRANCH_GRAMMAR_FIRST", 1);
    const std::uint32_t count = grammar::fromEnvironment("KESTRION_BRANCH_GRAMMAR_PROGRAMS", 300);
    int failures = 0, everyStepTaken = 0;
    for (std::uint32_t seed = first; seed < first + count && failures < 20; ++seed) {
        grammar::RandomChoices choices(seed);
        ASSERT_TRUE(loadProgram(programOf({})));
        steps = "seed " + std::to_string(seed) + ": ";
        broke.clear();
        allTaken = true;
        Lines built;
        for (std::uint32_t n = 1 + choices.below(3); n > 0 && broke.empty(); --n) {
            buildRung(choices, built);
            if (broke.empty() && (n == 1 || choices.percent(50))) convert(built);
        }
        everyStepTaken += allTaken ? 1 : 0;
        if (!broke.empty() && ++failures > 0)
            ADD_FAILURE() << steps << "\n" << broke << "\nbuilt for: " << testing::PrintToString(built);
    }
    std::cout << count << " programs, every step taken in " << everyStepTaken << ", converted as built "
              << convertedAsBuilt << " times\n";
}

}  // namespace
}  // namespace kestrion::test
