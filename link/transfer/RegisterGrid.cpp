#include "link/transfer/RegisterGrid.h"

#include <charconv>
#include <cstdio>
#include <optional>

#include "model/image/DmwImage.h"

namespace kestrion {

namespace {

constexpr int kRegistersPerRow = 10;
constexpr int kLastType1Register = 255;

bool isExtendedFamily(int plcType) {
    return plcType == 2 || plcType == 5 || plcType == 7;
}

std::uint32_t registerAt(int column, int row, bool layout32) {
    const int cellsPerRow = layout32 ? kRegistersPerRow / 2 : kRegistersPerRow;
    const int cell = (row - 1) * cellsPerRow + column - 1;
    return static_cast<std::uint32_t>(layout32 ? 2 * cell : cell);
}

std::string valueText(std::uint32_t first, bool layout32, int format) {
    char text[16];
    if (!layout32) {
        const std::uint16_t value = dmwRegister(first);
        if (format == kRegViewDecimal) std::snprintf(text, sizeof text, "%u", unsigned{value});
        if (format == kRegViewHexadecimal) std::snprintf(text, sizeof text, "%04X", unsigned{value});
    } else {
        const std::uint32_t value = dmwRegister(first) | std::uint32_t{dmwRegister(first + 1)} << 16;
        if (format == kRegViewDecimal)
            std::snprintf(text, sizeof text, "%d", static_cast<std::int32_t>(value));
        if (format == kRegViewHexadecimal) std::snprintf(text, sizeof text, "%08X", value);
    }
    if (format != kRegViewDecimal && format != kRegViewHexadecimal) return kBlankCell;
    return text;
}

RegisterGrid labelledGrid(int rows, bool layout32) {
    RegisterGrid grid;
    grid.rows = rows;
    grid.columns = layout32 ? kRegistersPerRow / 2 + 1 : kRegistersPerRow + 1;
    grid.cells.assign(static_cast<std::size_t>(grid.rows * grid.columns), "");
    for (int column = 1; column < grid.columns; ++column)
        grid.cell(column, 0) = "+" + std::to_string(layout32 ? 2 * (column - 1) : column - 1);
    for (int row = 1; row < rows; ++row)
        grid.cell(0, row) = "D" + std::to_string(kRegistersPerRow * (row - 1));
    return grid;
}

// A decimal integer as the view takes it: blanks around it, an optional sign, 32 bits at most.
std::optional<std::int32_t> decimalValue(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    if (*begin == '+') ++begin;
    std::int32_t value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end || begin == end) return std::nullopt;
    return value;
}

bool isBlankText(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos;
}

}  // namespace

int registerPanelRows(int plcType) {
    if (isExtendedFamily(plcType) || plcType == 4) return 801;
    if (plcType == 6) return 401;
    return 27;
}

int registerDialogRows(int plcType) {
    if (isExtendedFamily(plcType)) return 801;
    if (plcType == 4) return 101;
    return 27;
}

RegisterGrid registerPanelGrid(int plcType, bool layout32, int format) {
    RegisterGrid grid = labelledGrid(registerPanelRows(plcType), layout32);
    for (int row = 1; row < grid.rows; ++row) {
        for (int column = 1; column < grid.columns; ++column) {
            const std::uint32_t first = registerAt(column, row, layout32);
            const bool beyondType1 = plcType == 1 && first > kLastType1Register;
            grid.cell(column, row) = beyondType1 ? kBlankCell : valueText(first, layout32, format);
        }
    }
    return grid;
}

RegisterGrid registerDialogGrid(int plcType) {
    RegisterGrid grid = labelledGrid(registerDialogRows(plcType), false);
    for (int row = 1; row < grid.rows; ++row)
        for (int column = 1; column < grid.columns; ++column)
            grid.cell(column, row) = valueText(registerAt(column, row, false), false, kRegViewDecimal);
    return grid;
}

RegisterUpdate updateRegistersFromGrid(const RegisterGrid& grid, bool layout32, int format) {
    RegisterUpdate update;
    if (format != kRegViewDecimal) {
        update.written = true;
        return update;
    }
    // Every cell is checked before one is written: a bad one leaves the registers as they were.
    for (int pass = 0; pass < 2; ++pass) {
        for (int row = 1; row < grid.rows; ++row) {
            for (int column = 1; column < grid.columns; ++column) {
                const std::string& text = grid.cell(column, row);
                if (isBlankText(text)) continue;
                const std::optional<std::int32_t> value = decimalValue(text);
                if (!value) return {false, text, column, row};
                if (pass == 0) continue;
                const std::uint32_t first = registerAt(column, row, layout32);
                const auto bits = static_cast<std::uint32_t>(*value);
                setDmwRegister(first, static_cast<std::uint16_t>(bits & 0xFFFF));
                if (layout32) setDmwRegister(first + 1, static_cast<std::uint16_t>(bits >> 16));
            }
        }
    }
    update.written = true;
    return update;
}

}  // namespace kestrion
