// The ladder objects the user never types: the pseudo objects (NOP, #NOP, NULL, xNOP, vNOP), the
// joints ANB, ORB, MPS, MRD and MPP, and the wire fillers the editors and converters need before
// a ladder can be drawn or compiled. Each links into the main list and marks its canvas cell.
#pragma once

#include <cstdint>
#include <string>

namespace kestrion {

struct stLadderBlock;

enum class PseudoKind : int { Nop = 0, Null = 1, XNop = 2, VNop = 3 };

// Fills the object ReallocLadderMemory has just linked (ldrNew, the current object) as a pseudo
// object at (x, y). Refused with a box when the main list holds at most END.
void insertXnopInstruction(int kind, std::uint32_t x, std::uint32_t y, std::uint32_t id, std::uint32_t top,
                           std::uint32_t step, const std::string& label);
// where 0 links in front of ldrNow, 1 behind it; at the head it always goes in front.
void insertAnbOrbInstruction(int where, bool isOrb, std::uint32_t x, std::uint32_t y, std::uint32_t id,
                             std::uint32_t top, std::uint32_t step, const std::string& label);
// kind 0 MPS, 1 MRD, any other MPP; linked in front of ldrNow.
void insertMpsMrdMppInstruction(int kind, std::uint32_t x, std::uint32_t y, std::uint32_t id,
                                std::uint32_t top);

// A NOP filler at x on the line of `object`, of its block and step, linked in front of it in the
// list; null when the list cannot take it. The canvas cell is the caller's.
stLadderBlock* linkFillerBefore(stLadderBlock& object, std::uint32_t x);

// NOP objects in the free cells left of (vx, vy), down to xStop, when block id has an output on row vy.
void isNeedInsertNopInstr(std::uint32_t xStop, std::uint32_t vx, std::uint32_t vy, std::uint32_t id,
                          const std::string& label);
void InsertNopBeforeFncInstr();
void markNopCellsBeforeOutputs();
void InsertYNopBeforeEndSymbleB();
void AddHnopBetweenAnbOrb();
void AddHnopBehindLD();
void AddHnopBehindAND();
void AddHnopBehindOR();

}  // namespace kestrion
