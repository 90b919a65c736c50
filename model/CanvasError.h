// The canvas and the object list disagree, or the ladder does not fit the canvas: the user has
// been told why, and the command that ran the pass (Convert, Paste, the load) rolls back.
#pragma once

#include <stdexcept>
#include <string>

namespace kestrion {

class CanvasError : public std::runtime_error {
public:
    // what() is the text of the box that was shown.
    explicit CanvasError(const std::string& shownText) : std::runtime_error(shownText) {}
};

}  // namespace kestrion
