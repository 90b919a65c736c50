// The errors that end a command. Each family throws its own type after the user has been shown
// why (ByteImageError, CanvasError, ConversionError, LinkError); the command's boundary
// (runCommand) catches the base, puts the model back as it was before the command and lets the
// program go on. A command that stops on an answer or a refused input returns false instead.
#pragma once

#include <stdexcept>
#include <string>

namespace kestrion {

class CommandError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace kestrion
