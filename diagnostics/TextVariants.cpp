#include "diagnostics/TextVariants.h"

#include "lang/Language.h"

namespace kestrion {

TextVariant currentTextVariant() {
    if (bTraditionalChinese) return TextVariant::TraditionalChinese;
    if (bSimplifiedChinese) return TextVariant::SimplifiedChinese;
    return TextVariant::English;
}

const char* textIn(const TextVariants& texts, TextVariant variant) {
    switch (variant) {
        case TextVariant::TraditionalChinese: return texts.traditionalChinese;
        case TextVariant::SimplifiedChinese: return texts.simplifiedChinese;
        case TextVariant::English: break;
    }
    return texts.english;
}

}  // namespace kestrion
