#include "app/RegisterView.h"

#include <cerrno>
#include <cstdlib>

#include "app/MainView.h"
#include "lang/LinkMessages.h"
#include "model/image/DmwImage.h"
#include "model/image/ProgramImage.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr int kFormatBinary = 0;
constexpr int kFormatDecimal = 1;
constexpr int kFormatHexadecimal = 2;
constexpr int kFormatAscii = 3;
constexpr int kFormatFloating = 4;

bool wide() {
    return appState.regView32bits != 0;
}

// Type 1 holds D0..D255: the last row's cells past D255 stay blank.
bool blankedForType1(int row, int column) {
    if (pmw.plcType() != 1 || row != 26) return false;
    return wide() ? column >= 4 : column >= 7;
}

std::string hexDigits(std::uint32_t value, int digits) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) text += kDigits[(value >> shift) & 0xF];
    return text;
}

std::uint32_t firstRegisterOf(int row, int column) {
    const int step = wide() ? 2 : 1;
    return static_cast<std::uint32_t>(10 * (row - 1) + step * (column - 1));
}

std::uint32_t doubleWordAt(std::uint32_t k) {
    return dmwRegister(k) | (std::uint32_t{dmwRegister(k + 1)} << 16);
}

void fill(int layout32, int format) {
    appState.regView32bits = layout32;
    appState.regViewFormat = format;
    ++appState.regViewFills;
}

// The format buttons refill in the layout shown.
void selectFormat(int format) {
    fill(appState.regView32bits, format);
}

// StrToInt's rule: an optional sign and decimal digits, the whole text, within 32 bits.
bool decimalValue(const std::string& text, std::int32_t& value) {
    if (text.empty() || text.front() == ' ' || text.back() == ' ') return false;
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || end == nullptr || *end != '\0' || parsed < INT32_MIN || parsed > INT32_MAX)
        return false;
    value = static_cast<std::int32_t>(parsed);
    return true;
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
    switch (appState.regViewFormat) {
        case kFormatDecimal:
            return wide() ? std::to_string(static_cast<std::int32_t>(doubleWordAt(k)))
                          : std::to_string(dmwRegister(k));
        case kFormatHexadecimal: return wide() ? hexDigits(doubleWordAt(k), 8) : hexDigits(dmwRegister(k), 4);
        default: return " ";
    }
}

void RegisterView1Click() {
    for (const char* item : {"msDeviceCommentList1", "msBlockCommentList1", "msCoilCommentList1"})
        menuItem(item).checked = false;
    if (menuItem("RegisterView1").checked) return;
    showView("RegisterView1", kRegisterViewButton);
    fill(0, kFormatDecimal);
}

void btnRegView16bitsClick() {
    fill(0, appState.regViewFormat);
}
void btnRegView32bitsClick() {
    fill(1, appState.regViewFormat);
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
    const int format = appState.regViewFormat;
    selectFormat(format >= kFormatBinary && format <= kFormatAscii ? format : kFormatFloating);
}

void btnRegViewCloseClick() {
    LadderView1Click();
}

void btnRegViewUpdateClick(const std::function<std::string(int row, int column)>& cellText) {
    if (appState.regViewFormat != kFormatDecimal) return;
    const int cells = wide() ? 5 : 10;
    for (int row = 1; row < regViewRowCount(); ++row) {
        for (int column = 1; column <= cells; ++column) {
            if (blankedForType1(row, column)) continue;
            const std::string text = cellText(row, column);
            if (text == " ") continue;
            // Each cell writes the register it shows, whatever was blank before it.
            const std::uint32_t k = firstRegisterOf(row, column);
            std::int32_t value = 0;
            if (!decimalValue(text, value)) {
                platform::messages().show(getMsgNotInteger(text), "Ladder Editor", platform::MsgIcon::Error,
                                          platform::MsgButtons::Ok);
                return;
            }
            const auto bits = static_cast<std::uint32_t>(value);
            setDmwRegister(k, static_cast<std::uint16_t>(bits & 0xFFFF));
            if (wide()) setDmwRegister(k + 1, static_cast<std::uint16_t>(bits >> 16));
        }
    }
}

void refreshRegisterView() {
    if (!appState.registerViewVisible) return;
    RegisterView1Click();
    btnRegViewEditCancelClick();
}

}  // namespace kestrion
