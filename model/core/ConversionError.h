// A conversion between ladder objects and machine code that cannot go on (a converter stack ran
// over or under). The user has already been shown why; the command that runs the conversion
// catches it, restores the ladder, the program image and the comments, and the program goes on.
#pragma once

#include <string>

#include "model/core/CommandError.h"

namespace kestrion {

class ConversionError : public CommandError {
public:
    // what() is the caption of the box that was shown.
    explicit ConversionError(const std::string& shownCaption) : CommandError(shownCaption) {}
};

}  // namespace kestrion
