#include "lang/Texts.h"

#include <map>
#include <set>
#include <tuple>

#include "app/AppMenu.h"
#include "app/TemplateCommands.h"
#include "app/ToolButtons.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

const char* const kLanguageNames[] = {
    "English", "Traditional Chinese", "Simplified Chinese", "Japanese", "Spanish", "Turkish"};

// Texts that exist in English and the two Chinese languages only; the others show English.
const std::set<std::string> kEnglishAndChineseOnly = {"getMsgDeviceTooMuch"};

// The developer menus keep the names of what they show.
const std::set<std::string> kDeveloperMenus = {"xTHIS", "xRS"};

bool underDeveloperMenu(const MenuRow& row, const std::map<std::string, const MenuRow*>& byName) {
    for (const MenuRow* at = &row; at != nullptr;) {
        if (kDeveloperMenus.count(at->objectName) != 0) return true;
        const auto parent = byName.find(at->parent);
        at = parent != byName.end() ? parent->second : nullptr;
    }
    return false;
}

bool hasLetter(const char* caption) {
    for (const char* c = caption; *c != '\0'; ++c)
        if (std::isalpha(static_cast<unsigned char>(*c)) || static_cast<unsigned char>(*c) >= 0x80)
            return true;
    return false;
}

// The access key of a caption in upper case ("" without one): the character after a single '&'.
std::string accessKey(const std::string& caption) {
    for (std::size_t at = 0; at + 1 < caption.size(); ++at) {
        if (caption[at] != '&') continue;
        if (caption[at + 1] == '&') {
            ++at;
            continue;
        }
        std::size_t length = 1;
        while (at + 1 + length < caption.size() &&
               (static_cast<unsigned char>(caption[at + 1 + length]) & 0xC0) == 0x80)
            ++length;
        std::string key = caption.substr(at + 1, length);
        if (length == 1) key[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(key[0])));
        return key;
    }
    return "";
}

// Everything a translator still has to do, one line each, in the form of the table's rows where a
// row is missing; empty when every menu row of every table and every text has its six languages.
std::vector<std::string> translationGaps() {
    std::vector<std::string> gaps;
    const std::vector<MenuRow> rows = mainMenuRows();
    std::map<std::string, const MenuRow*> byName;
    for (const MenuRow& row : rows) byName[row.objectName] = &row;
    std::set<std::string> templateNames;
    for (const MenuRow& row : templateMenuRows()) templateNames.insert(row.objectName);

    for (const MenuRow& row : rows) {
        if (underDeveloperMenu(row, byName) || !hasLetter(row.caption)) continue;
        const std::string id(captionId(row));
        const TextEntry* entry = findText(id);
        // The example programs keep the names of their files; their submenus are translated.
        if (entry == nullptr && templateNames.count(row.objectName) != 0) continue;
        if (entry == nullptr) {
            gaps.push_back("no text: {\"" + id + "\", {\"" + row.caption +
                           "\", \"\", \"\", \"\", \"\", \"\"}},  // " + row.parent);
        } else if (std::string(entry->text[0]) != row.caption) {
            gaps.push_back("changed: " + id + " is \"" + row.caption + "\" in its menu table, \"" +
                           entry->text[0] + "\" in the text table");
        }
    }
    std::set<std::string> ids;
    for (const TextEntry& entry : textTable()) {
        if (!ids.insert(entry.id).second) gaps.push_back(std::string("id twice: ") + entry.id);
        for (std::size_t language = 0; language < kLanguageCount; ++language) {
            const char* text = entry.text[language];
            const bool englishOnly = kEnglishAndChineseOnly.count(entry.id) != 0 && language >= 3;
            if (text == nullptr && !englishOnly)
                gaps.push_back(std::string("no ") + kLanguageNames[language] + ": " + entry.id);
            else if (text != nullptr && *text == '\0')
                gaps.push_back(std::string("empty in ") + kLanguageNames[language] + ": " + entry.id);
        }
    }
    // A tool button shows a short text of its own; one without would stay English.
    for (const ToolButtonRow& button : toolButtonRows())
        if (findText(button.textId) == nullptr)
            gaps.push_back(std::string("tool button without a text: ") + button.objectName);
    for (std::size_t language = 0; language < kLanguageCount; ++language) {
        std::map<std::pair<std::string, std::string>, std::string> taken;  // (menu, key) -> row
        for (const MenuRow& row : rows) {
            const std::string key = accessKey(menuCaption(row, static_cast<Language>(language)));
            if (key.empty()) continue;
            const auto [at, added] =
                taken.emplace(std::make_pair(std::string(row.parent), key), row.objectName);
            if (!added)
                gaps.push_back(std::string("access key ") + key + " twice in " +
                               (*row.parent != '\0' ? row.parent : "the menu bar") + " (" +
                               kLanguageNames[language] + "): " + at->second + ", " + row.objectName);
        }
    }
    return gaps;
}

// Rows that other work adds later show their English caption until their texts are added: this
// lists exactly what lang/Texts.cpp still lacks.
TEST(TextsTest, EveryMenuRowAndTextHasSixLanguagesAndNoMenuAnAccessKeyTwice) {
    std::string listed;
    for (const std::string& gap : translationGaps()) listed += gap + "\n";
    EXPECT_EQ(listed, "");
}

TEST(TextsTest, ButtonsAndTitlesShowAMenuCaptionWithoutItsAccessKey) {
    const std::pair<const char*, const char*> cases[] = {
        {"&Open...", "Open"},
        {"開く(&O)...", "開く"},
        {"Save &As...", "Save As"},
        {"Start Monitor ...", "Start Monitor"},
        {"R&&D", "R&D"},
        {"Dü&zen", "Düzen"},
        {"(Y) &Help", "(Y) Help"},  // brackets that hold no access key stay
    };
    for (const auto& [caption, shown] : cases) EXPECT_EQ(withoutAccessKey(caption), shown) << caption;
}

// The status bar keeps the numbers and names around its phrases; the core's English text is what
// an unknown text and English show.
TEST(TextsTest, TheStatusBarShowsItsPhrasesInTheLanguage) {
    const std::tuple<const char*, Language, const char*> cases[] = {
        {"Open COM3 and setting baudrate to 9600", Language::TraditionalChinese, "開啟 COM3，鮑率設為 9600"},
        {"Program step [6/2000]", Language::Japanese, "プログラムステップ [6/2000]"},
        {"Can't open this com port ...", Language::Spanish, "No se puede abrir este puerto COM ..."},
        {"Program step [6/2000]", Language::English, "Program step [6/2000]"},
        {"27,/tmp/Open COM.PMW", Language::Turkish, "27,/tmp/Open COM.PMW"},
        {"iType=3", Language::SimplifiedChinese, "iType=3"},
        {"Program step [Open COM]", Language::TraditionalChinese, "程式步數 [Open COM]"},
    };
    for (const auto& [text, language, shown] : cases) EXPECT_EQ(statusText(text, language), shown) << text;
}

TEST(TextsTest, ACaptionTheCoreHandsOverInEnglishIsShownInTheLanguage) {
    EXPECT_EQ(translated("Keyword setting", Language::Spanish), "Configurar palabra clave");
    EXPECT_EQ(translated("Read program progress...", Language::SimplifiedChinese), "读取程序中...");
    EXPECT_EQ(translated("Msg2015032002", Language::Japanese), "Msg2015032002");
}

}  // namespace
}  // namespace kestrion
