// Any bytes as the clipboard block's object records and the copied grid, pasted into a ladder and
// converted: no crash, no hang (a record far below the first opens its lines in linear time), and
// the ladder list whole afterwards, pasted or not.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "compiler/ConvertCommand.h"
#include "editor/EditCommands.h"
#include "model/core/CommandTransaction.h"
#include "model/image/ClipboardBlock.h"
#include "model/image/ModeData.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"

using namespace kestrion;

namespace {

constexpr char kCells[] = {' ', 'X', '-', 'Y', 'y', '~', '#', '|', 'P', 'S'};

void checkList() {
    std::size_t forward = 0, backward = 0;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next, ++forward)
        if (o->next != nullptr && o->next->prev != o) fuzz::broken("a paste broke the links of the ladder");
    for (const stLadderBlock* o = ldrTail; o != nullptr; o = o->prev) ++backward;
    if (forward != backward || ldrTail == nullptr || ldrTail->iCode != kCodeEnd)
        fuzz::broken("a paste left the ladder without its END");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::startEditor();
    if (!fuzz::openWords({0x2400, 0xC500, 0x2401, 0xC501, 0x000F})) return 0;
    editModeFlags |= kEditFileOpen;
    if (!isClipboardMemoryValid()) initClipboardMemory(kLadderObjectRecordSize);
    std::size_t at = 0;
    for (std::size_t slot = 0; slot < kClipboardObjectSlots; ++slot) {
        const std::span<std::uint8_t> record = clipboardObjectSlot(slot);
        std::fill(record.begin(), record.end(), std::uint8_t{0});
        const std::size_t taken = std::min(record.size(), size - std::min(size, at));
        std::copy_n(data + at, taken, record.begin());
        at += taken;
    }
    CopyVirtualArray.fill(kCanvasColumns, kCellBlank);
    for (std::size_t i = 0; at < size && i < 64 * kCanvasColumns; ++i, ++at)
        CopyVirtualArray.put(static_cast<std::int64_t>(i) % kCanvasColumns,
                             static_cast<std::int64_t>(i) / kCanvasColumns, kCells[data[at] % sizeof kCells]);
    setBlueFrameObject(draw.iBusLineStart, ModeData.ySizeSymble);
    Paste1Click();
    checkList();
    runCommand(LToM);
    checkList();
    return 0;
}
