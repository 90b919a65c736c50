// The renamers of contacts: a contact keeps its device, its inversion and its pulse kind, and only
// its place in the instruction list (start a group, in series, in parallel) changes. The LD, AND
// and OR families map onto each other one to one; INV and every non-contact code stay as they are.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrion {

enum class ContactFamily { Ld = 0, And = 1, Or = 2 };

// The code of the same contact in the target family; none when the code is not a renamable contact.
std::optional<std::uint16_t> renamedContactCode(std::uint16_t code, ContactFamily target);
// The mnemonic with its LD/AND/OR prefix swapped ("LDI" <-> "ANI" <-> "ORI").
std::string renamedContactMnemonic(std::string_view mnemonic, ContactFamily target);

// Every main-list object exactly at (x, y) whose code is a renamable contact of another family
// takes the target form's code and mnemonic.
void _RenameInstrToLd(std::uint32_t x, std::uint32_t y);
void _RenameInstrToAnd(std::uint32_t x, std::uint32_t y);
void _RenameInstrToOr(std::uint32_t x, std::uint32_t y);

}  // namespace kestrion
