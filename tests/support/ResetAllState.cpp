// One place that knows every folder's reset; each folder adds its own here.
#include "editor/EditorState.h"
#include "lang/Language.h"
#include "model/ClipboardBlock.h"
#include "model/MainCore.h"
#include "model/ModeData.h"
#include "model/RecentFiles.h"
#include "support/Fixture.h"

namespace kestrion::testing {

void resetAllState() {
    resetEditorState();
    resetLanguageState();
    resetMainCoreState();
    resetModeDataState();
    resetRecentFilesState();
    resetClipboardState();
}

}  // namespace kestrion::testing
