#include "link/forms/QtTerminalDialogs.h"

#include "link/forms/AnyCommandForm.h"
#include "link/forms/InterceptForm.h"
#include "link/forms/PcbCheckForm.h"

namespace kestrion::forms {

void QtTerminalDialogs::interceptTerminal(InterceptTerminal& terminal) {
    runInterceptForm(terminal);
}

void QtTerminalDialogs::anyCommandTerminal(AnyCommandTerminal& terminal, const std::string& caption) {
    runAnyCommandForm(terminal, caption);
}

void QtTerminalDialogs::pcbCheck(PcbCheckDialog& dialog) {
    runPcbCheckForm(dialog);
}

}  // namespace kestrion::forms
