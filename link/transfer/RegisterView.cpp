#include "link/transfer/RegisterView.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <limits>
#include <optional>

#include "editor/CommentCommands.h"
#include "lang/Language.h"
#include "lang/MenuState.h"
#include "lang/Texts.h"
#include "model/core/TextBuffers.h"
#include "model/image/DmwImage.h"
#include "model/image/ProgramImage.h"
#include "model/instructions/Conversions.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr int kFormatBinary = 0;
constexpr int kFormatDecimal = 1;
constexpr int kFormatHexadecimal = 2;
constexpr int kFormatAscii = 3;
constexpr int kFormatFloating = 4;

bool wide() {
    return registerView.regView32bits != 0;
}

// Type 1 holds D0..D255: the last row's cells past D255 stay blank.
bool blankedForType1(int row, int column) {
    if (pmw.plcType() != 1 || row != 26) return false;
    return wide() ? column >= 4 : column >= 7;
}

std::uint32_t firstRegisterOf(int row, int column) {
    const int step = wide() ? 2 : 1;
    return static_cast<std::uint32_t>(10 * (row - 1) + step * (column - 1));
}

std::uint32_t doubleWordAt(std::uint32_t k) {
    return dmwRegister(k) | (std::uint32_t{dmwRegister(k + 1)} << 16);
}

void fill(int layout32, int format) {
    registerView.regView32bits = layout32;
    registerView.regViewFormat = format;
    ++registerView.regViewFills;
}

// The format buttons refill in the layout shown.
void selectFormat(int format) {
    fill(registerView.regView32bits, format);
}

// A decimal value as the decimal format shows it: an optional sign and digits, within the range.
std::optional<std::int64_t> decimalValue(const std::string& text, std::int64_t lowest, std::int64_t highest) {
    if (text.empty() || text.size() > 12) return std::nullopt;
    const std::size_t digits = text[0] == '-' || text[0] == '+' ? 1 : 0;
    if (digits == text.size()) return std::nullopt;
    for (std::size_t i = digits; i < text.size(); ++i)
        if (std::isdigit(static_cast<unsigned char>(text[i])) == 0) return std::nullopt;
    errno = 0;
    const long long parsed = std::strtoll(text.c_str(), nullptr, 10);
    if (errno != 0 || parsed < lowest || parsed > highest) return std::nullopt;
    return parsed;
}

// A value as the hexadecimal format shows it: at most the shown number of digits, either case.
std::optional<std::int64_t> hexValue(const std::string& text, std::size_t digits) {
    if (text.empty() || text.size() > digits) return std::nullopt;
    std::int64_t value = 0;
    for (const char typed : text) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(typed)));
        if (!isHexDigit(c)) return std::nullopt;
        value = value * 16 + hexDigitValue(c);
    }
    return value;
}

// The value a cell's text stands for in the layout and format shown; none when it is not one.
std::optional<std::uint32_t> typedValue(const std::string& typed) {
    const std::string text = trimBlanks(typed);
    std::optional<std::int64_t> value;
    if (registerView.regViewFormat == kFormatHexadecimal)
        value = hexValue(text, wide() ? 8 : 4);
    else
        value = wide() ? decimalValue(text, std::numeric_limits<std::int32_t>::min(),
                                      std::numeric_limits<std::int32_t>::max())
                       : decimalValue(text, 0, 0xFFFF);
    if (!value) return std::nullopt;
    return static_cast<std::uint32_t>(*value);
}

// What a cell takes, as its format writes it.
std::string acceptedRange() {
    if (registerView.regViewFormat == kFormatHexadecimal)
        return wide() ? "00000000 ~ FFFFFFFF" : "0000 ~ FFFF";
    return wide() ? "-2147483648 ~ 2147483647" : "0 ~ 65535";
}

std::string refusedLine(std::uint32_t firstRegister, const std::string& typed) {
    return textWith("RegViewValueRefused", {"D" + std::to_string(firstRegister), typed, acceptedRange()});
}

}  // namespace

