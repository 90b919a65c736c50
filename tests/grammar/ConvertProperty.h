// The property every program the load opens must keep through Convert: the load opens it, or
// refuses it with a message; Convert then writes words that compute, for every output, the same
// function of the contacts as the program did, in the same order; and a second Convert writes the
// same words and the same ladder again.
#pragma once

#include <functional>
#include <string>

#include "CoilLogic.h"

namespace kestrion::grammar {

// The message boxes shown so far and the text of the last, from whatever services are installed.
struct BoxCount {
    std::function<int()> count;
    std::function<std::string()> last;
};

struct PropertyResult {
    bool opened = false;
    Words loaded;        // the program words as the load read them
    Words converted;     // what the first Convert wrote
    std::string broken;  // empty when the property holds: the rule that did not, and how
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
