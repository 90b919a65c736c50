#pragma once

#include <functional>
#include <string>
#include <vector>

#include "link/terminals/TerminalDialogs.h"

namespace kestrion::test {

// Each window runs its show handler, then the test's script.
class FakeTerminalDialogs : public TerminalDialogs {
public:
    void interceptTerminal(InterceptTerminal& terminal) override {
        terminal.FormShow();
        if (interceptScript) interceptScript(terminal);
    }
    void anyCommandTerminal(AnyCommandTerminal& terminal, const std::string& caption) override {
        captions.push_back(caption);
        terminal.FormShow();
        if (anyCommandScript) anyCommandScript(terminal);
    }
    void pcbCheck(PcbCheckDialog& dialog) override {
        captions.push_back(dialog.caption);
        dialog.FormShow();
        if (pcbCheckScript) pcbCheckScript(dialog);
    }
    std::vector<std::string> captions;
    std::function<void(InterceptTerminal&)> interceptScript;
    std::function<void(AnyCommandTerminal&)> anyCommandScript;
    std::function<void(PcbCheckDialog&)> pcbCheckScript;
};

}  // namespace kestrion::test
