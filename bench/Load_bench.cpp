// File > Open: the program file read from the file service, the word check, and the load to the
// finished ladder (objects, fillers, canvas), inside its command, with the program of the same
// size open before. Programs of 8000 to 64000 steps of every shape, so that the times show how the
// cost grows with the steps.
#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "model/ladder/LadderObject.h"
#include "reader/LoadState.h"

namespace {

using namespace kestrion;
using namespace kestrion::bench;

void BM_Open(benchmark::State& state) {
    const auto shape = static_cast<Shape>(state.range(0));
    state.SetLabel(shapeName(static_cast<int>(shape)));
    startEditor();
    putProgramFile(programOf(shape, static_cast<std::size_t>(state.range(1))));
    const int boxes = boxesShown();
    for (auto _ : state) {
        if (!openProgramFile()) state.SkipWithError("the program did not open");
        benchmark::DoNotOptimize(ldrTail->stepNo);
    }
    if (boxesShown() != boxes) state.SkipWithError("a message was shown");
    state.counters["steps"] = static_cast<double>(convStepNo);
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_Open)
    ->ArgsProduct({benchmark::CreateDenseRange(0, kShapeCount - 1, 1), {8000, 16000, 32000, 64000}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
