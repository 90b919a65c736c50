#include "reader/ReaderState.h"

namespace kestrion {

std::uint32_t convStepNo = 0;

void resetReaderState() {
    convStepNo = 0;
}

}  // namespace kestrion
