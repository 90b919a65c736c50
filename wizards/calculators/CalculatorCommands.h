// The menu items that open the calculators: the "&Wizard" menu's axis control items, the auto-link
// calculator's opener and the factory menu's axis panel.
#pragma once

#include "lang/MenuTable.h"

namespace kestrion {

void IncrementControl1Click();
void AbsoluteControl1Click();
void Increment1Click();
void Absolute1Click();
// The auto-link calculator, as the link-setup menu opens it.
void showAutoLinkCalculator();
// The factory menu's axis panel.
void axisPanelClick();

// "&Wizard" (mmWizard) and its two "Axis Control" submenus, created hidden.
MenuTable wizardMenuRows();

}  // namespace kestrion
