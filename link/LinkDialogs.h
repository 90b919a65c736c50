// The dialogs of the PLC link: the port and rate dialog and the reply time-out dialog. Their rules
// are PortSelDialog and RsTimOutDialog; the Qt ones live in link/forms/ and are installed at
// start-up; tests install fakes.
#pragma once

#include <string>

#include "link/ForceBits.h"
#include "link/Keywords.h"
#include "link/PlcClock.h"
#include "link/RsTimOutDialog.h"
#include "model/DialogSeam.h"

namespace kestrion {

class LinkDialogs {
public:
    static constexpr const char* seamName = "link dialogs";
    virtual ~LinkDialogs() = default;
    // The port and rate dialog; its controls change the link's port and baud index themselves.
    // True when the user confirmed with OK.
    [[nodiscard]] virtual bool portSelection(const std::string& caption) = 0;
    // The reply time-out dialog, preset with the indexes.
    [[nodiscard]] virtual RsTimOutResult replyTimeOut(const std::string& caption, int timeOutIndex,
                                                      int retryIndex) = 0;
    // TplcKeywordForm, TSetTimeForm and TForceOnOffForm, modal, with their rules' objects.
    virtual void plcKeyword(PlcKeywordDialog& dialog) = 0;
    virtual void setTime(SetTimeDialog& dialog) = 0;
    virtual void forceOnOff(ForceOnOffDialog& dialog) = 0;
};

inline LinkDialogs& linkDialogs() {
    return DialogSeam<LinkDialogs>::get();
}

}  // namespace kestrion
