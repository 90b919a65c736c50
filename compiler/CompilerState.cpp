#include "compiler/CompilerState.h"

#include <algorithm>

#include "model/core/ConversionError.h"
#include "model/core/StateRegistry.h"
#include "model/image/ModeData.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "model/ladder/VirtualCanvas.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

CompilerState compilerState;
std::string& compileTraceText = compilerState.traceText;
stLadderBlock*& ldrConv = compilerState.ldrConv;
LToIRecord& LToI = compilerState.LToI;

namespace {

void resetCompilerState() {
    compilerState = {};
}

[[maybe_unused]] const bool registered = state::registerReset("compiler", resetCompilerState);

}  // namespace

namespace compile {

char compileCell(std::int64_t column, std::int64_t rowIndex) {
    return blankIfUnwritten(bCompileVirtualArray.at(column, rowIndex));
}

void markCompile(std::int64_t column, std::int64_t rowIndex, char mark) {
    bCompileVirtualArray.put(column, rowIndex, mark);
}

std::uint32_t cellWidth() {
    return ModeData.xSizeSymble;
}

std::uint32_t cellHeight() {
    return ModeData.ySizeSymble;
}

std::uint32_t halfWidth() {
    return symbleHalfWidth;
}

std::uint32_t halfHeight() {
    return symbleHalfHeight;
}

std::int64_t leftBusColumn() {
    return col(draw.iBusLineStart);
}

std::int64_t lastUsedRow(std::uint32_t x, std::int64_t firstRow) {
    // The search answers the row above a blank first row, which is -1 for row 0.
    return static_cast<std::int32_t>(
        searchLastUsedRowFrom(x, static_cast<std::uint32_t>(std::max<std::int64_t>(firstRow, 0))));
}

std::uint32_t lastUsedY(std::uint32_t x, std::int64_t firstRow) {
    const std::int64_t last = lastUsedRow(x, firstRow);
    return last < 0 ? 0 : static_cast<std::uint32_t>(last) * halfHeight();
}

const stLadderBlock* firstObjectOfBlock(std::uint32_t lbc, std::uint32_t endY) {
    if (positionIndex.on) {
        const stLadderBlock* head = firstOfBlockOrBelow(lbc, endY);
        if (head != nullptr && head->objLbc == lbc) return head;
    }
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
        if (o->objLbc == lbc) return o;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
        if (o->yAddr >= endY) return o;
    return nullptr;
}

void showStatus(const std::string& text) {
    platform::statusBar().setPanelText(13, text);
}

void trace(std::string_view text) {
    compileTraceText.assign(text);
}

void stopConversion(const std::string& text, const std::string& caption) {
    platform::say({text, caption, platform::MsgIcon::Error});
    throw ConversionError(caption);
}

}  // namespace compile

}  // namespace kestrion
