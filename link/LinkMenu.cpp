#include "link/LinkMenu.h"

#include "link/CommRecord.h"

namespace kestrion {

namespace {

constexpr MenuRow kRows[] = {
    {MenuRowKind::Item, "ChangeComPort1", "ChangeComPort...", "OptionMenu", 20, selectComPort},
    {MenuRowKind::Item, "TimeOutTimer1", "Time out timer ...", "OptionMenu", 30, TimeOutTimer1Click},
};

}  // namespace

MenuTable linkMenuRows() {
    return kRows;
}

}  // namespace kestrion
