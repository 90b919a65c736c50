// State of the loader that turns program words into ladder objects.
#pragma once

#include <cstdint>

namespace kestrion {

// Step counter of the loader's decoders; after a load, the program's step count.
extern std::uint32_t convStepNo;

void resetReaderState();

}  // namespace kestrion
