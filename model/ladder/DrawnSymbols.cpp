#include "model/ladder/DrawnSymbols.h"

#include <algorithm>
#include <cstring>
#include <string>

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

std::string mnemonicOf(const stLadderBlock& object) {
    std::string text = textOf(object.mnemonic);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// "LD=", "ANDD<>", "ORD>=", "LD!=": a contact family prefix, an optional D and a comparison.
bool isCompareMnemonic(const std::string& mnemonic) {
    for (const char* family : {"AND", "LD", "OR"}) {
        if (mnemonic.rfind(family, 0) != 0) continue;
        std::string rest = mnemonic.substr(std::strlen(family));
        if (!rest.empty() && rest[0] == 'D') rest.erase(0, 1);
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
    const std::string mnemonic = mnemonicOf(object);
    if (mnemonic == "LD" || mnemonic == "AND" || mnemonic == "OR") return SymbolKind::Contact;
    if (mnemonic == "LDI" || mnemonic == "ANI" || mnemonic == "ORI") return SymbolKind::NegatedContact;
    if (mnemonic == "LDP" || mnemonic == "ANDP" || mnemonic == "ORP" || mnemonic == "MEP")
        return SymbolKind::RisingContact;
    if (mnemonic == "LDF" || mnemonic == "ANDF" || mnemonic == "ORF" || mnemonic == "MEF")
        return SymbolKind::FallingContact;
    if (mnemonic == "INV") return SymbolKind::Invert;
    if (isCompareMnemonic(mnemonic)) return SymbolKind::CompareContact;
    if (mnemonic == "OUT") return SymbolKind::Coil;
    return SymbolKind::Box;
}

bool drawsOnRow(const stLadderBlock& object) {
    const SymbolKind kind = symbolKindOf(object);
    return kind != SymbolKind::None && kind != SymbolKind::Label;
}

bool isDrawnOutput(const stLadderBlock& object) {
    if (object.end != kEndOutput) return false;
    const SymbolKind kind = symbolKindOf(object);
    return kind == SymbolKind::Coil || kind == SymbolKind::Box || kind == SymbolKind::End;
}

std::uint32_t paintedEnd(const stLadderBlock& object) {
    return std::max(object.Xend, object.xAddr + ModeData.xSizeSymble);
}

std::uint32_t outputWireStart(const stLadderBlock& output, const std::vector<const stLadderBlock*>& row) {
    std::uint32_t start = draw.iBusLineStart;
    for (const stLadderBlock* o : row)
        if (o != &output && o->xAddr < output.xAddr && drawsOnRow(*o))
            start = std::max(start, std::min(paintedEnd(*o), output.xAddr));
    if (!canvasGeometryReady()) return start;
    const std::int64_t canvasRow = canvasRowOf(output.yAddr);
    const char* above = VirtualArray.rowCells(canvasRow - 1);
    const char* below = VirtualArray.rowCells(canvasRow + 1);
    for (std::int64_t column = canvasColumnOf(output.xAddr) - 1; column >= 1; --column) {
        if ((column & 1) == 0) continue;
        if (CanvasGrid::cellOfRow(above, column) != kCellLink &&
            CanvasGrid::cellOfRow(below, column) != kCellLink)
            continue;
        return std::max(start, static_cast<std::uint32_t>((column + 1) * symbleHalfWidth));
    }
    return start;
}

}  // namespace kestrion
