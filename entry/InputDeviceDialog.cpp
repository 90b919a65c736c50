#include "entry/InputDeviceDialog.h"

#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

void InputDeviceDialog::InputDeviceOkClick() {
    bDeviceEmpty = 0;
    deviceTextLength = static_cast<std::uint32_t>(text.size());
    if (deviceTextLength == 0) {
        platform::say({"No Input Device Error!!!", "Input Device Error", platform::MsgIcon::Error});
        bDeviceEmpty = 1;
    }
    bDeviceOk = 1;
    closed = true;
}

void InputDeviceDialog::InputDeviceCancelClick() {
    bDeviceEmpty = 0;
    bDeviceOk = 0;
    closed = true;
}

bool InputDeviceDialog::InputDeviceEditKeyPress(char key) {
    if (key == 13) {
        InputDeviceOkClick();
        return true;
    }
    if (key == 27) {
        InputDeviceCancelClick();
        return true;
    }
    return false;
}

namespace {

constexpr int kOx = 20;
constexpr int kWire = 25;  // y of the wire
constexpr int kHalf = 10;  // half the symbol height

SymbolStroke line(int x1, int dy1, int x2, int dy2) {
    return {kOx + x1, kWire + dy1, kOx + x2, kWire + dy2, 0};
}

void openContact(std::vector<SymbolStroke>& s) {
    s.push_back(line(0, 0, 20, 0));
    s.push_back(line(20, -kHalf, 20, kHalf));
    s.push_back(line(40, -kHalf, 40, kHalf));
    s.push_back(line(40, 0, 60, 0));
}

void slash(std::vector<SymbolStroke>& s) {
    s.push_back(line(24, 6, 36, -6));
}

void edge(std::vector<SymbolStroke>& s, bool rising) {
    s.push_back(line(30, -kHalf, 30, kHalf));
    if (rising) {
        s.push_back(line(30, -kHalf, 25, -5));
        s.push_back(line(30, -kHalf, 35, -5));
    } else {
        s.push_back(line(30, kHalf, 25, 5));
        s.push_back(line(30, kHalf, 35, 5));
    }
}

void sideWires(std::vector<SymbolStroke>& s) {
    s.push_back(line(0, 0, 0, -2 * kHalf));
    s.push_back(line(60, 0, 60, -2 * kHalf));
}

}  // namespace

std::vector<SymbolStroke> inputDeviceSymbol(std::uint32_t code) {
    std::vector<SymbolStroke> s;
    switch (code) {
        case 5: openContact(s); break;
        case 6:
            openContact(s);
            slash(s);
            break;
        case 7:
            s.push_back(line(0, 0, 10, 0));
            s.push_back({kOx + 10, kWire - kHalf, kOx + 30, kWire + kHalf, 1});
            s.push_back({kOx + 30, kWire - kHalf, kOx + 50, kWire + kHalf, 2});
            s.push_back(line(50, 0, 60, 0));
            break;
        case 8:
            s.push_back(line(0, 0, 10, 0));
            s.push_back(line(15, -kHalf, 10, -kHalf));
            s.push_back(line(10, -kHalf, 10, kHalf));
            s.push_back(line(10, kHalf, 15, kHalf));
            s.push_back(line(45, -kHalf, 50, -kHalf));
            s.push_back(line(50, -kHalf, 50, kHalf));
            s.push_back(line(50, kHalf, 45, kHalf));
            s.push_back(line(50, 0, 60, 0));
            break;
        case 32:
            openContact(s);
            edge(s, true);
            break;
        case 33:
            openContact(s);
            edge(s, false);
            break;
        case 34:
            openContact(s);
            sideWires(s);
            break;
        case 35:
            openContact(s);
            slash(s);
            sideWires(s);
            break;
        case 36:
            openContact(s);
            edge(s, true);
            sideWires(s);
            break;
        case 37:
            openContact(s);
            edge(s, false);
            sideWires(s);
            break;
        default: break;
    }
    return s;
}

}  // namespace kestrion
