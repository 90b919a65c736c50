// Text typed in the interface reaches the program's files in the code page of the interface
// language and comes back as it was typed.
#include "app/FakeAppDialogs.h"
#include "app/FileCommands.h"
#include "app/FileTitle.h"
#include "app/MainCore.h"
#include "editor/CommentEdit.h"
#include "lang/CodePage.h"
#include "lang/LanguageCommands.h"
#include "model/image/ProgramImage.h"
#include "support/Fixture.h"
#include "support/ShownBoxes.h"

namespace kestrion {
namespace {

class FileTextTest : public test::CoreTest {
protected:
    FileTextTest() {
        mainFormStartUp();
        modelDialogs.plcTypeAnswer = [](std::int32_t type, std::int32_t size) {
            return PlcTypeFormResult{1, size, type};
        };
        linkDialogs.parameterScript = [](ParameterDialog& dialog) { dialog.btnOkClick(); };
    }
    static bool writeDeviceComment(const std::string& device, const std::string& text) {
        const auto prepared = prepareComments({{CommentKind::Device, device, nullptr, 0, text}});
        return prepared && applyComments(*prepared);
    }
    test::FakeAppDialogs dialogs;

private:
    InstalledDialogs<AppDialogs> installed_{dialogs};
};

TEST_F(FileTextTest, CommentsAndTitlesAreWrittenInTheCodePageAndReadBackAsTyped) {
    struct Case {
        int language;
        std::string comment, commentBytes, title, titleBytes;
    };
    const Case cases[] = {
        {1, "通訊口", "\xB3\x71\xB0\x54\xA4\x66", "混合機", "\xB2\x56\xA6\x58\xBE\xF7"},  // Big5
        {2, "通讯口", "\xCD\xA8\xD1\xB6\xBF\xDA", "混合机", "\xBB\xEC\xBA\xCF\xBB\xFA"},  // GBK
        {3, "ポンプ\\~①", "\x83\x7C\x83\x93\x83\x76\x5C\x7E\x87\x40", "ライン",
         "\x83\x89\x83\x43\x83\x93"},                          // CP932
        {5, "Şişe", "\xDE\x69\xFE\x65", "Hat ı", "Hat \xFD"},  // 1254
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.comment);
        languageClick(c.language);
        New1Click();
        ASSERT_TRUE(writeDeviceComment("Y0", c.comment));
        const std::string file = "/p/Text" + std::to_string(c.language) + ".PMW";
        dialogs.saveAnswers.push_back({true, file});
        dialogs.titleAnswers.push_back({true, c.title});
        SaveAs1Click();
        const std::vector<std::uint8_t> cow =
            fakes.files.content("/p/Text" + std::to_string(c.language) + ".COW");
        EXPECT_NE(std::string(cow.begin(), cow.end()).find(c.commentBytes), std::string::npos);

        Close1Click();
        dialogs.openAnswers.push_back({true, file});
        Open1Click();
        ASSERT_FALSE(commentListRows(CommentKind::Device).empty());
        EXPECT_EQ(commentListRows(CommentKind::Device).front().comment, c.comment);
        EXPECT_EQ(programTitle(pmw), c.titleBytes);
        EXPECT_EQ(textFromCodePage(programTitle(pmw)), c.title);
        Close1Click();
    }
}

TEST_F(FileTextTest, ATitleTheCodePageCannotHoldIsRefusedAndTheTitleKept) {
    languageClick(2);
    New1Click();
    setProgramTitle(pmw, "Line 1");
    dialogs.titleAnswers.push_back({true, "Línea 1 ✓"});
    EXPECT_FALSE(editFileTitle("Save as", pmw));
    EXPECT_EQ(programTitle(pmw), "Line 1");
    EXPECT_EQ(test::shownBoxes(fakes.messages),
              test::Boxes{"The program title holds a character that the code page of the interface language "
                          "cannot keep. | Save as | warning"});
}

}  // namespace
}  // namespace kestrion
