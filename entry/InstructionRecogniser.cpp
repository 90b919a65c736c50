#include "entry/InstructionRecogniser.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "entry/InstructionTable.h"
#include "entry/OperandValidators.h"
#include "model/image/ModeData.h"
#include "model/instructions/InstructionCodes.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/DrawnLogic.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/VirtualCanvas.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

// The characters a mnemonic may begin with (after its 32-bit D).
constexpr std::string_view kFirstCharacters = "!$<=>ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// Beginnings whose next character is announced as unsupported when it is none of these.
struct AnnouncedContinuation {
    std::string_view prefix;
    std::string_view next;
};
constexpr AnnouncedContinuation kAnnouncedContinuations[] = {{"Z", "COPR"}, {"ZO", "N"}, {"ZON", "E"}};

// These would end the rung before it begins: not in the first cell of the first row.
constexpr std::string_view kNotInFirstCell[] = {"IRET", "SRET", "RET", "OUT", "SET", "RST", "RS2"};

// END takes no operand and has no 32-bit refusal of its own.
constexpr OperandPattern kEndPattern{0, PatternRule::Plain, {}, "END"};

constexpr std::uint16_t kCodeRstRegister = 0x000D;
constexpr std::uint16_t kCodeMc = 0x000A;
constexpr std::uint16_t kCodeMcr = 0x000B;
constexpr std::uint16_t kCodeStl = 0xF000;
constexpr std::uint16_t kCodeRet = 0xF7FF;

// The status bar's panel that says why a line was refused for its place.
constexpr int kReasonPanel = 13;

char charAt(std::span<const char> text, std::size_t i) {
    return i < text.size() ? text[i] : '\0';
}

void removeLeadingBlanks(std::span<char> text) {
    while (!text.empty() && text.front() == ' ') {
        std::shift_left(text.begin(), text.end(), 1);
        text.back() = '\0';
    }
}

std::size_t wordEnd(std::span<const char> text) {
    std::size_t n = 0;
    while (n < text.size() && text[n] != '\0' && text[n] != ' ') ++n;
    return n;
}

bool isAnnouncedUnsupported(std::span<const char> text, std::size_t start) {
    const char first = charAt(text, start);
    if (first == '\0' || kFirstCharacters.find(first) == std::string_view::npos) return true;
    for (const AnnouncedContinuation& rule : kAnnouncedContinuations) {
        bool begins = true;
        for (std::size_t i = 0; i < rule.prefix.size(); ++i)
            begins = begins && charAt(text, start + i) == rule.prefix[i];
        if (begins && rule.next.find(charAt(text, start + rule.prefix.size())) == std::string_view::npos)
            return true;
    }
    return false;
}

void showUnsupported() {
    platform::say({"*Unsupported", "Error2015102799...", platform::MsgIcon::Error});
}

bool endsRightly(WordEnding ending, char next) {
    switch (ending) {
        case WordEnding::Blank: return next == ' ';
        case WordEnding::LineEnd: return next == '\0';
        case WordEnding::Any: return true;
    }
    return false;
}

bool isLabel(std::string_view word) {
    return word.size() >= 2 && (word[0] == 'P' || word[0] == 'I') && word[1] >= '0' && word[1] <= '9';
}

const OperandPattern* patternOf(const InstructionWord& word) {
    if (word.checker == kEndPattern.instructions) return &kEndPattern;
    return findOperandPattern(word.checker);
}

bool refusedInFirstCell(const InstructionWord& word, std::uint32_t x, std::uint32_t y) {
    const bool listed = std::find(std::begin(kNotInFirstCell), std::end(kNotInFirstCell), word.checker) !=
                        std::end(kNotInFirstCell);
    return listed && x == draw.iBusLineStart && y == 0;
}

// Objects that hold no instruction of the line: wire, placeholders and END (which moves down).
bool holdsNoInstruction(const stLadderBlock& object) {
    const std::uint16_t code = object.iCode;
    return code == kCodeNop || code == kCodeNull || code == kCodeXNop || code == kCodeVNop ||
           code == kCodeEnd;
}

