// The editing commands on the largest program (64,000 steps of the mix): one typed instruction
// over a contact, a vertical link drawn, Edit > Delete line, and Edit > Undo. Each runs inside its command
// transaction and takes its undo copy; the transaction itself is measured alone beside them. And the paste of
// a clipboard block whose second line lies far below its first, with the Convert after it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <stdexcept>

#include "BenchSupport.h"
#include "compiler/ConvertCommand.h"
#include "editor/EditCommands.h"
#include "editor/VerticalLinks.h"
#include "entry/EntryDriver.h"
#include "entry/EntryState.h"
#include "model/core/CommandTransaction.h"
#include "model/image/ClipboardBlock.h"
#include "model/image/ModeData.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "platform/Services.h"

namespace {

using namespace kestrion;
using namespace kestrion::bench;

constexpr std::size_t kSteps = 64000;

void openLargest() {
    startEditor();
    putProgramFile(programOf(Shape::Mix, kSteps));
    if (!openProgramFile()) throw std::runtime_error("the program did not open");
    editModeFlags |= kEditFileOpen;
}

void BM_CommandTransactionAlone(benchmark::State& state) {
    openLargest();
    for (auto _ : state) benchmark::DoNotOptimize(runCommand([] { return true; }));
}
BENCHMARK(BM_CommandTransactionAlone)->Unit(benchmark::kMillisecond);

void BM_TypedInstruction(benchmark::State& state) {
    openLargest();
    for (auto _ : state) {
        xOldCursor = draw.iBusLineStart;
        yOldCursor = 0;
        setBlueFrameObject(xOldCursor, yOldCursor);
        FncKeyDeviceCode = kFncKeyTyped;
        EditKeyBox box;
        box.line = "LDI X2";
        toggleCounting();
        box.keyPress('\r');
        toggleCounting();
        if (!box.closed) {
            state.SkipWithError(lastBoxText().c_str());
        }
    }
}
BENCHMARK(BM_TypedInstruction)->Unit(benchmark::kMillisecond);

// The first object from the middle of the list on that `match` accepts: where a user types into a
// long program, far from its first and its last rung.
const stLadderBlock& middleObject(bool (*match)(const stLadderBlock&)) {
    std::size_t count = 0;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) ++count;
    const stLadderBlock* o = ldrHead;
    for (std::size_t i = 0; i < count / 2; ++i) o = o->next;
    while (o != nullptr && !match(*o)) o = o->next;
    if (o == nullptr) throw std::runtime_error("no such object in the middle of the program");
    return *o;
}

// Two lines typed in turn at (x, y), each with its Enter; the box must take both.
void typeInTurn(benchmark::State& state, std::uint32_t x, std::uint32_t y, const char* first,
                const char* second) {
    bool turn = false;
    for (auto _ : state) {
        xOldCursor = x;
        yOldCursor = y;
        setBlueFrameObject(x, y);
        FncKeyDeviceCode = kFncKeyTyped;
        EditKeyBox box;
        box.line = (turn = !turn) ? first : second;
        toggleCounting();
        box.keyPress('\r');
        toggleCounting();
        if (!box.closed) state.SkipWithError(lastBoxText().c_str());
    }
}

// A contact typed over the first contact of a rung in the middle of the program.
void BM_TypedContactMidProgram(benchmark::State& state) {
    openLargest();
    const stLadderBlock& contact = middleObject(
        [](const stLadderBlock& o) { return o.iCode == 0x2000 && o.xAddr == draw.iBusLineStart; });
    typeInTurn(state, contact.xAddr, contact.yAddr, "LDI X2", "LD X3");
}
BENCHMARK(BM_TypedContactMidProgram)->Unit(benchmark::kMillisecond);

// A coil typed over the coil of a one-line rung in the middle of the program.
void BM_TypedOutputMidProgram(benchmark::State& state) {
    openLargest();
    const stLadderBlock& coil = middleObject([](const stLadderBlock& o) {
        return o.iCode == 0xC000 && o.next != nullptr && o.next->yAddr != o.yAddr && o.prev != nullptr &&
               o.prev->yAddr == o.yAddr && o.prev->xAddr == draw.iBusLineStart;
    });
    typeInTurn(state, coil.xAddr, coil.yAddr, "OUT Y6", "OUT Y7");
}
BENCHMARK(BM_TypedOutputMidProgram)->Unit(benchmark::kMillisecond);

