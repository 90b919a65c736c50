#include "compiler/WordEmitter.h"

#include <string>

#include "compiler/CompilerState.h"
#include "model/core/ConversionError.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/LadderObject.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr const char* kCaption = "SubLToM02";

}  // namespace

void refuseObject(std::string_view text) {
    platform::say({std::string(text), kCaption, platform::MsgIcon::Warning});
    throw ConversionError(kCaption);
}

std::uint32_t emitWord(std::uint32_t step, std::uint16_t word) {
    if (step >= programWordsFor(pmw.memSizeCode())) refuseObject("Error2026120601...program too large");
    const std::uint16_t old = pmw.program[step];
    pmw.program[step] = word;
    pmw.setSumCheck(static_cast<std::uint16_t>(pmw.sumCheck() + (word + 1) - (old + 1)));
    return step + 1;
}

std::uint16_t applyDPFlags(std::uint16_t code) {
    if (ldrConv == nullptr) return code;
    return static_cast<std::uint16_t>(code | (ldrConv->dFlag() ? 1 : 0) | (ldrConv->pFlag() ? 0x1000 : 0));
}

}  // namespace kestrion
