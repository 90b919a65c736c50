// Every program the load opens is drawn as it runs: for every output, label, step and jump, power
// from the left bus through the contacts, the wire and the links the view paints gives what the
// words compute.
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
        {0x2400, 0x4401, 0x4402, 0x4403, 0x4404, 0x4405, 0x4406, 0x4407, 0x4408, 0x4409, 0x440A, 0x440B, 0xC500,
         0xC501, 0xC502, 0x240C, 0xC503, 0x000F},
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

}  // namespace
}  // namespace kestrion::test
