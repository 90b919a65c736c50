#include "wizards/calculators/CalculatorCommands.h"

#include "wizards/WizardsDialogs.h"

namespace kestrion {

namespace {

void openAxisControl(int mode) {
    AxisControlDialog dialog;
    dialog.openAs(mode);
    wizardsDialogs().axisControl(dialog);
}

constexpr MenuRowKind kMenu = MenuRowKind::Menu;
constexpr MenuRowKind kItem = MenuRowKind::Item;

// clang-format off
constexpr MenuRow kRows[] = {
    // Nothing in the program shows this menu; its dialogs are complete all the same.
    {kMenu, "mmWizard", "&Wizard", "", 95, nullptr, {.hidden = true}},
    {kMenu, "AxisControl2", "Axis Control", "mmWizard", 10},
    {kItem, "IncrementControl1", "Increment Control", "AxisControl2", 10, IncrementControl1Click},
    {kItem, "AbsoluteControl1", "Absolute Control", "AxisControl2", 20, AbsoluteControl1Click},
    {kMenu, "AxisControl1", "Axis Control", "mmWizard", 20},
    {kItem, "Increment1", "Increment", "AxisControl1", 10, Increment1Click},
    {kItem, "Absolute1", "Absolute", "AxisControl1", 20, Absolute1Click},
};
// clang-format on

}  // namespace

void IncrementControl1Click() {
    openAxisControl(kUsageIncrementControl);
}

void AbsoluteControl1Click() {
    openAxisControl(kUsageAbsoluteControl);
}

void Increment1Click() {
    IncrementControl1Click();
}

void Absolute1Click() {
    AbsoluteControl1Click();
}

void showAutoLinkCalculator() {
    AutoLinkCalculator calculator;
    wizardsDialogs().autoLink(calculator);
}

void axisPanelClick() {
    wizardsDialogs().axisPanel();
}

MenuTable wizardMenuRows() {
    return kRows;
}

}  // namespace kestrion
