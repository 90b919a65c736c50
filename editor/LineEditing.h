// The ladder lines as the Edit menu changes them: a line opened or taken out, the lines the frame
// covers copied into the clipboard block, and the copied lines pasted in front of the frame's line.
// Each changes the main list, the canvas, the edit marks and the bottom of the ladder together;
// the caller runs it inside one command transaction.
#pragma once

#include <cstdint>
#include <vector>

#include "model/ladder/LadderObject.h"

namespace kestrion {

// The most objects one copy takes: the clipboard block has 32 slots.
constexpr std::uint32_t kMaxCopiedObjects = 32;
constexpr const char* kTooManyToCopyText = "Too many objects to copy: at most 32 fit the clipboard.";
constexpr const char* kTooManyToCopyCaption = "Copy";
constexpr const char* kPasteInsideRungText =
    "Lines cannot be pasted here: the line above is joined to this line, and the pasted lines would "
    "join the rung.";
constexpr const char* kPasteInsideRungCaption = "Paste";

// The height of one ladder line: the cell height.
std::uint32_t lineHeight();
// The top of the ladder line the frame starts on.
std::uint32_t frameLineY();

// The lines the frame covers: from its first line to the last line its bottom reaches.
struct LineRange {
    std::uint32_t firstY = 0;
    std::uint32_t lastY = 0;
};
LineRange frameLines();

// Lines of n cell heights open in front of the line at y; objects, canvas rows, marks and the
// bottom of the ladder below it move down. With carryLinks a vertical link that joined the line
// above to the line at y runs on through the new lines. A ladder that would grow past the canvas
// shows its box and throws CanvasError.
void openLines(std::uint32_t y, std::uint32_t n, bool carryLinks);
// Takes the line at y out; false for END's line and below, which stay.
bool closeLine(std::uint32_t y);

// The copy list and the clipboard block take the objects, the copy grid their lines' cells; false
// when the lines hold no object, or more than the block takes (after its box).
bool copyLines(const LineRange& lines);
// The objects the clipboard block holds, up to its first empty slot.
std::vector<stLadderBlock> clipboardObjects();
// The copied lines in front of the frame's line, with new block numbers and no steps, then the
// load's finishing passes; false when the block holds nothing, or (after its box) when the frame's
// line is joined to the line above, where the pasted lines would join that rung. An object beyond this
// ladder's right bus throws CanvasError.
bool pasteLines();

}  // namespace kestrion
