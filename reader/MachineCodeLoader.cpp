#include "reader/MachineCodeLoader.h"

#include "model/ProgramImage.h"
#include "model/StepCount.h"
#include "reader/LoadState.h"

namespace kestrion {

std::uint32_t& loaderStartX = readerState.loaderStartX;

namespace {

std::size_t firstWordAt(std::size_t byteOffset) {
    return byteOffset <= kProgramAreaOffset ? 0 : (byteOffset - kProgramAreaOffset) / 2;
}

// Words of the program's capacity, kept inside the program area.
std::size_t programWords() {
    return programWordsFor(pmw.memSizeCode());
}

}  // namespace

bool isOnlyNopUntilEnd(std::size_t byteOffset) {
    for (std::size_t i = firstWordAt(byteOffset); i < kProgramWordCount; ++i) {
        if (pmw.program[i] == kEndCode) return true;
        if (pmw.program[i] != kEmptyWord) return false;
    }
    return true;
}

void convMachineCodeToLadder(const std::string& /*caption*/) {
    // The step count is that of the words up to and including END.
    const std::size_t words = programWords();
    std::size_t steps = 0;
    while (steps < words && pmw.program[steps] != kEndCode) ++steps;
    convStepNo = static_cast<std::uint32_t>(steps < words ? steps + 1 : words);
}

void ModifyHLineToVirtualCanvas() {}

}  // namespace kestrion