// Whether an object of the line still stands in front of an instruction that stands alone on its
// line once it is entered at x. The line's label stands left of the bus, out of the way. RET lands
// in the last cell and leaves the rest of the line; every other one is placed as an output, which
// takes the line from the cursor on (all but the list's first object, which that never frees) and
// replaces the output whose wire the cursor is on.
bool staysInFront(const stLadderBlock& object, std::uint16_t code, std::uint32_t x) {
    if (holdsNoInstruction(object) || object.xAddr < draw.iBusLineStart) return false;
    // A step's instructions are read back on the line of its STL; a step holds no master control.
    if (object.iCode == kCodeStl && code != kCodeMcr) return false;
    if (code == kCodeRet) return object.xAddr != draw.iBusLineEnd - ModeData.xSizeSymble;
    if (object.end == kEndOutput) return false;
    return object.xAddr < x || &object == ldrHead;
}

// A vertical link anywhere along the line, or in the gaps above and below it, joins it to the
// lines beside it.
bool joinedToOtherLines(std::uint32_t y) {
    if (!canvasGeometryReady()) return false;
    const std::int64_t row = canvasRowOf(y);
    for (std::int64_t column = 1; column < rightBusColumn(); column += 2)
        for (std::int64_t r = row - 1; r <= row + 1; ++r)
            if (VirtualArray.at(column, r) == kCellLink) return true;
    return false;
}

bool standsOnLine(std::uint16_t code, std::uint32_t y) {
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
        if (o->yAddr == y && o->iCode == code) return true;
    return false;
}

// Whether a step is open on the lines above y: its STL stands above, and no RET after it.
bool insideStep(std::uint32_t y) {
    std::uint32_t stl = 0, ret = 0;
    bool anyStl = false, anyRet = false;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        if (o->yAddr >= y) continue;
        if (o->iCode == kCodeStl && (!anyStl || o->yAddr > stl)) stl = o->yAddr, anyStl = true;
        if (o->iCode == kCodeRet && (!anyRet || o->yAddr > ret)) ret = o->yAddr, anyRet = true;
    }
    return anyStl && (!anyRet || ret < stl);
}

// Whether the nearest line above y that holds an instruction holds a label alone: the load reads
// what follows the label on the label's own line.
bool underALabelAlone(std::uint32_t y) {
    const stLadderBlock* nearest = nullptr;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
        if (o->yAddr < y && !holdsNoInstruction(*o) && (nearest == nullptr || o->yAddr > nearest->yAddr))
            nearest = o;
    if (nearest == nullptr) return false;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
        if (o->yAddr == nearest->yAddr && !holdsNoInstruction(*o) && !isLabelCode(o->iCode)) return false;
    return true;
}

// Why the instruction cannot stand at (x, y), for the status bar; empty when it can. END is never
// taken: a program holds one. The instructions that stand alone on their line (MCR, SRET to NEXT,
// RET) are taken wherever the line holds nothing in front of them but its label, wire and the STL
// of its step, as the load draws them. After contacts, or on a line joined to others, Convert would
// write them behind those contacts, and the load, which draws them on a line of their own, would
// not read that back. On the line of a RET they would take the RET's place and leave its step
// open; under a label alone on its line the load would read them on the label's line.
std::string placeRefusal(std::uint16_t code, std::string_view mnemonic, std::uint32_t x, std::uint32_t y) {
    const std::string name(mnemonic);
    if (code == kCodeEnd) return "A program holds one END.";
    if (!isUnconditionalInstrCode(code)) return "";
    const std::string alone = name + " stands alone on its line: ";
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
        if (o->yAddr == y && staysInFront(*o, code, x))
            return alone +
                   (o->iCode == kCodeStl ? "a step holds no MCR." : "contacts stand in front of it here.");
    if (joinedToOtherLines(y)) return alone + "this line is joined to the lines beside it.";
    if (code != kCodeRet && standsOnLine(kCodeRet, y))
        return alone + "the RET that closes a step stands here.";
    if (code == kCodeMcr && insideStep(y)) return alone + "a step holds no MCR.";
    if (underALabelAlone(y)) return alone + "the label above stands alone; type it on the label's line.";
    return "";
}

bool holdsOnItsCells(std::uint32_t y) {
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
        if (o->yAddr == y && o->xAddr >= draw.iBusLineStart && !holdsNoInstruction(*o)) return true;
    return false;
}