// A contact typed on END's line, a rung being built: the box tries the rung above it too, which the
// line must not leave open.
void BM_TypedOpenRungAtEnd(benchmark::State& state) {
    openLargest();
    typeInTurn(state, draw.iBusLineStart, ldrTail->yAddr, "LD X5", "LD X6");
}
BENCHMARK(BM_TypedOpenRungAtEnd)->Unit(benchmark::kMillisecond);

// A link drawn and erased in turn, each counted, in the middle of the program: from the node right of
// a one-contact rung's contact down to the first line of the rung below it, which it joins.
void BM_DrawnLinkMidProgram(benchmark::State& state) {
    openLargest();
    const stLadderBlock& contact = middleObject([](const stLadderBlock& o) {
        const stLadderBlock* next = o.next;
        return o.iCode == 0x2000 && o.xAddr == draw.iBusLineStart && next != nullptr &&
               next->yAddr == o.yAddr && next->end == kEndOutput && next->next != nullptr &&
               next->next->yAddr == o.yAddr + ModeData.ySizeSymble;
    });
    const std::uint32_t x = contact.xAddr + ModeData.xSizeSymble, y = contact.yAddr;
    bool drawing = false;
    for (auto _ : state) {
        setBlueFrameObject(x, y);
        drawing = !drawing;
        toggleCounting();
        const bool taken = editLinkAtFrame(drawing ? LinkEdit::Draw : LinkEdit::Erase);
        toggleCounting();
        if (!taken) state.SkipWithError(platform::statusBar().panelText(13).c_str());
    }
}
BENCHMARK(BM_DrawnLinkMidProgram)->Unit(benchmark::kMillisecond);

void BM_DeleteLineAndUndo(benchmark::State& state) {
    openLargest();
    for (auto _ : state) {
        setBlueFrameObject(draw.iBusLineStart, 0);
        DeleteLine1Click();
        Undo1Click();
    }
}
BENCHMARK(BM_DeleteLineAndUndo)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// A clipboard block of two lines, the second one `lines` below the first (a contact and a coil on
// each), as a copy of lines far apart leaves it.
void farClipboard(std::uint32_t lines) {
    // Two rungs copied as Copy takes them, the second then moved far below the first.
    setBlueFrameObject(draw.iBusLineStart, 0);
    BlueFrame.y2 = 2 * ModeData.ySizeSymble - 1;
    Copy1Click();
    for (std::size_t i = 0; i < kClipboardObjectSlots; ++i) {
        const std::span<std::uint8_t> slot = clipboardObjectSlot(i);
        LadderObjectImage image{};
        std::copy(slot.begin(), slot.end(), image.begin());
        stLadderBlock object{};
        loadLadderObjectImage(image, object);
        if (object.yAddr == 0) continue;
        object.yAddr += (lines - 1) * ModeData.ySizeSymble;
        object.yTopPos += (lines - 1) * ModeData.ySizeSymble;
        image = ladderObjectImage(object);
        std::copy(image.begin(), image.end(), slot.begin());
    }
    for (std::int64_t column = 0; column < kCanvasColumns; ++column) {
        CopyVirtualArray.put(column, 2 * static_cast<std::int64_t>(lines), CopyVirtualArray.at(column, 2));
        CopyVirtualArray.put(column, 2, kCellBlank);
    }
}

// Paste of such a block into a short program and the Convert after it.
void BM_PasteFarRecordAndConvert(benchmark::State& state) {
    startEditor();
    putProgramFile(programOf(Shape::ShortRungs, 200));
    const auto lines = static_cast<std::uint32_t>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        if (!openProgramFile()) state.SkipWithError("the program did not open");
        editModeFlags |= kEditFileOpen;
        farClipboard(lines);
        setBlueFrameObject(draw.iBusLineStart, 0);
        state.ResumeTiming();
        Paste1Click();
        if (!runCommand(LToM)) state.SkipWithError(lastBoxText().c_str());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_PasteFarRecordAndConvert)
    ->Arg(1024)
    ->Arg(4096)
    ->Arg(16384)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

}  // namespace
