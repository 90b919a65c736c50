#include "wizards/SettingItems.h"

#include <cstdint>

#include "model/CommandTransaction.h"
#include "model/ConnectedPlc.h"
#include "model/MainState.h"
#include "model/ModelDialogs.h"
#include "model/ProgramImage.h"
#include "model/StepCount.h"
#include "platform/Services.h"

namespace kestrion {

void plcTypeChange1Click() {
    // Runs as one command: a failure anywhere inside leaves the program as it was.
    runCommand([] {
        const PlcTypeFormResult chosen = modelDialogs().showPlcTypeForm(pmw.plcType(), pmw.memSizeCode());
        if (chosen.okFlag == 0) {
            fileStateFlags &= static_cast<std::uint8_t>(~kFileLastChoiceWentThrough);
            return true;
        }
        // The length is checked before anything changes, so a refused change keeps type and capacity.
        if (static_cast<std::int64_t>(chosen.memSizeCode) * 1000 < static_cast<std::int32_t>(convStepNo)) {
            platform::messages().show("Program step error, Type can't change", "Error2105120211",
                                      platform::MsgIcon::Information, platform::MsgButtons::Ok);
            return false;
        }
        // The type's header template carries the type word, and the re-initialisation stores the
        // capacity and the check code over the words that stay.
        if (!initPmwImageForTypeAndSize(chosen.plcType, chosen.memSizeCode)) return false;
        connectedPlcType = static_cast<std::uint16_t>(chosen.plcType);
        return true;
    });
}

void parameterSetting1Click() {}

}  // namespace kestrion
