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

// What an item acts on; its kind says which one it has.
struct TemplateTarget {
    const char* file = "";        // Gated, Direct, Language: relative to the installation folder, '\'
    const char* fileT = "";       // Language: the file under "\Template\T\"
    const char* boxCaption = "";  // Placeholder: the caption of its box
    const char* chart = "";       // FlowChart: which chart
    const char* objectName = "";  // LinkSetup: the item the main window runs
};

struct TemplateRowOptions {
    bool hidden = false;    // out of sight
    bool disabled = false;  // greyed out
};

// A row of the table. Its target and options are named (designated initialisers), so a row never
// reads as a list of bare flags.
struct TemplateEntry {
    constexpr TemplateEntry(const char* parentChain, const char* itemCaption, TemplateKind itemKind,
                            TemplateTarget itemTarget = {}, TemplateRowOptions rowOptions = {})
        : parent(parentChain),
          caption(itemCaption),
          kind(itemKind),
          target(itemTarget),
          options(rowOptions) {}

    const char* parent;  // the captions of the submenus that hold it, joined by '>'; "" under File
    const char* caption;
    TemplateKind kind;
    TemplateTarget target;
    TemplateRowOptions options;
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
