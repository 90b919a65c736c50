// A row of a menu table. Each subsystem lists its own menus and items; the main window builds its
// menu bar from the rows of every subsystem, so a new command adds a row, not a window slot. The
// caption is the English one; the other languages come from the text table (lang/Texts.h).
#pragma once

#include <span>

namespace kestrion {

enum class MenuRowKind { Menu, Item };

// What a row has beyond its place and command, named where a row gives it:
// {kItem, "Print1", "&Print", "FileMenu", 70, Print1Click, {.disabled = true}}. The shortcut comes
// first so that a bare true or false after the command does not compile.
struct MenuRowOptions {
    const char* shortcut = "";  // key sequence in portable text ("Ctrl+Z"); "" for none
    bool hidden = false;        // out of sight until something shows it
    bool checkable = false;     // carries a check mark
    bool disabled = false;      // greyed out until something enables it
    // The entry of the text table (lang/Texts.cpp) that captions the row in every language; ""
    // takes the entry of the object name. Without an entry the caption above shows in every language.
    const char* textId = "";
};

struct MenuRow {
    MenuRowKind kind = MenuRowKind::Item;
    const char* objectName = "";
    const char* caption = "";     // '&' marks the access key
    const char* parent = "";      // object name of the menu that holds the row; "" for the menu bar
    int position = 0;             // place among the rows of the same menu, lower first
    void (*command)() = nullptr;  // what an item runs; an item without one does nothing
    MenuRowOptions options = {};
};

using MenuTable = std::span<const MenuRow>;

}  // namespace kestrion
