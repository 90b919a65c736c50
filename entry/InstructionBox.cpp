#include "entry/InstructionBox.h"

#include "entry/EntryDialogs.h"
#include "entry/EntryDriver.h"
#include "entry/EntryState.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/EditorState.h"

namespace kestrion {

namespace {

// While a monitor runs the box does not open: the key that would open it is refused at once.
void showBox(std::uint32_t fncKeyCode, const std::string& initialText) {
    if (refuseEditInMonitorMode()) return;
    FncKeyDeviceCode = fncKeyCode;
    editInstrFlags &= static_cast<std::uint8_t>(~kInstrEntryRefused);
    EditKeyBox box;
    box.initialText = initialText;
    {
        const ViewScrollHold drawnOnceClosed;
        entryDialogs().editKey(box);
    }
    editEntryFlags &= static_cast<std::uint8_t>(~kEntryOnExistingObject);
}

}  // namespace

void openInstructionBoxOnKey(char first) {
    iconSymbleCode = 0;
    showBox(kFncKeyTyped, std::string(1, first));
}

void openInstructionBoxOnSymbol(std::uint32_t symbolCode) {
    iconSymbleCode = symbolCode;
    showBox(symbolCode, "");
}

void openInstructionBoxOnOutputKey() {
    iconSymbleCode = kFncKeyTyped;
    showBox(kFncKeyTyped, "OUT ");
}

std::string objectEntryText(const stLadderBlock& object) {
    std::string text = textOf(object.mnemonic);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    for (const auto& operand : object.operands) {
        const std::string word = textOf(operand);
        if (!word.empty() && word[0] != ' ') text += " " + word;
    }
    const std::string sixth = textOf(object.operand6);
    if (!sixth.empty() && sixth[0] != ' ') text += " " + sixth;
    return text;
}

void openInstructionBoxOnObject(const stLadderBlock& object) {
    if (object.iCode == kCodeNop) return;
    iconSymbleCode = 0;
    editEntryFlags |= kEntryOnExistingObject;
    editedObjectCode = object.iCode;
    showBox(kFncKeyTyped, objectEntryText(object));
}

}  // namespace kestrion
