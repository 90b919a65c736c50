// The line's dialogs: the port and rate dialog and the reply time-out dialog. Their rules are the
// Qt-free classes beside them; the Qt ones live in link/forms/ and are installed at start-up; tests
// install fakes.
#pragma once

#include <string>

#include "link/line/RsTimOutDialog.h"
#include "model/core/DialogSeam.h"

namespace kestrion {

class LineDialogs {
public:
    static constexpr const char* seamName = "line dialogs";
    virtual ~LineDialogs() = default;
    // The port and rate dialog; its controls change the link's port and baud index themselves.
    // True when the user confirmed with OK.
    [[nodiscard]] virtual bool portSelection(const std::string& caption) = 0;
    // The reply time-out dialog, preset with the indexes.
    [[nodiscard]] virtual RsTimOutResult replyTimeOut(const std::string& caption, int timeOutIndex,
                                                      int retryIndex) = 0;
};

inline LineDialogs& lineDialogs() {
    return DialogSeam<LineDialogs>::get();
}

}  // namespace kestrion
