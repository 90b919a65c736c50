#include "entry/OperandCheckers.h"

#include <string>

#include "entry/OperandValidators.h"
#include "model/image/ConnectedPlc.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/DrawGeometry.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

std::string_view viewOf(std::span<const char> operand) {
    return {operand.data(), operand.size()};
}

char charAt(std::span<const char> operand, std::size_t i) {
    return i < operand.size() ? operand[i] : '\0';
}

std::size_t operandLength(std::span<const char> operand) {
    std::size_t n = 0;
    while (n < operand.size() && operand[n] != '\0' && operand[n] != ' ') ++n;
    return n;
}

// V or Z alone becomes V0 or Z0.
void completeIndex(std::span<char> operand) {
    if (operand.size() < 3) return;
    if ((operand[0] == 'V' || operand[0] == 'Z') && operand[1] == '\0') {
        operand[1] = '0';
        operand[2] = '\0';
    }
}

bool refusedBy(std::string_view letters, char c) {
    return c != '\0' && letters.find(c) != std::string_view::npos;
}

// The special relays M8000 and up.
bool isSpecialRelay(std::span<const char> operand) {
    return charAt(operand, 0) == 'M' && charAt(operand, 1) == '8' && operandLength(operand) >= 5;
}

std::int32_t selectedPlcType() {
    return static_cast<std::int32_t>(pmw.plcType());
}

std::uint8_t validate(const OperandPosition& position, std::span<const char> operand, bool doubleWord) {
    const std::string_view text = viewOf(operand);
    const char first = charAt(operand, 0);
    const OperandLimits limits = position.limitsFor(doubleWord);
    switch (position.kind) {
        case OperandKind::Src: return isErrorWordOperand(0, text);
        case OperandKind::Dst: return isErrorWordOperand(1, text);
        case OperandKind::SrcNc: return isErrorWordOperand(2, text);
        case OperandKind::KOrD: return isErrorWordOperand(3, text);
        case OperandKind::Dev: return isErrorWordOperand(5, text);
        case OperandKind::Bit: return isErrorWordOperand(6, text);
        case OperandKind::Wreg: return isErrorWordOperand(7, text);
        case OperandKind::Ptr: return isErrorWordOperand(8, text);
        case OperandKind::DOrR: return isErrorWordOperand(9, text);
        case OperandKind::Text8: return isErrorWordOperand(10, text);
        case OperandKind::Const: return isErrorConstOperand(text, limits.max, limits.min);
        case OperandKind::ConstOrReg: return isErrorConstOrRegOperand(text, limits.max, limits.min);
        case OperandKind::ConstOrD:
            if (first == 'D') return isErrorWordOperand(9, text);
            return isErrorConstOperand(text, limits.max, limits.min);
        case OperandKind::Flt:
            if (first == 'E') return isErrorFloatOperand(text);
            if (first == 'D') return isErrorWordOperand(9, text);
            return isErrorConstOperand(text, limits.max, limits.min);
        case OperandKind::Fltr:
            if (first == 'E') return isErrorFloatOperand(text);
            return isErrorWordOperand(9, text);
        case OperandKind::Contact: return isErrorBitOperand(0, text);
        case OperandKind::Set: return isErrorBitOperand(2, text);
        case OperandKind::Rst: return isErrorBitOperand(3, text);
        case OperandKind::Pulse: return isErrorBitOperand(4, text);
        case OperandKind::Nest: return isErrorBitOperand(6, text);
        case OperandKind::Step: return isErrorBitOperand(9, text);
        case OperandKind::DevOrConst: {
            // A constant fails as a device and is then judged as a constant.
            const std::uint8_t asDevice = isErrorWordOperand(5, text);
            if (asDevice != 0 && (first == 'K' || first == 'H')) return isErrorWordOperand(3, text);
            return asDevice;
        }
        case OperandKind::Unchecked: return 0;
        case OperandKind::OutDevice:
        case OperandKind::OutSetValue:
        case OperandKind::None: break;
    }
    return 1;  // the output coil has its own rule; no operand is expected elsewhere
}

// Operand n present and operand n + 1 absent.
bool operandCountFits(const OperandTexts& operands, std::size_t n) {
    if (n == 0) return !isOperandPresent(operands[0]);
    if (!isOperandPresent(operands[n - 1])) return false;
    return n >= operands.size() || !isOperandPresent(operands[n]);
}

bool refusedByType(const OperandPattern& pattern) {
    const std::int32_t type = selectedPlcType();
    if (pattern.has(kTagNot1) && type == 1) return true;
    if (pattern.has(kTagOnly25) && type != 2 && type != 5) return true;
    return pattern.has(kTagTop) && yOldCursor == 0;
}

// Every position in turn: its validator, its completion, its refused letters. All of them run
// even after a failure, so later operands are still completed.
std::uint8_t walkPositions(const OperandPattern& pattern, const OperandTexts& operands, bool doubleWord) {
    std::uint8_t result = 0;
    for (std::size_t i = 0; i < pattern.operandCount(); ++i) {
        const OperandPosition& position = pattern.positions[i];
        const std::span<char> operand = operands[i];
        const char first = charAt(operand, 0);
        const bool unchecked = position.uncheckedFirst != '\0' && first == position.uncheckedFirst;
        if (!unchecked && validate(position, operand, doubleWord) != 0) result = 1;
        if (position.completeIndex) completeIndex(operand);
        if (refusedBy(position.refusedFirst, first) || refusedBy(position.refusedThird, charAt(operand, 2))) {
            result = 1;
        }
    }
    return result;
}

