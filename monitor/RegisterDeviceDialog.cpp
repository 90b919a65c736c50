#include "monitor/RegisterDeviceDialog.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "model/image/ConnectedPlc.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr std::size_t kLongestName = 5;
constexpr std::uint32_t kTooLong = 100000;  // a count beyond every limit

struct Range {
    std::uint32_t low;
    std::uint32_t high;
};

// The valid numbers of a letter on the types of a row.
struct RangeRow {
    std::string_view letters;
    std::string_view types;  // the type codes as digits
    bool octal;
    Range ranges[2];
    const char* caption;
};

constexpr Range kNone{1, 0};
constexpr Range kSpecial{8000, 8255};

constexpr RangeRow kRanges[] = {
    {"XY", "6", true, {{0, 77}, kNone}, "Error2018080283"},
    {"XY", "124578", true, {{0, 177}, kNone}, "Error2018080284"},
    {"M", "1", false, {{0, 512}, kSpecial}, "Error2018080285"},
    {"M", "6", false, {{0, 1023}, kSpecial}, "Error2018080286"},
    {"M", "257", false, {{0, 1535}, kSpecial}, "Error2018080287"},
    {"S", "12567", false, {{0, 999}, kNone}, "Error2018080288"},
    {"T", "12567", false, {{0, 255}, kNone}, "Error2018080290"},
    {"C", "124567", false, {{0, 255}, kNone}, "Error2018080291"},
    {"D", "1", false, {{0, 999}, kSpecial}, "Error2018080292"},
    {"D", "6", false, {{0, 3999}, kSpecial}, "Error2018080293"},
    {"D", "7", false, {{0, 8255}, kNone}, "Error2018080294"},
    {"D", "25", false, {{0, 8255}, kNone}, "Error2018080295"},
};

bool typeListed(std::string_view types, int type) {
    return type >= 0 && type <= 9 && types.find(static_cast<char>('0' + type)) != std::string_view::npos;
}

// The row that checks a letter on a type; none when the type takes any number of it.
const RangeRow* rangeRowOf(char letter, int type) {
    for (const RangeRow& row : kRanges)
        if (row.letters.find(letter) != std::string_view::npos && typeListed(row.types, type)) return &row;
    return nullptr;
}

bool inRange(const RangeRow& row, std::string_view digits, std::uint32_t n) {
    if (row.octal && std::any_of(digits.begin(), digits.end(), [](char c) { return c > '7'; })) return false;
    return std::any_of(std::begin(row.ranges), std::end(row.ranges),
                       [n](const Range& r) { return n >= r.low && n <= r.high; });
}

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::uint32_t valueOf(std::string_view digits) {
    std::uint32_t n = 0;
    for (char c : digits) n = std::min<std::uint32_t>(n * 10 + static_cast<std::uint32_t>(c - '0'), kTooLong);
    return n;
}

}  // namespace

int registerCountLimit(int connectedType) {
    switch (connectedType) {
        case 2: return 128;
        case 5:
        case 7: return 48;
        case 1:
        case 4: return 40;
        default: return 32;
    }
}

void RegisterDeviceDialog::FormShow() {
    if (dataSize != 0 && dataSize != 1) dataSize = 0;
    sizeIndex = dataSize;
    switch (displayType) {
        case 1: displayText = "Decimal"; break;
        case 2: displayText = "Hexadecimal"; break;
        case 3: displayText = "Ascii"; break;
        case 4: displayText = "Floating point"; break;
        default:
            displayText = "Binary";
            displayType = 0;
            break;
    }
    MonDeviceNoEdit2Change("1");
    deviceText.clear();
    nameLength = 0;
}

void RegisterDeviceDialog::MonDeviceEdit1Change(const std::string& text) {
    deviceText = text;
    std::transform(deviceText.begin(), deviceText.end(), deviceText.begin(),
                   [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
    inputError = 0;
    nameLength = static_cast<std::int32_t>(deviceText.size());
    if (deviceText.empty()) return;
    const auto refuse = [this](const char* message, const char* boxCaption, bool empty) {
        platform::say({message, boxCaption, platform::MsgIcon::Error});
        inputError = 1;
        if (empty) {
            deviceText.clear();
            nameLength = 0;
        }
    };
    const char letter = deviceText[0];
    if (std::string_view("XYMSTCD").find(letter) == std::string_view::npos)
        return refuse("Device name X,Y,M,S,T,C,D only", "Error2018080280", true);
    if (deviceText.size() > kLongestName) return refuse("Device name error", "Error2018080281", true);
    const std::string_view digits = std::string_view(deviceText).substr(1);
    if (!allDigits(digits)) return refuse("Device address character must be 0~9", "Error2018080282", false);
    if (digits.empty()) return;
    const std::uint32_t n = valueOf(digits);
    if (const RangeRow* row = rangeRowOf(letter, plcType); row != nullptr && !inRange(*row, digits, n))
        return refuse("Device name error", row->caption, true);
    deviceNumber = static_cast<std::int32_t>(n);
}

void RegisterDeviceDialog::MonDeviceNoEdit2Change(const std::string& text) {
    countText = text;
    countTextLength = static_cast<std::int32_t>(text.size());
    inputError = 0;
    if (text.empty()) {
        inputError = 1;
        return;
    }
    if (!allDigits(text)) {
        platform::say({"Msg2018080270", "Number of device must be 0~9", platform::MsgIcon::Error});
        inputError = 1;
        return;
    }
    const int limit = registerCountLimit(connectedPlcType);
    const std::uint32_t count = valueOf(text);
    if (count > static_cast<std::uint32_t>(limit)) {
        const std::string limitCaption = "Too much device [need <= " + std::to_string(limit) + "]";
        platform::say({"Msg2018080280", limitCaption, platform::MsgIcon::Error});
        MonDeviceNoEdit2Change("1");
        return;
    }
    deviceCount = static_cast<std::int32_t>(count);
}

void RegisterDeviceDialog::registerDeviceRadioGroupClick(int index) {
    if (index != 0 && index != 1) index = 0;
    sizeIndex = index;
    dataSize = index;
}

void RegisterDeviceDialog::dispTypeComboBoxChange(const std::string& text) {
    static constexpr std::string_view kFormats[] = {"Binary", "Decimal", "Hexadecimal", "Ascii",
                                                    "Floating point"};
    displayType = 0;
    for (std::size_t i = 1; i < std::size(kFormats); ++i)
        if (text == kFormats[i]) displayType = static_cast<std::int32_t>(i);
    displayText = std::string(kFormats[static_cast<std::size_t>(displayType)]);
}

// A letter alone names no device: it is refused as a bad name is, not registered with whatever
// number was derived last.
void RegisterDeviceDialog::btnRegisterClick() {
    const bool letterAlone = deviceText.size() == 1;
    if (deviceText.empty() || countText.empty() || inputError != 0 || letterAlone) {
        registered = 0;
        platform::say(
            {"Not a correct device or device number error", "Error2018080298", platform::MsgIcon::Error});
    } else {
        registered = 1;
    }
    closed = true;
}

void RegisterDeviceDialog::btnCancelClick() {
    registered = 0;
    closed = true;
}

}  // namespace kestrion
