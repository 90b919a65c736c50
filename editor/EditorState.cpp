#include "editor/EditorState.h"

namespace kestrion {

std::uint8_t editModeFlags = 0;
std::uint8_t redrawFlags = 0;

void resetEditorState() {
    editModeFlags = 0;
    redrawFlags = 0;
}

}  // namespace kestrion
