// One place that knows every folder's reset; each folder adds its own here.
#include "editor/DrawGeometry.h"
#include "editor/EditorState.h"
#include "lang/Language.h"
#include "model/ConverterStacks.h"
#include "model/EditMarks.h"
#include "model/LadderObject.h"
#include "model/MainCore.h"
#include "monitor/MonitorLists.h"
#include "reader/ReaderState.h"
#include "support/Fixture.h"

namespace kestrion::testing {

void resetAllState() {
    resetConverterStacks();
    resetEditorState();
    resetLanguageState();
    resetMainCoreState();
    resetLadderObjectState();
    resetEditMarksState();
    resetMonitorState();
    resetDrawGeometry();
    resetReaderState();
}

}  // namespace kestrion::testing
