#include "entry/RungJudgement.h"

#include <algorithm>

#include "entry/RungTrial.h"
#include "model/image/ModeData.h"
#include "model/instructions/InstructionCodes.h"
#include "model/ladder/DrawnLogic.h"
#include "model/ladder/DrawnSymbols.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"

namespace kestrion {

namespace {

const stLadderBlock* firstDrawnOn(std::uint32_t y) {
    return firstOnRow(
        y,
        [](const stLadderBlock& object, std::uint32_t) {
            return object.iCode != kCodeEnd && drawsOnRow(object);
        },
        0);
}

}  // namespace

std::vector<RungCopy> rungsOnLines(const std::vector<std::uint32_t>& lines) {
    std::vector<RungCopy> rungs;
    const std::uint32_t h = ModeData.ySizeSymble;
    if (h == 0) return rungs;
    for (const std::uint32_t line : lines) {
        const bool known = std::any_of(rungs.begin(), rungs.end(), [&](const RungCopy& r) {
            return line >= r.top && line < r.top + r.lines * h;
        });
        if (known) continue;
        if (const stLadderBlock* o = firstDrawnOn(line)) rungs.push_back(copyRungOf(*o));
    }
    return rungs;
}

std::vector<RungCopy> rungsAround(std::uint32_t y) {
    const std::uint32_t h = ModeData.ySizeSymble;
    return rungsOnLines({y >= h ? y - h : y, y, y + h});
}

bool lineHoldsObjects(std::uint32_t y) {
    return firstDrawnOn(y) != nullptr;
}

bool wasWhole(const std::vector<RungCopy>& before, const RungCopy& rung) {
    const std::uint32_t h = ModeData.ySizeSymble;
    for (const RungCopy& old : before) {
        if (old.top >= rung.top + rung.lines * h || rung.top >= old.top + old.lines * h) continue;
        if (rungTrial().tryRung(old).converts()) return true;
    }
    return false;
}

LadderVerdict judgeEditedRung(const RungCopy& rung, const std::vector<RungCopy>& before, std::uint32_t x,
                              std::uint32_t y, const std::string& openWhat, bool leftOpen) {
    LadderVerdict verdict = rungTrial().tryRung(rung);
    if (leftOpen && verdict.converts()) verdict = LadderVerdict::at(LadderVerdict::Kind::Open, x, y, {});
    if (verdict.kind == LadderVerdict::Kind::Open && wasWhole(before, rung)) {
        // and where, in the words F4 would say it
        const std::string why = lineReason(y, openWhat);
        verdict = LadderVerdict::at(LadderVerdict::Kind::Refused, x, y,
                                    verdict.reason.empty() ? why : why + " " + verdict.reason);
    }
    return verdict;
}

}  // namespace kestrion
