// Editing services on the rows of the ladder: taking a ladder line out of the canvas, moving the
// objects below a line up, keeping END below the current object, and the wrap of a position that
// reaches the right bus onto the next line.
#pragma once

#include <cstdint>

namespace kestrion {

// When ldrNow stands on END's line, END moves one cell height down.
void pushEndObjectDown();
// x while it lies left of the right bus, else the left bus.
std::uint32_t wrapXAtRightBus(std::uint32_t x, std::uint32_t y);
// y while x lies left of the right bus, else the next line.
std::uint32_t wrapYAtRightBus(std::uint32_t x, std::uint32_t y);
// The canvas rows below the line at y move up one ladder line, down to END's line; the rows
// left free are blanked.
void deleteGridLine(std::uint32_t y);
// Every main-list object below y moves up one cell height.
void shiftObjectsUp(std::uint32_t y);

}  // namespace kestrion
