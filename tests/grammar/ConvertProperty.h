// The property every program the load opens must keep through Convert: the load opens it, or
// refuses it with a message; Convert then writes words that compute, for every output, the same
// function of the contacts as the program did, in the same order; and a second Convert writes the
// same words and the same ladder again. A program that opens with the warning that it cannot be
// converted (a rung wider than the ladder) may be refused by Convert with a message instead.
#pragma once

#include <functional>
#include <string>

#include "CoilLogic.h"

namespace kestrion::grammar {

// The message boxes shown so far and the text of each (counted from 0), from whatever services are
// installed.
struct BoxCount {
    std::function<int()> count;
    std::function<std::string(int)> text;
    std::string last() const { return count() > 0 ? text(count() - 1) : std::string{}; }
    bool anySince(int first, const std::string& part) const;
};

struct PropertyResult {
    bool opened = false;
    bool openedWarned = false;  // it opened with the warning that Convert cannot convert it
    Words loaded;               // the program words as the load read them
    Words converted;            // what the first Convert wrote
    std::string broken;         // empty when the property holds: the rule that did not, and how
};

// Every state as at start-up, a type-5 program of 8000 steps holding only END, and an empty ladder.
void startEditor();
// File > Open of program words (a program file holding them), inside its command; false when the
// word check or the load refused them.
bool openProgramWords(const Words& words);
// The program words of the image up to END (END included), or the whole area when there is none.
Words imageProgramWords();

// Starts the editor, opens the words, converts twice.
PropertyResult checkConvertProperty(const Words& words, const BoxCount& boxes);

}  // namespace kestrion::grammar
