// The texts of the interface in the six languages: the menu captions and the common messages. One
// table holds them, keyed by a text id (a menu row's object name, a getter's name); every caption
// setter and message getter reads it, so a translation is added in one place.
#pragma once

#include <array>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "lang/Language.h"
#include "lang/MenuTable.h"
#include "model/image/ModeData.h"

namespace kestrion {

struct TextEntry {
    const char* id;
    // English, Traditional Chinese, Simplified Chinese, Japanese, Spanish, Turkish (the order of
    // Language), UTF-8. A null text shows the English one: the texts that exist in English and the
    // two Chinese languages only.
    std::array<const char*, kLanguageCount> text;
};

// Every text: the menus and messages, then the windows' own (tool bars, status bar, dialogs).
std::span<const TextEntry> textTable();
// The texts of the windows (lang/WindowTexts.cpp).
std::span<const TextEntry> windowTextTable();
// The phrases of the status bar shown in the interface language: the one a panel's text starts with,
// and after it those that start with a blank and join two values; the values stay as they are.
std::span<const TextEntry> statusPhraseTable();

// The entry of an id; null when the table has none.
const TextEntry* findText(std::string_view id);

// The text of an id in a language (English where the entry has no text of that language); the
// id itself when the table has no entry.
std::string textOf(std::string_view id, Language language);
std::string textOf(std::string_view id);
// The text of an id in the interface language with its places %1, %2, ... filled by the values.
std::string textWith(std::string_view id, std::initializer_list<std::string> values);

// A window's text that the core hands over in English (a dialog's caption, a field's label) in a
// language; the text as it is when the table does not hold it.
std::string translated(std::string_view english, Language language);

// The id that captions a menu row: its own text id, or its object name.
std::string_view captionId(const MenuRow& row);

// The caption of a menu row in a language: the table's text when it has an entry for the row, the
// row's own (English) caption otherwise.
std::string menuCaption(const MenuRow& row, Language language);

// A menu caption as a button or a window title shows it: no access key (neither "&F" nor "(&F)")
// and no trailing "...".
std::string withoutAccessKey(std::string_view caption);

// A status panel's text (UTF-8) with its known phrases in the language.
std::string statusText(std::string_view text, Language language);

}  // namespace kestrion
