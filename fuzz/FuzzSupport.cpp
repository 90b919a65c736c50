#include "FuzzSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "bench/QuietServices.h"
#include "model/image/ProgramImage.h"
#include "reader/MachineWords.h"
#include "tests/grammar/ConvertProperty.h"

namespace kestrion::fuzz {

void startEditor() {
    quiet::services().shown.clear();
    grammar::startEditor();
}

int boxesShown() {
    return static_cast<int>(quiet::services().shown.size());
}

std::string boxText(int index) {
    return quiet::services().shown.at(static_cast<std::size_t>(index));
}

std::string lastBox() {
    return quiet::services().shown.empty() ? std::string{} : quiet::services().shown.back();
}

Words programWords() {
    return grammar::imageProgramWords();
}

std::size_t instructionCount(const Words& words) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < words.size() && words[i] != kEndCode;) {
        const std::uint16_t w = words[i];
        const bool placeholder = w == 0x1000 || w == 0xFFFE || w == kEmptyWord;
        if ((w < 0xFFF8 || w > 0xFFFC) && !placeholder) ++count;
        i += static_cast<std::size_t>(std::max(1, instructionLength(w)));
    }
    return count;
}

bool openWords(const Words& words) {
    return grammar::openProgramWords(words);
}

void broken(const std::string& rule) {
    std::fprintf(stderr, "%s\nprogram:", rule.c_str());
    for (std::uint16_t w : programWords()) std::fprintf(stderr, " %04X", w);
    std::fprintf(stderr, "\n");
    std::abort();
}

}  // namespace kestrion::fuzz
