// The instruction word check run before a program image becomes ladder objects: it walks the
// program words instruction by instruction, removes every NOP word by pulling the rest of the
// program area forward, refuses words that cannot begin an instruction, and behind END wipes the
// program area to 0xFFFF (keeping a 0xB40F marker directly behind END).
#pragma once

#include <cstddef>
#include <string_view>

namespace kestrion {

// Caption of the pop-up that reports a refused word.
constexpr const char* kWordCheckCaption = "Check instruction code...";

// Walks from byteOffset (348 for a whole program); label names the caller ("New", "Open",
// "ProgRead", "LToM01", "LToM02") in the status text of an undefined word. 0: the walk reached END
// or the area end and the image was cleaned; 1: a refused word was reported, the walk stopped
// there and nothing behind it was changed (NOPs already removed stay removed).
//
// Refused are: 0x0000, operand words (0x8000-0xAFFF), FNC 169 in any form, and as undefined words
// every word that no decoder places (codes the instruction tables do not carry, the empty
// decoder slots, 0xF800-0xFFF7). FNC 60, 64 and 65 are warned about and stepped over as one word,
// so their operand words are refused next.
int DeleteNopMachineCode(std::size_t byteOffset, std::string_view label);

}  // namespace kestrion