// Why a rung cannot begin on the line y: the load reads a rung after a label alone on the label's own
// line, so Convert would write it there. Empty when it can, or when the line has a label of its own.
// One walk of the list: every line typed asks it.
std::string underLabelRefusal(std::uint32_t y) {
    bool labelled = false;
    const stLadderBlock* nearest = nullptr;  // of the nearest line above that holds an instruction
    bool nearestAlone = false;               // that line holds labels only
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        const bool label = isLabelCode(o->iCode);
        if (o->yAddr == y) labelled = labelled || label;
        if (o->yAddr >= y || holdsNoInstruction(*o)) continue;
        if (nearest == nullptr || o->yAddr > nearest->yAddr) {
            nearest = o;
            nearestAlone = label;
        } else if (o->yAddr == nearest->yAddr) {
            nearestAlone = nearestAlone && label;
        }
    }
    if (labelled || !nearestAlone) return "";
    return lineReason(y, "the label above stands alone; type the rung on the label's line.");
}

// Why a label cannot stand alone on the line y: the rung on the line below would be read onto the
// label's line. Empty when it can.
std::string labelAloneRefusal(std::uint32_t y) {
    if (holdsOnItsCells(y) || !holdsOnItsCells(y + ModeData.ySizeSymble)) return "";
    return lineReason(y, "a label stands on the line of the rung it starts; type it on that line.");
}

// RST of a whole register (D without a bit, R, V, Z) is the word-device reset, not the bit form.
bool resetsRegister(const InstructionWord& word, std::span<const char> device) {
    const std::string_view text(device.data(), strnlen(device.data(), device.size()));
    const char letter = text.empty() ? '\0' : text[0];
    return word.written == "RST" && ((letter == 'D' && text.find('.') == std::string_view::npos) ||
                                     letter == 'R' || letter == 'V' || letter == 'Z');
}

// The device whose class picks the code: MC's second operand (the first is its nesting level).
std::optional<std::uint16_t> classCode(const InstructionWord& word, const OperandTexts& operands) {
    const std::span<char> device = operands[word.written == "MC" ? 1 : 0];
    if (resetsRegister(word, device)) return kCodeRstRegister;
    std::int32_t kind = 0;
    getBitOperandKind({device.data(), device.size()}, kind);
    return deviceClassCode(word, kind);
}

std::uint32_t accept(std::uint32_t code) {
    editInstrFlags &= static_cast<std::uint8_t>(~kInstrNotRecognised);
    instrResultCode = code;
    return code;
}

// Which forms a line may take: the box's own, or (a line already in the ladder) every form the
// shared table knows.
enum class Forms { Box, Ladder };

std::uint32_t checkLabel(std::string_view label, const OperandTexts& operands, std::uint32_t y, Forms forms) {
    const OperandPattern* pattern = findOperandPattern(label.substr(0, 1));
    if (pattern == nullptr || checkOperands(*pattern, operands, label) != 0) return 0;
    if (forms == Forms::Box) {
        std::string why = underLabelRefusal(y);
        if (why.empty()) why = labelAloneRefusal(y);
        if (!why.empty()) {
            platform::statusBar().setPanelText(kReasonPanel, why);
            return 0;
        }
    }
    if (label.front() == 'P' && getPointerLabelKind(label) != 0) return accept(kLabelCodeTwoWord);
    return accept(kLabelCode);
}

std::uint32_t checkWord(const WrittenForm& form, std::uint32_t x, std::uint32_t y,
                        const OperandTexts& operands, Forms forms) {
    const InstructionWord& word = *form.word;
    if (word.kind == WordKind::StackOnly) {
        editInstrFlags &= static_cast<std::uint8_t>(~kInstrNotRecognised);
        return 0;
    }
    const OperandPattern* pattern = patternOf(word);
    if (pattern == nullptr || checkOperands(*pattern, operands) != 0) return 0;
    // The box accepts only the forms of its own column of the shared table.
    const bool boxForm =
        !word.refused && (word.row == nullptr || boxAcceptsForm(*word.row, entryIsDoubleWord(), form.pulse));
    if (!boxForm && forms == Forms::Box) return 0;
    if (refusedInFirstCell(word, x, y)) {
        if (forms == Forms::Box)
            platform::statusBar().setPanelText(
                kReasonPanel, cellReason(x, y,
                                         "the program's first cell takes a contact or a step, not " +
                                             std::string(word.written) + "."));
        return 0;
    }
    std::uint16_t code = word.code;
    if (word.kind == WordKind::Contact || word.kind == WordKind::Coil) {
        const std::optional<std::uint16_t> classed = classCode(word, operands);
        if (!classed) return 0;
        code = *classed;
    }
    std::string why = placeRefusal(code, word.written, x, y);
    if (why.empty() && forms == Forms::Box && !isUnconditionalInstrCode(code)) why = underLabelRefusal(y);
    if (!why.empty()) {
        if (forms == Forms::Box) platform::statusBar().setPanelText(kReasonPanel, why);
        return 0;
    }
    return accept(code);
}

}  // namespace

