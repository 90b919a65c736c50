// Lines typed into the instruction box. One line alone goes into the second cell of a rung: LD X0
// with OUT Y0 at its end (the line is inserted between them), or LD X0 alone (the line overwrites
// the free cell); what the box accepts in a rung that is then whole, Convert writes, and a second
// Convert changes nothing. Several lines (separated by a line feed, each led by a byte that chooses
// its cell on the first four lines and overwrite or Insert mode) go one after another into a block
// of two parallel lines: every Enter returns (a loop without end is the fuzzer's time-out), and when
// the box took them all, Convert writes the ladder or refuses it with its box, and a second Convert
// writes a program that computes the same, which a third writes again word for word.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "compiler/ConvertCommand.h"
#include "entry/EntryDriver.h"
#include "entry/EntryState.h"
#include "model/core/CommandTransaction.h"
#include "model/image/ModeData.h"
#include "model/instructions/AppInstructionTable.h"
#include "model/instructions/InstructionCodes.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "tests/grammar/CoilLogic.h"

using namespace kestrion;

namespace {

constexpr std::size_t kMostLines = 8;

// Types the line at (x, y); false when the box refused it.
bool enterLine(const std::string& line, std::uint32_t x, std::uint32_t y) {
    xOldCursor = x;
    yOldCursor = y;
    setBlueFrameObject(x, y);
    FncKeyDeviceCode = kFncKeyTyped;
    iconSymbleCode = 0;
    EditKeyBox box;
    box.line = line;
    box.keyPress('\r');
    return (editInstrFlags & kInstrEntryRefused) == 0;
}

// Types the line at (x, 0); the object it made, or null when the box refused it.
const stLadderBlock* typeLine(const std::string& line, std::uint32_t x) {
    if (!enterLine(line, x, 0)) return nullptr;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
        if (o->xAddr >= x && o->yAddr == 0 && o->iCode != 0x2000 && o->iCode != kCodeNop) return o;
    return nullptr;
}

std::string printable(const std::uint8_t* data, std::size_t size) {
    std::string line;
    for (std::size_t i = 0; i < size && line.size() < kEditLineMaxLength; ++i)
        if (data[i] >= 0x20 && data[i] < 0x7F) line.push_back(static_cast<char>(data[i]));
    return line;
}

void oneLine(const std::uint8_t* data, std::size_t size) {
    const bool between = (data[0] & 1) != 0;
    const std::string line = printable(data + 1, size - 1);
    if (!fuzz::openWords(between ? fuzz::Words{0x2400, 0xC500, 0x000F} : fuzz::Words{0x2400, 0x000F})) return;
    editModeFlags |= kEditFileOpen;
    if (between) editModeFlags |= kEditInsertMode;
    const stLadderBlock* typed = typeLine(line, draw.iBusLineStart + ModeData.xSizeSymble);
    if (typed == nullptr) return;
    // Without the coil a contact leaves the rung open: Convert refuses that, rightly.
    const bool whole = between || !(isLoadTypeCode(typed->iCode) || isAndTypeCode(typed->iCode) ||
                                    isOrTypeCode(typed->iCode));
    if (!whole) return;
    // The box takes the operands of a few instructions unchecked; Convert refuses bad ones with its box.
    if (const std::optional<AppCode> app = splitAppCode(typed->iCode)) {
        const AppInstruction* row = findAppInstruction(app->fnc);
        if (row != nullptr && row->boxOperands.find("none validated") != std::string_view::npos) return;
    }
    if (!runCommand(LToM))
        fuzz::broken("Convert refused what the box accepted: " + line + ": " + fuzz::lastBox());
    const fuzz::Words first = fuzz::programWords();
    if (!runCommand(LToM) || fuzz::programWords() != first)
        fuzz::broken("a second Convert did not keep what the box accepted: " + line);
}

struct Typed {
    std::uint8_t where;  // low nibble the cell, bits 4 and 5 the line, bit 6 Insert mode
    std::string line;
};

std::vector<Typed> typedLines(const std::uint8_t* data, std::size_t size) {
    std::vector<Typed> lines;
    std::size_t start = 0;
    while (start < size && lines.size() < kMostLines) {
        std::size_t end = start;
        while (end < size && data[end] != '\n') ++end;
        if (end > start) lines.push_back({data[start], printable(data + start + 1, end - start - 1)});
        start = end + 1;
    }
    return lines;
}

void severalLines(const std::vector<Typed>& lines) {
    // LD X0, OR X1, AND X2, OUT Y0, OUT Y2.
    if (!fuzz::openWords({0x2400, 0x6401, 0x4402, 0xC500, 0xC502, 0x000F})) return;
    editModeFlags |= kEditFileOpen;
    for (const Typed& typed : lines) {
        editModeFlags = static_cast<std::uint8_t>(editModeFlags & ~kEditInsertMode);
        if ((typed.where & 0x40) != 0) editModeFlags |= kEditInsertMode;
        const std::uint32_t x =
            draw.iBusLineStart + ModeData.xSizeSymble * (1u + (typed.where & 0x0Fu) % 12u);
        const std::uint32_t y = ModeData.ySizeSymble * ((typed.where >> 4) & 3);
        if (!enterLine(typed.line, x, y)) return;
    }
    if (fuzz::boxesShown() > 0) return;  // a line taken with a warning, or an operand refused
    if (!runCommand(LToM)) {
        if (fuzz::boxesShown() == 0) fuzz::broken("Convert refused typed lines without a message");
        return;
    }
    const fuzz::Words first = fuzz::programWords();
    if (!runCommand(LToM)) fuzz::broken("a second Convert refused what the first wrote: " + fuzz::lastBox());
    const fuzz::Words second = fuzz::programWords();
    if (const std::string differs = grammar::compareLogic(first, second); !differs.empty())
        fuzz::broken("a second Convert wrote a program that computes something else: " + differs);
    if (!runCommand(LToM) || fuzz::programWords() != second)
        fuzz::broken("a third Convert did not write what the second wrote");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    fuzz::startEditor();
    const std::vector<Typed> lines = typedLines(data, size);
    if (lines.size() <= 1) {
        oneLine(data, size);
    } else {
        severalLines(lines);
    }
    return 0;
}
