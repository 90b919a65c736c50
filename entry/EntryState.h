// The state of the instruction box and its entry: the fields the recogniser, the operand checkers
// and the placement share while one typed line becomes a ladder object.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kestrion {

// editInstrFlags bits.
constexpr std::uint8_t kInstrNotRecognised = 0x01;  // set on entry, cleared once a line is accepted
constexpr std::uint8_t kInstrDoubleWord = 0x02;     // the mnemonic carries the D prefix
constexpr std::uint8_t kInstrPulse = 0x04;          // the mnemonic carries the P suffix
constexpr std::uint8_t kInstrEntryRefused = 0x10;   // read by the opener after the box closed

// FncKeyDeviceCode when the whole line is typed on the keyboard.
constexpr std::uint32_t kFncKeyTyped = 0xFF;

constexpr std::size_t kOperandCount = 6;

struct EntryState {
    std::uint8_t editInstrFlags = 0;
    std::uint32_t instrResultCode = 0;
    // One character per operand: '0', or the digit of its V or Z index.
    std::array<char, kOperandCount> operandIndexDigit{'0', '0', '0', '0', '0', '0'};
    std::uint32_t FncKeyDeviceCode = 0;
    std::uint8_t iFncFlag = 0;         // 1 when the placed instruction is an output or runs to the right bus
    std::uint32_t iconSymbleCode = 0;  // symbol of the current tool
    std::uint8_t editEntryFlags = 0;   // kEntryOnExistingObject
    std::uint16_t editedObjectCode = 0;  // code of the existing object the box was opened on
    std::uint32_t xMouseCell = 0;        // last cell the ladder's mouse handlers named
    std::uint32_t yMouseCell = 0;
    bool moreViewRevealed = false;  // hidden menu items made visible by an access code
    bool demoKitRevealed = false;
};

extern EntryState entryState;

extern std::uint8_t& editInstrFlags;
extern std::uint32_t& instrResultCode;
extern std::array<char, kOperandCount>& operandIndexDigit;
extern std::uint32_t& FncKeyDeviceCode;
extern std::uint8_t& iFncFlag;
extern std::uint32_t& iconSymbleCode;
extern std::uint8_t& editEntryFlags;
extern std::uint16_t& editedObjectCode;
extern std::uint32_t& xMouseCell;
extern std::uint32_t& yMouseCell;

// editEntryFlags bits.
constexpr std::uint8_t kEntryOnExistingObject = 0x02;

// True while the instruction being entered is the 32-bit (D) form.
inline bool entryIsDoubleWord() {
    return (editInstrFlags & kInstrDoubleWord) != 0;
}

// Appends the line "a, b" to the instruction-entry trace memo while that memo is visible.
void debugMemo6Add(const std::string& a, const std::string& b);

void resetEntryState();

}  // namespace kestrion
