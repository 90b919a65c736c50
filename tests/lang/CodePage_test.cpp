#include "lang/CodePage.h"

#include "support/Fixture.h"

namespace kestrion {
namespace {

class CodePageTest : public test::CoreTest {};

TEST_F(CodePageTest, FileBytesAreReadInTheCodePageOfTheLanguage) {
    const std::string bad = "\xEF\xBF\xBD";  // one mark for each byte the code page lacks
    const std::tuple<Language, std::string, std::string> cases[] = {
        {Language::TraditionalChinese, "\xB5\x4C\xAA\x6B\xB6\x7D\xB1\xD2\xB3\x71\xB0\x54\xA4\x66 COM2",
         "無法開啟通訊口 COM2"},
        {Language::SimplifiedChinese, "\xCE\xDE\xB7\xA8\xBF\xAA\xC6\xF4\xCD\xA8\xD1\xB6\xBF\xDA",
         "无法开启通讯口"},
        {Language::Japanese, "\x83\x74\x83\x40\x83\x43\x83\x8B", "ファイル"},
        {Language::English, "Caf\xE9 \xBF\x80", "Café ¿€"},
        {Language::Spanish, "\xBF Desea", "¿ Desea"},
        {Language::Turkish, "\xFD\xD0\xFE", "ıĞş"},
        {Language::English, "\xFD\xD0\xFE", "ýÐþ"},
        {Language::TraditionalChinese, "Café 程式 ¿", "Café 程式 ¿"},  // valid UTF-8 stands as it is
        {Language::English, "a\x81\x8D!", "a" + bad + bad + "!"},
        {Language::TraditionalChinese, "\xB5\x4C\xAA", "無" + bad},  // a pair cut off at the end
    };
    for (const auto& [language, bytes, shown] : cases)
        EXPECT_EQ(textForDisplay(bytes, language), shown) << shown;
    selectLanguageFlags(1);  // without a language: the current one
    EXPECT_EQ(textForDisplay("\xB5\x7B\xA6\xA1"), "程式");
    selectLanguageFlags(0);
    EXPECT_EQ(textForDisplay("\xB5\x7B\xA6\xA1"), "µ{¦¡");
}

// Typed text goes into the code page whole characters at a time, and comes back as typed.
TEST_F(CodePageTest, TypedTextIsKeptInTheCodePageAndReadBackAsTyped) {
    struct Case {
        Language language;
        std::string typed;
        std::size_t maxBytes;
        std::string bytes;
        bool cut, unwritable;
    };
    const Case cases[] = {
        {Language::TraditionalChinese, "無法開啟通訊口", 37,
         "\xB5\x4C\xAA\x6B\xB6\x7D\xB1\xD2\xB3\x71\xB0\x54\xA4\x66", false, false},
        {Language::TraditionalChinese, "無法開", 5, "\xB5\x4C\xAA\x6B", true, false},  // never half a pair
        {Language::SimplifiedChinese, "无法开启", 8, "\xCE\xDE\xB7\xA8\xBF\xAA\xC6\xF4", false, false},
        {Language::Japanese, "ファイル", 8, "\x83\x74\x83\x40\x83\x43\x83\x8B", false, false},
        // The Japanese desktop's Shift-JIS: a backslash and a tilde stay themselves, ① is held.
        {Language::Japanese, "C:\\~①", 8, "C:\\~\x87\x40", false, false},
        {Language::English, "Café ¿€", 37, "Caf\xE9 \xBF\x80", false, false},
        {Language::Turkish, "ıĞş", 3, "\xFD\xD0\xFE", false, false},
        {Language::English, "Ã©", 37, "\xC3\xA9", false, false},  // bytes that also read as UTF-8
        {Language::English, "Pump 無", 37, "Pump ", false, true},
        {Language::English, "ABCDEFGH", 5, "ABCDE", true, false},
    };
    for (const Case& c : cases) {
        const CodePageText text = textToCodePage(c.typed, c.maxBytes, c.language);
        EXPECT_EQ(std::tie(text.bytes, text.cut, text.unwritable), std::tie(c.bytes, c.cut, c.unwritable))
            << c.typed;
        if (!c.cut && !c.unwritable) {
            EXPECT_EQ(textFromCodePage(text.bytes, c.language), c.typed);
        }
    }
}

TEST_F(CodePageTest, Utf8ValidityAtTheEdgesOfEachSequence) {
    for (const char* valid : {"\x7F", "\xC2\x80", "\xDF\xBF", "\xE0\xA0\x80", "\xED\x9F\xBF", "\xEF\xBF\xBF",
                              "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF"})
        EXPECT_TRUE(isValidUtf8(valid)) << ::testing::PrintToString(valid);
    for (const char* invalid :
         {"\x80", "\xC1\xBF", "\xDF\xC0", "\xE0\x9F\xBF", "\xED\xA0\x80", "\xEF\xBF", "\xF0\x8F\xBF\xBF",
          "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xF0\x90\x80\x7F"})
        EXPECT_FALSE(isValidUtf8(invalid)) << ::testing::PrintToString(invalid);
}

}  // namespace
}  // namespace kestrion
