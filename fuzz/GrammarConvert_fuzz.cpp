// Programs built from the grammar of the ladder's shapes, the fuzzer's bytes making its choices,
// opened as a program file and converted twice: each opens, or the load refuses it with a message;
// Convert writes words that compute, for every output, what the program computed, in the same
// order; and a second Convert writes the same words and the same ladder.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "tests/grammar/ConvertProperty.h"
#include "tests/grammar/ProgramGrammar.h"

using namespace kestrion;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::startEditor();
    grammar::ByteChoices choices(data, size);
    const grammar::Program program = grammar::generateProgram(choices);
    const grammar::PropertyResult result =
        grammar::checkConvertProperty(program.words(), {fuzz::boxesShown, fuzz::boxText});
    if (!result.broken.empty())
        fuzz::broken(result.broken + "\n" + program.listing() +
                     "words: " + grammar::hexWords(program.words()));
    return 0;
}
