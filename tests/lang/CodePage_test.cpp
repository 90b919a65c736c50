#include "lang/CodePage.h"

#include "support/Fixture.h"

namespace kestrion {
namespace {

class CodePageTest : public testing::CoreTest {};

TEST_F(CodePageTest, FileBytesAreReadInTheCodePageOfTheLanguage) {
    struct Case {
        Language language;
        std::string bytes;
        std::string shown;
    } cases[] = {
        {Language::TraditionalChinese, "\xB5\x4C\xAA\x6B\xB6\x7D\xB1\xD2\xB3\x71\xB0\x54\xA4\x66 COM2",
         "無法開啟通訊口 COM2"},
        {Language::SimplifiedChinese, "\xCE\xDE\xB7\xA8\xBF\xAA\xC6\xF4\xCD\xA8\xD1\xB6\xBF\xDA", "无法开启通讯口"},
        {Language::Japanese, "\x83\x74\x83\x40\x83\x43\x83\x8B", "ファイル"},
        {Language::English, "Caf\xE9 \xBF\x80", "Café ¿€"},
        {Language::Spanish, "\xBF Desea", "¿ Desea"},
        {Language::Turkish, "\xFD\xD0\xFE", "ıĞş"},
        {Language::English, "\xFD\xD0\xFE", "ýÐþ"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        EXPECT_EQ(textForDisplay(c.bytes, c.language), c.shown);
    }
}

TEST_F(CodePageTest, ValidUtf8IsShownAsItStandsInEveryLanguage) {
    for (const Language language : {Language::English, Language::TraditionalChinese, Language::Japanese})
        EXPECT_EQ(textForDisplay("Café 程式 ¿", language), "Café 程式 ¿");
}

TEST_F(CodePageTest, BytesTheCodePageLacksBecomeOneMarkEach) {
    EXPECT_EQ(textForDisplay("a\x81\x8D" "b", Language::English), "a\xEF\xBF\xBD\xEF\xBF\xBD" "b");
    // A Big5 pair cut off at the end.
    EXPECT_EQ(textForDisplay("\xB5\x4C\xAA", Language::TraditionalChinese), "無\xEF\xBF\xBD");
}

TEST_F(CodePageTest, TheCurrentLanguageChoosesTheCodePage) {
    selectLanguageFlags(1);
    EXPECT_EQ(textForDisplay("\xB5\x7B\xA6\xA1"), "程式");
    selectLanguageFlags(0);
    EXPECT_EQ(textForDisplay("\xB5\x7B\xA6\xA1"), "µ{¦¡");
}

TEST_F(CodePageTest, Utf8ValidityAtTheEdgesOfEachSequence) {
    struct Case {
        std::string bytes;
        bool valid;
    } cases[] = {
        {"\x7F", true},
        {"\x80", false},
        {"\xC1\xBF", false},  // overlong
        {"\xC2\x80", true},
        {"\xDF\xBF", true},
        {"\xDF\xC0", false},
        {"\xE0\x9F\xBF", false},  // overlong
        {"\xE0\xA0\x80", true},
        {"\xED\x9F\xBF", true},
        {"\xED\xA0\x80", false},  // surrogate
        {"\xEF\xBF\xBF", true},
        {"\xEF\xBF", false},  // cut short
        {"\xF0\x8F\xBF\xBF", false},  // overlong
        {"\xF0\x90\x80\x80", true},
        {"\xF4\x8F\xBF\xBF", true},
        {"\xF4\x90\x80\x80", false},  // past U+10FFFF
        {"\xF5\x80\x80\x80", false},
        {"\xF0\x90\x80\x7F", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.bytes));
        EXPECT_EQ(isValidUtf8(c.bytes), c.valid);
    }
}

}  // namespace
}  // namespace kestrion
