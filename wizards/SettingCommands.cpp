#include "wizards/SettingCommands.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "lang/Language.h"
#include "link/line/Connection.h"
#include "link/plc/ParameterDialog.h"
#include "link/plc/PlcDialogs.h"

#include "model/core/CommandTransaction.h"
#include "model/core/MainState.h"
#include "model/image/ConnectedPlc.h"
#include "model/image/ProgramImage.h"
#include "model/image/StepCount.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/ModelDialogs.h"
#include "platform/Box.h"
#include "platform/Services.h"
#include "wizards/WizardsDialogs.h"

namespace kestrion {

namespace {

// An Option item's dialog: what it changed in the program image goes with the next save. File >
// New and the program read from the PLC ask the same dialogs inside their own flow, which marks
// the program itself.
template <class Item>
void markingImageChanges(Item item) {
    const auto before = std::make_unique<const PmwImage>(pmw);
    item();
    if (pmw != *before) markOpenProgramModified();
}

// What OK with the type and capacity the program already has does to the program image.
enum class SameTypeAnswer { TakesTheTemplate, KeepsTheProgram };

void choosePlcTypeAndCapacity(SameTypeAnswer same) {
    // Runs as one command: a failure anywhere inside leaves the program as it was.
    runCommand([same] {
        const PlcTypeFormResult chosen = modelDialogs().showPlcTypeForm(pmw.plcType(), pmw.memSizeCode());
        if (chosen.okFlag == 0) {
            fileStateFlags &= static_cast<std::uint8_t>(~kFileLastChoiceWentThrough);
            return true;
        }
        // The length is checked before anything changes, so a refused change keeps type and capacity.
        if (static_cast<std::int64_t>(chosen.memSizeCode) * 1000 < static_cast<std::int32_t>(convStepNo)) {
            platform::say(
                {"Program step error, Type can't change", "Error2105120211", platform::MsgIcon::Information});
            return false;
        }
        // The keyword, latch ranges and parameters the program has stay where nothing changed.
        if (same == SameTypeAnswer::KeepsTheProgram && chosen.plcType == pmw.plcType() &&
            chosen.memSizeCode == pmw.memSizeCode())
            return true;
        // The type's header template carries the type word, and the re-initialisation stores the
        // capacity and the check code over the words that stay.
        if (!initPmwImageForTypeAndSize(chosen.plcType, chosen.memSizeCode)) return false;
        connectedPlcType = static_cast<std::uint16_t>(chosen.plcType);
        setDefaultLatchRange(chosen.plcType);
        return true;
    });
}

}  // namespace

void askPlcTypeAndCapacity() {
    choosePlcTypeAndCapacity(SameTypeAnswer::TakesTheTemplate);
}

void plcTypeChange1Click() {
    markingImageChanges([] { choosePlcTypeAndCapacity(SameTypeAnswer::KeepsTheProgram); });
}

void parameterSetting1Click() {
    markingImageChanges([] { static_cast<void>(parameterSettingChosen()); });
}

bool parameterSettingChosen() {
    return runCommand([] {
        setDefaultLatchRange(pmw.plcType());
        ParameterDialog dialog;
        dialog.capacity = pmw.memSizeCode();
        dialog.capacityAtOpening = pmw.memSizeCode();
        dialog.stepCount = static_cast<std::int32_t>(convStepNo);
        dialog.plcType = pmw.plcType();
        dialog.block = pmw.parameterBlock;
        dialog.setDeviceLatchChecked(false);
        const std::uint8_t flags = pmw.parameterBlock[kParamLatchFlagsOffset];
        constexpr std::pair<LatchDevice, std::uint8_t> boxes[] = {
            {kLatchM, 0x01}, {kLatchS, 0x02}, {kLatchC16, 0x04}, {kLatchC32, 0x08}, {kLatchD, 0x10}};
        for (const auto& [device, bit] : boxes) dialog.setLatchChecked(device, (flags & bit) != 0);
        if (!plcDialogs().parameterSettings("Parameter settings", dialog)) return false;

        // Only the latch flag byte and the ranges come from the dialog's copy of the block.
        const auto from = dialog.block.begin() + kParamLatchFlagsOffset;
        std::copy(from, dialog.block.begin() + kParamLatchWordsOffset + 2 * kParamLatchWordCount,
                  pmw.parameterBlock.begin() + kParamLatchFlagsOffset);
        const std::int32_t n = dialog.capacity;
        const std::size_t old = programWordsFor(pmw.memSizeCode());
        const std::size_t words = programWordsFor(n);
        // Words a larger capacity adds start empty; those beyond a smaller one keep their values.
        if (words > old)
            std::fill(pmw.program.begin() + static_cast<std::ptrdiff_t>(old),
                      pmw.program.begin() + static_cast<std::ptrdiff_t>(words), kEmptyWord);
        pmw.setSumCheck(programCheckCode(pmw.program, n));
        pmw.setMemSizeCode(static_cast<std::int16_t>(n));
        return true;
    });
}

void SystemSetting1Click() {
    SystemSetupDialog dialog;
    dialog.presetFromViewFlags();
    wizardsDialogs().systemSetup(dialog);
    requestLadderRedraw();
}

void Programcheck1Click() {
    static_cast<void>(TryToConnection(1));
}

void Changesettingvalue1Click() {}

void showPlcTypeAndMemorySize(std::int32_t plcType) {
    static const char* const kTypeNames[] = {nullptr, "q0", "q5", nullptr, "q4", "q3", "q1", "q2"};
    const char* name = plcType >= 0 && plcType < 8 ? kTypeNames[plcType] : nullptr;
    platform::statusBar().setPanelText(
        0, name == nullptr
               ? std::string("Type Error... ")
               : std::string("Type=") + name + " MemorySize=" + std::to_string(pmw.memSizeCode()) + "k");
}

}  // namespace kestrion
