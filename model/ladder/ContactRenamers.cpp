#include "model/ladder/ContactRenamers.h"

#include <array>

#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"

namespace kestrion {

namespace {

int familyIndex(ContactFamily family) {
    return static_cast<int>(family);
}

// One-word contacts: group nibble 2/4/6 plain, 3/5/7 inverted.
std::optional<std::uint16_t> renamedOneWord(std::uint16_t code, int family) {
    const int group = code >> 12;
    if (group < 2 || group > 7) return std::nullopt;
    const int renamedGroup = 2 + 2 * family + (group & 1);
    return static_cast<std::uint16_t>((renamedGroup << 12) | (code & 0x0FFF));
}

// 0x1C2-0x1CF and 0x3C2-0x3CF: low nibble 2-7 plain/inverted, A-F rising/falling edge.
std::optional<std::uint16_t> renamedMultiWord(std::uint16_t code, int family) {
    if ((code & 0xFFF0) != 0x01C0 && (code & 0xFFF0) != 0x03C0) return std::nullopt;
    const int low = code & 0xF;
    int base = 0;
    if (low >= 0x2 && low <= 0x7)
        base = 0x2;
    else if (low >= 0xA && low <= 0xF)
        base = 0xA;
    else
        return std::nullopt;
    const int renamedLow = base + 2 * family + (low & 1);
    return static_cast<std::uint16_t>((code & 0xFFF0) | renamedLow);
}

// Compare contacts 0x1D0+i / 0x1E0+i / 0x1F0+i (i up to 0xD), with or without the pulse bit.
std::optional<std::uint16_t> renamedCompare(std::uint16_t code, int family) {
    const std::uint16_t pulse = code & 0x1000;
    const int plain = code & ~0x1000;
    if (plain < 0x1D0 || plain > 0x1FD || (plain & 0xF) > 0xD) return std::nullopt;
    return static_cast<std::uint16_t>(pulse | (0x1D0 + 0x10 * family + (plain & 0xF)));
}

constexpr std::array<std::string_view, 3> kPrefixes{"LD", "AND", "OR"};
constexpr std::array<std::string_view, 3> kInvertedForms{"LDI", "ANI", "ORI"};

void renameAt(std::uint32_t x, std::uint32_t y, ContactFamily target) {
    forEachObjectAt(x, y, [target](stLadderBlock& o) {
        const std::optional<std::uint16_t> code = renamedContactCode(o.iCode, target);
        if (!code || *code == o.iCode) return;
        o.iCode = *code;
        setText(o.mnemonic, renamedContactMnemonic(textOf(o.mnemonic), target));
    });
}

}  // namespace

std::optional<std::uint16_t> renamedContactCode(std::uint16_t code, ContactFamily target) {
    const int family = familyIndex(target);
    if (auto renamed = renamedOneWord(code, family)) return renamed;
    if (auto renamed = renamedMultiWord(code, family)) return renamed;
    return renamedCompare(code, family);
}

std::string renamedContactMnemonic(std::string_view mnemonic, ContactFamily target) {
    const auto family = static_cast<std::size_t>(familyIndex(target));
    for (const std::string_view inverted : kInvertedForms)
        if (mnemonic == inverted) return std::string(kInvertedForms[family]);
    // "AND" before "LD" and "OR" cannot be confused: no prefix begins another.
    for (const std::string_view prefix : kPrefixes)
        if (mnemonic.substr(0, prefix.size()) == prefix)
            return std::string(kPrefixes[family]) + std::string(mnemonic.substr(prefix.size()));
    return std::string(mnemonic);
}

void _RenameInstrToLd(std::uint32_t x, std::uint32_t y) {
    renameAt(x, y, ContactFamily::Ld);
}

void _RenameInstrToAnd(std::uint32_t x, std::uint32_t y) {
    renameAt(x, y, ContactFamily::And);
}

void _RenameInstrToOr(std::uint32_t x, std::uint32_t y) {
    renameAt(x, y, ContactFamily::Or);
}

}  // namespace kestrion
