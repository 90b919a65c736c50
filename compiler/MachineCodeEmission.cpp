#include "compiler/MachineCodeEmission.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>

#include "compiler/AppInstructionEmission.h"
#include "compiler/CompilerState.h"
#include "compiler/WordEmitter.h"
#include "model/core/ConversionError.h"
#include "model/image/ProgramImage.h"
#include "model/instructions/Conversions.h"
#include "model/ladder/LadderObject.h"
#include "platform/Services.h"
#include "reader/MachineWords.h"
#include "reader/OperandWords.h"

namespace kestrion {

namespace {

// A device operand taken apart: letter, decimal number, and the bit digit after a '.'.
struct Device {
    char letter = 0;
    std::int32_t number = 0;
    std::optional<char> bit;
};

std::optional<std::int32_t> decimal(std::string_view digits) {
    std::int32_t value = 0;
    if (digits.empty() || digits.size() > 16) return std::nullopt;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc{} || end != digits.data() + digits.size() || value < 0) return std::nullopt;
    return value;
}

// Operand text i as the object holds it (up to its first NUL), read in place: every contact and
// output is taken apart from it.
std::string_view operandView(int i) {
    const auto& field = ldrConv->operands[static_cast<std::size_t>(i)];
    return {field.data(),
            static_cast<std::size_t>(std::find(field.begin(), field.end(), '\0') - field.begin())};
}

std::string operandOf(int i) {
    return std::string(operandView(i));
}

// Operand text i read as a device: letter, digits, optionally '.' and one bit digit.
Device deviceOf(int i, bool bitAllowed = false) {
    const std::string_view text = operandView(i);
    const std::size_t dot = text.find('.');
    Device device;
    if (text.empty()) refuseObject("Error2018051320");
    device.letter = text[0];
    if (dot != std::string_view::npos) {
        if (!bitAllowed || dot + 2 != text.size() || !isHexDigit(text[dot + 1]))
            refuseObject("Error2018051320");
        device.bit = text[dot + 1];
    }
    const std::optional<std::int32_t> n =
        decimal(text.substr(1, dot == std::string_view::npos ? std::string_view::npos : dot - 1));
    if (!n) refuseObject("Error2018051320");
    device.number = *n;
    return device;
}

std::int32_t codeOf(const Device& device, std::string_view refusal) {
    const std::optional<std::int32_t> code = deviceCodeOf(device.letter, device.number);
    if (!code) refuseObject(refusal);
    return *code;
}

bool isBit(char letter) {
    return letter == 'X' || letter == 'Y' || letter == 'M' || letter == 'S';
}

// Family 1: LD, LDI, AND, ANI, OR, ORI with the device inside the word.
std::uint32_t oneWordContact(std::uint16_t code, std::uint32_t step) {
    const Device d = deviceOf(0);
    if (d.letter == 'M' && d.number >= 1536 && d.number < 8000) refuseObject("Error20180511.200 m1536");
    if (d.letter == 'S' && d.number >= 1024) refuseObject("Error20180511.200 s1024");
    if (d.letter != 'T' && d.letter != 'C' && !isBit(d.letter)) refuseObject("Error2018051320");
    const std::int32_t device = codeOf(d, "Error2018051320");
    if (device >= 0x1000) refuseObject("Error2018051320");  // past the one-word field (M8256 and up)
    return emitWord(step, static_cast<std::uint16_t>(code + device));
}

// The device pair of the three-word forms: a bit device, or bit b of D n.
std::uint32_t extendedOperand(std::uint32_t step, const Device& d) {
    if (d.bit) {
        if (d.letter != 'D') refuseObject("Error2018051320");
        const std::optional<WordPair> pair = wordBitPair(d.number, hexDigitValue(*d.bit));
        if (!pair) refuseObject("Error2018051320");
        step = emitWord(step, pair->first);
        return emitWord(step, pair->second);
    }
    if (!isBit(d.letter)) refuseObject("Error2018051320");
    const WordPair pair = bitDevicePair(codeOf(d, "Error2018051320"));
    step = emitWord(step, pair.first);
    return emitWord(step, pair.second);
}

// The one device word of the two-word forms (0x8000 + device code), M below 3584 or M8000 form.
std::uint16_t twoWordDevice(const Device& d, std::string_view refusal) {
    if (d.letter == 'M' && d.number >= 3584 && d.number < 8000) refuseObject("Error20180511.200 m3584");
    if (d.letter != 'T' && d.letter != 'C' && !isBit(d.letter)) refuseObject(refusal);
    const std::int32_t device = codeOf(d, refusal);
    if (device >= 0x3000) refuseObject(refusal);
    return static_cast<std::uint16_t>(0x8000 + device);
}

// The setting value of OUT T and OUT C from operand text 2: a constant as the load shows it
// (0 to 65535 for timers and 16-bit counters, a signed 32-bit value for C200 and up), or a register
// as the setting words 0x8600 + the low and the high byte of 2n.
std::uint32_t settingValue(std::uint32_t step, bool wideCounter) {
    const std::string text = operandOf(1);
    if (text.size() < 2 || (text[0] != 'K' && text[0] != 'D')) refuseObject("OUT opCode Error");
    std::int64_t k = 0;
    const char* first = text.data() + 1;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, k);
    if (error != std::errc{} || end != last) refuseObject("OUT opCode Error");
    const int words = wideCounter ? 4 : 2;
    if (text[0] == 'K') {
        const bool fits = wideCounter ? k >= INT32_MIN && k <= INT32_MAX : k >= 0 && k <= UINT16_MAX;
        if (!fits) refuseObject("OUT opCode Error");
        for (int i = 0; i < words; ++i)
            step = emitWord(step, static_cast<std::uint16_t>(
                                      0x8000 + ((static_cast<std::uint32_t>(k) >> (8 * i)) & 0xFF)));
        return step;
    }
    if (k < 0 || 2 * k > UINT16_MAX) refuseObject("OUT opCode Error");
    const auto twice = static_cast<std::uint32_t>(2 * k);
    step = emitWord(step, static_cast<std::uint16_t>(0x8600 + (twice & 0xFF)));
    step = emitWord(step, static_cast<std::uint16_t>(0x8600 + (twice >> 8)));
    for (int i = 2; i < words; ++i) step = emitWord(step, 0x8000);
    return step;
}

