// The step count of the program loaded from the program words.
#pragma once

#include <cstdint>

namespace kestrion {

// After a load, the number of steps the program occupies; 0 when no program is loaded.
extern std::uint32_t& convStepNo;

// "Program step [n/N]" in status-bar panel 2: the steps of the last load (END not counted) out of
// the program's capacity. Every load of the ladder from the words writes it anew: Open and Convert.
void showProgramSteps();

}  // namespace kestrion
