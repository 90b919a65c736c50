// The finishing passes that a load and a paste end with, on the main list and the canvas. They sit
// on the editor's floor, the lowest that runs them: the paste is an edit, and the loader above
// runs them too.
#pragma once

#include <cstdint>

namespace kestrion {

// Bit 0x10 of editModeFlags: a paste runs, and Modify_xBlockAddr leaves xBlockAddr alone.
constexpr std::uint8_t kEditPasteRunning = 0x10;

// The finishing passes after a load or a paste: removal of empty objects, output kinds, output
// rows, the right edges of the blocks (Modify_xBlockAddr), the horizontal fillers and joints, and
// the vertical link cells of the canvas.
void ModifyHLineToVirtualCanvas();

// Sets xBlockAddr of every object of the main list: the x at which the fillers behind a contact
// stop. Nothing while a paste runs (bit 0x10 of editModeFlags). A ladder that begins with STL is
// told so with this box's text, and goes on.
void Modify_xBlockAddr();
inline constexpr const char* kStlFirstNotice = "First Instruction is STL...";

}  // namespace kestrion
