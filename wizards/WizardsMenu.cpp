#include "wizards/WizardsMenu.h"

#include <iterator>
#include <vector>

#include "wizards/HelpViews.h"
#include "wizards/ScopeView.h"
#include "wizards/SettingCommands.h"
#include "wizards/calculators/CalculatorCommands.h"

namespace kestrion {

namespace {

// clang-format off
constexpr MenuRow kRows[] = {
    {MenuRowKind::Item, "ParameterSetting1", "Parameter setting ...", "OptionMenu", 5,
     parameterSetting1Click},
    {MenuRowKind::Item, "PlcTypeChange1", "Type change ...", "OptionMenu", 10, plcTypeChange1Click},
    {MenuRowKind::Item, "SystemSetting1", "System setting ...", "OptionMenu", 1, SystemSetting1Click},
    {MenuRowKind::Item, "Programcheck1", "Program check ...", "OptionMenu", 8, Programcheck1Click,
     {.disabled = true}},
    {MenuRowKind::Item, "Oscilloscope1", "Oscilloscope", "MonitorMenu", 95, Oscilloscope1Click,
     {.hidden = true, .disabled = true}},
    {MenuRowKind::Item, "FlowChart1", "FlowChart", "ToolsMenu", 50, FlowChart1Click},
    {MenuRowKind::Item, "Changesettingvalue1", "Change setting value ...", "PlcMenu", 44,
     Changesettingvalue1Click, {.hidden = true, .disabled = true}},
};
// clang-format on

}  // namespace

MenuTable wizardsMenuRows() {
    static const std::vector<MenuRow> rows = [] {
        std::vector<MenuRow> all(std::begin(kRows), std::end(kRows));
        for (const MenuTable table : {wizardMenuRows()}) all.insert(all.end(), table.begin(), table.end());
        return all;
    }();
    return rows;
}

}  // namespace kestrion
