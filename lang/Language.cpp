#include "lang/Language.h"

#include <array>

#include "model/core/StateRegistry.h"
#include "model/ladder/VirtualCanvas.h"

namespace kestrion {

LangState langState;
bool& bEnglish = langState.bEnglish;
bool& bTraditionalChinese = langState.bTraditionalChinese;
bool& bSimplifiedChinese = langState.bSimplifiedChinese;
bool& bJapanese = langState.bJapanese;
bool& bSpanish = langState.bSpanish;
bool& bTurkish = langState.bTurkish;
std::uint8_t& optionFlags = langState.optionFlags;

namespace {

using Texts = std::array<const char*, 6>;  // indexed by Language

const Texts saveBeforeClose = {
    "Do you want to save current file before close ?",
    "關閉前要儲存目前的檔案嗎 ?",
    "关闭前要保存当前的文件吗 ?",
    "閉じる前に現在のファイルを保存しますか ?",
    "¿ Desea guardar el archivo actual antes de cerrar ?",
    "Kapatmadan önce geçerli dosyayı kaydetmek istiyor musunuz ?",
};

const Texts saveBeforeExit = {
    "Do you want to save current file before exit ?",
    "結束前要儲存目前的檔案嗎 ?",
    "退出前要保存当前的文件吗 ?",
    "終了する前に現在のファイルを保存しますか ?",
    "¿ Desea guardar el archivo actual antes de salir ?",
    "Çıkmadan önce geçerli dosyayı kaydetmek istiyor musunuz ?",
};

const Texts fileExistsOverwrite = {
    "This file has existed, do you want to overwrite ?",
    "此檔案已存在，要覆蓋嗎 ?",
    "此文件已存在，要覆盖吗 ?",
    "このファイルは既に存在します。上書きしますか ?",
    "Este archivo ya existe, ¿ desea sobrescribirlo ?",
    "Bu dosya zaten var, üzerine yazmak istiyor musunuz ?",
};

std::string inCurrentLanguage(const Texts& texts) {
    return texts[static_cast<std::size_t>(currentLanguage())];
}

}  // namespace

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

std::string getMsgSaveBeforeClose() {
    return inCurrentLanguage(saveBeforeClose);
}
std::string getMsgSaveBeforeExit() {
    return inCurrentLanguage(saveBeforeExit);
}
std::string getMsgFileExistsOverwrite() {
    return inCurrentLanguage(fileExistsOverwrite);
}
std::string deviceTooMuchText() {
    if (bTraditionalChinese) return "元件數量過多錯誤 ... ";
    if (bSimplifiedChinese) return "元件数量过多错误 ... ";
    if (bEnglish || bJapanese || bSpanish || bTurkish) return "Device too much error ... ";
    return "DeviceTooMuchError";
}

std::string getMsgInstructionCodeError() {
    return "InstructionCodeError";
}

namespace {

[[maybe_unused]] const bool registered = state::registerReset("lang", [] { langState = {}; });
// The canvas is below this floor: it asks for the text through the source installed here.
[[maybe_unused]] const bool deviceTooMuchInstalled = (setDeviceTooMuchSource(deviceTooMuchText), true);

}  // namespace

}  // namespace kestrion
