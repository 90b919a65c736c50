#include "diagnostics/ErrorHistoryTexts.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
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

TEST_F(ErrorHistoryTextsTest, TextsOfTheListedCodes) {
    const struct {
        int languageNo;
        std::int16_t code;
        std::string expected;
    } cases[] = {
        {kEnglish, 0, " ...No Error..."},
        {kEnglish, -1, " ...No Error..."},
        {kEnglish, 6126, " ...No Error..."},
        {kEnglish, 6105, " ...LED Display abnormal ..."},
        {kEnglish, 6302, " ...The sum check result of communication potr1 is error ..."},
        {kEnglish, 6303, " ...The sum check result of communication potr1 is error ..."},
        {kEnglish, 6508, " ...This is 32bits instruction, system stop to operate ..."},
        {kEnglish, 6208, " ...There is no description ..."},
        {kEnglish, 6701, " ...There is no description ..."},
        {kEnglish, 6116, k6116English},
        {kTraditional, 6125, " ...G08 position error ..."},
        {kSimplified, 6125, " ...G08 position error ..."},
        {kTraditional, 6123, " ...G08 位置錯誤，餘數過大 ..."},
        {kSimplified, 6124, " ...G08 位置错误，余数为负 ..."},
        {kTraditional, 6302, " ...通訊埠1的總和檢查(1)結果錯誤 ..."},
        {kTraditional, 6303, " ...通訊埠1的總和檢查(2)結果錯誤 ..."},
        {kSimplified, 6105, " ...LED 显示器异常 ..."},
        {kTraditional, 0, " ...No Error..."},
        {kSimplified, 6001, " ...There is no description ..."},
        {3, 6101, " ...System hardware RAM Error ..."},  // Japanese reads English
        {4, 6101, " ...System hardware RAM Error ..."},
        {5, 6101, " ...System hardware RAM Error ..."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.languageNo) + "/" + std::to_string(c.code));
        selectLanguageFlags(c.languageNo);
        EXPECT_EQ(textOf(c.code), c.expected);
    }
}

TEST_F(ErrorHistoryTextsTest, TheLongestTextKeepsItsBlanksBetweenTheSentences) {
    const std::string text = textOf(6116);
    EXPECT_EQ(text.size(), 142u);
    const std::size_t comma = text.find(',');
    EXPECT_EQ(text.find_first_not_of(' ', comma + 1) - comma - 1, 27u);
}

TEST_F(ErrorHistoryTextsTest, CodesOfTheErrorRegistersOnlyReadAsNoError) {
    for (std::int16_t code : {6128, 6131, 6132, 6133, 6134, 6138, 6139, 6190, 6193, 6194, 6196, 6198, 6298,
                              6299, 6398, 6399, 6510, 6511, 6517, 6518, 6519, 6725, 6726, 6727, 6799}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(textOf(code), " ...No Error...");
    }
}

TEST_F(ErrorHistoryTextsTest, TheEmptyTextEndsAtTheFirstByte) {
    textOf(6116);
    for (std::int16_t code : {6901, 6905, 6909}) {
        SCOPED_TRACE(code);
        getErrorCodeText(errorCodeText, code);
        EXPECT_EQ(errorCodeText[0], '\0');
    }
}

TEST_F(ErrorHistoryTextsTest, EachCallReplacesTheText) {
    textOf(6116);
    EXPECT_EQ(textOf(6107), " ...power abnormal ...");
}

