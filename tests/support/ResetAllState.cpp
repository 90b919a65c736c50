// One place that knows every folder's reset; each folder adds its own here.
#include "editor/DrawGeometry.h"
#include "editor/EditorState.h"
#include "lang/Language.h"
#include "link/CommRecord.h"
#include "link/ConnectedPlc.h"
#include "model/ClipboardBlock.h"
#include "model/ConverterStacks.h"
#include "model/EditMarks.h"
#include "model/LadderObject.h"
#include "model/MainCore.h"
#include "model/ModeData.h"
#include "model/ProgramImage.h"
#include "model/RecentFiles.h"
#include "monitor/MonitorLists.h"
#include "reader/StepCount.h"
#include "support/Fixture.h"

namespace kestrion::test {

void resetAllState() {
    resetConverterStacks();
    resetEditorState();
    resetLanguageState();
    resetLinkState();
    resetMainCoreState();
    resetProgramImageState();
    resetConnectedPlcState();
    resetStepCountState();
    resetModeDataState();
    resetRecentFilesState();
    resetClipboardState();
    resetLadderObjectState();
    resetEditMarksState();
    resetMonitorState();
    resetDrawGeometry();
}

}  // namespace kestrion::test
