// A request to the PLC that cannot go on (no port, no reply, a reply that does not fit). The
// user has been shown why; the command's boundary puts the program back and goes on.
#pragma once

#include "model/core/CommandError.h"

namespace kestrion {

class LinkError : public CommandError {
public:
    using CommandError::CommandError;
};

}  // namespace kestrion
