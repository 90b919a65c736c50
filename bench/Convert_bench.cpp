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
#include "model/ladder/DrawnSymbols.h"
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
// logic read before a Convert, and held against the ladder it read back after it (the lines that
// differ read again). With BM_Convert of the same shape in the same run it gives Convert's cost with
// the check and without it (A/B). The third argument 1 changes a contact half way down after the
// Convert, as if its rung came back otherwise: that rung is read again and the check refuses.
void BM_DrawnLogicTwice(benchmark::State& state) {
    const auto shape = static_cast<Shape>(state.range(0));
    const bool rungChanged = state.range(2) != 0;
    state.SetLabel(std::string(shapeName(static_cast<int>(shape))) + (rungChanged ? ", a rung changed" : ""));
    startEditor();
    putProgramFile(programOf(shape, static_cast<std::size_t>(state.range(1))));
    if (!openProgramFile()) state.SkipWithError("the program did not open");
    for (auto _ : state) {
        toggleCounting();
        ConditionPool pool;
        const DrawnLadder drawn = drawnLadder(pool);
        toggleCounting();
        if (!runCommand(LToM)) state.SkipWithError("the program did not convert");
        stLadderBlock* contact = nullptr;
        if (rungChanged) {
            const std::uint32_t half = ldrTail->yAddr / 2;
            for (stLadderBlock* o = ldrHead; o != nullptr && contact == nullptr; o = o->next)
                if (o->yAddr >= half && symbolKindOf(*o) == SymbolKind::Contact) contact = o;
            if (contact == nullptr)
                state.SkipWithError("no contact half way down");
            else
                contact->operands[0][0] = contact->operands[0][0] == 'M' ? 'X' : 'M';
        }
        toggleCounting();
        if (compareWithLadderNow(drawn, pool).converts() == rungChanged)
            state.SkipWithError("the check said otherwise");
        toggleCounting();
        if (contact != nullptr) contact->operands[0][0] = contact->operands[0][0] == 'M' ? 'X' : 'M';
    }
}
BENCHMARK(BM_DrawnLogicTwice)
    ->ArgsProduct({benchmark::CreateDenseRange(0, kShapeCount - 1, 1), {64000}, {0, 1}})
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
