#include "model/ladder/DrawnSymbols.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "model/image/ModeData.h"
#include "model/instructions/InstructionCodes.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/VirtualCanvas.h"

namespace kestrion {

namespace {

// Labels (P and I) are drawn left of the bus.
constexpr std::uint16_t kLabelFirst = 0xB000;
constexpr std::uint16_t kLabelLast = 0xBFFF;

// The mnemonic without its trailing blanks, read in place: the view and the drawn logic ask for every
// object at every paint and every Convert.
std::string_view mnemonicOf(const stLadderBlock& object) {
    const char* text = object.mnemonic.data();
    std::size_t size = strnlen(text, object.mnemonic.size());
    while (size > 0 && text[size - 1] == ' ') --size;
    return {text, size};
}

// "LD=", "ANDD<>", "ORD>=", "LD!=": a contact family prefix, an optional D and a comparison.
bool isCompareMnemonic(std::string_view mnemonic) {
    for (const std::string_view family : {"AND", "LD", "OR"}) {
        if (!mnemonic.starts_with(family)) continue;
        std::string_view rest = mnemonic.substr(family.size());
        if (!rest.empty() && rest[0] == 'D') rest.remove_prefix(1);
        if (!rest.empty() && std::strchr("=<>!", rest[0]) != nullptr) return true;
    }
    return false;
}

}  // namespace

SymbolKind symbolKindOf(const stLadderBlock& object) {
    const std::uint16_t code = object.iCode;
    if (code == kCodeNop) return SymbolKind::Wire;
    if (code == kCodeEnd) return SymbolKind::End;
    if (code == kCodeNull || code == kCodeXNop || code == kCodeVNop || isBlockJoint(code) ||
        isStackJoint(code))
        return SymbolKind::None;
    if (code >= kLabelFirst && code <= kLabelLast) return SymbolKind::Label;
    const std::string_view m = mnemonicOf(object);
    switch (m.size()) {
        case 2:
            if (m == "LD" || m == "OR") return SymbolKind::Contact;
            break;
        case 3:
            if (m == "AND") return SymbolKind::Contact;
            if (m == "LDI" || m == "ANI" || m == "ORI") return SymbolKind::NegatedContact;
            if (m == "LDP" || m == "ORP" || m == "MEP") return SymbolKind::RisingContact;
            if (m == "LDF" || m == "ORF" || m == "MEF") return SymbolKind::FallingContact;
            if (m == "INV") return SymbolKind::Invert;
            if (m == "OUT") return SymbolKind::Coil;
            break;
        case 4:
            if (m == "ANDP") return SymbolKind::RisingContact;
            if (m == "ANDF") return SymbolKind::FallingContact;
            break;
        default: break;
    }
    if (isCompareMnemonic(m)) return SymbolKind::CompareContact;
    return SymbolKind::Box;
}

// By the code alone: what is not drawn (and labels) is told apart by its code, never its mnemonic.
bool drawsOnRow(const stLadderBlock& object) {
    const std::uint16_t code = object.iCode;
    if (code == kCodeNop || code == kCodeEnd) return true;
    return code != kCodeNull && code != kCodeXNop && code != kCodeVNop && !isBlockJoint(code) &&
           !isStackJoint(code) && (code < kLabelFirst || code > kLabelLast);
}

bool isDrawnOutput(const stLadderBlock& object) {
    if (object.end != kEndOutput) return false;
    const SymbolKind kind = symbolKindOf(object);
    return kind == SymbolKind::Coil || kind == SymbolKind::Box || kind == SymbolKind::End;
}

std::uint32_t paintedEnd(const stLadderBlock& object) {
    return std::max(object.Xend, object.xAddr + ModeData.xSizeSymble);
}

std::uint32_t outputWireStartAmong(const stLadderBlock& output, const std::vector<const stLadderBlock*>& row,
                                   const std::vector<std::uint32_t>& links) {
    std::uint32_t start = draw.iBusLineStart;
    for (const stLadderBlock* o : row)
        if (o != &output && o->xAddr < output.xAddr && drawsOnRow(*o))
            start = std::max(start, std::min(paintedEnd(*o), output.xAddr));
    for (const std::uint32_t x : links)
        if (x <= output.xAddr) start = std::max(start, x);
    return start;
}

std::vector<std::uint32_t> linksBesideLine(std::uint32_t y) {
    std::vector<std::uint32_t> links;
    if (!canvasGeometryReady()) return links;
    const std::int64_t canvasRow = canvasRowOf(y);
    for (const std::int64_t gap : {canvasRow - 1, canvasRow + 1}) {
        const char* cells = VirtualArray.rowCells(gap);
        for (std::int64_t column = 1; column < kCanvasColumns; column += 2)
            if (CanvasGrid::cellOfRow(cells, column) == kCellLink)
                links.push_back(static_cast<std::uint32_t>((column + 1) * symbleHalfWidth));
    }
    return links;
}

std::uint32_t outputWireStart(const stLadderBlock& output, const std::vector<const stLadderBlock*>& row) {
    return outputWireStartAmong(output, row, linksBesideLine(output.yAddr));
}

}  // namespace kestrion
