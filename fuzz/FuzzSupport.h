// What the fuzz targets share: the quiet services, a fresh editor holding a type-5 program of 8000
// steps, the program words of the image, and a stop that names the broken rule.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kestrion::fuzz {

using Words = std::vector<std::uint16_t>;

// Every state reset, the geometry of start-up, an END-only ladder of a type-5 program of 8000 steps.
void startEditor();
// Message boxes shown since the editor started, the text of one (counted from 0), and of the last.
int boxesShown();
std::string boxText(int index);
std::string lastBox();

// The program words up to END (END included), or the whole area when there is none.
Words programWords();
// The instructions of program words, counted by the word check's lengths; the joints (ANB, ORB,
// MPS, MRD, MPP), which Convert places anew, and the placeholders 0x1000 and 0xFFFE, which no
// program keeps, are not counted.
std::size_t instructionCount(const Words& words);

// File > Open of the words (as a program file would give them), inside its command: false when
// the word check or the load refused them (with a message).
bool openWords(const Words& words);

// Ends the run with the rule and, for the record, the program words.
[[noreturn]] void broken(const std::string& rule);

}  // namespace kestrion::fuzz
