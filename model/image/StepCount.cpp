#include "model/image/StepCount.h"

#include <string>

#include "model/image/ProgramImage.h"
#include "platform/Services.h"

namespace kestrion {

void showProgramSteps() {
    platform::statusBar().setPanelText(2, "Program step [" + std::to_string(convStepNo) + "/" +
                                              std::to_string(1000 * pmw.memSizeCode()) + "]");
}

}  // namespace kestrion