std::uint8_t checkCommon(const OperandPattern& pattern, const OperandTexts& operands, bool doubleWord) {
    std::uint8_t result = 0;
    if (pattern.has(kTag16Bit) && doubleWord) result = 1;
    if (!operandCountFits(operands, pattern.operandCount())) result = 1;
    if (refusedByType(pattern)) result = 1;
    if (walkPositions(pattern, operands, doubleWord) != 0) result = 1;
    return result;
}

std::uint8_t checkLabel(const OperandTexts& operands, std::string_view label, bool doubleWord) {
    std::uint8_t result = 0;
    if (doubleWord) result = 1;
    if (isOperandPresent(operands[0])) result = 1;
    const char letter = label.empty() ? '\0' : label.front();
    std::uint8_t labelError = 1;
    if (letter == 'P') labelError = isErrorPointerLabel(label);
    if (letter == 'I') labelError = isErrorInterruptLabel(label);
    return labelError != 0 ? 1 : result;
}

std::uint8_t outRefusal(const char* id) {
    debugMemo6Add(id, "*isErrorOutOpCode(");
    return 1;
}

std::uint8_t checkOut(const OperandTexts& operands, bool doubleWord) {
    if (doubleWord) return outRefusal("Error2015022880");
    if (!isOperandPresent(operands[0])) return outRefusal("Error2015022881");
    const char first = operands[0][0];
    const std::string_view device = viewOf(operands[0]);
    const std::string_view setValue = viewOf(operands[1]);
    if (first != 'T' && first != 'C') {
        if (isOperandPresent(operands[1])) return outRefusal("Error2015022884");
        return isErrorOutOpCode(device, setValue);
    }
    if (!isOperandPresent(operands[1])) return outRefusal("Error2015022882");
    if (isOperandPresent(operands[2])) return outRefusal("Error2015022883");
    return isErrorOutOpCode(device, setValue);
}

bool anySpecialRelay(const OperandPattern& pattern, const OperandTexts& operands) {
    for (std::size_t i = 0; i < pattern.operandCount(); ++i) {
        if (pattern.positions[i].refuseSpecialRelay && isSpecialRelay(operands[i])) return true;
    }
    return false;
}

// PLS, PLF: the first fault ends the check, so no validator runs for a refused line.
std::uint8_t checkPulseCoil(const OperandPattern& pattern, const OperandTexts& operands, bool doubleWord) {
    if (pattern.has(kTag16Bit) && doubleWord) return 1;
    if (!operandCountFits(operands, pattern.operandCount())) return 1;
    if (refusedByType(pattern)) return 1;
    if (anySpecialRelay(pattern, operands)) return 1;
    return walkPositions(pattern, operands, doubleWord);
}

void showMeanRefusal(const char* text) {
    platform::say({text, "Error2015110145", platform::MsgIcon::None});
}

std::uint8_t checkMean(const OperandPattern& pattern, const OperandTexts& operands, bool doubleWord) {
    std::uint8_t result = 0;
    if (doubleWord && connectedPlcType != 2) {
        showMeanRefusal("Can't used double word...");
        result = 1;
    }
    if (!isOperandPresent(operands[2])) result = 1;
    if (isOperandPresent(operands[3])) {
        showMeanRefusal("Operand too much...");
        result = 1;
    }
    if (selectedPlcType() == 1) {
        showMeanRefusal("Unsupported this type...");
        result = 1;
    }
    if (walkPositions(pattern, operands, doubleWord) != 0) result = 1;
    return result;
}

std::uint8_t checkUnsupported(const OperandPattern& pattern, const OperandTexts& operands, bool doubleWord,
                              const char* caption) {
    checkCommon(pattern, operands, doubleWord);
    platform::say({"*Unsupported", caption, platform::MsgIcon::Error});
    return 1;
}

}  // namespace

OperandTexts operandTextsOf(stLadderBlock& object) {
    OperandTexts texts;
    for (std::size_t i = 0; i < object.operands.size(); ++i) texts[i] = object.operands[i];
    texts[5] = object.operand6;
    return texts;
}

bool isOperandPresent(std::span<const char> operand) {
    const char first = charAt(operand, 0);
    return first != '\0' && first != ' ';
}

std::uint8_t checkOperands(const OperandPattern& pattern, const OperandTexts& operands,
                           std::string_view label) {
    const bool doubleWord = entryIsDoubleWord();
    switch (pattern.rule) {
        case PatternRule::Plain: return checkCommon(pattern, operands, doubleWord);
        case PatternRule::Label: return checkLabel(operands, label, doubleWord);
        case PatternRule::Out: return checkOut(operands, doubleWord);
        case PatternRule::PulseCoil: return checkPulseCoil(pattern, operands, doubleWord);
        case PatternRule::MasterControl: {
            if (anySpecialRelay(pattern, operands)) return 1;
            // MC's device is written as a plain device pair, which has no room for an index register.
            const std::string_view device = viewOf(operands[1]);
            if (device.find_first_of("VZ", 1) != std::string_view::npos) return 1;
            return checkCommon(pattern, operands, doubleWord);
        }
        case PatternRule::SameLetter: {
            std::uint8_t result = checkCommon(pattern, operands, doubleWord);
            if (charAt(operands[0], 0) != charAt(operands[1], 0)) result = 1;
            return result;
        }
        case PatternRule::Mean: return checkMean(pattern, operands, doubleWord);
        case PatternRule::UnsupportedBcd:
            return checkUnsupported(pattern, operands, doubleWord, "Error2014121918...");
        case PatternRule::UnsupportedBin:
            return checkUnsupported(pattern, operands, doubleWord, "Error2014121919...");
        case PatternRule::Refused: break;
    }
    return 1;
}

}  // namespace kestrion
