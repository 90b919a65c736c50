// The operand patterns of the instructions: for each group of instructions that share their
// operand rules, how many operands they take, which kind of operand each position takes, the
// limits of its constants, the letters it refuses and the rules of the whole line. The entry
// checks typed lines against them; the instruction table, the loader and the emitter look up the
// same rows by mnemonic.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace kestrion {

// What one operand position accepts.
enum class OperandKind : std::uint8_t {
    None,         // no operand here
    Src,          // word source: K and H constants, K digit groups of X/Y/M/S, T, C, D, R, U\G, V, Z
    Dst,          // word destination: K digit groups of Y/M/S, T, C, D, R, U\G, V, Z
    SrcNc,        // word source without constants
    KOrD,         // K or H constant, D, R
    Dev,          // any plain device X, Y, M, S, T, C, D, R, V, Z
    Bit,          // X, Y, M, S
    Wreg,         // T, C, D, R, V, Z
    Ptr,          // pointer label P
    DOrR,         // D, R
    Text8,        // a text of exactly 8 characters
    Const,        // K or H constant within the limits
    ConstOrReg,   // K or H constant within the limits, or D, R
    ConstOrD,     // D register, or K or H constant within the limits
    Flt,          // E real constant, D register, or integer constant
    Fltr,         // E real constant, or D, R
    Contact,      // contact device X, Y, M, S, T, C, D with bit
    Set,          // Y, M, S, D with bit
    Rst,          // Y, M, S, T, C, D with bit, R, V, Z
    Pulse,        // Y, M
    Nest,         // nesting level N
    Step,         // S
    DevOrConst,   // a plain device, or else a K or H constant (DECO's source)
    OutDevice,    // the coil of OUT
    OutSetValue,  // the set value of an OUT timer or counter coil
    Unchecked,    // must be present, is not examined
};

// Rules that do not belong to one position.
constexpr std::uint8_t kTag16Bit = 0x01;   // the 32-bit form is refused
constexpr std::uint8_t kTagNot1 = 0x02;    // refused on PLC type 1
constexpr std::uint8_t kTagOnly25 = 0x04;  // only on PLC types 2 and 5
constexpr std::uint8_t kTagTop = 0x08;     // refused on the top ladder line

// Lines whose check is more than the walk over the positions.
enum class PatternRule : std::uint8_t {
    Plain,
    Label,           // the label is the mnemonic itself; no operand follows
    Out,             // output coil, with a set value for timers and counters
    PulseCoil,       // PLS, PLF: refuse at the first fault
    MasterControl,   // MC: its special-relay refusal comes first
    SameLetter,      // both operands begin with the same device letter (ZRST)
    Mean,            // announces its own refusals
    UnsupportedBcd,  // EBCD: always refused with a message
    UnsupportedBin,  // EBIN: always refused with a message
    Refused,         // recognised, never accepted
};

struct OperandLimits {
    std::int32_t min = 0;
    std::int32_t max = 0;
};

struct OperandPosition {
    OperandKind kind = OperandKind::None;
    bool completeIndex = false;       // a bare V or Z becomes V0 or Z0
    OperandLimits limits;             // of Const, ConstOrReg and ConstOrD
    OperandLimits limits32;           // the same with the 32-bit flag
    std::string_view refusedFirst;    // refused first characters
    std::string_view refusedThird;    // refused device letters of a digit group (third character)
    char uncheckedFirst = '\0';       // an operand beginning with it is taken without examination
    bool refuseSpecialRelay = false;  // M8000 and up (an "M8" text of 5 characters or more)

    constexpr OperandPosition plus0() const {
        OperandPosition p = *this;
        p.completeIndex = true;
        return p;
    }
    constexpr OperandPosition notFirst(std::string_view letters) const {
        OperandPosition p = *this;
        p.refusedFirst = letters;
        return p;
    }
    constexpr OperandPosition notThird(std::string_view letters) const {
        OperandPosition p = *this;
        p.refusedThird = letters;
        return p;
    }
    constexpr OperandPosition unchecked(char letter) const {
        OperandPosition p = *this;
        p.uncheckedFirst = letter;
        return p;
    }
    constexpr OperandPosition notSpecialRelay() const {
        OperandPosition p = *this;
        p.refuseSpecialRelay = true;
        return p;
    }
    // The limits that apply with or without the 32-bit flag.
    constexpr OperandLimits limitsFor(bool doubleWord) const { return doubleWord ? limits32 : limits; }
};

constexpr std::size_t kPatternPositions = 5;

struct OperandPattern {
    std::uint8_t tags = 0;
    PatternRule rule = PatternRule::Plain;
    std::array<OperandPosition, kPatternPositions> positions{};
    std::string_view instructions;  // the mnemonics, separated by blanks

    // Positions up to the first empty one.
    constexpr std::size_t operandCount() const {
        std::size_t count = 0;
        while (count < kPatternPositions && positions[count].kind != OperandKind::None) ++count;
        return count;
    }
    constexpr bool has(std::uint8_t tag) const { return (tags & tag) != 0; }
    // True when mnemonic is one of the row's instructions (written without D and P).
    bool names(std::string_view mnemonic) const;
};

// Every row, in the order of the instruction groups.
std::span<const OperandPattern> operandPatterns();

// The row of a mnemonic (without its D prefix and P suffix); nullptr when none has it.
const OperandPattern* findOperandPattern(std::string_view mnemonic);

}  // namespace kestrion
