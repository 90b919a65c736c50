#include "entry/FurtherOutput.h"

#include <algorithm>
#include <vector>

#include "model/image/ModeData.h"
#include "model/instructions/InstructionCodes.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/DrawnSymbols.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "model/ladder/ObjectInsertion.h"
#include "model/ladder/RungCopy.h"
#include "model/ladder/VirtualCanvas.h"

namespace kestrion {

namespace {

bool drawnBeforeEnd(const stLadderBlock& object, std::uint32_t) {
    return object.iCode != kCodeEnd && drawsOnRow(object);
}

bool notEnd(const stLadderBlock& object, std::uint32_t) {
    return object.iCode != kCodeEnd;
}

constexpr std::uint16_t kCodeMc = 0x000A;

// An output a contact's condition feeds (not END, a label, or one that stands alone on its line). A
// master control is none: what follows it stands on the bus it opens, with contacts of its own.
bool isFedOutput(const stLadderBlock& o) {
    return o.end == kEndOutput && o.iCode != kCodeEnd && o.iCode != kCodeMc && !isLabelCode(o.iCode) &&
           !isUnconditionalInstrCode(o.iCode);
}

// The node the output's power comes from: back along its wire, past wire objects, to the link that
// joins it or the contact (or step) in front of it. None when only the bus feeds it.
std::optional<std::uint32_t> nodeOf(const stLadderBlock& output,
                                    const std::vector<const stLadderBlock*>& row) {
    const std::vector<std::uint32_t> links = linksBesideLine(output.yAddr);
    std::uint32_t at = outputWireStartAmong(output, row, links);
    while (at > draw.iBusLineStart) {
        if (std::find(links.begin(), links.end(), at) != links.end()) return at;
        const auto endsAt = std::find_if(row.begin(), row.end(), [&](const stLadderBlock* o) {
            return o->xAddr < at && paintedEnd(*o) == at && drawsOnRow(*o);
        });
        if (endsAt == row.end()) return std::nullopt;
        if (symbolKindOf(**endsAt) != SymbolKind::Wire) return at;
        at = (*endsAt)->xAddr;
    }
    return std::nullopt;
}

// Whether the line's objects all stand left of the node, and its cells from the node on are free.
bool freeFromNode(const RungCopy& rung, std::uint32_t y, std::uint32_t nodeX) {
    for (const stLadderBlock& o : rung.objects)
        if (o.yAddr == y && (o.xAddr >= nodeX || paintedEnd(o) > nodeX)) return false;
    const std::int64_t row = canvasRowOf(y);
    for (std::int64_t column = canvasColumnOf(nodeX); column < rightBusColumn(); ++column)
        if (VirtualArray.at(column, row) != kCellBlank) return false;
    return true;
}

}  // namespace

std::optional<FurtherOutput> furtherOutputUnder(std::uint32_t y) {
    const std::uint32_t h = ModeData.ySizeSymble;
    if (h == 0 || y < h || !canvasGeometryReady()) return std::nullopt;
    if (firstOnRow(y, notEnd, 0) != nullptr) return std::nullopt;
    const stLadderBlock* above = firstOnRow(y - h, drawnBeforeEnd, 0);
    if (above == nullptr) return std::nullopt;
    const RungCopy rung = copyRungOf(*above);
    if (rung.top + rung.lines * h != y) return std::nullopt;
    const stLadderBlock* last = nullptr;
    for (const stLadderBlock& o : rung.objects)
        if (isFedOutput(o) && (last == nullptr || o.yAddr > last->yAddr)) last = &o;
    if (last == nullptr) return std::nullopt;
    std::vector<const stLadderBlock*> row;
    for (const stLadderBlock& o : rung.objects)
        if (o.yAddr == last->yAddr && &o != last) row.push_back(&o);
    const std::optional<std::uint32_t> node = nodeOf(*last, row);
    if (!node) return std::nullopt;
    const std::uint32_t line = last->yAddr + h;
    // Under parallel contacts the load draws it on their first line, which has room right of the node.
    if (line != y && !freeFromNode(rung, line, *node)) return std::nullopt;
    return FurtherOutput{line, *node, last->objLbc, last->yTopPos};
}

void hangFromNode(stLadderBlock& output, const FurtherOutput& further) {
    output.objLbc = further.block;
    output.yTopPos = further.top;
    output.xMaxi = further.nodeX;
    VirtualArray.put(canvasColumnOf(further.nodeX) - 1, canvasRowOf(further.y) - 1, kCellLink);
    if (further.nodeX + ModeData.xSizeSymble > output.xAddr) return;
    stLadderBlock* joint = linkFillerBefore(output, further.nodeX);
    if (joint == nullptr) return;
    setText(joint->mnemonic, "#NOP");
    VirtualArray.put(canvasColumnOf(further.nodeX), canvasRowOf(further.y), kCellJoint);
}

}  // namespace kestrion
