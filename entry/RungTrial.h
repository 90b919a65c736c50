// What the instruction box asks of Convert before it keeps a line: the rung the line changed,
// converted on a model of its own and read back. The box stands below Convert and the load; the
// trial is installed from above (compiler/RungTrialConversion.h) at start-up, and by the tests.
#pragma once

#include <string>

#include "model/core/DialogSeam.h"
#include "model/ladder/RungCopy.h"

namespace kestrion {

struct RungVerdict {
    enum class Kind {
        Converts,  // Convert writes it and the load reads back the ladder drawn
        Open,      // Convert finds wire left open (a rung being built): nothing to judge yet
        Refused,   // Convert refuses it, or reads back another ladder
    };
    Kind kind = Kind::Converts;
    std::string reason;  // Refused: why, for the status bar
};

// What the rung read back must hold of the rung drawn: every instruction and link where it was
// drawn; or, where the line opened a cell and moved the cells behind it on (Insert mode), the same
// shape, wire lengths left out. Either way Convert writes it again word for word.
enum class RungMatch { AsDrawn, SameShape };

class RungTrial {
public:
    static constexpr const char* seamName = "rung trial";
    virtual ~RungTrial() = default;
    // Converts the rung alone and reads it back; nothing of the program changes.
    virtual RungVerdict tryRung(const RungCopy& rung, RungMatch match) = 0;
};

inline RungTrial& rungTrial() {
    return DialogSeam<RungTrial>::get();
}

}  // namespace kestrion