int regViewRowCount() {
    switch (pmw.plcType()) {
        case 2:
        case 4:
        case 5:
        case 7: return 801;
        case 6: return 401;
        default: return 27;
    }
}

int regViewColumnCount() {
    return wide() ? 6 : 11;
}

std::string regViewCellText(int row, int column) {
    if (row < 0 || column < 0 || row >= regViewRowCount() || column >= regViewColumnCount()) return {};
    if (row == 0) return column == 0 ? "" : "+" + std::to_string((wide() ? 2 : 1) * (column - 1));
    if (column == 0) return "D" + std::to_string(10 * (row - 1));
    if (blankedForType1(row, column)) return " ";
    const std::uint32_t k = firstRegisterOf(row, column);
    switch (registerView.regViewFormat) {
        case kFormatDecimal:
            return wide() ? std::to_string(static_cast<std::int32_t>(doubleWordAt(k)))
                          : std::to_string(dmwRegister(k));
        case kFormatHexadecimal: return wide() ? hexText(doubleWordAt(k), 8) : hexText(dmwRegister(k), 4);
        default: return " ";
    }
}

bool regViewCellEditable(int row, int column) {
    if (row < 1 || column < 1 || row >= regViewRowCount() || column >= regViewColumnCount()) return false;
    if (blankedForType1(row, column)) return false;
    return registerView.regViewFormat == kFormatDecimal || registerView.regViewFormat == kFormatHexadecimal;
}

bool registerViewShown() {
    for (const char* item : commentListItems()) menuItem(item).checked = false;
    return menuItem("RegisterView1").checked;
}

void openRegisterGrid() {
    fill(0, kFormatDecimal);
}

void btnRegView16bitsClick() {
    fill(0, registerView.regViewFormat);
}
void btnRegView32bitsClick() {
    fill(1, registerView.regViewFormat);
}
void btnRegViewBinaryClick() {
    selectFormat(kFormatBinary);
}
void btnRegViewDecimalClick() {
    selectFormat(kFormatDecimal);
}
void btnRegViewHexadecimalClick() {
    selectFormat(kFormatHexadecimal);
}
void btnRegViewAsciiClick() {
    selectFormat(kFormatAscii);
}
void btnRegViewFloatingClick() {
    selectFormat(kFormatFloating);
}

void btnRegViewEditCancelClick() {
    const int format = registerView.regViewFormat;
    selectFormat(format >= kFormatBinary && format <= kFormatAscii ? format : kFormatFloating);
}

std::vector<std::pair<int, int>> btnRegViewUpdateClick(
    const std::function<std::string(int row, int column)>& cellText) {
    std::vector<std::pair<int, int>> refused;
    if (registerView.regViewFormat != kFormatDecimal && registerView.regViewFormat != kFormatHexadecimal)
        return refused;
    const int cells = wide() ? 5 : 10;
    std::string lines;
    // Every cell shown is written again: only a value that differs from its register's changes
    // the program.
    bool changed = false;
    for (int row = 1; row < regViewRowCount(); ++row) {
        for (int column = 1; column <= cells; ++column) {
            if (blankedForType1(row, column)) continue;
            const std::string text = cellText(row, column);
            if (text == " ") continue;
            // Each cell writes the register it shows, whatever was blank before it.
            const std::uint32_t k = firstRegisterOf(row, column);
            const std::optional<std::uint32_t> value = typedValue(text);
            if (!value) {
                refused.emplace_back(row, column);
                lines += (lines.empty() ? "" : "\n") + refusedLine(k, text);
                continue;
            }
            changed = changed || *value != (wide() ? doubleWordAt(k) : dmwRegister(k));
            setDmwRegister(k, static_cast<std::uint16_t>(*value & 0xFFFF));
            if (wide()) setDmwRegister(k + 1, static_cast<std::uint16_t>(*value >> 16));
        }
    }
    if (changed) markOpenProgramModified();
    if (!lines.empty()) platform::say({lines, "Ladder Editor", platform::MsgIcon::Error});
    return refused;
}

}  // namespace kestrion
