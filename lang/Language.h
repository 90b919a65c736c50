// The interface language: six one-hot flags chosen from the language index, the option byte that
// shares their unit, and the common questions in each language.
#pragma once

#include <cstdint>
#include <string>

#include "model/ladder/CanvasTexts.h"

namespace kestrion {

enum class Language : int {
    English = 0,
    TraditionalChinese = 1,
    SimplifiedChinese = 2,
    Japanese = 3,
    Spanish = 4,
    Turkish = 5,
};

// optionFlags bits.
constexpr std::uint8_t kOptionProgramOpen = 0x01;  // bProgramOpen
constexpr std::uint8_t kOptionMoreView = 0x02;
constexpr std::uint8_t kOptionDeveloperViews = 0x04;
constexpr std::uint8_t kOptionDcnFileRead = 0x08;
constexpr std::uint8_t kOptionReserved20 = 0x20;

// The whole state of the folder; the names below are references into langState.
struct LangState {
    bool bEnglish = true;
    bool bTraditionalChinese = false;
    bool bSimplifiedChinese = false;
    bool bJapanese = false;
    bool bSpanish = false;
    bool bTurkish = false;
    std::uint8_t optionFlags = 0;
};
extern LangState langState;

// Exactly one is set at any time.
extern bool& bEnglish;
extern bool& bTraditionalChinese;
extern bool& bSimplifiedChinese;
extern bool& bJapanese;
extern bool& bSpanish;
extern bool& bTurkish;

extern std::uint8_t& optionFlags;

// What the user changed in the open program's data (its registers, parameters, keyword, title,
// monitored devices) goes with its next save: the program is marked modified, so that Exit, the
// close box, New, Open and a logout ask first. With no program open there is nothing to save and
// nothing is marked (the Option items work on the start-up image then).
void markOpenProgramModified();

// Sets the flags for a language index; an index outside 0..5 selects English. Returns the language
// that is now in force.
Language selectLanguageFlags(int languageNo);
// The language of the flags, English when none is set.
Language currentLanguage();
// False only before a language was chosen (or when a test clears every flag).
bool languageFlagSet();

// The common questions, in the current language.
std::string getMsgSaveBeforeClose();
std::string getMsgSaveBeforeExit();
std::string getMsgFileExistsOverwrite();
// The text of a refused instruction word; "InstructionCodeError" without a language.
std::string getMsgInstructionCodeError();
// The device-too-much text of the too-wide ladder: English, also for the languages without a text
// of their own, the two Chinese texts, and "DeviceTooMuchError" while no language flag is set.
std::string deviceTooMuchText();

// The canvas's texts (model/ladder/CanvasTexts.h) in the interface language; the program installs
// them at start-up.
class LanguageCanvasTexts final : public CanvasTexts {
public:
    std::string deviceTooMuch() override { return deviceTooMuchText(); }
};

}  // namespace kestrion
