#include "link/LinkMenu.h"

#include "link/CommRecord.h"
#include "link/Connection.h"

namespace kestrion {

namespace {

constexpr MenuRow kRows[] = {
    {MenuRowKind::Item, "ChangeComPort1", "ChangeComPort...", "OptionMenu", 20, selectComPort},
    {MenuRowKind::Item, "TimeOutTimer1", "Time out timer ...", "OptionMenu", 30, TimeOutTimer1Click},
    {MenuRowKind::Item, "ConnectionTest1", "Connection test", "OptionMenu", 40, ConnectionTest1Click},
    {MenuRowKind::Item, "TryToConnection1", "Try to connection", "PlcMenu", 10, TryToConnection1Click},
    {MenuRowKind::Item, "TryToConnection2", "Try to connection", "MonitorMenu", 10, TryToConnection2Click},
};

}  // namespace

MenuTable linkMenuRows() {
    return kRows;
}

}  // namespace kestrion
