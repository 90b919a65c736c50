#include "model/StepCount.h"

namespace kestrion {

std::uint32_t convStepNo = 0;

void resetStepCountState() {
    convStepNo = 0;
}

}  // namespace kestrion
