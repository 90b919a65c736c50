// What the instruction box asks of Convert before it keeps a line: the rung the line changed,
// converted on a model of its own and read back. The box stands below Convert and the load; the
// trial is installed from above (compiler/RungTrialConversion.h) at start-up, and by the tests.
#pragma once

#include "model/core/DialogSeam.h"
#include "model/core/LadderVerdict.h"
#include "model/ladder/RungCopy.h"

namespace kestrion {

class RungTrial {
public:
    static constexpr const char* seamName = "rung trial";
    virtual ~RungTrial() = default;
    // Converts the rung alone and reads it back; nothing of the program changes. The verdict is the
    // one the whole program's Convert would give the rung, its place on the ladder the rung came from.
    virtual LadderVerdict tryRung(const RungCopy& rung) = 0;
};

inline RungTrial& rungTrial() {
    return DialogSeam<RungTrial>::get();
}

}  // namespace kestrion
