// The dialogs of the PLC's commands: the keyword dialog, the clock, force ON/OFF, remote RUN/STOP,
// memory clear and the parameter dialog. Their rules are the Qt-free classes beside them; the Qt
// ones live in link/forms/ and are installed at start-up; tests install fakes.
#pragma once

#include <string>

#include "link/plc/ForceBits.h"
#include "link/plc/Keywords.h"
#include "link/plc/ParameterDialog.h"
#include "link/plc/PlcClock.h"
#include "link/plc/RemoteDialogs.h"
#include "model/core/DialogSeam.h"

namespace kestrion {

class PlcDialogs {
public:
    static constexpr const char* seamName = "PLC dialogs";
    virtual ~PlcDialogs() = default;
    // TplcKeywordForm, TSetTimeForm and TForceOnOffForm, modal, with their rules' objects.
    virtual void plcKeyword(PlcKeywordDialog& dialog) = 0;
    virtual void setTime(SetTimeDialog& dialog) = 0;
    virtual void forceOnOff(ForceOnOffDialog& dialog) = 0;
    // The remote RUN/STOP choice and the memory-clear choice.
    [[nodiscard]] virtual RunStopResult runStop(const std::string& caption) = 0;
    [[nodiscard]] virtual MemoryClearResult memoryClear(const std::string& caption) = 0;
    // The parameter dialog on the caller's preset rules object, shown modally; true when accepted.
    [[nodiscard]] virtual bool parameterSettings(const std::string& caption, ParameterDialog& dialog) = 0;
};

inline PlcDialogs& plcDialogs() {
    return DialogSeam<PlcDialogs>::get();
}

}  // namespace kestrion
