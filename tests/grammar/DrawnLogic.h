// What the ladder in the editor shows, read as the view paints it: power from the left bus along
// each line from left to right through the contacts and the wire (NOP and #NOP objects, the wire the
// view draws into each output), and up or down through the vertical links of the canvas, to every
// output. An INV passes the power of its own parallel section inverted: from where its branch
// begins (a vertical link that opens the branch, a step's bus or the left bus) to the INV. Steps,
// master control, labels and jumps count as they do for the words (CoilLogic): a step and a master
// control condition every output they hold. Wire alone from the bus, or wire beside a contact, is
// read as what it shows: always on, a bypass.
#pragma once

#include <memory>

#include <string>
#include <vector>

#include "CoilLogic.h"

namespace kestrion::grammar {

// Every output, label, step and jump of the ladder in the editor now, in ladder order, each
// conditional one with the condition of power reaching it from the left bus; the texts are those
// coilLogic gives the same instructions, so that the two compare. Not empty error: an object the
// logic cannot read (its text is no instruction).
CoilLogic drawnLogic(const Inputs& inputs, Operands operands = Operands::Compared);

// The names of the inputs the ladder's contacts and steps read.
std::vector<std::string> drawnInputNames(Operands operands = Operands::Compared);

// Empty when the ladder in the editor computes what the words compute; else what differs first, in
// words (with the place of the ladder object).
std::string compareDrawnWithWords(const Words& words, Operands operands = Operands::Compared);

// The logic of the ladder in the editor when it is made, kept to be held against the words a later
// Convert writes.
class DrawnBefore {
public:
    explicit DrawnBefore(Operands operands = Operands::Compared);
    // Empty when the words compute what the ladder drew; else what differs first, in words.
    std::string compareWithWords(const Words& words) const;

private:
    struct Kept;
    Operands operands_;
    std::shared_ptr<const Kept> kept_;
};

}  // namespace kestrion::grammar
