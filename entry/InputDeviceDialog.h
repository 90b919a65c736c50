// The rules of the device entry dialog: one device text for a ladder symbol, OK or Cancel, and the
// picture of the symbol beside the text field.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestrion {

struct InputDeviceDialog {
    std::string text;  // InputDeviceEdit, upper case
    std::uint8_t bDeviceOk = 0;
    std::uint8_t bDeviceEmpty = 0;
    std::uint32_t paintSymbleCode = 0;
    std::uint32_t deviceTextLength = 0;
    bool closed = false;

    void InputDeviceOkClick();
    void InputDeviceCancelClick();
    // Enter acts as OK and Escape as Cancel (true: handled); other keys go to the text field.
    bool InputDeviceEditKeyPress(char key);
};

// One stroke of the symbol picture in form pixels: a line from (x1, y1) to (x2, y2), or, when arc
// is set, a half ellipse in the box (x1, y1)-(x2, y2) opening to the left (first) or right.
struct SymbolStroke {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    int arc = 0;  // 0 line, 1 left half, 2 right half
    bool operator==(const SymbolStroke&) const = default;
};

// The strokes of a symbol drawn at origin (20, 20); empty for a code that paints nothing.
std::vector<SymbolStroke> inputDeviceSymbol(std::uint32_t code);

}  // namespace kestrion
