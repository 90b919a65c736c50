// The one table of application instructions (FNC n, code word 16 + 2 × n, + 1 for the 32-bit form,
// + 0x1000 for the pulse form). The program word check, the loader and the emitter carry the same
// forms with the same length and written name, so every program that opens converts back; the
// instruction box accepts a part of them, and what it accepts is always carried.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kestrion {

// The four forms of an instruction, as bits of AppInstruction::forms.
constexpr std::uint8_t kForm16 = 0x01;       // MOV
constexpr std::uint8_t kForm32 = 0x02;       // DMOV
constexpr std::uint8_t kFormPulse16 = 0x04;  // MOVP
constexpr std::uint8_t kFormPulse32 = 0x08;  // DMOVP

// How the words of an instruction are laid out and decoded beyond the ordinary pattern
// (code word, then two operand words per operand, four in the 32-bit form).
enum class AppKind : std::uint8_t {
    Ordinary,
    Pointer,    // CJ, CALL: one pointer operand
    Move,       // MOV: the emitter's move dispatch (U\G buffer memory allowed)
    FloatMove,  // EMOV: the emitter's float move dispatch
    String,     // ASC: an eight-character string takes operands 1 to 4
    Compare,    // compare contacts: mnemonic family, "D", relation; the contact placers place them
    Refused,    // known by name, carried in no form
};

// What the instruction box does with the typed mnemonic.
enum class BoxEntry : std::uint8_t {
    Accepted,        // typed, checked and entered
    MatchedRefused,  // recognised, its operands checked, then refused
    Absent,          // not in the box's vocabulary: such instructions come only from loaded programs
};

struct AppInstruction {
    std::int16_t fnc;
    std::string_view mnemonic;  // as the loader writes it, without D and P
    std::int8_t operands;       // operand count k
    std::uint8_t forms;         // kForm16 | kForm32 | kFormPulse16 | kFormPulse32: the carried forms
    std::uint8_t boxForms;      // the forms the instruction box accepts, within forms
    AppKind kind;
    bool dLetter;  // the 32-bit form is written with a leading D (and flag bit 0)
    bool pLetter;  // the pulse form is written with a trailing P (and the pulse flag bit)
    BoxEntry box;
    std::string_view boxOperands;  // the operand pattern the box's checker applies
    std::string_view boxTags;      // the box's tags beyond the forms ("not1", "only25", "top")
};

// Every row, in FNC order.
std::span<const AppInstruction> appInstructions();
// The row of FNC n; null when n names no application instruction.
const AppInstruction* findAppInstruction(int fnc);

// A code word of the application-instruction spaces (0x0010-0x03FF and 0x1010-0x13FF) taken apart.
struct AppCode {
    int fnc = 0;
    bool wide = false;   // the 32-bit form
    bool pulse = false;  // the pulse form
};
std::optional<AppCode> splitAppCode(std::uint32_t code);
std::uint16_t appCode(int fnc, bool wide, bool pulse);

constexpr std::uint8_t formBit(bool wide, bool pulse) {
    return pulse ? (wide ? kFormPulse32 : kFormPulse16) : (wide ? kForm32 : kForm16);
}
bool carriesForm(const AppInstruction& row, bool wide, bool pulse);
bool boxAcceptsForm(const AppInstruction& row, bool wide, bool pulse);

// Words of the instruction, code word included: 1 + 2k, or 1 + 4k in the 32-bit form.
int instructionWords(const AppInstruction& row, bool wide);
// Words of an application-instruction code word; 0 when the code is not a carried form of a
// defined instruction (the word check refuses it, the emitter refuses it).
int instructionWords(std::uint32_t code);
// Cells the box occupies beyond its first: k, or 2k in the 32-bit form; ASC always 2.
int extraCells(const AppInstruction& row, bool wide);

// The mnemonic text the loader writes for a form: MOV, DMOV, MOVP, DMOVP; CALL never takes a D,
// ADPRW never a P; compare contacts put the D between family and relation (LDD=).
std::string writtenMnemonic(const AppInstruction& row, bool wide, bool pulse);

// Further written names the box accepts for a row (BKADD for BK+, LD<> for LD!=, ...).
struct AppAlternateName {
    std::string_view name;
    std::int16_t fnc;
};
std::span<const AppAlternateName> appAlternateNames();

// The warning text shown when a refused instruction of these numbers is met ("Fnc60 Error" for
// IST, "Fnc64 Error" for TTMR, "Fnc65 Error" for STMR); empty for any other number.
std::string_view appRefusalText(int fnc);

}  // namespace kestrion