std::string cellReason(std::uint32_t x, std::uint32_t y, const std::string& what) {
    const std::uint32_t w = ModeData.xSizeSymble;
    const std::uint32_t cell = w == 0 || x < draw.iBusLineStart ? 1 : (x - draw.iBusLineStart) / w + 1;
    std::string reason = lineReason(y, what);
    return reason.insert(reason.find(':'), ", cell " + std::to_string(cell));
}

std::size_t skipPulseSuffix(std::span<const char> text, std::size_t index) {
    if (charAt(text, index) != 'P') return index;
    editInstrFlags |= kInstrPulse;
    return index + 1;
}

namespace {

std::uint32_t checkLine(std::uint32_t x, std::uint32_t y, std::span<char> mnemonic,
                        const OperandTexts& operands, Forms forms) {
    removeLeadingBlanks(mnemonic);
    editInstrFlags |= kInstrNotRecognised;
    editInstrFlags &= static_cast<std::uint8_t>(~(kInstrDoubleWord | kInstrPulse));
    instrResultCode = 0;

    const std::size_t end = wordEnd(mnemonic);
    const std::string_view word(mnemonic.data(), end);
    // A leading D is the 32-bit form unless the word is one of the names that begin with D.
    std::size_t start = 0;
    if (charAt(mnemonic, 0) == 'D' && !findWrittenForm(word)) {
        editInstrFlags |= kInstrDoubleWord;
        start = 1;
    }
    if (isAnnouncedUnsupported(mnemonic, start)) {
        showUnsupported();
        return 0;
    }
    const std::string_view name = word.substr(start);
    if (isLabel(name)) return checkLabel(name, operands, y, forms);

    const std::optional<WrittenForm> form = findWrittenForm(name);
    if (!form || !endsRightly(form->word->ending, charAt(mnemonic, end))) return 0;
    if (form->word->doubleWritten) editInstrFlags |= kInstrDoubleWord;
    if (form->word->pulseWritten) editInstrFlags |= kInstrPulse;
    if (form->pulse && !form->word->pulseWritten) skipPulseSuffix(mnemonic, end - 1);
    return checkWord(*form, x, y, operands, forms);
}

}  // namespace

std::uint32_t checkInstrCode(std::uint32_t x, std::uint32_t y, std::span<char> mnemonic,
                             const OperandTexts& operands) {
    return checkLine(x, y, mnemonic, operands, Forms::Box);
}

std::uint32_t recheckLadderLine(std::uint32_t x, std::uint32_t y, std::span<char> mnemonic,
                                const OperandTexts& operands) {
    const std::uint8_t flags = editInstrFlags;
    const std::uint32_t result = instrResultCode;
    const std::uint32_t cursorY = yOldCursor;
    yOldCursor = y;
    const std::uint32_t code = checkLine(x, y, mnemonic, operands, Forms::Ladder);
    yOldCursor = cursorY;
    instrResultCode = result;
    editInstrFlags = flags;
    return code;
}

namespace {

bool outputStandsOnLine(std::uint32_t y) {
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
        if (o->yAddr == y && o->end == kEndOutput) return true;
    return false;
}

// Whether an object that holds an instruction stands in front of x on the line y. The list's first
// object is never freed, but an output that replaces the line's output turns the line from the
// cursor on into wire, that object with it.
bool contactInFront(std::uint32_t x, std::uint32_t y) {
    const bool headStays = !outputStandsOnLine(y);
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
        if (o->yAddr == y && !holdsNoInstruction(*o) && o->xAddr >= draw.iBusLineStart &&
            o->end != kEndOutput && (o->xAddr < x || (o == ldrHead && headStays)))
            return true;
    return false;
}

}  // namespace

OutputFeed outputFeed(std::uint16_t code, std::uint32_t x, std::uint32_t y) {
    if (!isOutputTypeCode(code) || isUnconditionalInstrCode(code)) return {};
    if (code == kCodeMc && (standsOnLine(kCodeStl, y) || insideStep(y)))
        return {"MC: a step holds no MC.", {}};
    if (joinedToOtherLines(y) || contactInFront(x, y)) return {};
    if (std::optional<FurtherOutput> further = furtherOutputUnder(y)) return {{}, further};
    return {"An output needs a contact in front of it on its line, or a link to a line that has one.", {}};
}

}  // namespace kestrion
