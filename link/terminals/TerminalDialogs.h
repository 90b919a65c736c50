// The windows of the terminals and the service tools, shown modally on their rules objects. The Qt
// ones live in link/forms/ and are installed at start-up; tests install fakes.
#pragma once

#include "link/terminals/AnyCommandTerminal.h"
#include "link/terminals/InterceptTerminal.h"
#include "link/terminals/ServiceTools.h"
#include "model/core/DialogSeam.h"

namespace kestrion {

class TerminalDialogs {
public:
    static constexpr const char* seamName = "terminal dialogs";
    virtual ~TerminalDialogs() = default;
    virtual void interceptTerminal(InterceptTerminal& terminal) = 0;
    virtual void anyCommandTerminal(AnyCommandTerminal& terminal, const std::string& caption) = 0;
    virtual void pcbCheck(PcbCheckDialog& dialog) = 0;
};

inline TerminalDialogs& terminalDialogs() {
    return DialogSeam<TerminalDialogs>::get();
}

}  // namespace kestrion
