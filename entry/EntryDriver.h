// The instruction box's rules and its entry driver: the keys of the one-line box, and on Enter the
// whole path from the typed line to a ladder object linked into the list and marked on the canvas.
#pragma once

#include <cstdint>
#include <string>

namespace kestrion {

constexpr std::size_t kEditLineMaxLength = 64;

// The box as its window shows it: the edit line, whether it is masked, and whether it has closed.
struct EditKeyBox {
    std::string initialText;  // set by the opener, shown when the box paints
    std::string line;         // EditInstr1
    bool masked = false;      // password character shown
    bool closed = false;      // the modal showing has ended
    std::string reasonShown;  // the status bar's reason for the last line refused, while it shows

    void FormPaint();
    // EditInstr1KeyPress: true when the key goes on to the edit line.
    bool keyPress(char key);
    // A key that went on to the edit line: upper case, at most kEditLineMaxLength characters.
    void type(char key);
    void btnCancelClick() { closed = true; }
};

// What EditKeyComboBox shows for a symbol code.
std::string symbolComboText(std::uint32_t code);

// True, after the box that says so, while a monitor runs: the ladder is not edited then.
bool refuseEditInMonitorMode();

// The steps of the entry that are used on their own.
void EditInstr1Enter(EditKeyBox& box);
// 1 when the operands of a symbol entry are refused.
std::uint8_t _checkIconInputDevice();
void writeSymbolMnemonic();
std::uint32_t _UpdateIconFnCode(std::uint32_t code);
// False when the line could not be split (the box has been shown).
bool splitEntryLine(const std::string& line);
void shiftBlockCellsRight(std::uint32_t x0, std::uint32_t y0, std::uint32_t id);
void removeBlockNopsRightOfOutput(std::uint32_t x, std::uint32_t y, std::uint32_t id);
struct stLadderBlock;
// The objects at whole cells of row y0 from x0 to the right bus, keep excepted, unlinked and freed
// (never the first or the last object of the list).
void freeRowObjectsToBusEnd(std::uint32_t x0, std::uint32_t y0, const stLadderBlock* keep = nullptr);

// Trailing, leading and repeated inner blanks removed.
std::string trimEntryLine(const std::string& line);

}  // namespace kestrion
