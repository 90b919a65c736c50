// Convert inside its command, again and again on the opened program: programs of 8000 to 64000
// steps of every shape, with the peak memory of the process; and the time of each pass. Under
// callgrind started with --collect-atstart=no only the commands are counted.
#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <string>

#include "BenchSupport.h"
#include "compiler/ConvertCommand.h"
#include "model/core/CommandTransaction.h"
#include "model/ladder/DrawnLogic.h"
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
    for (auto _ : state) {
        toggleCounting();
        if (!runCommand(LToM)) state.SkipWithError("the program did not convert");
        toggleCounting();
    }
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

// The part of Convert that holds the ladder read back against the logic drawn before it: the drawn
// logic read twice (before and after) and compared, on the opened program. With BM_Convert of the same
// shape in the same run it gives Convert's cost with the check and without it (A/B).
void BM_DrawnLogicTwice(benchmark::State& state) {
    const auto shape = static_cast<Shape>(state.range(0));
    state.SetLabel(shapeName(static_cast<int>(shape)));
    startEditor();
    putProgramFile(programOf(shape, static_cast<std::size_t>(state.range(1))));
    if (!openProgramFile()) state.SkipWithError("the program did not open");
    if (!runCommand(LToM)) state.SkipWithError("the program did not convert");
    for (auto _ : state) {
        toggleCounting();
        ConditionPool pool;
        const DrawnLadder drawn = drawnLadder(pool);
        const DrawnLadder back = drawnLadder(pool);
        if (!compareDrawnLadders(drawn, back, pool).converts()) state.SkipWithError("the logic differs");
        toggleCounting();
    }
}
BENCHMARK(BM_DrawnLogicTwice)
    ->ArgsProduct({benchmark::CreateDenseRange(0, kShapeCount - 1, 1), {64000}})
    ->Unit(benchmark::kMillisecond);

// Where Convert's time goes: the seconds of each pass (printed with their prefix: 2.5m is 2.5 ms),
// averaged over the runs, for the largest program of each shape.
void BM_ConvertPasses(benchmark::State& state) {
    const auto shape = static_cast<Shape>(state.range(0));
    state.SetLabel(shapeName(static_cast<int>(shape)));
    startEditor();
    putProgramFile(programOf(shape, static_cast<std::size_t>(state.range(1))));
    if (!openProgramFile()) state.SkipWithError("the program did not open");
    std::map<std::string, double> seconds;
    for (auto _ : state) {
        if (!runCommand(LToM)) state.SkipWithError("the program did not convert");
        for (const ConvertPassTime& pass : lastConvertPassTimes())
            seconds[pass.pass] += std::chrono::duration<double>(pass.took).count();
    }
    for (const auto& [pass, total] : seconds)
        state.counters[pass] = benchmark::Counter(total, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ConvertPasses)
    ->ArgsProduct({benchmark::CreateDenseRange(0, kShapeCount - 1, 1), {64000}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
