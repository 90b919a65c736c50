// The diagnostics dialog TErrMsg1Form without its window: the memo's lines, the text field that
// holds one history description, and what its buttons do. The window shows msgMemo again after
// each button; the core fills it.
#pragma once

#include <string>
#include <vector>

#include "diagnostics/ErrorHistoryTexts.h"

namespace kestrion {

struct ErrMsg1Dialog {
    std::vector<std::string> msgMemo{"Push Button"};
    ErrorCodeText errorCodeText{};

    void FormShow();
    // Each button runs its request to the end; a click that arrives while a request waits for the
    // PLC is ignored.
    void btnErrorCheck1Click();
    void btnMachineStatus1Click();
    // False while a request waits: the dialog stays until that request has ended.
    [[nodiscard]] bool btnCloseClick() const;
};

}  // namespace kestrion
