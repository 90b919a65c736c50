#include "app/AppMenu.h"

#include <algorithm>
#include <string_view>

#include "app/FileCommands.h"
#include "app/MainCore.h"
#include "app/MainView.h"
#include "app/SearchCommands.h"
#include "app/TemplateCommands.h"
#include "compiler/ConversionCommands.h"
#include "devviews/DevViewsMenu.h"
#include "diagnostics/DiagnosticsMenu.h"
#include "editor/CommentCommands.h"
#include "editor/EditCommands.h"
#include "editor/VerticalLinks.h"
#include "lang/HelpCommands.h"
#include "lang/LanguageCommands.h"
#include "link/LinkMenu.h"
#include "link/plc/RunStopCommands.h"
#include "link/terminals/ServiceTools.h"
#include "link/transfer/RegisterView.h"
#include "monitor/DeviceUsage.h"
#include "monitor/MonitorMenu.h"
#include "monitor/access/AccessMenu.h"
#include "wizards/WizardsMenu.h"

namespace kestrion {

namespace {

constexpr MenuRowKind kMenu = MenuRowKind::Menu;
constexpr MenuRowKind kItem = MenuRowKind::Item;

// clang-format off
constexpr MenuRow kRows[] = {
    {kMenu, "FileMenu", "&File", "", 10},
    {kItem, "New1", "&New", "FileMenu", 10, New1Click, {.shortcut = "Ctrl+N"}},
    {kItem, "Open1", "&Open...", "FileMenu", 20, Open1Click, {.shortcut = "Ctrl+O"}},
    {kItem, "Close1", "&Close", "FileMenu", 30, Close1Click},
    {kItem, "Save1", "&Save", "FileMenu", 40, Save1Click, {.shortcut = "Ctrl+S"}},
    {kItem, "SaveAs1", "Save &As...", "FileMenu", 50, SaveAs1Click},
    {kItem, "PrinterSetup1", "P&rinter setup", "FileMenu", 60, PrinterSetup1Click},
    // Printing and the G-code conversion do nothing; they are shown disabled.
    {kItem, "Print1", "&Print", "FileMenu", 70, Print1Click, {.disabled = true}},
    {kItem, "GcodeConvert1", "&G-code convert", "FileMenu", 80, GcodeConvert1Click, {.disabled = true}},
    {kItem, "Exit1", "E&xit", "FileMenu", 90, Exit1Click, {.shortcut = "Ctrl+Q"}},
    {kMenu, "EditMenu", "&Edit", "", 20},
    {kItem, "Undo1", "&Undo", "EditMenu", 10, Undo1Click, {.shortcut = "Ctrl+Z"}},
    {kItem, "EditCancel1", "&Edit cancel", "EditMenu", 20, EditCancel1Click},
    {kItem, "Cut2", "Cu&t", "EditMenu", 30, Cut1Click, {.shortcut = "Ctrl+X"}},
    {kItem, "Copy2", "&Copy", "EditMenu", 40, Copy1Click, {.shortcut = "Ctrl+C"}},
    {kItem, "Paste2", "&Paste", "EditMenu", 50, Paste1Click, {.shortcut = "Ctrl+V"}},
    {kItem, "InsertLine1", "&Insert line", "EditMenu", 60, InsertLine1Click, {.shortcut = "Ctrl+Shift+I"}},
    {kItem, "DeleteLine1", "&Delete line", "EditMenu", 70, DeleteLine1Click, {.shortcut = "Ctrl+Shift+D"}},
    {kItem, "DrawLink1", "Draw vertical &link", "EditMenu", 72, DrawLink1Click, {.shortcut = "F9"}},
    {kItem, "EraseLink1", "Erase vertical lin&k", "EditMenu", 74, EraseLink1Click, {.shortcut = "Shift+F9"}},
    {kMenu, "ViewMenu", "&View", "", 30},
    {kItem, "LadderView1", "&Ladder view", "ViewMenu", 10, LadderView1Click, {.checkable = true}},
    {kItem, "InstructionView1", "&Instruction view", "ViewMenu", 12, InstructionView1Click,
     {.checkable = true}},
    {kItem, "RegisterView1", "&Register view", "ViewMenu", 14, RegisterView1Click, {.checkable = true}},
    {kMenu, "Font1", "&Font", "ViewMenu", 20},
    {kItem, "FontN81", "8", "Font1", 10, FontN81Click, {.checkable = true}},
    {kItem, "FontN101", "10", "Font1", 20, FontN101Click, {.checkable = true}},
    {kItem, "FontN121", "12", "Font1", 30, FontN121Click, {.checkable = true}},
    {kItem, "FontN141", "14", "Font1", 40, FontN141Click, {.checkable = true}},
    {kMenu, "CellWidth1", "Cell &width", "ViewMenu", 30},
    {kItem, "X561", "56", "CellWidth1", 10, X561Click, {.checkable = true}},
    {kItem, "X601", "60", "CellWidth1", 20, X601Click, {.checkable = true}},
    {kItem, "X641", "64", "CellWidth1", 30, X641Click, {.checkable = true}},
    {kItem, "X681", "68", "CellWidth1", 40, X681Click, {.checkable = true}},
    {kMenu, "CellHeight1", "Cell &height", "ViewMenu", 40},
    {kItem, "Y561", "56", "CellHeight1", 10, Y561Click, {.checkable = true}},
    {kItem, "Y601", "60", "CellHeight1", 20, Y601Click, {.checkable = true}},
    {kItem, "Y641", "64", "CellHeight1", 30, Y641Click, {.checkable = true}},
    {kItem, "Y681", "68", "CellHeight1", 40, Y681Click, {.checkable = true}},
    {kItem, "Y721", "72", "CellHeight1", 50, Y721Click, {.checkable = true}},
    {kMenu, "Zoom1", "&Zoom", "ViewMenu", 50},
    {kItem, "Np501", "50%", "Zoom1", 10, Np501Click, {.checkable = true}},
    {kItem, "Np751", "75%", "Zoom1", 20, Np751Click, {.checkable = true}},
    {kItem, "Np1001", "100%", "Zoom1", 30, Np1001Click, {.checkable = true}},
    {kItem, "Np1251", "125%", "Zoom1", 40, Np1251Click, {.checkable = true}},
    {kItem, "Np1501", "150%", "Zoom1", 50, Np1501Click, {.checkable = true}},
    {kMenu, "CommentMenu", "&Comment", "", 40},
    {kItem, "DeviceComment2", "&Device comment", "CommentMenu", 10, DeviceComment2Click, {.checkable = true}},
    {kItem, "BlockComment2", "&Block comment", "CommentMenu", 20, BlockComment2Click, {.checkable = true}},
    {kItem, "CoilComment2", "C&oil comment", "CommentMenu", 30, CoilComment2Click, {.checkable = true}},
    {kItem, "CommentEdit1", "&Edit comments...", "CommentMenu", 40, CommentEdit1Click,
     {.shortcut = "Ctrl+Return"}},
    {kItem, "msDeviceCommentList1", "Device comment &list", "CommentMenu", 50, msDeviceCommentList1Click,
     {.checkable = true}},
    {kItem, "msBlockCommentList1", "Block comment l&ist", "CommentMenu", 60, msBlockCommentList1Click,
     {.checkable = true}},
    {kItem, "msCoilCommentList1", "Coil comment li&st", "CommentMenu", 70, msCoilCommentList1Click,
     {.checkable = true}},
    {kItem, "msDeviceNameList1", "Device &name list", "CommentMenu", 80, msDeviceNameList1Click,
     {.checkable = true}},
    {kMenu, "CompilerMenu", "Comp&iler", "", 50},
    {kItem, "LadderToInstruction1", "Ladder=>Instruction", "CompilerMenu", 10, LadderToInstruction1Click},
    {kMenu, "MonitorMenu", "&Monitor", "", 60},
    {kItem, "msDeviceUsedList1", "Device &usage list", "MonitorMenu", 90, msDeviceUsedList1Click},
    {kMenu, "PlcMenu", "&PLC", "", 70},
    {kItem, "RemoteRunStop1", "Remote Run/Stop", "PlcMenu", 40, remoteRunStop1Click},
    {kMenu, "ToolsMenu", "&Tools", "", 90},
    {kItem, "Convert4", "Convert", "ToolsMenu", 10, Convert4Click},
    {kMenu, "OptionMenu", "Optio&n", "", 100},
    {kMenu, "LanguageMenu", "&Language", "", 110},
    {kMenu, "HelpMenu", "&Help", "", 120},
    {kItem, "ScreenResolution1", "Screen resolution", "HelpMenu", 10, screenResolution1Click},
    // The developer menu, hidden until the developer access shows it.
    {kMenu, "xTHIS", "xTHIS", "", 130, nullptr, {.hidden = true}},
    {kMenu, "Memory1", "Memory", "xTHIS", 10},
    {kMenu, "InitialFileMemory1", "InitialFileMemory", "Memory1", 10},
    {kItem, "PMW1", "PMW", "InitialFileMemory1", 10, pmw1Click},
    {kItem, "pmwPre1", "pmwPre", "InitialFileMemory1", 20},
    {kItem, "pmwTail1", "pmwTail", "InitialFileMemory1", 30},
    {kItem, "ClearAllObject1", "ClearAllObject", "xTHIS", 20, ClearAllObject1Click},
};
// clang-format on

}  // namespace

MenuTable appMenuRows() {
    return kRows;
}

std::vector<MenuRow> mergeRowsOfOneName(const std::vector<MenuRow>& rows) {
    std::vector<MenuRow> merged;
    for (const MenuRow& row : rows) {
        const auto same = std::find_if(merged.begin(), merged.end(), [&row](const MenuRow& kept) {
            return std::string_view(kept.objectName) == row.objectName;
        });
        if (same == merged.end())
            merged.push_back(row);
        else if (same->command == nullptr)
            same->command = row.command;
    }
    return merged;
}

std::vector<MenuRow> mainMenuRows() {
    std::vector<MenuRow> rows;
    for (const MenuTable table :
         {appMenuRows(), wizardsMenuRows(), linkMenuRows(), diagnosticsMenuRows(), monitorMenuRows(),
          devViewsMenuRows(), templateMenuRows(), languageMenuRows(), serviceMenuRows(), accessMenuRows(),
          transferMenuRows(), searchMenuRows(), helpMenuRows()})
        rows.insert(rows.end(), table.begin(), table.end());
    std::stable_sort(rows.begin(), rows.end(),
                     [](const MenuRow& a, const MenuRow& b) { return a.position < b.position; });
    return mergeRowsOfOneName(rows);
}

}  // namespace kestrion
