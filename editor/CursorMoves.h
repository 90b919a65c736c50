// The ladder cursor and what the keys and the mouse do with it: moving the cursor and the
// selection frame cell by cell, by line and by page; opening the instruction box on the frame; the
// insert mode; and turning the framed object into wire.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>

namespace kestrion {

enum class CursorMove { Left, Right, Up, Down, LineStart, LineEnd, PageUp, PageDown };

// The cell (x, y) a move leads to from the cursor and the frame: left as far as the label cell
// before the left bus, right as far as the last cell before the right bus, up to the first line
// and down to END's line; a page is the number of lines the view shows.
std::pair<std::uint32_t, std::uint32_t> cursorTarget(CursorMove move);
// Moves the cursor there and frames the cell.
void moveCursor(CursorMove move);
// A mouse press at a point of the view (screen pixels): the cell under it becomes the mouse cell,
// the cursor and the frame; the first operand of the object there is kept in clickedOperandText.
void clickLadderAt(int screenX, int screenY);

// The symbol code a function key enters (F2 rising contact, F3 falling, F5 contact, F6 negated,
// F7 coil, F8 instruction box; with Shift the parallel forms); none for other keys.
std::optional<std::uint32_t> functionKeySymbol(int functionKey, bool shift);

// The instruction box opened from the view; afterwards the frame follows the cursor.
void openBoxOnKey(char first);
void openBoxOnSymbol(std::uint32_t symbolCode);
// A function key or its tool button: the output key (F7) starts the line with "OUT ", the others
// open the box on their symbol. False for a key that enters nothing.
bool openBoxOnFunctionKey(int functionKey, bool shift);
// Enter or a double click: the framed object's line is offered again (not for wire or nothing).
void openBoxOnFrame();

void toggleInsertMode();
// The framed object (never END) becomes wire, with an undo copy, as one command. False when there
// was nothing to turn.
bool deleteFramedObject();

}  // namespace kestrion
