#include "monitor/DeviceUsage.h"

#include <algorithm>
#include <cctype>

#include "lang/LinkMessages.h"
#include "model/ladder/LadderObject.h"
#include "monitor/MonitorDialogs.h"
#include "monitor/MonitorMode.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

DeviceUsageTables& deviceUsageTables = monitorState.deviceUsageTables;

namespace {

constexpr const char* kDeviceListCaption = "Use device X list";
constexpr std::string_view kLetters = "XYMSTCDP";

// Objects whose operand texts name no device to count.
constexpr std::uint16_t kSkippedCodes[] = {kCodeEnd, 0xF7FF, 11, 20, 22, 24, 26, 28, 32, 34};

bool isLabelObject(std::uint16_t code) {
    return code >= 0xB000 && code <= 0xBFFF;
}

DeviceUsageTable* tableOf(char letter) {
    const std::size_t index = kLetters.find(letter);
    return index == std::string_view::npos ? nullptr : &deviceUsageTables[index];
}

// "K4Y0" names the bit group that starts at Y0.
std::string_view withoutGroupPrefix(std::string_view text) {
    if (text.size() > 2 && text[0] == 'K' && text[1] >= '1' && text[1] <= '8' &&
        std::isalpha(static_cast<unsigned char>(text[2])))
        return text.substr(2);
    return text;
}

// The table's entry for a device number, or none when the number lies beyond it.
char* entryOf(DeviceUsageTable& table, std::size_t number) {
    if (number >= table.capacity()) return nullptr;
    const std::size_t columns = table.columns;
    return &table.at(number % columns, number / columns);
}

}  // namespace

DeviceUsageTables blankDeviceUsageTables() {
    return {DeviceUsageTable('X', 8, 16),   DeviceUsageTable('Y', 8, 16),  DeviceUsageTable('M', 10, 900),
            DeviceUsageTable('S', 10, 100), DeviceUsageTable('T', 10, 26), DeviceUsageTable('C', 10, 26),
            DeviceUsageTable('D', 10, 900), DeviceUsageTable('P', 10, 26)};
}

bool markDeviceUsed(std::string_view operand) {
    const std::string_view text = withoutGroupPrefix(operand);
    if (text.size() < 2) return true;
    DeviceUsageTable* table = tableOf(text[0]);
    if (table == nullptr) return true;
    const unsigned base = table->octal() ? 8 : 10;
    std::size_t number = 0;
    std::size_t i = 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const unsigned digit = static_cast<unsigned>(text[i] - '0');
        if (digit >= base) return true;  // not a device number of this letter
        // Past the largest table the number only has to stay beyond it.
        number = std::min<std::size_t>(number * base + digit, 1'000'000);
    }
    // An index register may follow the number ("D10Z"); anything else names no device.
    if (i == 1 || (i < text.size() && text[i] != 'Z' && text[i] != 'V')) return true;
    char* entry = entryOf(*table, number);
    if (entry == nullptr) {
        platform::say(
            {getMsgBeyondDeviceUsage(std::string(operand)), kDeviceListCaption, platform::MsgIcon::Warning});
        return false;
    }
    *entry = '1';
    return true;
}

void fillDeviceUsageTables() {
    deviceUsageTables = blankDeviceUsageTables();
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        if (std::find(std::begin(kSkippedCodes), std::end(kSkippedCodes), o->iCode) !=
            std::end(kSkippedCodes))
            continue;
        if (isLabelObject(o->iCode)) {
            const std::string label = textOf(o->mnemonic);
            if (label.starts_with('P')) markDeviceUsed(label);
            continue;
        }
        for (const auto& operand : o->operands) markDeviceUsed(textOf(operand));
    }
}

DeviceListGrid deviceListGrid(char letter) {
    const DeviceUsageTable* table = tableOf(letter);
    if (table == nullptr) return {};
    const std::string mark = letter == 'X' || letter == 'Y' || letter == 'P' ? "*" : "Used";
    DeviceListGrid grid(table->rows + 1, std::vector<std::string>(table->columns + 1));
    for (std::size_t u = 0; u < table->columns; ++u) grid[0][u + 1] = "+" + std::to_string(u);
    std::size_t heading = 0;
    for (std::size_t r = 0; r < table->rows; ++r) {
        grid[r + 1][0] = std::string(1, letter) + std::to_string(heading);
        heading += 10;
        if (table->octal() && heading == 80) heading = 100;
        for (std::size_t u = 0; u < table->columns; ++u)
            grid[r + 1][u + 1] = table->at(u, r) == ' ' ? " " : mark;
    }
    return grid;
}

void msDeviceUsedList1Click() {
    fillDeviceUsageTables();
    if (ldrHead == nullptr) return;
    monitorDialogs().deviceList(kDeviceListCaption);
}

}  // namespace kestrion
