// Naming every contact of a block LD, AND or OR by the vertical links at its corners.
#pragma once

#include <cstdint>

namespace kestrion {

// Renames the contacts of block lbc (already in execution order) into their LD, AND or OR form.
// An empty main list shows the stop box and throws ConversionError.
void renameInstrByLineSegments(std::uint32_t lbc);

}  // namespace kestrion
