// The ladder view in its scroll area, as the main window holds it (an offscreen window): Convert of
// 8000 to 64000 steps of every shape with the view installed, the repaint after it included (the
// command and its repaint are what callgrind counts when started with --collect-atstart=no); and
// one screen of the largest program (64,000 steps of the mix) laid out and painted at its start
// and at its end, which must cost about the same.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QScrollArea>
#include <QScrollBar>
#include <stdexcept>

#include "BenchSupport.h"
#include "OffscreenApplication.h"
#include "compiler/ConvertCommand.h"
#include "editor/LadderLayout.h"
#include "editor/forms/LadderViewForm.h"
#include "model/core/CommandTransaction.h"
#include "model/image/ModeData.h"
#include "model/ladder/LadderObject.h"

namespace {

using namespace kestrion;
using namespace kestrion::bench;

constexpr int kWindowWidth = 1300;
constexpr int kWindowHeight = 900;

// The view shown in its scroll area; it installs itself as the model's ladder view.
struct LadderWindow {
    QScrollArea box;
    forms::LadderViewForm* view = new forms::LadderViewForm;

    LadderWindow() {
        box.setWidget(view);
        box.resize(kWindowWidth, kWindowHeight);
        box.show();
        view->syncSize();
        QCoreApplication::processEvents();
    }
};

void BM_ConvertInWindow(benchmark::State& state) {
    bench::ensureOffscreenApplication();
    const auto shape = static_cast<Shape>(state.range(0));
    state.SetLabel(shapeName(static_cast<int>(shape)));
    startEditor();
    putProgramFile(programOf(shape, static_cast<std::size_t>(state.range(1))));
    if (!openProgramFile()) state.SkipWithError("the program did not open");
    LadderWindow window;
    const int boxes = boxesShown();
    for (auto _ : state) {
        toggleCounting();
        if (!runCommand(LToM)) state.SkipWithError("the program did not convert");
        QCoreApplication::processEvents();  // the repaint the command asked for
        toggleCounting();
    }
    if (boxesShown() != boxes) state.SkipWithError("a message was shown");
    state.counters["steps"] = static_cast<double>(ldrTail->stepNo);
}
BENCHMARK(BM_ConvertInWindow)
    ->ArgsProduct({benchmark::CreateDenseRange(0, kShapeCount - 1, 1), {8000, 16000, 32000, 64000}})
    ->Unit(benchmark::kMillisecond);

// The screens of the largest program: the first, the last full one (END on its bottom line), and
// the end of the scroll range (END and the empty lines below it).
enum Screen { First, LastFull, ScrollEnd };
const char* const kScreenNames[] = {"first screen", "last full screen", "end of the scroll range"};

void openLargest() {
    startEditor();
    putProgramFile(programOf(Shape::Mix, 64000));
    if (!openProgramFile()) throw std::runtime_error("the program did not open");
}

int screenTop(Screen screen) {
    switch (screen) {
        case First: break;
        case LastFull: return scaledToScreen(ldrTail->yAddr + ModeData.ySizeSymble) - kWindowHeight;
        case ScrollEnd: return ladderScreenHeight() - kWindowHeight;
    }
    return 0;
}

void BM_PaintScreenOfLargest(benchmark::State& state) {
    bench::ensureOffscreenApplication();
    openLargest();
    const auto screen = static_cast<Screen>(state.range(0));
    state.SetLabel(kScreenNames[screen]);
    LadderWindow window;
    QScrollBar& scroll = *window.box.verticalScrollBar();
    scroll.setValue(screenTop(screen));
    QImage image(kWindowWidth, kWindowHeight, QImage::Format_RGB32);
    const QRegion visible(window.view->visibleRegion().boundingRect());
    for (auto _ : state) {
        window.view->render(&image, QPoint(), visible);
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["top"] = scroll.value();
}
BENCHMARK(BM_PaintScreenOfLargest)->DenseRange(First, ScrollEnd)->Unit(benchmark::kMicrosecond);

// The layout of those screens alone (what the view paints, without the painting).
void BM_LayoutScreenOfLargest(benchmark::State& state) {
    openLargest();
    const auto screen = static_cast<Screen>(state.range(0));
    state.SetLabel(kScreenNames[screen]);
    const auto top = static_cast<std::uint32_t>(screenTop(screen));
    LadderScreen layout;
    installLadderView(&layout);
    for (auto _ : state) benchmark::DoNotOptimize(layout.build(top, kWindowHeight));
    installLadderView(nullptr);
}
BENCHMARK(BM_LayoutScreenOfLargest)->DenseRange(First, ScrollEnd)->Unit(benchmark::kMicrosecond);

}  // namespace
