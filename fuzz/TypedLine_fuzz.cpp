// A line typed into the instruction box in the second cell of a rung: LD X0 with OUT Y0 at its end
// (the line is inserted between them), or LD X0 alone (the line overwrites the free cell). What the
// box accepts in a rung that is then whole, Convert writes, and a second Convert changes nothing.
#include <cstddef>
#include <cstdint>
#include <string>

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

using namespace kestrion;

namespace {

// Types the line at (x, 0); the object it made, or null when the box refused it.
const stLadderBlock* typeLine(const std::string& line, std::uint32_t x) {
    xOldCursor = x;
    yOldCursor = 0;
    setBlueFrameObject(x, 0);
    FncKeyDeviceCode = kFncKeyTyped;
    iconSymbleCode = 0;
    EditKeyBox box;
    box.line = line;
    box.keyPress('\r');
    if ((editInstrFlags & kInstrEntryRefused) != 0) return nullptr;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
        if (o->xAddr >= x && o->yAddr == 0 && o->iCode != 0x2000 && o->iCode != kCodeNop) return o;
    return nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const bool between = (data[0] & 1) != 0;
    std::string line;
    for (std::size_t i = 1; i < size && line.size() < kEditLineMaxLength; ++i)
        if (data[i] >= 0x20 && data[i] < 0x7F) line.push_back(static_cast<char>(data[i]));

    fuzz::startEditor();
    if (!fuzz::openWords(between ? fuzz::Words{0x2400, 0xC500, 0x000F} : fuzz::Words{0x2400, 0x000F}))
        return 0;
    editModeFlags |= kEditFileOpen;
    if (between) editModeFlags |= kEditInsertMode;
    const stLadderBlock* typed = typeLine(line, draw.iBusLineStart + ModeData.xSizeSymble);
    if (typed == nullptr) return 0;
    // Without the coil a contact leaves the rung open: Convert refuses that, rightly.
    const bool whole = between || !(isLoadTypeCode(typed->iCode) || isAndTypeCode(typed->iCode) ||
                                    isOrTypeCode(typed->iCode));
    if (!whole) return 0;
    // The box takes the operands of a few instructions unchecked; Convert refuses bad ones with its box.
    if (const std::optional<AppCode> app = splitAppCode(typed->iCode)) {
        const AppInstruction* row = findAppInstruction(app->fnc);
        if (row != nullptr && row->boxOperands.find("none validated") != std::string_view::npos) return 0;
    }
    if (!runCommand(LToM))
        fuzz::broken("Convert refused what the box accepted: " + line + ": " + fuzz::lastBox());
    const fuzz::Words first = fuzz::programWords();
    if (!runCommand(LToM) || fuzz::programWords() != first)
        fuzz::broken("a second Convert did not keep what the box accepted: " + line);
    return 0;
}
