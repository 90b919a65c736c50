// The ladder view in its scroll area, as the main window holds it (an offscreen window): Convert of
// 8000 to 64000 steps of every shape with the view installed, the repaint after it included; and
// one screen of the largest program (64,000 steps of the mix) laid out and painted at its first
// and at its last screen, which must cost about the same.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QScrollArea>
#include <QScrollBar>
#include <stdexcept>

#include "BenchSupport.h"
#include "compiler/ConvertCommand.h"
#include "editor/LadderLayout.h"
#include "editor/forms/LadderViewForm.h"
#include "model/core/CommandTransaction.h"
#include "model/ladder/LadderObject.h"

namespace {

using namespace kestrion;
using namespace kestrion::bench;

constexpr int kWindowWidth = 1300;
constexpr int kWindowHeight = 900;

void ensureApplication() {
    if (QApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "kestrion_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
}

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
    ensureApplication();
    const auto shape = static_cast<Shape>(state.range(0));
    state.SetLabel(shapeName(static_cast<int>(shape)));
    startEditor();
    putProgramFile(programOf(shape, static_cast<std::size_t>(state.range(1))));
    if (!openProgramFile()) state.SkipWithError("the program did not open");
    LadderWindow window;
    const int boxes = boxesShown();
    for (auto _ : state) {
        if (!runCommand(LToM)) state.SkipWithError("the program did not convert");
        QCoreApplication::processEvents();  // the repaint the command asked for
    }
    if (boxesShown() != boxes) state.SkipWithError("a message was shown");
    state.counters["steps"] = static_cast<double>(ldrTail->stepNo);
}
BENCHMARK(BM_ConvertInWindow)
    ->ArgsProduct({benchmark::CreateDenseRange(0, kShapeCount - 1, 1), {8000, 16000, 32000, 64000}})
    ->Unit(benchmark::kMillisecond);

// Argument 0: the first screen; 1: the last.
void BM_PaintScreenOfLargest(benchmark::State& state) {
    ensureApplication();
    startEditor();
    putProgramFile(programOf(Shape::Mix, 64000));
    if (!openProgramFile()) throw std::runtime_error("the program did not open");
    LadderWindow window;
    QScrollBar& scroll = *window.box.verticalScrollBar();
    const bool last = state.range(0) == 1;
    state.SetLabel(last ? "last screen" : "first screen");
    scroll.setValue(last ? scroll.maximum() : 0);
    QImage image(kWindowWidth, kWindowHeight, QImage::Format_RGB32);
    const QRegion visible(window.view->visibleRegion().boundingRect());
    for (auto _ : state) {
        window.view->render(&image, QPoint(), visible);
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["top"] = scroll.value();
}
BENCHMARK(BM_PaintScreenOfLargest)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The layout of that screen alone (what the view paints, without the painting).
void BM_LayoutScreenOfLargest(benchmark::State& state) {
    startEditor();
    putProgramFile(programOf(Shape::Mix, 64000));
    if (!openProgramFile()) throw std::runtime_error("the program did not open");
    const bool last = state.range(0) == 1;
    state.SetLabel(last ? "last screen" : "first screen");
    const auto height = static_cast<std::uint32_t>(ladderScreenHeight());
    const std::uint32_t top = last ? height - kWindowHeight : 0;
    LadderScreen screen;
    installLadderView(&screen);
    for (auto _ : state) benchmark::DoNotOptimize(screen.build(top, kWindowHeight));
    installLadderView(nullptr);
}
BENCHMARK(BM_LayoutScreenOfLargest)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
