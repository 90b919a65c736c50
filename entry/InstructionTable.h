// The vocabulary of the instruction box: every written form of a mnemonic that a typed line may
// begin with, the code it stands for, whether a P may follow it, how the mnemonic must end and which
// operand pattern judges its operands. The application instructions come from the one shared table
// of application instructions; only the basic instructions, the contacts and coils, and the spellings
// that exist for typing alone are listed here.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "model/instructions/AppInstructionTable.h"

namespace kestrion {

enum class WordKind : std::uint8_t {
    Basic,        // fixed code
    Contact,      // LD to ORF: the code follows the class of the contact device
    Coil,         // OUT, SET, RST, PLS, PLF, MC: the code follows the class of the coil device
    Application,  // a row of the shared table
    Compare,      // a compare contact (a row of the shared table of the compare kind)
    StackOnly,    // ANB, ORB, MPS, MRD, MPP: recognised, never entered from the box
};

// What must follow the mnemonic.
enum class WordEnding : std::uint8_t {
    Blank,    // operands follow
    LineEnd,  // an instruction without operands ends the text
    Any,
};

struct InstructionWord {
    std::string_view written;  // as typed, without a leading 32-bit D or a trailing P
    std::string_view checker;  // the name of its operand pattern
    std::uint16_t code =
        0;  // the even base code (compare contacts written with D odd); 0 for contacts and coils
    WordKind kind = WordKind::Basic;
    WordEnding ending = WordEnding::Blank;
    bool pulseSuffix = false;             // a trailing P gives the pulse form
    bool pulseWritten = false;            // the written form already is the pulse form (DECPO)
    bool doubleWritten = false;           // the written form already is the 32-bit form (LDD=)
    bool refused = false;                 // recognised and checked, but never entered
    const AppInstruction* row = nullptr;  // the shared row of application instructions
};

// Every written form of the box.
std::span<const InstructionWord> boxVocabulary();

struct WrittenForm {
    const InstructionWord* word = nullptr;
    bool pulse = false;  // the form is the pulse one (suffix P or a written P)
};

// The written form that text is, whole: the name itself, or the name and a P where one may follow.
std::optional<WrittenForm> findWrittenForm(std::string_view text);

// The code of a contact or coil for the class of its device (0 to 5, as the bit-operand kinds);
// nullopt for a class outside 0 to 5 or a word of another kind.
std::optional<std::uint16_t> deviceClassCode(const InstructionWord& word, std::int32_t deviceClass);

// The codes of the labels typed as mnemonics.
constexpr std::uint16_t kLabelCode = 0xB000;
constexpr std::uint16_t kLabelCodeTwoWord = 0xB100;

}  // namespace kestrion
