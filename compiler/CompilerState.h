// The state the passes of the ladder-to-machine-code conversion leave behind for the developer
// views, and the small grid vocabulary they share: column and row of a pixel position, the cell
// there through the bounded canvas accessor, one cell in pixels, and the stop of a conversion.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/ladder/CanvasState.h"
#include "model/ladder/DrawGeometry.h"

namespace kestrion {

struct stLadderBlock;

// The conversion in progress: the block the block loops are at, and END's block id.
struct LToIRecord {
    std::uint32_t LBC = 0;
    std::uint32_t EndInstrLBC = 0;
};

// One pass of Convert and how long it took.
struct ConvertPassTime {
    const char* pass = "";
    std::chrono::steady_clock::duration took{};
};

struct CompilerState {
    std::string traceText;             // the last step note of a pass
    stLadderBlock* ldrConv = nullptr;  // the object whose words are being written
    LToIRecord LToI;
    std::vector<ConvertPassTime> passTimes;  // of the last Convert
    std::string diagramFault;                // the last check's fault, as the user is told it
};

extern CompilerState compilerState;  // reset through the state registry
extern std::string& compileTraceText;
extern stLadderBlock*& ldrConv;
extern LToIRecord& LToI;

namespace compile {

// Asked at every step of the passes: inline.
inline std::int64_t col(std::uint32_t x) {
    return symbleHalfWidth == 0 ? 0 : std::int64_t{x / symbleHalfWidth};
}
inline std::int64_t row(std::uint32_t y) {
    return symbleHalfHeight == 0 ? 0 : std::int64_t{y / symbleHalfHeight};
}
// A cell never written reads as blank, like one outside the grid.
inline char blankIfUnwritten(char value) {
    return value == '\0' ? kCellBlank : value;
}
// VirtualArray, reading blank outside the grid (row or column -1, -2 ...) and where nothing was
// ever written.
inline char cell(std::int64_t column, std::int64_t row) {
    return blankIfUnwritten(VirtualArray.at(column, row));
}
char compileCell(std::int64_t column, std::int64_t row);
void markCompile(std::int64_t column, std::int64_t row, char mark = '1');
std::uint32_t cellWidth();
std::uint32_t cellHeight();
std::uint32_t halfWidth();
std::uint32_t halfHeight();
std::int64_t leftBusColumn();
// The last used row of a block from its first row (searchLastUsedRowFrom), -1 when the first row
// itself is blank; and the y of that row, 0 then. Loops that run "while below" it stay bounded.
std::int64_t lastUsedRow(std::uint32_t x, std::int64_t firstRow);
std::uint32_t lastUsedY(std::uint32_t x, std::int64_t firstRow);

// The first main-list object of block lbc, or failing that the first at or below END's row.
const stLadderBlock* firstObjectOfBlock(std::uint32_t lbc, std::uint32_t endY);

void showStatus(const std::string& text);  // panel 13
void trace(std::string_view text);

// Shows the stop box (stop icon) and throws ConversionError: the command aborts and rolls back.
[[noreturn]] void stopConversion(const std::string& text, const std::string& caption);

}  // namespace compile

}  // namespace kestrion
