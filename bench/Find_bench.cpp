// The find, the find list, the go-to and the replace on the largest program (64,000 steps of the
// mix, its rungs on X0 to X7 and Y0 to Y3) with 2,000 device comments: each find, found or not
// (a find that finds nothing walks the whole ladder round), each under 50 ms.
#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>

#include "BenchSupport.h"
#include "editor/DeviceReplace.h"
#include "editor/EditCommands.h"
#include "editor/LadderFind.h"
#include "model/image/CommentLists.h"
#include "model/image/ModeData.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"

namespace {

using namespace kestrion;
using namespace kestrion::bench;

constexpr std::size_t kSteps = 64000;
constexpr std::uint16_t kComments = 2000;

void openLargestWithComments() {
    startEditor();
    putProgramFile(programOf(Shape::Mix, kSteps));
    if (!openProgramFile()) throw std::runtime_error("the program did not open");
    for (std::uint16_t m = 0; m < kComments; ++m) appendDeviceComment('M', m, "Relay " + std::to_string(m));
    appendDeviceComment('X', 5, "Limit switch");
    setBlueFrameObject(draw.iBusLineStart, 0);
}

void findEachTime(benchmark::State& state, FindKind kind, const char* text) {
    openLargestWithComments();
    for (auto _ : state) benchmark::DoNotOptimize(findOnce({kind, text}, FindDirection::Down));
}

void BM_FindDeviceNext(benchmark::State& state) {
    findEachTime(state, FindKind::Device, "X5");
}
BENCHMARK(BM_FindDeviceNext)->Unit(benchmark::kMillisecond);

void BM_FindDeviceNowhere(benchmark::State& state) {
    findEachTime(state, FindKind::Device, "X77");
}
BENCHMARK(BM_FindDeviceNowhere)->Unit(benchmark::kMillisecond);

void BM_FindInstructionNowhere(benchmark::State& state) {
    findEachTime(state, FindKind::Instruction, "ZRST");
}
BENCHMARK(BM_FindInstructionNowhere)->Unit(benchmark::kMillisecond);

void BM_FindCommentNext(benchmark::State& state) {
    findEachTime(state, FindKind::Comment, "limit");
}
BENCHMARK(BM_FindCommentNext)->Unit(benchmark::kMillisecond);

void BM_FindCommentNowhere(benchmark::State& state) {
    findEachTime(state, FindKind::Comment, "pump");
}
BENCHMARK(BM_FindCommentNowhere)->Unit(benchmark::kMillisecond);

// The find list of the device every rung starts with: every place with its line and comments.
void BM_FindListEveryRung(benchmark::State& state) {
    openLargestWithComments();
    const auto matcher = FindMatcher::prepare({FindKind::Device, "X0"});
    for (auto _ : state) {
        const std::vector<FoundPlace> places = findAll(*matcher);
        if (places.size() < 5000) state.SkipWithError("too few places");
        benchmark::DoNotOptimize(places.data());
    }
}
BENCHMARK(BM_FindListEveryRung)->Unit(benchmark::kMillisecond);

void BM_GoToLastStep(benchmark::State& state) {
    openLargestWithComments();
    for (auto _ : state) {
        if (goToStep(ldrTail->stepNo) != GoToOutcome::Moved) state.SkipWithError("not moved");
    }
}
BENCHMARK(BM_GoToLastStep)->Unit(benchmark::kMillisecond);

// Every X5 of the program replaced, judged line by line, then taken back by Undo.
void BM_ReplaceAndUndo(benchmark::State& state) {
    openLargestWithComments();
    const auto replacement = readReplacement("X5", "X15", true, "", "");
    for (auto _ : state) {
        if (!replaceDevices(*replacement).replaced) state.SkipWithError(lastBoxText().c_str());
        Undo1Click();
    }
}
BENCHMARK(BM_ReplaceAndUndo)->Unit(benchmark::kMillisecond);

}  // namespace
