// The setting items of the main window's menus whose logic needs no window: the PLC type change.
#pragma once

#include <cstdint>

namespace kestrion {

// Shows the PLC type dialog preset from the program. Cancel clears the go-ahead bit of
// fileStateFlags, so File > New and the program read from the PLC stop. After OK a capacity too
// small for the program is refused with "Program step error, Type can't change" and nothing
// changes; otherwise the program takes the new type and capacity, keeping its words.
void askPlcTypeAndCapacity();
// Option > Type change: the same; a type or capacity it changed marks the open program modified.
// OK with the type and capacity the program has changes nothing (keyword, latch ranges, parameters).
void plcTypeChange1Click();

// Option > Parameter setting: the capacity and latch ranges of the program. After OK the latch flag
// byte and ranges are the dialog's, and the capacity with the check code over it; Cancel changes
// nothing. What it changed marks the open program modified.
void parameterSetting1Click();
// The dialog alone, telling whether it was closed with OK (File > New ends on Cancel).
bool parameterSettingChosen();

// Option > System setting: the Options dialog preset from viewFlags; the ladder is repainted after.
void SystemSetting1Click();
// Option > Program check: the connection test alone; the port is left as the test leaves it.
void Programcheck1Click();
// PLC > Change setting value: an item without a function.
void Changesettingvalue1Click();

// Status panel 0: "Type=q3 MemorySize=8k" for the PLC type code and the program's capacity;
// "Type Error... " for a type code no PLC has.
void showPlcTypeAndMemorySize(std::int32_t plcType);

}  // namespace kestrion