// Family 4: OUT, and OUT T / OUT C with their setting value.
std::uint32_t output(std::uint32_t step) {
    const Device d = deviceOf(0);
    if (d.letter == 'T' || d.letter == 'C') {
        const std::int32_t device = codeOf(d, "OUT opCode Error");
        step = emitWord(step, static_cast<std::uint16_t>(device));
        return settingValue(step, d.letter == 'C' && d.number >= 200);
    }
    if (!isBit(d.letter)) refuseObject("OUT opCode Error");
    const std::int32_t device = codeOf(d, "OUT opCode Error");
    if (d.letter != 'S' && device < 0x0E00)
        return emitWord(step, static_cast<std::uint16_t>(0xC000 + device));
    step = emitWord(step, d.letter == 'S' ? 0x0005 : 0x0002);
    return emitWord(step, twoWordDevice(d, "OUT opCode Error"));
}

enum class Coil { Out, Set, Reset };

// Family 5: SET and RST, and the two-word coil codes.
std::uint32_t setOrReset(std::uint16_t code, std::uint32_t step) {
    const Coil coil = (code == 0xD000 || code == 0x0003 || code == 0x0006) ? Coil::Set
                      : (code == 0x0002 || code == 0x0005)                 ? Coil::Out
                                                                           : Coil::Reset;
    const Device d = deviceOf(0);
    constexpr const char* refusal = "Error2018051360.opCode Error";
    if (d.letter == 'T' || d.letter == 'C') {
        // SET of a timer or counter has no word of its own: its words would read back as RST.
        if (coil != Coil::Reset) refuseObject(refusal);
        step = emitWord(step, 0x000C);
        return emitWord(step, static_cast<std::uint16_t>(0x8000 + codeOf(d, refusal)));
    }
    if (d.letter == 'D' || d.letter == 'V' || d.letter == 'Z') {
        if (coil != Coil::Reset) refuseObject(refusal);
        step = emitWord(step, 0x000D);
        OperandSink sink{[](std::uint32_t s, std::uint16_t w) { return emitWord(s, w); }, false};
        return encodeOperand(sink, step, operandOf(0));
    }
    if (!isBit(d.letter)) refuseObject(refusal);
    const std::int32_t device = codeOf(d, refusal);
    const std::uint16_t oneWord = coil == Coil::Set ? 0xD000 : coil == Coil::Reset ? 0xE000 : 0xC000;
    if (d.letter != 'S' && device < 0x0E00)
        return emitWord(step, static_cast<std::uint16_t>(oneWord + device));
    const std::uint16_t twoWord = d.letter == 'S' ? (coil == Coil::Set     ? 6
                                                     : coil == Coil::Reset ? 7
                                                                           : 5)
                                                  : (coil == Coil::Set     ? 3
                                                     : coil == Coil::Reset ? 4
                                                                           : 2);
    const std::uint16_t second = twoWordDevice(d, refusal);
    step = emitWord(step, twoWord);
    return emitWord(step, second);
}

