// The dialogs of the PLC link: the port and rate dialog, the reply time-out dialog, remote RUN/STOP,
// memory clear, the parameter dialog, the program-write dialog and the register dialog. Their rules are the
// Qt-free classes beside them; the Qt ones live in link/forms/ and are installed at start-up; tests install
// fakes.
#pragma once

#include <string>

#include "link/line/RsTimOutDialog.h"
#include "link/plc/ForceBits.h"
#include "link/plc/Keywords.h"
#include "link/plc/ParameterDialog.h"
#include "link/plc/PlcClock.h"
#include "link/plc/RemoteDialogs.h"
#include "link/transfer/TransferDialogs.h"
#include "model/core/DialogSeam.h"

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
    // The remote RUN/STOP choice and the memory-clear choice.
    [[nodiscard]] virtual RunStopResult runStop(const std::string& caption) = 0;
    [[nodiscard]] virtual MemoryClearResult memoryClear(const std::string& caption) = 0;
    // The parameter dialog on the caller's preset rules object, shown modally; true when accepted.
    [[nodiscard]] virtual bool parameterSettings(const std::string& caption, ParameterDialog& dialog) = 0;
    // TProgWriteForm and TRegisterViewForm, modal, on the caller's preset rules objects.
    virtual void progWrite(ProgWriteDialog& dialog) = 0;
    virtual void registerView(RegisterViewDialog& dialog) = 0;
};

inline LinkDialogs& linkDialogs() {
    return DialogSeam<LinkDialogs>::get();
}

}  // namespace kestrion
