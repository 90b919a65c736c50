// How an edit of the ladder is judged by the rung it changes, as Convert would write it: the box's
// typed lines and the editor's vertical links alike. The rungs around the edit are taken before it;
// afterwards each rung it leaves is tried alone (entry/RungTrial.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/core/LadderVerdict.h"
#include "model/ladder/RungCopy.h"

namespace kestrion {

// The rungs that hold the lines at those y (each once; none for a line that holds nothing).
std::vector<RungCopy> rungsOnLines(const std::vector<std::uint32_t>& lines);
// The rungs an edit on line y can join or cut, as they stand before it: those of its line and of the
// lines beside it.
std::vector<RungCopy> rungsAround(std::uint32_t y);
// Whether anything but END is drawn on the line at y.
bool lineHoldsObjects(std::uint32_t y);

// Whether a rung on the lines of `rung` converted before the edit: wire left open is for a rung
// being built, not for one the edit cut.
bool wasWhole(const std::vector<RungCopy>& before, const RungCopy& rung);

// The trial's verdict on a rung the edit left, placed at (x, y). A rung still being built (wire left
// open) is not judged yet, unless it was whole before the edit: then it is refused, and the reason
// says `openWhat` of line y. `leftOpen`: the edit leaves wire open where the rung alone does not show
// it (a link to a line that holds nothing, which Convert drops with the lines around it).
LadderVerdict judgeEditedRung(const RungCopy& rung, const std::vector<RungCopy>& before, std::uint32_t x,
                              std::uint32_t y, const std::string& openWhat, bool leftOpen = false);

// Whether the edit may stand on that verdict: a rung that converts as drawn, or one still being built.
inline bool editMayStand(const LadderVerdict& verdict) {
    return verdict.converts() || verdict.kind == LadderVerdict::Kind::Open;
}

}  // namespace kestrion
