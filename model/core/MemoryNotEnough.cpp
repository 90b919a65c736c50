#include "model/core/MemoryNotEnough.h"

#include <cstdlib>

#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

void haltMemoryNotEnough(const std::string& text) {
    platform::say({text, "Memory not enough", platform::MsgIcon::Error});
    std::exit(1);
}

}  // namespace kestrion
