#include "model/EditorState.h"

namespace kestrion {

std::uint8_t editModeFlags = 0;
std::uint8_t redrawFlags = 0;
BlueFrameRect BlueFrame;

void resetEditorState() {
    editModeFlags = 0;
    redrawFlags = 0;
    BlueFrame = BlueFrameRect{};
}

}  // namespace kestrion
