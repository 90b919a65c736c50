#include "wizards/WizardsMenu.h"

#include "wizards/SettingItems.h"

namespace kestrion {

namespace {

constexpr MenuRow kRows[] = {
    {MenuRowKind::Item, "ParameterSetting1", "Parameter setting ...", "OptionMenu", 5,
     parameterSetting1Click},
    {MenuRowKind::Item, "PlcTypeChange1", "Type change ...", "OptionMenu", 10, plcTypeChange1Click},
};

}  // namespace

MenuTable wizardsMenuRows() {
    return kRows;
}

}  // namespace kestrion
