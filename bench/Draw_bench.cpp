// Drawing one screen of the ladder view for the largest program (64,000 steps): the layout of the
// visible part alone, and the layout painted by the view into an image.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <memory>

#include "OffscreenApplication.h"
#include "editor/LadderLayout.h"
#include "editor/forms/LadderViewForm.h"
#include "model/image/ModeData.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/VirtualCanvas.h"

namespace {

using namespace kestrion;

constexpr std::uint32_t kCell = 80;
constexpr std::uint32_t kRowHeight = 64;
constexpr int kSteps = 64000;
constexpr std::uint32_t kScreenHeight = 900;

void add(std::uint16_t code, const char* mnemonic, const char* operand, std::uint32_t x, std::uint32_t y,
         std::uint32_t id, std::uint32_t end) {
    ReallocLadderMemory(kLinkBeforeEnd, 0);
    stLadderBlock& o = *ldrNew;
    o.xAddr = x;
    o.yAddr = y;
    o.Xend = end;
    o.objLbc = id;
    setText(o.mnemonic, mnemonic);
    setText(o.operands[0], operand);
    o.iCode = code;
}

// Rows of LD, AND and OUT: four steps a row (OUT takes two).
std::uint32_t buildLargestProgram() {
    ModeData.xSizeSymble = kCell;
    ModeData.ySizeSymble = kRowHeight;
    deviceColumns = 14;
    setupDrawGeometry();
    clearVirtualCanvas();
    initLadderList(draw.iBusLineEnd - kCell, 0);
    std::uint32_t y = 0;
    for (int step = 0, row = 0; step < kSteps; step += 4, ++row, y += kRowHeight) {
        const std::uint32_t id = static_cast<std::uint32_t>(row) + 1;
        const std::string device = std::to_string(row % 100);
        add(0x2000, "LD", ("X" + device).c_str(), kCell, y, id, 2 * kCell);
        add(0x4000, "AND", ("M" + device).c_str(), 2 * kCell, y, id, 3 * kCell);
        add(0xC000, "OUT", ("Y" + device).c_str(), draw.iBusLineEnd - kCell, y, id, draw.iBusLineEnd);
    }
    ldrTail->yAddr = y;
    ldrTail->objLbc = y / kRowHeight + 1;
    return y;
}

void BM_LayoutOneScreen(benchmark::State& state) {
    const std::uint32_t height = buildLargestProgram();
    LadderScreen screen;
    installLadderView(&screen);
    for (auto _ : state) benchmark::DoNotOptimize(screen.build(height / 2, kScreenHeight));
    installLadderView(nullptr);
    freeAllLadderObjects();
}
BENCHMARK(BM_LayoutOneScreen)->Unit(benchmark::kMicrosecond);

void BM_PaintOneScreen(benchmark::State& state) {
    bench::ensureOffscreenApplication();
    const std::uint32_t height = buildLargestProgram();
    QScrollArea box;
    auto* view = new forms::LadderViewForm;
    box.setWidget(view);
    box.resize(1300, static_cast<int>(kScreenHeight));
    box.show();
    view->syncSize();
    box.verticalScrollBar()->setValue(static_cast<int>(height / 2));
    QImage image(1300, static_cast<int>(kScreenHeight), QImage::Format_RGB32);
    const QRegion visible(view->visibleRegion().boundingRect());
    for (auto _ : state) {
        view->render(&image, QPoint(), visible);
        benchmark::DoNotOptimize(image.bits());
    }
    freeAllLadderObjects();
}
BENCHMARK(BM_PaintOneScreen)->Unit(benchmark::kMicrosecond);

}  // namespace
