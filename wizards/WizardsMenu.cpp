#include "wizards/WizardsMenu.h"

#include "wizards/SettingItems.h"

namespace kestrion {

namespace {

constexpr MenuRow kRows[] = {
    {MenuRowKind::Item, "PlcTypeChange1", "Type change ...", "OptionMenu", 10, plcTypeChange1Click},
};

}  // namespace

MenuTable wizardsMenuRows() {
    return kRows;
}

}  // namespace kestrion
