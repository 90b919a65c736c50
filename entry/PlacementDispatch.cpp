#include "entry/PlacementDispatch.h"

#include <array>

#include "entry/EntryState.h"
#include "entry/Placement.h"
#include "model/instructions/Conversions.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

using Contact = std::uint8_t (*)(std::uint32_t, std::uint32_t, stLadderBlock&);

bool inApplicationRange(std::uint32_t code) {
    return ((code >= 0x0010 && code <= 0x03FD) || (code >= 0x1010 && code <= 0x13FE)) && code != 0x0202;
}

// The contact forms of the application range: extended-device codes from 450, word-bit codes from 962.
Contact rangeContact(std::uint32_t code) {
    static constexpr std::array<Contact, 14> byOffset{
        placeLdSymble,   placeLdiSymble,  placeAndSymble, placeAniSymble, placeOrSymble,
        placeOriSymble,  nullptr,         nullptr,        placeLdpSymble, placeLdfSymble,
        placeAndpSymble, placeAndfSymble, placeOrpSymble, placeOrfSymble};
    for (std::uint32_t base : {450u, 962u})
        if (code >= base && code < base + byOffset.size()) return byOffset[code - base];
    return nullptr;
}

Contact basicContact(std::uint32_t code) {
    switch (code) {
        case 0x2000: return placeLdSymble;
        case 0x3000: return placeLdiSymble;
        case 0x4000: return placeAndSymble;
        case 0x5000: return placeAniSymble;
        case 0x6000: return placeOrSymble;
        case 0x7000: return placeOriSymble;
        case 0x000F:
        case 0xF7FF: return placeEndSymble;
        case 0xF000: return placeStlSymble;
        case 0xFFFD: return placeInvSymble;
        default: return nullptr;
    }
}

std::uint8_t unplaceable(std::uint32_t code, std::uint32_t x, std::uint32_t y) {
    platform::statusBar().setPanelText(
        0, hexText(code, 4) + " (" + std::to_string(x) + "," + std::to_string(y) + ")");
    platform::messages().show("Error2015031609", "*defineInstrSymbleAddress(", platform::MsgIcon::Warning,
                              platform::MsgButtons::Ok);
    return 1;
}

}  // namespace

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
        if (Contact contact = rangeContact(code)) return contact(x, y, object);
        if (code >= 464 && code <= 509) return placeCompareContactSymble(doubleWord, x, y, object, firstFive);
        return box(doubleWord, code != 0x00A8);
    }
    if (Contact contact = basicContact(code)) return contact(x, y, object);
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
