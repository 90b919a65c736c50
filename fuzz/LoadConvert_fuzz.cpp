// Program words (little-endian pairs of bytes) opened as a program file and converted twice: no
// crash and no hang; a program that opens converts or is refused with a message; the first Convert
// keeps every instruction (only the joints are placed anew); the second changes nothing. Built as
// fuzz_LoadConvertLogic, the first Convert must also keep what every output computes, in order (the
// coil-logic evaluator of the program grammar; a stricter search). Operand words are not compared:
// Convert writes each operand in the one form the load shows it in.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "compiler/ConvertCommand.h"
#include "devviews/ObjectListDump.h"
#include "model/core/CommandTransaction.h"
#ifdef KESTRION_FUZZ_LOGIC
#include "tests/grammar/CoilLogic.h"
#endif

using namespace kestrion;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::startEditor();
    fuzz::Words words;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        words.push_back(static_cast<std::uint16_t>(data[i] | (data[i + 1] << 8)));
    if (!fuzz::openWords(words)) return 0;
    // A program without END is shown as the empty program after its message: nothing to keep.
    const fuzz::Words loaded = fuzz::programWords();
    const bool ended = !loaded.empty() && loaded.back() == 0x000F;
    const std::size_t instructions = fuzz::instructionCount(loaded);

    int boxes = fuzz::boxesShown();
    if (!runCommand(LToM)) {
        if (fuzz::boxesShown() == boxes) fuzz::broken("Convert refused the program without a message");
        return 0;
    }
    const fuzz::Words first = fuzz::programWords();
    if (ended && fuzz::instructionCount(first) != instructions && fuzz::boxesShown() == boxes)
        fuzz::broken("Convert dropped or added an instruction without a message");
#ifdef KESTRION_FUZZ_LOGIC
    if (const std::string difference = grammar::compareLogic(loaded, first, grammar::Operands::Ignored);
        !difference.empty())
        fuzz::broken("Convert wrote a program that computes something else: " + difference);
#endif
    const std::vector<std::string> ladder = objectListDetailRows();

    boxes = fuzz::boxesShown();
    if (!runCommand(LToM)) fuzz::broken("a second Convert refused what the first wrote");
    if (fuzz::programWords() != first) fuzz::broken("a second Convert changed what the first wrote");
    if (objectListDetailRows() != ladder) fuzz::broken("a second Convert changed the ladder");
    return 0;
}
