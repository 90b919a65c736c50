// Every program the load opens is drawn as it runs: for every output, label, step and jump, power
// from the left bus through the contacts, the wire and the links the view paints gives what the
// words compute. The further outputs of a full rung, and the programs the grammar builds: a few
// thousand seeds here; KESTRION_LOADED_DRAWN_SEEDS=first-last (say 1-300000) runs others, by hand.
#include <cstdlib>
#include <string>

#include "compiler/ConvertCommand.h"
#include "grammar/ConvertProperty.h"
#include "grammar/DrawnLogic.h"
#include "grammar/ProgramGrammar.h"
#include "model/core/CommandTransaction.h"
#include "model/ladder/LadderObject.h"
#include "support/Fixture.h"

namespace kestrion::test {
namespace {

struct SeedRange {
    std::uint32_t first = 1;
    std::uint32_t last = 4000;
};

SeedRange seedsFromEnvironment() {
    SeedRange range;
    const char* value = std::getenv("KESTRION_LOADED_DRAWN_SEEDS");
    if (value == nullptr) return range;
    char* end = nullptr;
    range.first = static_cast<std::uint32_t>(std::strtoul(value, &end, 10));
    range.last = *end == '-' ? static_cast<std::uint32_t>(std::strtoul(end + 1, nullptr, 10)) : range.first;
    return range;
}

class LoadedDrawnLogic : public CoreTest {};

grammar::Words program(std::initializer_list<const char*> lines) {
    grammar::Words words;
    for (const char* line : lines) {
        const grammar::Words one = grammar::assemble(line);
        words.insert(words.end(), one.begin(), one.end());
    }
    words.push_back(0x000F);
    return words;
}

// The outputs after the first of a rung whose contacts reach the column of its outputs (or leave
// less room than a wide output takes) stand at the rung's node, on the lines below: they are drawn
// linked to it, under the rung's contacts, and Convert writes the words back as they were.
TEST_F(LoadedDrawnLogic, FurtherOutputsOfAFullRungHangFromItsNode) {
    const grammar::Words cases[] = {
        // LD X0, AND X1 ... AND X13, OUT Y0, OUT Y1, OUT Y2, LD X14, OUT Y3
        {0x2400, 0x4401, 0x4402, 0x4403, 0x4404, 0x4405, 0x4406, 0x4407, 0x4408, 0x4409, 0x440A, 0x440B,
         0xC500, 0xC501, 0xC502, 0x240C, 0xC503, 0x000F},
        program({"LD X0", "AND X1", "AND X2", "AND X3", "AND X4", "AND X5", "AND X6", "AND X7", "OUT Y0",
                 "DMOV K1 D0"}),
        program({"STL S20", "LD X0", "AND X1", "AND X2", "AND X3", "AND X4", "AND X5", "AND X6", "OUT Y0",
                 "DMOV K1 D0"}),
        // and eleven contacts, where a joint in front of the further outputs has its cell
        program({"LD X0", "AND X1", "AND X2", "AND X3", "AND X4", "AND X5", "AND X6", "AND X7", "AND X10",
                 "AND X11", "AND X12", "OUT Y0", "OUT Y1", "OUT Y2"}),
    };
    for (const grammar::Words& words : cases) {
        SCOPED_TRACE(grammar::hexWords(words));
        grammar::startEditor();
        ASSERT_TRUE(grammar::openProgramWords(words));
        EXPECT_EQ(grammar::compareDrawnWithWords(words), "");
        ASSERT_TRUE(runCommand(LToM));
        EXPECT_EQ(grammar::imageProgramWords(), words);
        EXPECT_EQ(grammar::compareDrawnWithWords(words), "");
    }
}

TEST_F(LoadedDrawnLogic, EveryGeneratedProgramTheLoadOpensDrawsTheLogicOfItsWords) {
    const SeedRange seeds = seedsFromEnvironment();
    std::uint32_t opened = 0, broken = 0;
    for (std::uint32_t seed = seeds.first; seed <= seeds.last; ++seed) {
        grammar::RandomChoices choices(seed);
        const grammar::Program program = grammar::generateProgram(choices);
        fakes.messages.shown.clear();
        grammar::startEditor();
        if (!grammar::openProgramWords(program.words())) continue;
        const grammar::Words loaded = grammar::imageProgramWords();
        ++opened;
        const std::string difference = grammar::compareDrawnWithWords(loaded);
        if (!difference.empty() && ++broken <= 5)
            ADD_FAILURE() << "seed " << seed << ": " << difference << "\n"
                          << program.listing() << grammar::hexWords(loaded);
    }
    EXPECT_EQ(broken, 0u) << "of " << opened << " opened";
    EXPECT_GE(opened, (seeds.last - seeds.first + 1) * 9 / 10);
}

}  // namespace
}  // namespace kestrion::test
