// The errors that end a command. Each family throws its own type after the user has been shown
// why; the command's boundary (runCommand) catches the base, puts the model back as it was before
// the command and lets the program go on.
#pragma once

#include <stdexcept>
#include <string>

namespace kestrion {

class CommandError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The ladder object and edit-mark lists found in a state the operation cannot work on.
class ListError : public CommandError {
public:
    using CommandError::CommandError;
};

// A program, settings or other file that cannot be read or written as the command needs.
class FileError : public CommandError {
public:
    using CommandError::CommandError;
};

}  // namespace kestrion
