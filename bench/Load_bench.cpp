// Opening a program: the program file read from the file service, then the load from its words to
// the finished ladder (objects, fillers and canvas), for programs of 8000 to 64000 steps made of
// the same mix of rungs, so that the times show how the cost grows with the steps.
#include <benchmark/benchmark.h>

#include <vector>

#include "model/core/StateRegistry.h"
#include "model/image/ModeData.h"
#include "model/image/PmwFile.h"
#include "model/image/ProgramImage.h"
#include "model/image/StepCount.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "reader/MachineCodeLoader.h"
#include "support/FakePlatform.h"

namespace {

using namespace kestrion;
using Words = std::vector<std::uint16_t>;

// The status texts of a load are many; a real status bar keeps only the last of each panel.
class QuietStatusBar : public platform::StatusBar {
public:
    void setPanelText(int, const std::string&) override {}
    std::string panelText(int) const override { return {}; }
};

Words wideRegister(int n) {
    return {static_cast<std::uint16_t>(0x8600 + ((2 * n) & 0xFF)),
            static_cast<std::uint16_t>(0x8600 + ((2 * n) >> 8)), 0x8000, 0x8000};
}

void append(Words& words, const Words& more) {
    words.insert(words.end(), more.begin(), more.end());
}

// Ten lines: six rungs of eight series contacts and a DADDP, one ORB rung with a timer, one MPS
// rung with two DMOV branches; about 16 steps a line, so that 64000 steps fit the canvas.
Words mixOfRungs() {
    Words words;
    for (int rung = 0; rung < 6; ++rung) {
        words.push_back(0x2400);
        for (int i = 1; i < 8; ++i)
            words.push_back(static_cast<std::uint16_t>((i % 3 == 0 ? 0x5400 : 0x4400) + i));
        words.push_back(0x1039);
        for (int n : {0, 2, 4}) append(words, wideRegister(n + rung));
    }
    append(words, {0x2400, 0x2401, 0x4402, 0xFFF9, 0x4403, 0x0600, 0x800A, 0x8000});
    append(words, {0x2404, 0xFFFA, 0x4405, 0x0029});
    append(words, wideRegister(10));
    append(words, wideRegister(12));
    append(words, {0xFFFC, 0x4406, 0x0029});
    append(words, wideRegister(14));
    append(words, wideRegister(16));
    return words;
}

// One line: LD X0 and OUT Y0 (2 steps), the shortest rung: the most lines for the steps.
Words shortRung() {
    return {0x2400, 0xC500};
}

PmwImage programOfSteps(std::size_t steps, const Words& mix) {
    PmwImage image;
    image.pmwPre = pmwPreTemplate(5);
    image.parameterBlock = parameterTemplate(5);
    image.setPlcType(5);
    image.setMemSizeCode(64);
    image.program.fill(kEmptyWord);
    std::size_t at = 0;
    while (at + mix.size() < steps) {
        std::copy(mix.begin(), mix.end(), image.program.begin() + static_cast<std::ptrdiff_t>(at));
        at += mix.size();
    }
    image.program[at] = kEndCode;
    return image;
}

void openRepeatedly(benchmark::State& state, const Words& mix) {
    test::FakePlatform fakes;
    QuietStatusBar statusBar;
    platform::install({&fakes.messages, &statusBar, &fakes.trace, &fakes.progress, &fakes.system,
                       &fakes.clock, &fakes.clock, &fakes.files, &fakes.serial});
    state::resetAll();
    ModeData.xSizeSymble = 80;
    ModeData.ySizeSymble = 64;
    deviceColumns = 14;
    setupDrawGeometry();
    fakes.files.put("/bench/Large.PMW",
                    pmwFileBytes(programOfSteps(static_cast<std::size_t>(state.range(0)), mix)));
    for (auto _ : state) {
        if (readPmwFile("/bench/Large.PMW", pmw) != PmwReadResult::Ok) state.SkipWithError("unreadable");
        startLadderLoad();
        convMachineCodeToLadder("Open1C");
        finishLoadedLadder();
        benchmark::DoNotOptimize(ldrTail->stepNo);
    }
    if (!fakes.messages.shown.empty()) state.SkipWithError(fakes.messages.shown.front().text.c_str());
    state.counters["steps"] = static_cast<double>(convStepNo);
    state.SetComplexityN(state.range(0));
    freeAllLadderObjects();
}

void BM_OpenProgram(benchmark::State& state) {
    openRepeatedly(state, mixOfRungs());
}
BENCHMARK(BM_OpenProgram)
    ->Arg(8000)
    ->Arg(16000)
    ->Arg(32000)
    ->Arg(64000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// 64000 steps of short rungs: 32000 lines, far down the canvas.
void BM_OpenShortRungs(benchmark::State& state) {
    openRepeatedly(state, shortRung());
}
BENCHMARK(BM_OpenShortRungs)->Arg(64000)->Unit(benchmark::kMillisecond);

}  // namespace
