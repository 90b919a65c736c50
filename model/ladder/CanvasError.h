// The canvas and the object list disagree, or the ladder does not fit the canvas: the user has
// been told why, and the command that ran the pass (Convert, Paste, the load) rolls back.
#pragma once

#include <string>

#include "model/core/CommandError.h"

namespace kestrion {

class CanvasError : public CommandError {
public:
    // what() is the text of the box that was shown.
    explicit CanvasError(const std::string& shownText) : CommandError(shownText) {}
};

}  // namespace kestrion
