// Opening the instruction view on the largest program (64,000 steps): the list of where each line
// starts, built anew, and the view showing its first screen, painted into an image. The lines are
// decoded only as the view paints them, so the whole must stay well under 0.1 s.
#include <benchmark/benchmark.h>

#include <QImage>
#include <memory>

#include "OffscreenApplication.h"
#include "editor/forms/InstructionViewForm.h"
#include "model/image/ProgramImage.h"
#include "reader/InstructionList.h"

namespace {

using namespace kestrion;

constexpr std::size_t kSteps = 64000;

// Rungs of LD, AND, MOV K10 D0 and OUT: nine steps each, END in the last step.
void buildLargestProgram() {
    pmw.setPlcType(5);
    pmw.setMemSizeCode(64);
    pmw.program.fill(kEmptyWord);
    const std::uint16_t rung[] = {0x2400, 0x4401, 0x0028, 0x800A, 0x8000, 0x8600, 0x8600, 0xC500, 0xC501};
    std::size_t at = 0;
    while (at + std::size(rung) < kSteps) {
        std::copy(std::begin(rung), std::end(rung), pmw.program.begin() + static_cast<std::ptrdiff_t>(at));
        at += std::size(rung);
    }
    pmw.program[kSteps - 1] = kEndCode;
}

forms::InstructionViewForm::Row rowOf(int row) {
    const InstructionLine line = instructionLine(static_cast<std::size_t>(row));
    return {std::to_string(line.step), line.mnemonic, line.operands, line.comment};
}

void BM_OpenInstructionView(benchmark::State& state) {
    bench::ensureOffscreenApplication();
    buildLargestProgram();
    forms::InstructionViewForm view;
    view.resize(900, 900);
    view.show();
    QImage image(900, 900, QImage::Format_RGB32);
    for (auto _ : state) {
        pmw.program[0] ^= 0x0001;  // another program each time: the list is built anew
        if (refreshInstructionList()) view.setLines(static_cast<int>(instructionLineCount()), rowOf);
        view.render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["lines"] = static_cast<double>(instructionLineCount());
}
BENCHMARK(BM_OpenInstructionView)->Unit(benchmark::kMillisecond);

}  // namespace
