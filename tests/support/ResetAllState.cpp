// One place that knows every folder's reset; each folder adds its own here.
#include "editor/EditorState.h"
#include "lang/Language.h"
#include "model/ConverterStacks.h"
#include "model/MainCore.h"
#include "support/Fixture.h"

namespace kestrion::testing {

void resetAllState() {
    resetConverterStacks();
    resetEditorState();
    resetLanguageState();
    resetMainCoreState();
}

}  // namespace kestrion::testing
