// Convert ("Ladder=>Instruction"): the edited ladder becomes the program words of the image, and
// the ladder is then rebuilt from those words, so that what the user sees is what the program says.
#pragma once

#include <cstdint>
#include <vector>

#include "compiler/CompilerState.h"

namespace kestrion {

// The whole conversion. Meant to run inside a command transaction (runCommand): every refusal and
// every failure of a pass, of the comment packing or of the word check at reload has been shown to
// the user when it throws ConversionError (its verdict says why and where: wire left open, a refusal,
// or other logic than the ladder drawn), and the transaction then puts the ladder, the grid, the
// program image, the comments and the flags back as they were before the command.
void LToM();

// The passes of the last Convert in the order they ran, each with the time it took (a steady-clock
// read on either side: cheap enough to stay on). A refused Convert leaves those it finished.
const std::vector<ConvertPassTime>& lastConvertPassTimes();

// The first step of Convert: every line a mark of an inserted or a deleted line names is removed
// when its element cells hold nothing but links, every blank line above END too, and everything
// below them moves up.
void removeEmptyLines();

// Every main-list object's orbXaddr becomes 0 (the ANB/ORB pass keeps its chain ends there).
void resetObjectsBeforeConvert();

// The progress dashes of a block loop: one " -" every interval + 1 blocks.
class ProgressDash {
public:
    explicit ProgressDash(std::uint32_t interval) : interval_(interval) {}
    // Counts one block; true when a dash is due after it.
    bool afterBlock();

private:
    std::uint32_t interval_;
    std::uint32_t counter_ = 0;
};

}  // namespace kestrion
