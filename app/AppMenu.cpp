#include "app/AppMenu.h"

#include <algorithm>

#include "app/MainCore.h"
#include "link/LinkMenu.h"
#include "wizards/WizardsMenu.h"

namespace kestrion {

namespace {

constexpr MenuRowKind kMenu = MenuRowKind::Menu;
constexpr MenuRowKind kItem = MenuRowKind::Item;

constexpr MenuRow kRows[] = {
    {kMenu, "FileMenu", "&File", "", 10},
    {kMenu, "EditMenu", "&Edit", "", 20},
    {kMenu, "ViewMenu", "&View", "", 30},
    {kMenu, "CommentMenu", "&Comment", "", 40},
    {kMenu, "MonitorMenu", "&Monitor", "", 60},
    {kMenu, "PlcMenu", "&PLC", "", 70},
    {kMenu, "TemplateMenu", "Templ&ate", "", 80},
    {kMenu, "ToolsMenu", "&Tools", "", 90},
    {kMenu, "OptionMenu", "Optio&n", "", 100},
    {kMenu, "LanguageMenu", "&Language", "", 110},
    {kMenu, "HelpMenu", "&Help", "", 120},
    // The developer menu, hidden until the developer access shows it.
    {kMenu, "xTHIS", "xTHIS", "", 130, nullptr, true},
    {kMenu, "Memory1", "Memory", "xTHIS", 10},
    {kMenu, "InitialFileMemory1", "InitialFileMemory", "Memory1", 10},
    {kItem, "PMW1", "PMW", "InitialFileMemory1", 10, pmw1Click},
    {kItem, "pmwPre1", "pmwPre", "InitialFileMemory1", 20},
    {kItem, "pmwTail1", "pmwTail", "InitialFileMemory1", 30},
};

}  // namespace

MenuTable appMenuRows() {
    return kRows;
}

std::vector<MenuRow> mainMenuRows() {
    std::vector<MenuRow> rows;
    for (const MenuTable table : {appMenuRows(), wizardsMenuRows(), linkMenuRows()})
        rows.insert(rows.end(), table.begin(), table.end());
    std::stable_sort(rows.begin(), rows.end(),
                     [](const MenuRow& a, const MenuRow& b) { return a.position < b.position; });
    return rows;
}

}  // namespace kestrion
