#include "model/ladder/GridEditing.h"

#include "model/image/ModeData.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "model/ladder/VirtualCanvas.h"

namespace kestrion {

void pushEndObjectDown() {
    if (ldrNow == nullptr || ldrTail == nullptr || ldrNow->yAddr != ldrTail->yAddr) return;
    ldrTail->yAddr += ModeData.ySizeSymble;
    ldrTail->yTopPos += ModeData.ySizeSymble;
}

std::uint32_t wrapXAtRightBus(std::uint32_t x, std::uint32_t /*y*/) {
    return x < draw.iBusLineEnd ? x : draw.iBusLineStart;
}

std::uint32_t wrapYAtRightBus(std::uint32_t x, std::uint32_t y) {
    return x < draw.iBusLineEnd ? y : y + ModeData.ySizeSymble;
}

void deleteGridLine(std::uint32_t y) {
    if (!canvasGeometryReady()) return;
    const std::int64_t endRow = canvasRowOf(getEndObjectY());
    for (std::int64_t row = canvasRowOf(y); row <= endRow + 1; ++row)
        for (std::int64_t column = 0; column < kCanvasColumns; ++column) {
            const bool vacated = row + 2 > endRow + 1;
            VirtualArray.put(column, row, vacated ? kCellBlank : VirtualArray.at(column, row + 2));
        }
}

void shiftObjectsUp(std::uint32_t y) {
    const std::uint32_t height = ModeData.ySizeSymble;
    for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        if (o->yAddr <= y) continue;
        o->yAddr = o->yAddr >= height ? o->yAddr - height : 0;
        o->yTopPos = o->yTopPos >= height ? o->yTopPos - height : 0;
    }
}

}  // namespace kestrion
