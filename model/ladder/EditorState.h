// Editing state shared by the main window, the file commands and the ladder editor.
#pragma once

#include <cstdint>
#include <string>

namespace kestrion {

// editModeFlags bits.
constexpr std::uint8_t kEditInsertMode = 0x01;
constexpr std::uint8_t kEditLadderNotConverted = 0x04;  // ladder edited since the last conversion
constexpr std::uint8_t kEditModifiedSinceSave = 0x08;
constexpr std::uint8_t kEditFileOpen = 0x20;
constexpr std::uint8_t kEditOutputsToRightBus = 0x80;

// redrawFlags bits: requests that the drawing timer carries out on its next tick.
constexpr std::uint8_t kRedrawLadder = 0x02;
constexpr std::uint8_t kRedrawObjects = 0x04;
constexpr std::uint8_t kRedrawPaintPending = 0x08;
constexpr std::uint8_t kRedrawFrame = 0x10;
constexpr std::uint8_t kRedrawMarks = 0x20;

extern std::uint8_t& editModeFlags;
extern std::uint8_t& redrawFlags;

// Asks the drawing timer to draw the ladder and its objects again on its next tick.
inline void requestLadderRedraw() {
    redrawFlags |= kRedrawLadder | kRedrawObjects;
}

// The selection frame in pixels, corners inclusive. New ladder objects start at (x1, y1).
struct BlueFrameRect {
    std::uint32_t x1 = 0;
    std::uint32_t y1 = 0;
    std::uint32_t x2 = 0;
    std::uint32_t y2 = 0;
};
extern BlueFrameRect& BlueFrame;

}  // namespace kestrion