TEST_F(ErrorHistoryTextsTest, TheFieldHoldsAtMost255BytesAndNoBrokenCharacter) {
    const struct {
        const char* name;
        std::string text;
        std::string stored;
    } cases[] = {
        {"fits", std::string(255, 'x'), std::string(255, 'x')},
        {"too long", std::string(300, 'x'), std::string(255, 'x')},
        {"character across the bound", std::string(254, 'x') + "錯", std::string(254, 'x')},
        {"character up to the bound", std::string(252, 'x') + "錯誤", std::string(252, 'x') + "錯"},
        {"empty", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        errorCodeText.fill('?');
        storeErrorCodeText(errorCodeText, c.text);
        EXPECT_EQ(std::string(errorCodeText.data()), c.stored);
        EXPECT_EQ(errorCodeText[c.stored.size()], '\0');
    }
}

// ---- The table against the list it was written from ----------------------------------------------

bool isAscii(const char* text) {
    return std::all_of(text, text + std::strlen(text),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

TEST(ErrHistoryCodesTable, OneRowPerListedCode) {
    std::set<int> expected;
    for (int first : {6001, 6201, 6301, 6401, 6501, 6601, 6701, 6801, 6901}) {
        for (int code = first; code < first + 9; ++code) expected.insert(code);
    }
    for (int code = 6101; code <= 6125; ++code) expected.insert(code);
    std::set<int> found;
    for (const ErrHistoryRow& row : errHistoryCodes) {
        EXPECT_TRUE(found.insert(row.code).second) << "duplicate row " << row.code;
    }
    EXPECT_EQ(found, expected);
}

TEST(ErrHistoryCodesTable, EveryRowHasAllThreeTextsAndTheyFitTheField) {
    std::size_t longestEnglish = 0;
    for (const ErrHistoryRow& row : errHistoryCodes) {
        SCOPED_TRACE(row.code);
        for (const char* text : {row.text.english, row.text.traditionalChinese, row.text.simplifiedChinese}) {
            ASSERT_NE(text, nullptr);
            EXPECT_LE(std::strlen(text), 255u);
            if (row.code >= 6901) {
                EXPECT_STREQ(text, "");
            } else {
                ASSERT_GT(std::strlen(text), 1u);
                EXPECT_EQ(text[0], ' ');
            }
        }
        longestEnglish = std::max(longestEnglish, std::strlen(row.text.english));
    }
    EXPECT_EQ(longestEnglish, 142u);
}

TEST(ErrHistoryCodesTable, EnglishRowsAreEnglishAndTheOthersChinese) {
    for (const ErrHistoryRow& row : errHistoryCodes) {
        SCOPED_TRACE(row.code);
        const std::string english = row.text.english;
        if (english.empty() || english == " ...There is no description ..." || row.code == 6125) {
            EXPECT_EQ(row.text.traditionalChinese, english);
            EXPECT_EQ(row.text.simplifiedChinese, english);
        } else {
            EXPECT_FALSE(isAscii(row.text.traditionalChinese)) << row.text.traditionalChinese;
            EXPECT_FALSE(isAscii(row.text.simplifiedChinese)) << row.text.simplifiedChinese;
        }
    }
}

// The two tables are kept apart because they differ; where they say the same in English they must
// say the same in Chinese too.
TEST(ErrHistoryCodesTable, AgreesWithTheErrorRegisterTableWhereTheEnglishAgrees) {
    int compared = 0;
    for (const ErrHistoryRow& history : errHistoryCodes) {
        for (const ErrRegisterRow& reg : errRegisterCodes) {
            if (reg.code != history.code || std::strcmp(reg.text.english, history.text.english) != 0)
                continue;
            SCOPED_TRACE(history.code);
            ++compared;
            EXPECT_STREQ(reg.text.traditionalChinese, history.text.traditionalChinese);
            EXPECT_STREQ(reg.text.simplifiedChinese, history.text.simplifiedChinese);
        }
    }
    EXPECT_GT(compared, 50);
}

// Each Chinese column is written in its own script: a character whose two forms differ never shows
// in the other column's form.
TEST(ErrorTextsScript, TraditionalAndSimplifiedColumnsUseTheirOwnCharacterForms) {
    // Traditional form, then simplified form, of the characters these texts use.
    const std::pair<std::string, std::string> forms[] = {
        {"錯", "错"}, {"誤", "误"}, {"統", "统"}, {"體", "体"}, {"數", "数"}, {"據", "据"}, {"時", "时"},
        {"設", "设"}, {"計", "计"}, {"讀", "读"}, {"輸", "输"}, {"過", "过"}, {"長", "长"}, {"間", "间"},
        {"電", "电"}, {"與", "与"}, {"為", "为"}, {"點", "点"}, {"圓", "圆"}, {"線", "线"}, {"續", "续"},
        {"運", "运"}, {"轉", "转"}, {"執", "执"}, {"應", "应"}, {"無", "无"}, {"異", "异"}, {"檢", "检"},
        {"測", "测"}, {"結", "结"}, {"終", "终"}, {"監", "监"}, {"碼", "码"}, {"個", "个"}, {"兩", "两"},
        {"將", "将"}, {"動", "动"}, {"斷", "断"}, {"換", "换"}, {"脈", "脉"}, {"複", "复"}, {"備", "备"},
        {"質", "质"}, {"連", "连"}, {"負", "负"}, {"顯", "显"}, {"於", "于"}, {"標", "标"}, {"徑", "径"},
        {"餘", "余"}, {"沒", "没"}, {"請", "请"}, {"繼", "继"}, {"驗", "验"}, {"發", "发"}, {"儲", "储"},
    };
    std::vector<TextVariants> texts;
    for (const ErrHistoryRow& row : errHistoryCodes) texts.push_back(row.text);
    for (const ErrRegisterRow& row : errRegisterCodes) texts.push_back(row.text);
    for (const TextVariants& text : texts) {
        const std::string traditional = text.traditionalChinese;
        const std::string simplified = text.simplifiedChinese;
        for (const auto& [traditionalForm, simplifiedForm] : forms) {
            EXPECT_EQ(traditional.find(simplifiedForm), std::string::npos) << traditional;
            EXPECT_EQ(simplified.find(traditionalForm), std::string::npos) << simplified;
        }
    }
}

}  // namespace
}  // namespace kestrion
