#include "reader/Decoders.h"

#include <string>
#include <string_view>

#include "model/instructions/AppInstructionTable.h"
#include "model/ladder/LadderObject.h"
#include "reader/LoadState.h"
#include "reader/MachineWords.h"
#include "reader/ObjectPreparation.h"
#include "reader/OperandWords.h"

namespace kestrion {

namespace {

// Word k of the instruction at o (word 1 is the code word, as the instruction tables count).
std::int32_t word(std::size_t o, int k) {
    return programWordAt(o + 2 * static_cast<std::size_t>(k - 1));
}

void writeMnemonic(std::string_view text) {
    if (ldrNow != nullptr) setText(ldrNow->mnemonic, text);
}

using MnemonicText = decltype(stLadderBlock::mnemonic);

// A mnemonic as writeMnemonic leaves it in the field (cut to fit, cleared behind).
constexpr MnemonicText mnemonicText(const char* text) {
    MnemonicText field{};
    for (std::size_t i = 0; i + 1 < field.size() && text[i] != '\0'; ++i) field[i] = text[i];
    return field;
}

// The same for a mnemonic fixed at compile time, made once: a load writes one for every contact
// and coil.
template <const char* Mnemonic>
void writeFixedMnemonic() {
    static constexpr MnemonicText kText = mnemonicText(Mnemonic);
    if (ldrNow != nullptr) ldrNow->mnemonic = kText;
}

void setFlagBits(bool wide, bool pulse) {
    if (ldrNow == nullptr) return;
    if (wide) ldrNow->setDFlag(true);
    if (pulse) ldrNow->setPFlag(true);
}

void placeAtRightBus(std::uint32_t extra) {
    placeObjectRightAligned(conv.X, conv.Y, extra);
}

// An operand pair of a bit device (first word 0x84xx) or a word bit (0x86xx): the bit device is
// built from the low bytes of both words.
void writePair(std::int32_t first, std::int32_t second) {
    if ((first >> 8) < 0x86) {
        convToRelayCode((first & 0xFF) + 256 * (second & 0xFF));
        return;
    }
    convToWordBitText((first - 0x8600) + 256 * (second - 0x9400), (second & 0x3C0) >> 6);
}

// MC: the device goes to the second operand text, the nesting level "N" n to the first.
void writeMasterControl(std::int32_t nesting, std::int32_t deviceCode) {
    convToRelayCode(deviceCode);
    if (ldrNow == nullptr) return;
    auto& device = ldrNow->operands[1];
    device = {};
    for (std::size_t i = 0; i < 9 && ldrNow->operands[0][i] != '\0'; ++i) device[i] = ldrNow->operands[0][i];
    setText(ldrNow->operands[0], "N" + std::to_string(nesting));
}

// ---- Basic table ----------------------------------------------------------------------------------

template <const char* Mnemonic, bool ClearsOperands>
std::size_t decodeGroup(std::size_t o) {
    writeFixedMnemonic<Mnemonic>();
    if (ClearsOperands) clearNewObjectText(1);
    convToRelayCode(word(o, 1) & 0x0FFF);
    convStepNo += 1;
    return o;
}

constexpr char kLd[] = "LD ";
constexpr char kLdi[] = "LDI";
constexpr char kAnd[] = "AND";
constexpr char kAni[] = "ANI";
constexpr char kOr[] = "OR ";
constexpr char kOri[] = "ORI";
constexpr char kOut[] = "OUT";
constexpr char kSet[] = "SET";
constexpr char kRst[] = "RST";

constexpr std::uint16_t kRetCode = 0xF7FF;
constexpr std::uint16_t kStlCode = 0xF000;

std::size_t decodeStlOrRet(std::size_t o) {
    const std::int32_t code = word(o, 1);
    clearNewObjectText(1);
    if (code == kRetCode) {
        writeMnemonic("RET");
    } else {
        writeMnemonic("STL");
        convToRelayCode(code - kStlCode);
        if (ldrNow != nullptr) ldrNow->iCode = kStlCode;
    }
    convStepNo += 1;
    return o;
}

// ---- Block table ----------------------------------------------------------------------------------

template <const char* Mnemonic, int Steps>
std::size_t decodeBlock(std::size_t o) {
    clearNewObjectText(0);
    writeFixedMnemonic<Mnemonic>();
    clearNewObjectText(1);
    convStepNo += static_cast<std::uint32_t>(Steps);
    return o;
}

constexpr char kAnb[] = "ANB";
constexpr char kOrb[] = "ORB";
constexpr char kMps[] = "MPS";
constexpr char kMrd[] = "MRD";
constexpr char kMpp[] = "MPP";
constexpr char kInv[] = "INV";
constexpr char kNop[] = "NOP";

// ---- Multi-word basic forms, codes 2 to 13 ----------------------------------------------------------

struct MultiWordForm {
    const char* mnemonic;
    std::uint32_t extra;
};
constexpr MultiWordForm kMultiWordForms[] = {
    {"OUT", 0}, {"SET", 1}, {"RST", 1}, {"OUT", 0}, {"SET", 1}, {"RST", 1},
    {"PLS", 1}, {"PLF", 1}, {"MC", 2},  {"MCR", 1}, {"RST", 1}, {"RST", 1},
};

}  // namespace

std::uint32_t multiWordOutputExtra(std::uint16_t word) {
    return word >= 2 && word <= 13 ? kMultiWordForms[word - 2].extra : 0;
}

namespace {

std::size_t decodeMultiWordBasic(std::size_t o) {
    const std::int32_t code = word(o, 1);
    if (code < 2 || code > 13) return o;
    const MultiWordForm& form = kMultiWordForms[code - 2];
    placeAtRightBus(form.extra);
    writeMnemonic(form.mnemonic);
    clearNewObjectText(1);
    switch (code) {
        case 10:
            writeMasterControl(word(o, 2) - 0x8000, word(o, 3) - 0x8000);
            convStepNo += 3;
            return o + 4;
        case 11:
            if (ldrNow != nullptr) setText(ldrNow->operands[0], "N" + std::to_string(word(o, 2) - 0x8000));
            convStepNo += 2;
            return o + 2;
        case 13:
            convToFncRelayCode(o, 1, convDFlag != 0);
            convStepNo += 3;
            return o + 4;
        default:
            convToRelayCode(word(o, 2) - 0x8000);
            convStepNo += 2;
            return o + 2;
    }
}

// ---- Contact forms with device words, 0x1C2-0x1CF and 0x3C2-0x3CF ---------------------------------

constexpr const char* kContactForms[] = {"LD ",   "LDI", "AND", "ANI",  "OR ",  "ORI", nullptr,
                                         nullptr, "LDP", "LDF", "ANDP", "ANDF", "ORP", "ORF"};

std::size_t decodeContactForm(std::size_t o) {
    const std::int32_t code = word(o, 1);
    const std::int32_t form = (code & 0x0F) - 2;
    if (form < 0 || form >= 14 || kContactForms[form] == nullptr) return o;
    writeMnemonic(kContactForms[form]);
    if ((code & 0xFF0) == 0x1C0) {
        convToRelayCode(word(o, 2) - 0x8000);
        convStepNo += 2;
        return o + 2;
    }
    const std::int32_t first = word(o, 2);
    const std::int32_t second = word(o, 3);
    if ((first >> 8) < 0x86)
        convToRelayCode((first - 0x8400) + 256 * (second - 0x8000));
    else
        writePair(first, second);
    convStepNo += 3;
    return o + 4;
}

// ---- Output forms with operand pairs, 0x202-0x20A ----------------------------------------------------

std::size_t decodePairOutput(std::size_t o, const char* mnemonic, std::uint32_t extra) {
    placeAtRightBus(extra);
    writeMnemonic(mnemonic);
    clearNewObjectText(1);
    writePair(word(o, 2), word(o, 3));
    convStepNo += 3;
    return o + 4;
}

std::size_t decodeOutSet(std::size_t o) {
    return convDFlag != 0 ? decodePairOutput(o, "SET", 1) : decodePairOutput(o, "OUT", 0);
}
std::size_t decodeSetPair(std::size_t o) {
    return decodePairOutput(o, "SET", 1);
}
std::size_t decodeRstPair(std::size_t o) {
    const bool wide = convDFlag != 0;
    const std::size_t last = decodePairOutput(o, wide ? "DRST" : "RST", 1);
    setFlagBits(wide, false);
    return last;
}

std::size_t decodePulsePair(std::size_t o, const char* mnemonic) {
    placeAtRightBus(1);
    writeMnemonic(mnemonic);
    clearNewObjectText(1);
    convToRelayCode((word(o, 2) & 0xFF) + 256 * ((word(o, 3) - 0x8000) & 0xFF));
    convStepNo += 3;
    return o + 4;
}
std::size_t decodePlsPlf(std::size_t o) {
    return decodePulsePair(o, convDFlag != 0 ? "PLF" : "PLS");
}
std::size_t decodePlfPair(std::size_t o) {
    return decodePulsePair(o, "PLF");
}

std::size_t decodeMasterControlPair(std::size_t o) {
    placeAtRightBus(2);
    writeMnemonic("MC");
    clearNewObjectText(1);
    writeMasterControl(word(o, 2) - 0x8000, (word(o, 3) & 0xFF) + 256 * (word(o, 4) & 0xFF));
    convStepNo += 4;
    return o + 6;
}

// ---- Application instructions ------------------------------------------------------------------------

const AppInstruction* rowAt(std::size_t o) {
    const std::int32_t fnc = ((word(o, 1) & 0x0FFF) - 16) / 2;
    return findAppInstruction(fnc);
}

std::size_t lastWordOffset(std::size_t o, const AppInstruction& row, bool wide) {
    return o + 2 * static_cast<std::size_t>(instructionWords(row, wide) - 1);
}

void writeApplicationTexts(const AppInstruction& row, bool wide, bool pulse) {
    writeMnemonic(writtenMnemonic(row, wide, pulse));
    setFlagBits(wide && row.dLetter, pulse && row.pLetter);
}

std::size_t decodeApplication(std::size_t o) {
    const AppInstruction* row = rowAt(o);
    if (row == nullptr) return o;
    const bool wide = convDFlag != 0;
    const bool pulse = convPulseFlag != 0;
    placeAtRightBus(static_cast<std::uint32_t>(extraCells(*row, wide)));
    writeApplicationTexts(*row, wide, pulse);
    clearNewObjectText(1);
    if (row->operands > 0) convToFncRelayCode(o, row->operands, wide);
    convStepNo += static_cast<std::uint32_t>(instructionWords(*row, wide));
    return lastWordOffset(o, *row, wide);
}

// The contact placers place compare contacts and clear their texts themselves.
std::size_t decodeCompare(std::size_t o) {
    const AppInstruction* row = rowAt(o);
    if (row == nullptr) return o;
    const bool wide = convDFlag != 0;
    writeApplicationTexts(*row, wide, convPulseFlag != 0);
    convToFncRelayCode(o, row->operands, wide);
    convStepNo += static_cast<std::uint32_t>(instructionWords(*row, wide));
    return lastWordOffset(o, *row, wide);
}

std::array<Decoder, kFncDecodeSlots> makeFncTable() {
    std::array<Decoder, kFncDecodeSlots> table{};
    table.fill(&decodeNothing);
    for (std::size_t code = 2; code <= 13; ++code) table[code] = &decodeMultiWordBasic;
    for (const std::size_t base : {0x1C0u, 0x3C0u})
        for (std::size_t low = 2; low <= 0xF; ++low)
            if (low != 8 && low != 9) table[base + low] = &decodeContactForm;
    table[0x202] = &decodeOutSet;
    table[0x203] = &decodeSetPair;
    table[0x204] = &decodeRstPair;
    table[0x208] = &decodePlsPlf;
    table[0x209] = &decodePlfPair;
    table[0x20A] = &decodeMasterControlPair;
    for (const AppInstruction& row : appInstructions()) {
        const std::size_t slot = appCode(row.fnc, false, false);
        if (slot < kFncDecodeSlots && table[slot] == &decodeNothing)
            table[slot] = row.kind == AppKind::Compare ? &decodeCompare : &decodeApplication;
    }
    return table;
}

bool isContactFormWord(std::uint16_t w) {
    const std::uint16_t low = w & 0x0F;
    return ((w & 0xFFF0) == 0x1C0 || (w & 0xFFF0) == 0x3C0) && low >= 2 && low != 8 && low != 9;
}

}  // namespace

std::size_t decodeNothing(std::size_t byteOffset) {
    return byteOffset;
}

const std::array<Decoder, 16> basicInstrDecodeTable = {
    &decodeNothing,
    &decodeNothing,
    &decodeGroup<kLd, false>,
    &decodeGroup<kLdi, false>,
    &decodeGroup<kAnd, false>,
    &decodeGroup<kAni, false>,
    &decodeGroup<kOr, false>,
    &decodeGroup<kOri, false>,
    &decodeNothing,
    &decodeNothing,
    &decodeNothing,
    &decodeNothing,
    &decodeGroup<kOut, true>,
    &decodeGroup<kSet, true>,
    &decodeGroup<kRst, true>,
    &decodeStlOrRet,
};

const std::array<Decoder, 8> blockInstrDecodeTable = {
    &decodeBlock<kAnb, 0>, &decodeBlock<kOrb, 0>, &decodeBlock<kMps, 0>, &decodeBlock<kMrd, 0>,
    &decodeBlock<kMpp, 0>, &decodeBlock<kInv, 1>, &decodeNothing,        &decodeBlock<kNop, 0>,
};

const std::array<Decoder, kFncDecodeSlots> fncInstrDecodeTable = makeFncTable();

DecodeRoute decodeRoute(std::uint16_t w) {
    const std::uint16_t group = w & 0xF000;
    if ((w >= 0x2000 && w < 0x8000) || (w >= 0xC000 && w < 0xF000))
        return {DecodeTable::Basic, static_cast<std::size_t>(w >> 12), 0, 0, group};
    if (w >= 0xF000 && w <= kRetCode) return {DecodeTable::Basic, 15, 0, 0, w};
    if (w >= 0xFFF8 && w <= 0xFFFD)
        return {DecodeTable::Block, static_cast<std::size_t>(w - 0xFFF8), 0, 0, w};
    if ((w >= 0x0002 && w <= 0x000E) || w == 0x0202 || w == 0x020A || isContactFormWord(w))
        return {DecodeTable::Fnc, w, 0, 0, w};
    if (w >= 0x0010 && w <= 0x03FF)
        return {DecodeTable::Fnc, static_cast<std::size_t>(w & 0xFFFE), w & 1u, 0, w};
    if (w >= 0x1010 && w <= 0x13FF)
        return {DecodeTable::Fnc, static_cast<std::size_t>((w - 0x1000) & 0xFFFE), w & 1u, 0x1000, w};
    return {};
}

std::size_t decodeInstructionAt(std::size_t byteOffset) {
    const DecodeRoute route = decodeRoute(programWordAt(byteOffset));
    convDFlag = route.dFlag;
    convPulseFlag = route.pulseFlag;
    if (route.table == DecodeTable::None) return byteOffset;
    if (ldrNow != nullptr) {
        ldrNow->iCode = route.iCode;
        ldrNow->stepNo = convStepNo;
    }
    switch (route.table) {
        case DecodeTable::Basic: return basicInstrDecodeTable[route.slot](byteOffset);
        case DecodeTable::Block: return blockInstrDecodeTable[route.slot](byteOffset);
        default: return fncInstrDecodeTable[route.slot](byteOffset);
    }
}

}  // namespace kestrion
