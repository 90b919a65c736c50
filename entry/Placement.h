// The placement operations of the ladder editor: each gives the object being entered its grid
// position and kind for one family of symbols, moves the editor cursor to where the next entry
// goes and reports whether the cursor cell can take the symbol (1 refused, 0 placed).
#pragma once

#include <cstdint>
#include <span>

#include "model/ladder/LadderObject.h"

namespace kestrion {

// Operand texts 1 to 5 as the placements read them (only whether each is present counts).
using PlacementOperands = std::span<const std::span<const char>>;

// Labels stand only left of the left bus; the object is not written.
std::uint8_t placeLabelSymble(std::uint32_t x, std::uint32_t y);

// The three placements of the contacts; every contact form takes the one of its family (the table
// of forms is in entry/PlacementDispatch.cpp).
// Series contacts that start a line: LD, LDI, LDP, LDF.
std::uint8_t placeLdSymble(std::uint32_t x, std::uint32_t y, stLadderBlock& object);
// Series contacts inside a line (AND, ANI, ANDP, ANDF and INV); they also lower the bottom of the
// diagram.
std::uint8_t placeAndSymble(std::uint32_t x, std::uint32_t y, stLadderBlock& object);
// Parallel contacts of the two-line kind: OR, ORI, ORP, ORF.
std::uint8_t placeOrSymble(std::uint32_t x, std::uint32_t y, stLadderBlock& object);

// A coil moved right against the right bus; its width grows with a set value and for C200 to C299.
std::uint8_t placeOutSymble(std::uint32_t x, std::uint32_t y, stLadderBlock& object,
                            std::span<const char> operand1, std::span<const char> operand2,
                            std::span<const char> operand3);
// STL goes back to the first cell of its line.
std::uint8_t placeStlSymble(std::uint32_t x, std::uint32_t y, stLadderBlock& object);
// An instruction box moved right as far as its width allows; each present operand widens it by
// one cell, two in the 32-bit form.
std::uint8_t placeFncSymble(std::uint8_t doubleWord, std::uint32_t x, std::uint32_t y, stLadderBlock& object,
                            PlacementOperands operands);
// As placeFncSymble, and the box's end is the right bus.
std::uint8_t placeFncSymbleToBusEnd(std::uint8_t doubleWord, std::uint32_t x, std::uint32_t y,
                                    stLadderBlock& object, PlacementOperands operands);
// A compare contact stays at the cursor cell whatever its operands.
std::uint8_t placeCompareContactSymble(std::uint8_t doubleWord, std::uint32_t x, std::uint32_t y,
                                       stLadderBlock& object, PlacementOperands operands);
std::uint8_t placeEndSymble(std::uint32_t x, std::uint32_t y, stLadderBlock& object);

}  // namespace kestrion
