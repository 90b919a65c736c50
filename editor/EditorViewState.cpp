#include "editor/EditorViewState.h"

#include "model/core/StateRegistry.h"

namespace kestrion {

EditorViewState editorView;

const stLadderBlock*& ldrDrawTail = editorView.ldrDrawTail;
std::array<char, kClickedOperandTextSize>& clickedOperandText = editorView.clickedOperandText;

namespace {

[[maybe_unused]] const bool registered = state::registerReset("editor", [] { editorView = {}; });

}  // namespace

}  // namespace kestrion
