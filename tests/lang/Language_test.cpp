#include "lang/Language.h"

#include "lang/LinkMessages.h"
#include "model/ladder/VirtualCanvas.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

class LanguageTest : public test::CoreTest {};

TEST_F(LanguageTest, ExactlyOneFlagFollowsTheLanguageIndex) {
    using L = Language;
    const std::pair<int, L> cases[] = {{0, L::English},           {1, L::TraditionalChinese},
                                       {2, L::SimplifiedChinese}, {3, L::Japanese},
                                       {4, L::Spanish},           {5, L::Turkish},
                                       {6, L::English},           {255, L::English},
                                       {-1, L::English}};
    for (const auto& [index, expected] : cases) {
        EXPECT_EQ(selectLanguageFlags(index), expected) << index;
        EXPECT_EQ(currentLanguage(), expected);
        const bool flags[] = {bEnglish, bTraditionalChinese, bSimplifiedChinese, bJapanese, bSpanish,
                              bTurkish};
        EXPECT_EQ(std::count(std::begin(flags), std::end(flags), true), 1);
        EXPECT_TRUE(flags[static_cast<int>(expected)]);
    }
}

// The English texts exactly, and a text of its own in every other language.
TEST_F(LanguageTest, EveryGetterHasItsEnglishTextAndATextInEachOtherLanguage) {
    const std::pair<std::string (*)(), std::string> getters[] = {
        {getMsgSaveBeforeClose, "Do you want to save current file before close ?"},
        {getMsgSaveBeforeExit, "Do you want to save current file before exit ?"},
        {getMsgFileExistsOverwrite, "This file has existed, do you want to overwrite ?"},
        {getMsgCommTest, "Communication Test...Try Connection Information"},
        {getMsgCantConnect, "Can't connected with the device"},
        {getMsgConnected, "Successfully connected with the "},
        {getMsgCommError, "Communication error ... "},
        {getMsgTypeErrorCantWrite, "Type error, Can't write..."},
        {getMsgKeyword2Confirm, "Once keyword2 be set then can read 128steps program only ?"},
        {getMsgCantSetKeyword2, "Type error, can't setup 2nd keyword(W3 only)"},
        {getMsgKeyword2SetupOk,
         "Keyword2 setup successful... Delete method: online => Memory clear => Program clear"},
        {getMsgKeyword2SetupFailed, "Keyword2 setup ...unsucessful..."},
        {getMsgInstructionCodeError, "InstructionCodeError"},
    };
    for (const auto& [getter, english] : getters) {
        selectLanguageFlags(0);
        EXPECT_EQ(getter(), english);
        for (int language = 1; language <= 5; ++language) {
            selectLanguageFlags(language);
            EXPECT_NE(getter(), english) << language;
            EXPECT_FALSE(getter().empty());
        }
    }
    selectLanguageFlags(1);
    EXPECT_EQ(getMsgSaveBeforeClose(), "關閉前要儲存目前的檔案嗎？");
    selectLanguageFlags(3);
    EXPECT_EQ(getMsgSaveBeforeExit(), "終了する前に現在のファイルを保存しますか？");
}

// The transfer refusals name two numbers each: in every language both stand in the text, the first
// named before the second, and no place is left unfilled.
TEST_F(LanguageTest, TheTransferRefusalsNameTheirNumbersInOrderInEveryLanguage) {
    for (int language = 0; language <= 5; ++language) {
        selectLanguageFlags(language);
        for (const std::string& text :
             {getMsgWriteRangeTooLarge(16000, 8000), getMsgMemorySizeNotOfType(32, 7)}) {
            const bool range = text.find("16000") != std::string::npos;
            const std::size_t first = text.find(range ? "16000" : "N=32");
            const std::size_t second = text.find(range ? "8000" : "7");
            EXPECT_NE(first, std::string::npos) << language << ": " << text;
            EXPECT_NE(second, std::string::npos) << language << ": " << text;
            EXPECT_LT(first, second) << language << ": " << text;
            EXPECT_EQ(text.find('%'), std::string::npos) << language << ": " << text;
        }
    }
    selectLanguageFlags(4);
    EXPECT_NE(getMsgWriteRangeTooLarge(16000, 8000).find("no se escribió nada"), std::string::npos);
}

TEST_F(LanguageTest, TheCanvasShowsTheDeviceTooMuchTextOfTheLanguage) {
    const std::pair<int, const char*> cases[] = {
        {0, "Device too much error ... "}, {1, "元件數量過多錯誤 ... "},
        {2, "元件数量过多错误 ... "},      {3, "Device too much error ... "},
        {4, "Device too much error ... "}, {5, "Device too much error ... "}};
    for (const auto& [index, text] : cases) {
        selectLanguageFlags(index);
        EXPECT_EQ(getMsgDeviceTooMuch(), text) << index;
    }
    bTurkish = false;  // no language flag at all
    EXPECT_EQ(getMsgDeviceTooMuch(), "DeviceTooMuchError");
    EXPECT_EQ(getMsgInstructionCodeError(), "InstructionCodeError");
    EXPECT_EQ(getMsgSaveBeforeClose(), "Do you want to save current file before close ?");
}

}  // namespace
}  // namespace kestrion
