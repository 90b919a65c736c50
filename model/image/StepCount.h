// The step count of the program loaded from the program words.
#pragma once

#include <cstdint>

namespace kestrion {

// After a load, the number of steps the program occupies; 0 when no program is loaded.
extern std::uint32_t& convStepNo;

}  // namespace kestrion
