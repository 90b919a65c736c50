// The Language menu: the interface language chosen, kept in the settings and shown at once (the
// window captions its menus anew whenever the language differs from the one it shows).
#pragma once

#include "lang/MenuTable.h"

namespace kestrion {

void English1Click();
void TraditionalChinese1Click();
void SimplifiedChinese1Click();
void JapaneseLanguage1Click();
void Spanish1Click();
void Turkish1Click();
// The item of a language index 0 to 5; any other index is English. Start-up runs it with the
// index of the settings.
void languageClick(int languageNo);

// The menus that stay out of sight whatever the language.
void hideMenusBeforeLanguage();

// The Language menu's items and the Help menu's About.
MenuTable languageMenuRows();

}  // namespace kestrion
