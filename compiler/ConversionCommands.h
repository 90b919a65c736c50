// The commands that convert the edited ladder into program words: the Compiler menu's
// "Ladder=>Instruction", Tools > Convert, the pop-up menu's Convert, the Convert tool-bar buttons
// and the F4 key. Each runs the conversion as one command transaction.
#pragma once

namespace kestrion {

// Refused while a monitor runs; otherwise converts.
void LadderToInstruction1Click();
void Convert4Click();
void Convert2Click();
void spbtnConvertClick();  // spbtnConvert and its twin SpeedButton9
void spbtnF4Click();

}  // namespace kestrion