// PLS, PLF and the device of MC: Y, or M below 3584.
std::uint16_t pulseDevice(const Device& d, std::string_view refusal) {
    if (d.letter == 'M' && d.number >= 3584)
        refuseObject(d.number >= 8000 ? refusal : "Error20180511.200 m3584");
    if (d.letter != 'Y' && d.letter != 'M') refuseObject(refusal);
    return twoWordDevice(d, refusal);
}

std::uint32_t masterControl(std::uint16_t code, std::uint32_t step) {
    const std::string level = operandOf(0);
    const std::optional<std::int32_t> n = decimal(std::string_view(level).substr(level.empty() ? 0 : 1));
    if (level.empty() || level[0] != 'N' || !n || *n > 7) refuseObject("Error2018051320");
    if (code == 0x000B) {
        step = emitWord(step, code);
        return emitWord(step, static_cast<std::uint16_t>(0x8000 + *n));
    }
    const Device d = deviceOf(1);
    if (code == 0x020A) {
        if (d.letter != 'M') refuseObject("Error2018051320");
        step = emitWord(step, code);
        step = emitWord(step, static_cast<std::uint16_t>(0x8000 + *n));
        return extendedOperand(step, d);
    }
    const std::uint16_t device = pulseDevice(d, "Error2018051320");
    step = emitWord(step, code);
    step = emitWord(step, static_cast<std::uint16_t>(0x8000 + *n));
    return emitWord(step, device);
}

std::uint32_t label(std::uint16_t code, std::uint32_t step) {
    const std::string text = textOf(ldrConv->mnemonic);
    const std::optional<std::int32_t> n = decimal(std::string_view(text).substr(text.empty() ? 0 : 1));
    if (text.empty() || !n) refuseObject("Error2018051320");
    if (code == 0xB100) {
        if (text[0] != 'P' || *n < 256 || *n > 0xFFFF) refuseObject("Error2018051320");
        step = emitWord(step, static_cast<std::uint16_t>(0xB100 + (*n & 0xFF)));
        return emitWord(step, static_cast<std::uint16_t>(0xB200 + (*n >> 8)));
    }
    if (text[0] == 'P' && *n < 256) return emitWord(step, static_cast<std::uint16_t>(0xB000 + *n));
    if (text[0] == 'I' && *n < 0x800) return emitWord(step, static_cast<std::uint16_t>(0xB800 + *n));
    refuseObject("Error2018051320");
}

bool isAppSpace(std::uint16_t code) {
    return (code >= 0x0010 && code <= 0x03FD) || (code >= 0x1010 && code <= 0x13FE);
}

}  // namespace

