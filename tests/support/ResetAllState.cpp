// One place that knows every folder's reset; each folder adds its own here.
#include "editor/EditorState.h"
#include "lang/Language.h"
#include "model/ConverterStacks.h"
#include "link/ConnectedPlc.h"
#include "model/MainCore.h"
#include "model/ProgramImage.h"
#include "reader/StepCount.h"
#include "support/Fixture.h"

namespace kestrion::testing {

void resetAllState() {
    resetConverterStacks();
    resetEditorState();
    resetLanguageState();
    resetMainCoreState();
    resetProgramImageState();
    resetConnectedPlcState();
    resetStepCountState();
}

}  // namespace kestrion::testing
