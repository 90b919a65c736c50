// One place that knows every folder's reset; each folder adds its own here.
#include "model/DrawGeometry.h"
#include "model/EditorState.h"
#include "lang/Language.h"
#include "link/CommRecord.h"
#include "model/ConnectedPlc.h"
#include "model/ClipboardBlock.h"
#include "model/ConverterStacks.h"
#include "model/EditMarks.h"
#include "model/LadderObject.h"
#include "model/MainState.h"
#include "model/ModeData.h"
#include "model/ProgramImage.h"
#include "model/RecentFiles.h"
#include "monitor/MonitorLists.h"
#include "model/StepCount.h"
#include "support/Fixture.h"

namespace kestrion::testing {

void resetAllState() {
    resetConverterStacks();
    resetEditorState();
    resetLanguageState();
    resetLinkState();
    resetMainState();
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

}  // namespace kestrion::testing
