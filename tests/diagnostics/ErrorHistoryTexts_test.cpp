#include "diagnostics/ErrorHistoryTexts.h"

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "diagnostics/ErrorRegisterTexts.h"
#include "lang/Language.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

constexpr int kEnglish = 0, kTraditional = 1, kSimplified = 2;

const std::string k6116English =
    " ...FNC(59)PLSR command code duplicate," + std::string(27, ' ') +
    "May be the previous motion command not finish then change to another command";

class ErrorHistoryTextsTest : public test::CoreTest {
protected:
    std::string textOf(std::int16_t code) {
        getErrorCodeText(errorCodeText, code);
        return errorCodeText.data();
    }
    ErrorCodeText errorCodeText{};
};

// The codes of the error registers themselves read as no error; 6905 has the empty text, which
// leaves nothing of the text before it.
TEST_F(ErrorHistoryTextsTest, TextsOfTheListedCodes) {
    // clang-format off
    const std::tuple<int, std::int16_t, std::string> cases[] = {
        {kEnglish, 6126, " ...No Error..."}, {kEnglish, 6105, " ...LED Display abnormal ..."},
        {kEnglish, 6208, " ...There is no description ..."}, {kEnglish, 6116, k6116English},
        {kEnglish, 6905, ""}, {kEnglish, 6128, " ...No Error..."}, {kEnglish, 6198, " ...No Error..."},
        {kEnglish, 6298, " ...No Error..."}, {kEnglish, 6399, " ...No Error..."},
        {kEnglish, 6517, " ...No Error..."}, {kEnglish, 6799, " ...No Error..."},
        {kTraditional, 6123, " ...G08 位置錯誤，餘數過大 ..."}, {kSimplified, 6124, " ...G08 位置错误，余数为负 ..."},
        {kSimplified, 6001, " ...There is no description ..."},
        {3, 6101, " ...System hardware RAM Error ..."},  // Japanese reads English
    };
    // clang-format on
    for (const auto& [languageNo, code, expected] : cases) {
        selectLanguageFlags(languageNo);
        EXPECT_EQ(textOf(code), expected) << languageNo << "/" << code;
    }
}

TEST_F(ErrorHistoryTextsTest, TheFieldHoldsAtMost255BytesAndNoBrokenCharacter) {
    // Fits, too long, a character across the bound, a character up to the bound.
    const std::pair<std::string, std::string> cases[] = {
        {std::string(255, 'x'), std::string(255, 'x')},
        {std::string(300, 'x'), std::string(255, 'x')},
        {std::string(254, 'x') + "錯", std::string(254, 'x')},
        {std::string(252, 'x') + "錯誤", std::string(252, 'x') + "錯"}};
    for (const auto& [text, stored] : cases) {
        errorCodeText.fill('?');
        storeErrorCodeText(errorCodeText, text);
        EXPECT_EQ(std::string(errorCodeText.data()), stored) << text.size();
        EXPECT_EQ(errorCodeText[stored.size()], '\0');
    }
}

}  // namespace
}  // namespace kestrion
