#include "ConvertProperty.h"

#include <algorithm>
#include <vector>

#include "compiler/ConvertCommand.h"
#include "devviews/ObjectListDump.h"
#include "model/core/CommandTransaction.h"
#include "model/core/StateRegistry.h"
#include "model/image/ModeData.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/DrawGeometry.h"
#include "reader/MachineCodeLoader.h"
#include "reader/WordCheck.h"

namespace kestrion::grammar {

namespace {

constexpr std::int16_t kMemorySize = 8;
constexpr const char* kOpenedUnconvertible = "Can't convert";

}  // namespace

bool BoxCount::anySince(int first, const std::string& part) const {
    for (int i = first; i < count(); ++i)
        if (text(i).find(part) != std::string::npos) return true;
    return false;
}

void startEditor() {
    state::resetAll();
    ModeData.xSizeSymble = 80;
    ModeData.ySizeSymble = 64;
    deviceColumns = 14;
    setupDrawGeometry();
    initPmwImageByType(5);
    static_cast<void>(initPmwImageForTypeAndSize(5, kMemorySize));
    startLadderLoad();
}

bool openProgramWords(const Words& words) {
    std::fill(pmw.program.begin(), pmw.program.end(), kEmptyWord);
    std::copy_n(words.begin(), std::min(words.size(), programWordsFor(kMemorySize)), pmw.program.begin());
    return runCommand([] {
        if (isOnlyNopUntilEnd(kProgramAreaOffset)) pmw.program[0] = kEndCode;
        if (DeleteNopMachineCode(kProgramAreaOffset, "Open") != 0) return false;
        loadLadderFromImage("Open1C");
        return true;
    });
}

Words imageProgramWords() {
    const std::size_t area = programWordsFor(pmw.memSizeCode());
    Words words;
    for (std::size_t i = 0; i < area && i < pmw.program.size(); ++i) {
        words.push_back(pmw.program[i]);
        if (pmw.program[i] == kEndCode) break;
    }
    return words;
}

PropertyResult checkConvertProperty(const Words& words, const BoxCount& boxes) {
    PropertyResult result;
    startEditor();
    int shown = boxes.count();
    if (!openProgramWords(words)) {
        if (boxes.count() == shown) result.broken = "the load refused the program without a message";
        return result;
    }
    result.opened = true;
    result.loaded = imageProgramWords();
    if (result.loaded.empty() || result.loaded.back() != kEndCode) return result;  // shown empty, said so
    // A rung wider than the ladder opens with the warning that it cannot be converted.
    result.openedWarned = boxes.anySince(shown, kOpenedUnconvertible);

    const std::vector<std::string> opened = objectListDetailRows();
    shown = boxes.count();
    if (!runCommand(LToM)) {
        if (imageProgramWords() != result.loaded)
            result.broken = "a refused Convert changed the program: " + hexWords(imageProgramWords());
        else if (objectListDetailRows() != opened)
            result.broken = "a refused Convert changed the ladder";
        else if (!result.openedWarned || boxes.count() == shown)
            result.broken = "Convert refused a program the load opened: " +
                            (boxes.count() > shown ? boxes.last() : std::string("(no message)"));
        return result;
    }
    result.converted = imageProgramWords();
    if (const std::string difference = compareLogic(result.loaded, result.converted); !difference.empty()) {
        result.broken = "Convert wrote a program that computes something else: " + difference;
        return result;
    }
    const std::vector<std::string> ladder = objectListDetailRows();
    shown = boxes.count();
    if (!runCommand(LToM)) {
        result.broken = "a second Convert refused what the first wrote: " +
                        (boxes.count() > shown ? boxes.last() : std::string("(no message)"));
    } else if (imageProgramWords() != result.converted) {
        result.broken = "a second Convert changed what the first wrote: " + hexWords(imageProgramWords());
    } else if (objectListDetailRows() != ladder) {
        result.broken = "a second Convert changed the ladder";
    }
    return result;
}

}  // namespace kestrion::grammar
