#include "model/core/MemoryNotEnough.h"

#include <cstdlib>

#include "platform/Services.h"

namespace kestrion {

void haltMemoryNotEnough(const std::string& text) {
    platform::messages().show(text, "Memory not enough", platform::MsgIcon::Error, platform::MsgButtons::Ok);
    std::exit(1);
}

}  // namespace kestrion
