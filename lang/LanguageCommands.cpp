#include "lang/LanguageCommands.h"

#include <array>

#include "lang/HelpCommands.h"
#include "lang/Language.h"
#include "lang/MenuState.h"
#include "model/image/ModeData.h"
#include "model/ladder/EditorState.h"

namespace kestrion {

namespace {

// In the order of the language index.
constexpr std::array<const char*, kLanguageCount> kLanguageItems = {
    "English1", "TraditionalChinese1", "SimplifiedChinese1", "JapaneseLanguage1", "Spanish1", "Turkish1"};

constexpr MenuRowKind kItem = MenuRowKind::Item;

// clang-format off
constexpr MenuRow kRows[] = {
    {kItem, "English1", "English", "LanguageMenu", 10, English1Click, {.checkable = true}},
    {kItem, "TraditionalChinese1", "繁體中文", "LanguageMenu", 20, TraditionalChinese1Click, {.checkable = true}},
    {kItem, "SimplifiedChinese1", "简体中文", "LanguageMenu", 30, SimplifiedChinese1Click, {.checkable = true}},
    {kItem, "JapaneseLanguage1", "日本語", "LanguageMenu", 40, JapaneseLanguage1Click, {.checkable = true}},
    {kItem, "Spanish1", "Español", "LanguageMenu", 50, Spanish1Click, {.checkable = true}},
    {kItem, "Turkish1", "Türkçe", "LanguageMenu", 60, Turkish1Click, {.checkable = true}},
    {kItem, "About1", "&About...", "HelpMenu", 90, About1Click},
};
// clang-format on

}  // namespace

void languageClick(int languageNo) {
    hideMenusBeforeLanguage();
    const auto language = static_cast<std::size_t>(selectLanguageFlags(languageNo));
    ModeData.languageNo = static_cast<std::uint32_t>(language);
    for (std::size_t i = 0; i < kLanguageItems.size(); ++i)
        menuItem(kLanguageItems[i]).checked = i == language;
    // The comments in the ladder are read in the code page of the new language.
    requestLadderRedraw();
}

void English1Click() {
    languageClick(0);
}
void TraditionalChinese1Click() {
    languageClick(1);
}
void SimplifiedChinese1Click() {
    languageClick(2);
}
void JapaneseLanguage1Click() {
    languageClick(3);
}
void Spanish1Click() {
    languageClick(4);
}
void Turkish1Click() {
    languageClick(5);
}

void hideMenusBeforeLanguage() {
    menuItem("mmWizard").visible = false;
}

MenuTable languageMenuRows() {
    return kRows;
}

}  // namespace kestrion
