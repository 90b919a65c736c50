#include "lang/Language.h"

#include "lang/MenuState.h"
#include "lang/Texts.h"
#include "model/core/StateRegistry.h"
#include "model/ladder/EditorState.h"

namespace kestrion {

LangState langState;
bool& bEnglish = langState.bEnglish;
bool& bTraditionalChinese = langState.bTraditionalChinese;
bool& bSimplifiedChinese = langState.bSimplifiedChinese;
bool& bJapanese = langState.bJapanese;
bool& bSpanish = langState.bSpanish;
bool& bTurkish = langState.bTurkish;
std::uint8_t& optionFlags = langState.optionFlags;

void markOpenProgramModified() {
    if ((optionFlags & kOptionProgramOpen) != 0) editModeFlags |= kEditModifiedSinceSave;
}

Language selectLanguageFlags(int languageNo) {
    const Language language =
        (languageNo >= 0 && languageNo <= 5) ? static_cast<Language>(languageNo) : Language::English;
    bEnglish = language == Language::English;
    bTraditionalChinese = language == Language::TraditionalChinese;
    bSimplifiedChinese = language == Language::SimplifiedChinese;
    bJapanese = language == Language::Japanese;
    bSpanish = language == Language::Spanish;
    bTurkish = language == Language::Turkish;
    return language;
}

Language currentLanguage() {
    // Tested in the order the menus and messages use.
    if (bEnglish) return Language::English;
    if (bTraditionalChinese) return Language::TraditionalChinese;
    if (bSimplifiedChinese) return Language::SimplifiedChinese;
    if (bJapanese) return Language::Japanese;
    if (bSpanish) return Language::Spanish;
    if (bTurkish) return Language::Turkish;
    return Language::English;
}

bool languageFlagSet() {
    return bEnglish || bTraditionalChinese || bSimplifiedChinese || bJapanese || bSpanish || bTurkish;
}

std::string getMsgSaveBeforeClose() {
    return textOf("getMsgSaveBeforeClose");
}
std::string getMsgSaveBeforeExit() {
    return textOf("getMsgSaveBeforeExit");
}
std::string getMsgFileExistsOverwrite() {
    return textOf("getMsgFileExistsOverwrite");
}
std::string getMsgInstructionCodeError() {
    return languageFlagSet() ? textOf("getMsgInstructionCodeError") : "InstructionCodeError";
}
std::string deviceTooMuchText() {
    return languageFlagSet() ? textOf("getMsgDeviceTooMuch") : "DeviceTooMuchError";
}

namespace {

[[maybe_unused]] const bool registered = state::registerReset("lang", [] {
    langState = {};
    resetMenuState();
});

}  // namespace

}  // namespace kestrion