std::uint32_t SubLToM02(std::uint16_t code, std::uint32_t step) {
    switch (code) {
        case 0x2000:
        case 0x3000:
        case 0x4000:
        case 0x5000:
        case 0x6000:
        case 0x7000: return oneWordContact(code, step);
        case 0xC000: return output(step);
        case 0xD000:
        case 0xE000:
        case 0x0002:
        case 0x0003:
        case 0x0004:
        case 0x0005:
        case 0x0006:
        case 0x0007:
        case 0x000C: return setOrReset(code, step);
        case 0x0008:
        case 0x0009: {
            const std::uint16_t device = pulseDevice(deviceOf(0), "Error2018051361.opCode Error");
            step = emitWord(step, code);
            return emitWord(step, device);
        }
        case 0x000A:
        case 0x000B:
        case 0x020A: return masterControl(code, step);
        case 0x000D: {
            const Device d = deviceOf(0);
            if (d.letter != 'D' && d.letter != 'R' && d.letter != 'V' && d.letter != 'Z')
                refuseObject("Error2018051360.opCode Error");
            step = emitWord(step, applyDPFlags(code));
            OperandSink sink{[](std::uint32_t s, std::uint16_t w) { return emitWord(s, w); }, false};
            return encodeOperand(sink, step, operandOf(0));
        }
        case 0x000F:
        case 0xF7FF:
        case 0xFFF8:
        case 0xFFF9:
        case 0xFFFA:
        case 0xFFFB:
        case 0xFFFC:
        case 0xFFFD: return emitWord(step, code);
        case 0xB000:
        case 0xB800:
        case 0xB100: return label(code, step);
        default: break;
    }
    if (code >= 0x03C2 && code <= 0x03CF && code != 0x03C8 && code != 0x03C9) {
        const Device d = deviceOf(0, true);
        if (!d.bit && d.letter != 'M') refuseObject("Error2018051320");
        step = emitWord(step, code);
        return extendedOperand(step, d);
    }
    if (code >= 0x01C2 && code <= 0x01CF && code != 0x01C8 && code != 0x01C9) {
        const std::uint16_t device = twoWordDevice(deviceOf(0), "Error2018051320");
        step = emitWord(step, code);
        return emitWord(step, device);
    }
    if ((code >= 0x0202 && code <= 0x0204) || code == 0x0208 || code == 0x0209) {
        const Device d = deviceOf(0, true);
        step = emitWord(step, code);
        return extendedOperand(step, d);
    }
    if ((code & 0xFE00) == 0x0600 || (code & 0xFF00) == 0x0E00) return output(step);
    if ((code & 0xFC00) == 0xF000) {
        const Device d = deviceOf(0);
        if (d.letter != 'S' || d.number >= 1024) refuseObject("Error2018051320");
        return emitWord(step, static_cast<std::uint16_t>(0xF000 + d.number));
    }
    return emitAppInstruction(code, step);
}

void convLadderToMachineCode() {
    ldrConv = nullptr;
    if (ldrHead == nullptr) compile::stopConversion("Error2014122301...", "*");
    try {
        std::uint32_t step = 0;
        for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
            if (o->iCode == kCodeNop || o->iCode == kCodeVNop) continue;
            o->stepNo = step;
            ldrConv = o;
            const bool app = isAppSpace(o->iCode);
            o->setDFlag(app && (o->iCode & 1) != 0);
            o->setPFlag(app && (o->iCode & 0x1000) != 0);
            step = SubLToM02(o->iCode, step);
        }
    } catch (const ConversionError& error) {
        // The box has been shown; the error names the object and its step for the command, whose
        // transaction puts the words back.
        const std::string where = std::string(error.what()) + ": " + textOf(ldrConv->mnemonic) + " " +
                                  textOf(ldrConv->operands[0]) + " at step " +
                                  std::to_string(ldrConv->stepNo);
        platform::statusBar().setPanelText(13, where);
        ldrConv = nullptr;
        throw ConversionError(where);
    }
    ldrConv = nullptr;
    pmw.setSumCheck(programCheckCode(pmw.program, pmw.memSizeCode()));
}

int deleteObjectBeforeEnd() {
    int count = 0;
    stLadderBlock* end = ldrHead;
    for (; end != nullptr; end = end->next) {
        ++count;
        if (end->iCode == kCodeEnd) break;
    }
    if (end == nullptr) return -1;
    stLadderBlock* before = end->prev;
    if (before == nullptr || before->yAddr != end->yAddr) return count;
    removeLadderObject(ldrList, before);
    return count;
}

}  // namespace kestrion
