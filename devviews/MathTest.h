// xTHIS > "Math test": a typed value through the program's own number conversions side by side:
// decimal and hexadecimal, the 16-bit register as the register view shows it, BCD, the 32-bit
// value as the register pair (low word in the first register), the constant operand words of the
// program (K, H and E, 16- and 32-bit) and back, and the PLC's floating-point words and back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrion {

// The lines the view shows for a typed value: a decimal number (1234, -5, K1234), a hexadecimal one
// (H4D2) or a real number (E1.5, 1.5). Letters count in either case, as in the instruction box.
std::vector<std::string> mathTestLines(std::string_view typed);

// The binary value of BCD digits (0x1234 -> 1234); -1 when a digit is above 9.
long long bcdToBinary(unsigned long long bcd);
// The BCD digits of a value (1234 -> 0x1234); -1 when the value is negative or needs more digits.
long long binaryToBcd(long long value, int digits);

// The menu item: the view, modal.
void MathTest1Click();

}  // namespace kestrion
