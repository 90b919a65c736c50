// Which device numbers the program uses, per device letter: the tables the device-usage command
// fills from the ladder objects and the grid its list window shows of them.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kestrion {

// One letter's table. The entry of device number n is in column n mod 10, row n div 10 (X and Y:
// n mod 8, n div 8 of the octal number's value), stored column by column; a blank means unused.
struct DeviceUsageTable {
    char letter = ' ';
    std::size_t columns = 0;
    std::size_t rows = 0;
    std::vector<char> entries;  // columns x rows

    DeviceUsageTable() = default;
    DeviceUsageTable(char tableLetter, std::size_t columnCount, std::size_t rowCount)
        : letter(tableLetter), columns(columnCount), rows(rowCount), entries(columnCount * rowCount, ' ') {}
    bool octal() const { return letter == 'X' || letter == 'Y'; }
    std::size_t capacity() const { return columns * rows; }
    char& at(std::size_t column, std::size_t row) { return entries[column * rows + row]; }
    char at(std::size_t column, std::size_t row) const { return entries[column * rows + row]; }
};

constexpr std::size_t kDeviceUsageLetters = 8;
using DeviceUsageTables = std::array<DeviceUsageTable, kDeviceUsageLetters>;

// X, Y, M, S, T, C, D and P, every entry blank.
DeviceUsageTables blankDeviceUsageTables();

extern DeviceUsageTables& deviceUsageTables;  // a member of monitorState

// Marks '1' for a device text ("X17", "M8999", "K4Y0" for the group starting at Y0). Constants
// and texts that name no device are passed over (true); a number beyond its table is reported
// with a box and not marked (false).
bool markDeviceUsed(std::string_view operand);

// Blanks the tables, then marks every device the main-list objects name.
void fillDeviceUsageTables();

// The list window's grid for one letter: cells[row][column], row 0 the column headings ("+0"..),
// column 0 the row headings ("X0", "X10" .. "X70", "X100" ..), the data cells " " or the mark.
// Empty for a letter without a table.
using DeviceListGrid = std::vector<std::vector<std::string>>;
DeviceListGrid deviceListGrid(char letter);

// Monitor > device usage list: the tables filled, then the list shown, unless the program holds
// no object at all.
void msDeviceUsedList1Click();

}  // namespace kestrion
