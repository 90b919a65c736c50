// The terminals' and service tools' windows as Qt dialogs.
#pragma once

#include "link/terminals/TerminalDialogs.h"

namespace kestrion::forms {

class QtTerminalDialogs : public TerminalDialogs {
public:
    void interceptTerminal(InterceptTerminal& terminal) override;
    void anyCommandTerminal(AnyCommandTerminal& terminal, const std::string& caption) override;
    void pcbCheck(PcbCheckDialog& dialog) override;
};

}  // namespace kestrion::forms
