// The diagnostic texts exist in three variants: English, Traditional Chinese and Simplified Chinese.
// The other interface languages read the English one.
#pragma once

namespace kestrion {

struct TextVariants {
    const char* english;
    const char* traditionalChinese;
    const char* simplifiedChinese;
};

// A text that reads the same in every language.
constexpr TextVariants englishEverywhere(const char* text) {
    return {text, text, text};
}
// A text whose Simplified-Chinese variant is the English one.
constexpr TextVariants englishInSimplified(const char* english, const char* traditionalChinese) {
    return {english, traditionalChinese, english};
}

// Stands for a code that the PLC defines but that has no explanation; the same in every language.
inline constexpr TextVariants kNoDescriptionText = englishEverywhere(" ...There is no description ...");
inline constexpr TextVariants kEmptyText = englishEverywhere("");

enum class TextVariant { English, TraditionalChinese, SimplifiedChinese };

// The variant of the interface language: Traditional Chinese is tested first, any language other
// than the two Chinese ones reads English.
TextVariant currentTextVariant();

const char* textIn(const TextVariants& texts, TextVariant variant);

}  // namespace kestrion
