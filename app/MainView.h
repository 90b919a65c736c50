// The main window's view state without the window: which panels show, the view buttons, and the
// handlers of the View and Comment items that change the drawing geometry or the comment display
// (the items' own state is the store of lang/MenuState.h). The window mirrors this state after
// every command (syncing by the items' object names).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "entry/EntryDialogs.h"
#include "lang/MenuState.h"
#include "wizards/gateway/BfmLists.h"

namespace kestrion {

struct AppState {
    // The panels that show only with a program open (ToolBar3, FramePanel1, FncKeyPanel,
    // EditPanel1, ProjectGroupBox1 and ProjectScrollBox).
    bool programPanelsVisible = false;
    bool registerViewVisible = false;
    bool instructionViewVisible = false;  // ProjectGroupBox1 in place of the ladder
    // ParameterGroupBox in place of the ladder, with the rows of its ParameterListView.
    bool parameterViewVisible = false;
    std::vector<ParameterRow> parameterRows;
    bool frameTreeVisible = false;
    int toolBarViewMode = 0;  // tool-bar and function-key buttons are enabled in mode 1 only
    int fncKeyViewMode = 0;
    std::uint8_t viewButtonsDown = 0;  // the five view speed buttons, bit 0 the ladder view
    int editPanelHeight = 0;           // pixels, kept by the window
    int ladderViewWidth = 0;           // the visible width of the ladder view, pixels, kept by the window
    std::uint32_t visibleRowCount = 0;
    int memoHeight = 0;  // RxMemo, MsgMemo1 and the debug memos
    int mouseStatusBarHeight = 0;
    std::string fileTitleMemo;
    std::string dcnMemo;
    // An old DCN file whose description the open program took, there being no COW file beside it:
    // it stays on disk until the program's save has written the description into the COW file
    // beside it (a save under another name leaves it to the program it came with).
    std::string dcnKeptUntilSaved;
    bool exitRequested = false;  // File > Exit decided to end the process with exit code 0
    // The editor's line table and the mouse handlers' texts, empty at start-up.
    std::array<std::uint32_t, 16> LineArray{};
    std::array<std::array<char, 16>, 7> mouseTextBuffers{};
};
extern AppState appState;

// The items that edit the program.
constexpr const char* kEditingItems[] = {"Cut2", "Copy2", "Paste2", "Replace1"};

// Menus and speed buttons without a program, and with one. The menus show their captions in the
// interface language whatever their state (the window captions them anew on a change of language).
void setMenuClosed();
void setMenuOpened();
// bProgramOpen set, the editing items enabled, the template menus disabled.
void setMenuProgramOpen();
void setupAllPanels();
void setupToolBarButtons(int viewMode);
void setupFncKeyButtons(int viewMode);
// View > "Ladder view", "Instruction view": the ladder, or the program as instruction lines in its
// place (the ladder's tool and function-key buttons then rest).
void LadderView1Click();
void InstructionView1Click();
void AllOffView1Click();
// View > "Register view": the register panel (link/transfer/RegisterView) in place of the ladder,
// 16-bit layout, decimal; its Close shows the ladder again.
void RegisterView1Click();
void btnRegViewCloseClick();
// After a register read: the panel, when it shows, shows the registers read in its format.
void refreshRegisterView();
// The parameter view (ParameterGroupBox) in place of the ladder and the other views, showing those
// rows; the ladder's tool and function-key buttons rest while it shows.
void showParameterList(std::vector<ParameterRow> rows);
// The parameter view panel's "Close": the ladder's buttons back, the monitor's timer stopped and
// the port closed.
void btnParameterViewCloseClick();
// A double click on an item of the parameter list: its caption, value and index on panel 0.
void ParameterListViewDblClick(const std::string& caption, const std::string& value, int index);
// A double click on a line of the instruction view: the ladder's frame goes to that instruction's
// symbol (the next one drawn when the instruction has none of its own, as ANB and MPS) and the
// ladder view shows it.
void instructionLineDoubleClick(std::size_t row);
// Shows one view in place of the others: its item checked and its button down; the ladder's tool
// and function-key buttons work in the ladder view only.
void showView(const char* item, std::uint8_t button);
// The view buttons down: ladder, instruction, register.
constexpr std::uint8_t kLadderViewButton = 0x01;
constexpr std::uint8_t kInstructionViewButton = 0x02;
constexpr std::uint8_t kRegisterViewButton = 0x04;
void initMemoPanels();

// View > Font.
void FontN81Click();
void FontN101Click();
void FontN121Click();
void FontN141Click();
// The font item of a size from the settings; any size but 8, 12 and 14 takes the 10-point item.
void selectFontItem(std::uint32_t fontSize);

// View > cell width and height: the geometry follows and the ladder objects keep their cells. Each
// is a command of its own.
void X561Click();
void X601Click();
void X641Click();
void X681Click();
void Y561Click();
void Y601Click();
void Y641Click();
void Y681Click();
void Y721Click();
// The same inside a command that runs already: 56, 60, 64, 68 or 72 pixels (another does nothing).
void chooseCellHeight(std::uint32_t height);

// View > Zoom: 50, 75, 100, 125 or 150 percent, the chosen item checked alone.
void Np501Click();
void Np751Click();
void Np1001Click();
void Np1251Click();
void Np1501Click();
// A zoom chosen by View > Zoom > Auto: ZoomAuto1 checked alone.
void selectAutoZoom(std::uint32_t percent);

// Comment > the display items; each flips its check mark and its bit of viewFlags, as a command
// (device comments change the cell height).
void DeviceComment2Click();
void BlockComment2Click();
void CoilComment2Click();
// The check marks of the display items from viewFlags.
void showCommentItems();

// What an access code typed into the instruction box reveals: the demonstration code shows and
// enables the PLC menu's HarewareCheck with its items; the other opens nothing in the menus.
void revealAccessItems(HiddenItems items);

// Developer item: the ladder back to END alone and the canvas blank (Timer2 stopped), as a command;
// clearAllObjects does the same inside one (New).
void ClearAllObject1Click();
void clearAllObjects();

// The main window's start values of the view: zoom, font, cell-size marks, comment marks.
void mainViewStartUp();

}  // namespace kestrion
