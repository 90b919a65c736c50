#include "app/TemplateCommands.h"

#include <array>
#include <cctype>
#include <deque>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "app/AppMenu.h"
#include "app/FileCommands.h"
#include "app/MainView.h"
#include "diagnostics/DiagnosticsMenu.h"
#include "entry/EntryState.h"
#include "lang/HelpCommands.h"
#include "link/LinkMenu.h"
#include "model/core/CommandTransaction.h"
#include "model/core/MainState.h"
#include "monitor/MonitorMenu.h"
#include "platform/Box.h"
#include "platform/Services.h"
#include "wizards/TemplateMenu.h"
#include "wizards/WizardsMenu.h"
#include "wizards/gateway/LinkSetupCommands.h"

namespace kestrion {

namespace {

constexpr int kFirstRootPosition = 60;  // after Save As, before the recent files and Exit

template <std::size_t I>
void templateClick() {
    const TemplateEntry& entry = templateEntries()[I];
    if (entry.kind == TemplateKind::LinkSetup) {
        linkSetupItemClick(entry.target.objectName);
        return;
    }
    templateItemClick(entry, openTemplateFile);
}

template <std::size_t... I>
constexpr std::array<void (*)(), sizeof...(I)> templateClicks(std::index_sequence<I...>) {
    return {&templateClick<I>...};
}

constexpr auto kClicks = templateClicks(std::make_index_sequence<kTemplateEntryCount>());

// The caption's letters and digits and the lowest number that makes the name unused; "N" in
// front of a caption without a letter to begin with.
std::string freeName(const std::string& caption, std::set<std::string>& taken) {
    std::string stem;
    for (char c : caption)
        if (std::isalnum(static_cast<unsigned char>(c))) stem += c;
    if (stem.empty() || std::isdigit(static_cast<unsigned char>(stem[0]))) stem = "N" + stem;
    for (int number = 1;; ++number) {
        std::string name = stem + std::to_string(number);
        if (taken.insert(name).second) return name;
    }
}

struct TemplateRows {
    std::deque<std::string> names;  // one per entry, stable for the rows' pointers
    std::vector<MenuRow> rows;
    std::map<std::string, std::string> rootNames;  // root caption -> object name
};

const TemplateRows& templateRows() {
    static const TemplateRows built = [] {
        TemplateRows made;
        std::set<std::string> taken;
        for (const MenuTable table :
             {appMenuRows(), wizardsMenuRows(), linkMenuRows(), diagnosticsMenuRows(), monitorMenuRows()})
            for (const MenuRow& row : table) taken.insert(row.objectName);
        // The link-setup items keep the names the main window knows them by.
        for (const TemplateEntry& entry : templateEntries())
            if (entry.kind == TemplateKind::LinkSetup) taken.insert(entry.target.objectName);
        std::map<std::string, const std::string*> chains;  // caption chain -> its object name in names
        const auto entries = templateEntries();
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const TemplateEntry& entry = entries[i];
            const std::string parent = entry.parent;
            const std::string& name = made.names.emplace_back(entry.kind == TemplateKind::LinkSetup
                                                                  ? entry.target.objectName
                                                                  : freeName(entry.caption, taken));
            const bool root = parent.empty();
            if (entry.kind == TemplateKind::Menu) {
                chains[root ? std::string(entry.caption) : parent + ">" + entry.caption] = &name;
                if (root) made.rootNames[entry.caption] = name;
            }
            MenuRow row;
            row.kind = entry.kind == TemplateKind::Menu ? MenuRowKind::Menu : MenuRowKind::Item;
            row.objectName = name.c_str();
            row.caption = entry.caption;
            row.parent = root ? "FileMenu" : chains.at(parent)->c_str();
            row.position =
                root ? kFirstRootPosition + static_cast<int>(made.rootNames.size()) : static_cast<int>(i);
            row.command = entry.kind == TemplateKind::Menu ? nullptr : kClicks[i];
            row.options.hidden = entry.options.hidden;
            row.options.disabled = entry.options.disabled;
            made.rows.push_back(row);
        }
        return made;
    }();
    return built;
}

}  // namespace

MenuTable templateMenuRows() {
    return templateRows().rows;
}

std::string templateObjectName(std::size_t entry) {
    return templateRows().names.at(entry);
}

void openTemplateFile(const std::string& fullName) {
    if (fullName.size() >= kFileNameSize) {
        platform::statusBar().setPanelText(13, std::to_string(fullName.size()) + "," + fullName);
        platform::say({"Filename Too Long...", "Open File", platform::MsgIcon::None});
        return;
    }
    // The name goes to Open whole: a folder of the user's with a blank or a '&' in it stays valid.
    runCommand([&fullName] { return openProgram(fullName); });
    fileStateFlags &= static_cast<std::uint8_t>(~kFileNamePreset);
}

void setTemplateMenus(bool programOpen) {
    for (const char* root : kTemplateRoots)
        menuItem(templateRows().rootNames.at(root)).enabled = !programOpen;
    showTemplateMenus();
}

void showTemplateMenus() {
    const bool secondBrand = runsAsSecondBrand();
    for (const char* root : kTemplateRoots) {
        MenuItemState& item = menuItem(templateRows().rootNames.at(root));
        const std::string caption(root);
        // Nothing shows the module programs; the access code reveals the demonstration and
        // factory programs together.
        const bool shown =
            caption == "Templates" ||
            ((caption == "DemoKit" || caption == "Factory programs") && entryState.demoKitRevealed);
        item.visible = shown && !secondBrand;
    }
}

}  // namespace kestrion
