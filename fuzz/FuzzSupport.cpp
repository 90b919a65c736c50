#include "FuzzSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "bench/QuietServices.h"
#include "model/core/CommandTransaction.h"
#include "model/core/StateRegistry.h"
#include "model/image/ModeData.h"
#include "model/image/ProgramImage.h"
#include "model/instructions/InstructionCodes.h"
#include "model/ladder/DrawGeometry.h"
#include "reader/MachineCodeLoader.h"
#include "reader/MachineWords.h"
#include "reader/WordCheck.h"

namespace kestrion::fuzz {

namespace {

constexpr std::int16_t kMemorySize = 8;

}  // namespace

void startEditor() {
    quiet::services();
    state::resetAll();
    ModeData.xSizeSymble = 80;
    ModeData.ySizeSymble = 64;
    deviceColumns = 14;
    setupDrawGeometry();
    initPmwImageByType(5);
    static_cast<void>(initPmwImageForTypeAndSize(5, kMemorySize));
    startLadderLoad();
}

int boxesShown() {
    return quiet::services().boxes;
}

std::string lastBox() {
    return quiet::services().lastText;
}

Words programWords() {
    const std::size_t area = programWordsFor(pmw.memSizeCode());
    Words words;
    for (std::size_t i = 0; i < area && i < pmw.program.size(); ++i) {
        words.push_back(pmw.program[i]);
        if (pmw.program[i] == kEndCode) break;
    }
    return words;
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
    std::fill(pmw.program.begin(), pmw.program.end(), kEmptyWord);
    std::copy_n(words.begin(), std::min(words.size(), programWordsFor(kMemorySize)), pmw.program.begin());
    return runCommand([] {
        if (isOnlyNopUntilEnd(kProgramAreaOffset)) pmw.program[0] = kEndCode;
        if (DeleteNopMachineCode(kProgramAreaOffset, "Open") != 0) return false;
        startLadderLoad();
        convMachineCodeToLadder("Open1C");
        followWidenedBus();
        finishLoadedLadder();
        return true;
    });
}

void broken(const std::string& rule) {
    std::fprintf(stderr, "%s\nprogram:", rule.c_str());
    for (std::uint16_t w : programWords()) std::fprintf(stderr, " %04X", w);
    std::fprintf(stderr, "\n");
    std::abort();
}

}  // namespace kestrion::fuzz
