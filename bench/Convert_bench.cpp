// Convert inside its command, again and again on the opened program: programs of 8000 to 64000
// steps of every shape, with the peak memory of the process.
#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "compiler/ConvertCommand.h"
#include "model/core/CommandTransaction.h"
#include "model/ladder/LadderObject.h"

namespace {

using namespace kestrion;
using namespace kestrion::bench;

void BM_Convert(benchmark::State& state) {
    const auto shape = static_cast<Shape>(state.range(0));
    state.SetLabel(shapeName(static_cast<int>(shape)));
    startEditor();
    putProgramFile(programOf(shape, static_cast<std::size_t>(state.range(1))));
    if (!openProgramFile()) state.SkipWithError("the program did not open");
    const int boxes = boxesShown();
    for (auto _ : state)
        if (!runCommand(LToM)) state.SkipWithError("the program did not convert");
    if (boxesShown() != boxes) state.SkipWithError("a message was shown");
    state.counters["steps"] = static_cast<double>(ldrTail->stepNo);
    int objects = 0;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) ++objects;
    state.counters["objects"] = objects;
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_Convert)
    ->ArgsProduct({benchmark::CreateDenseRange(0, kShapeCount - 1, 1), {8000, 16000, 32000, 64000}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
