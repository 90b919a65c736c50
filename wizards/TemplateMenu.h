// The template menus of File: "Templates", the module programs, "DemoKit" and the factory programs.
// One table holds every submenu and item in the order they stand: the submenu chain, the caption,
// what the item does and the program file it opens (two for an item that follows the language).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace kestrion {

enum class TemplateKind : std::uint8_t {
    Menu,          // a submenu
    Gated,         // the disclaimer, then the program
    Direct,        // the program at once
    Language,      // as Gated, with the Traditional Chinese folder's file in that language
    Placeholder,   // "not built yet"
    Inert,         // nothing
    RotaryCutter,  // the rotary cutter calculator with the example's values
    AxisPanel,     // the axis panel
    FlowChart,     // a flow-chart picture ("zrn" or "g06")
    LinkSetup,     // a link-setup item: the main window runs it by its object name (the path)
};

struct TemplateEntry {
    const char* parent;  // the captions of the submenus that hold it, joined by '>'; "" under File
    const char* caption;
    TemplateKind kind;
    // The file relative to the installation folder, written with '\'; for a placeholder the
    // caption of its box, for a flow-chart item which chart, for a link-setup item its object name.
    const char* path;
    const char* pathT;  // a language item's file under "\Template\T\"
    bool hidden;
    bool disabled;
};

constexpr std::size_t kTemplateEntryCount = 322;
std::span<const TemplateEntry> templateEntries();

// The four submenus of File that the table's entries hang from.
constexpr const char* kTemplateRoots[] = {"Templates", "Module programs", "DemoKit", "Factory programs"};

// The file an entry opens in the interface language in force.
std::string templateRelativePath(const TemplateEntry& entry);

// The rule of every item: the disclaimer first where the item asks for it; the open itself is
// the main window's (opener, given the full name).
void templateItemClick(const TemplateEntry& entry, void (*opener)(const std::string& fullName));

}  // namespace kestrion
