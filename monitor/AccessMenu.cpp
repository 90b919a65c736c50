#include "monitor/AccessMenu.h"

#include "monitor/TerminalOpener.h"

namespace kestrion {

namespace {

constexpr MenuRowKind kItem = MenuRowKind::Item;

constexpr MenuRow kRows[] = {
    {kItem, "WriteAnyCommand1", "WriteAnyCommand", "xRS", 50, WriteAnyCommand1Click},
};

}  // namespace

MenuTable accessMenuRows() {
    return kRows;
}

}  // namespace kestrion
