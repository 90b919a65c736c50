// The setting items of the main window's menus whose logic needs no window: the PLC type change.
#pragma once

namespace kestrion {

// Shows the PLC type dialog preset from the program. Cancel clears the go-ahead bit of
// fileStateFlags, so File > New stops. After OK a capacity too small for the program is refused
// with "Program step error, Type can't change" and nothing changes; otherwise the program takes the
// new type and capacity, keeping its words.
void plcTypeChange1Click();

// Option > Parameter setting: the capacity and latch ranges of the program. After OK the latch flag
// byte and ranges are the dialog's, and the capacity with the check code over it; Cancel changes
// nothing.
void parameterSetting1Click();

}  // namespace kestrion
