#include "entry/PlacementDispatch.h"

#include <array>

#include "entry/EntryState.h"
#include "entry/Placement.h"
#include "model/instructions/Conversions.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

bool inApplicationRange(std::uint32_t code) {
    return ((code >= 0x0010 && code <= 0x03FD) || (code >= 0x1010 && code <= 0x13FE)) && code != 0x0202;
}

constexpr std::uint32_t kNoCode = 0;

// The contact forms, each placed as its family: its basic code, and its place among the extended-device
// codes from 450 and the word-bit codes from 962 (none for INV).
struct ContactForm {
    const char* mnemonic;
    std::uint32_t basicCode;
    std::uint32_t rangeOffset;
    ContactPlacement place;
};

constexpr std::uint32_t kNoRangeForm = 0xFFFF;
constexpr std::uint32_t kRangeBases[] = {450, 962};
constexpr std::uint32_t kRangeForms = 14;

// clang-format off
constexpr ContactForm kContactForms[] = {
    {"LD",   0x2000,  0,  placeLdSymble},
    {"LDI",  0x3000,  1,  placeLdSymble},
    {"AND",  0x4000,  2,  placeAndSymble},
    {"ANI",  0x5000,  3,  placeAndSymble},
    {"OR",   0x6000,  4,  placeOrSymble},
    {"ORI",  0x7000,  5,  placeOrSymble},
    {"LDP",  kNoCode, 8,  placeLdSymble},
    {"LDF",  kNoCode, 9,  placeLdSymble},
    {"ANDP", kNoCode, 10, placeAndSymble},
    {"ANDF", kNoCode, 11, placeAndSymble},
    {"ORP",  kNoCode, 12, placeOrSymble},
    {"ORF",  kNoCode, 13, placeOrSymble},
    {"INV",  0xFFFD,  kNoRangeForm, placeAndSymble},
};
// clang-format on

// The contact forms of the application range.
ContactPlacement rangeContact(std::uint32_t code) {
    for (std::uint32_t base : kRangeBases) {
        if (code < base || code >= base + kRangeForms) continue;
        for (const ContactForm& form : kContactForms)
            if (form.rangeOffset == code - base) return form.place;
    }
    return nullptr;
}

ContactPlacement basicContact(std::uint32_t code) {
    for (const ContactForm& form : kContactForms)
        if (form.basicCode != kNoCode && form.basicCode == code) return form.place;
    return nullptr;
}

// The placements outside the application range that take x, y and the object alone.
ContactPlacement basicPlacement(std::uint32_t code) {
    if (ContactPlacement contact = basicContact(code)) return contact;
    switch (code) {
        case 0x000F:
        case 0xF7FF: return placeEndSymble;
        case 0xF000: return placeStlSymble;
        default: return nullptr;
    }
}

std::uint8_t unplaceable(std::uint32_t code, std::uint32_t x, std::uint32_t y) {
    platform::statusBar().setPanelText(
        0, hexText(code, 4) + " (" + std::to_string(x) + "," + std::to_string(y) + ")");
    platform::say({"Error2015031609", "*defineInstrSymbleAddress(", platform::MsgIcon::Warning});
    return 1;
}

}  // namespace

ContactPlacement contactPlacementOf(std::uint32_t code) {
    return inApplicationRange(code) ? rangeContact(code) : basicContact(code);
}

std::uint8_t defineInstrSymbleAddress(std::uint32_t code, std::uint32_t x, const OperandTexts& operands,
                                      std::uint32_t y, stLadderBlock& object) {
    const std::uint8_t doubleWord = entryIsDoubleWord() ? 1 : 0;
    const std::array<std::span<const char>, 5> firstFive{operands[0], operands[1], operands[2], operands[3],
                                                         operands[4]};
    const auto box = [&](std::uint8_t flag, bool toBusEnd) {
        iFncFlag = 1;
        return toBusEnd ? placeFncSymbleToBusEnd(flag, x, y, object, firstFive)
                        : placeFncSymble(flag, x, y, object, firstFive);
    };
    if (inApplicationRange(code)) {
        if (code == 0x0014 || code == 0x0016) {
            iFncFlag = 1;
            return placeEndSymble(x, y, object);
        }
        if (ContactPlacement contact = rangeContact(code)) return contact(x, y, object);
        if (code >= 464 && code <= 509) return placeCompareContactSymble(doubleWord, x, y, object, firstFive);
        return box(doubleWord, code != 0x00A8);
    }
    if (ContactPlacement placement = basicPlacement(code)) return placement(x, y, object);
    if (isOutCoilCode(static_cast<std::int32_t>(code))) {
        iFncFlag = 1;
        return placeOutSymble(x, y, object, operands[0], operands[1], operands[2]);
    }
    switch (code) {
        case 0xB000:
        case 0xB100: return placeLabelSymble(x, y);
        case 0xD000:
        case 0xE000:
        case 0x0003:
        case 0x0004:
        case 0x0006:
        case 0x0007: return box(0, true);
        case 0x0008:
        case 0x0009:
        case 0x000A:
        case 0x000B:
        case 0x000C:
        case 0x000D: return box(doubleWord, true);
        default: return unplaceable(code, x, y);
    }
}

}  // namespace kestrion
