// The openers of the force dialog: the hidden item "Force Bit On/Off" of the Monitor menu and the
// force tool button.
#pragma once

namespace kestrion {

void ForceBitOnOff1Click();
void spbtnForceOnOffClick();

}  // namespace kestrion
