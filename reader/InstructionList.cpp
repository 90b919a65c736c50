#include "reader/InstructionList.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "editor/LadderLayout.h"
#include "model/core/TextBuffers.h"
#include "model/image/ModeData.h"
#include "model/image/ProgramImage.h"
#include "model/instructions/Conversions.h"
#include "model/instructions/InstructionCodes.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/LadderObject.h"
#include "reader/Decoders.h"
#include "reader/LoadState.h"
#include "reader/MachineWords.h"
#include "reader/OutputPlacement.h"

namespace kestrion {

namespace {

constexpr std::uint16_t kTimerWordFirst = 0x600;
constexpr std::uint16_t kTimerWordLast = 0x7FF;
constexpr std::uint16_t kCounterWordFirst = 0xE00;
constexpr std::uint16_t kCounterWordLast = 0xEFF;
constexpr std::uint16_t kLastSixteenBitCounter = 0xEC7;

std::uint32_t stepOf(std::uint32_t byteOffset) {
    return (byteOffset - static_cast<std::uint32_t>(kProgramAreaOffset)) / 2;
}

// The texts of a decoded object: the mnemonic, and the operands one blank apart.
void takeTexts(const stLadderBlock& object, InstructionLine& line) {
    line.mnemonic = trimBlanks(textOf(object.mnemonic));
    for (const auto& operand : object.operands) {
        const std::string word = trimBlanks(textOf(operand));
        if (word.empty()) continue;
        if (!line.operands.empty()) line.operands += ' ';
        line.operands += word;
    }
}

std::string labelText(std::uint16_t w, std::uint32_t byteOffset) {
    const int high = w >> 8;
    if (high >= 0xB8) return "I" + std::to_string(w - 0xB800);
    if (high == 0xB1)
        return "P" + std::to_string((w - 0xB100) + (programWordAt(byteOffset + 2) - 0xB200) * 256);
    return "P" + std::to_string(w - 0xB000);
}

// The decoders write into the object being loaded and move the load's cursor; a scratch object
// and the load state put back (whatever way the decoding ends) keep the ladder and a later load
// untouched.
class ScratchDecoding {
public:
    explicit ScratchDecoding(stLadderBlock& scratch) : reader_(readerState), step_(convStepNo), now_(ldrNow) {
        ldrNow = &scratch;
        // Right of the right bus: the decoders' placement at the bus has nothing to look for.
        conv.X = std::numeric_limits<std::uint32_t>::max();
    }
    ~ScratchDecoding() {
        ldrNow = now_;
        convStepNo = step_;
        readerState = reader_;
    }
    ScratchDecoding(const ScratchDecoding&) = delete;
    ScratchDecoding& operator=(const ScratchDecoding&) = delete;

private:
    ReaderState reader_;
    std::uint32_t step_;
    stLadderBlock* now_;
};

void decodeInto(std::uint32_t byteOffset, InstructionLine& line) {
    const std::uint16_t w = programWordAt(byteOffset);
    stLadderBlock scratch;
    {
        const ScratchDecoding decoding(scratch);
        if ((w >= kTimerWordFirst && w <= kTimerWordLast) ||
            (w >= kCounterWordFirst && w <= kCounterWordLast)) {
            setText(scratch.mnemonic, "OUT");
            convTcOperandText(byteOffset, w > kLastSixteenBitCounter ? 2 : 1);
        } else {
            decodeInstructionAt(byteOffset);
        }
    }
    takeTexts(scratch, line);
}

std::string commentsOf(const std::string& operands) {
    std::string comments;
    std::size_t start = 0;
    while (start < operands.size()) {
        const std::size_t end = std::min(operands.find(' ', start), operands.size());
        const std::string comment = deviceCommentText(operands.substr(start, end - start));
        if (!comment.empty()) comments += (comments.empty() ? "" : "  ") + comment;
        start = end + 1;
    }
    return comments;
}

}  // namespace

bool refreshInstructionList() {
    const std::size_t limit = std::min<std::size_t>(
        kProgramWordCount, (programAreaLimit(pmw.memSizeCode()) - kProgramAreaOffset) / 2);
    std::size_t count = 0;
    while (count < limit && pmw.program[count] != kEndCode) ++count;
    if (count < limit) ++count;  // END is a line of its own
    if (readerState.listedWords.size() == count &&
        std::equal(readerState.listedWords.begin(), readerState.listedWords.end(), pmw.program.begin()))
        return false;
    readerState.listedWords.assign(pmw.program.begin(),
                                   pmw.program.begin() + static_cast<std::ptrdiff_t>(count));
    readerState.listedLineOffsets.clear();
    for (std::size_t i = 0; i < count;) {
        readerState.listedLineOffsets.push_back(static_cast<std::uint32_t>(kProgramAreaOffset + 2 * i));
        // An operand word where an instruction should start (a damaged program) is a line of its
        // own, so that nothing after it is lost from the list.
        i += static_cast<std::size_t>(std::max(1, instructionLength(readerState.listedWords[i])));
    }
    return true;
}

std::size_t instructionLineCount() {
    return readerState.listedLineOffsets.size();
}

InstructionLine instructionLine(std::size_t row) {
    InstructionLine line;
    if (row >= readerState.listedLineOffsets.size()) return line;
    const std::uint32_t offset = readerState.listedLineOffsets[row];
    line.step = stepOf(offset);
    const std::uint16_t w = programWordAt(offset);
    if (w == kEndCode) {
        line.mnemonic = "END";
    } else if (w == kEmptyWord) {
        line.mnemonic = "NOP";
    } else if (isLabelWord(w)) {
        line.mnemonic = labelText(w, offset);
    } else if (instructionLength(w) == 0) {
        line.mnemonic = "?";
        line.operands = "H" + hexText(w, 4);
    } else {
        decodeInto(offset, line);
    }
    if ((ModeData.viewFlags & kViewDeviceComments) != 0) line.comment = commentsOf(line.operands);
    return line;
}

std::size_t instructionRowOfStep(std::uint32_t step) {
    const auto offset = static_cast<std::uint32_t>(kProgramAreaOffset + 2 * std::size_t{step});
    const auto after =
        std::upper_bound(readerState.listedLineOffsets.begin(), readerState.listedLineOffsets.end(), offset);
    return after == readerState.listedLineOffsets.begin()
               ? 0
               : static_cast<std::size_t>(after - readerState.listedLineOffsets.begin() - 1);
}

bool frameInstructionLine(std::size_t row) {
    if (row >= readerState.listedLineOffsets.size()) return false;
    const std::uint32_t step = stepOf(readerState.listedLineOffsets[row]);
    const stLadderBlock* found = nullptr;
    for (const stLadderBlock* object = ldrHead; object != nullptr; object = object->next) {
        if (object->stepNo < step || symbolKindOf(*object) == SymbolKind::None) continue;
        if (found == nullptr || object->stepNo < found->stepNo) found = object;
    }
    if (found == nullptr) return false;
    xOldCursor = found->xAddr;
    yOldCursor = found->yAddr;
    setBlueFrameObject(xOldCursor, yOldCursor);
    return true;
}

}  // namespace kestrion
