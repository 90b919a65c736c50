#include "editor/CommentEdit.h"

#include "editor/FakeEditorDialogs.h"
#include "editor/ViewTestSupport.h"
#include "lang/Language.h"
#include "model/ladder/EditorState.h"
#include "support/ShownBoxes.h"

namespace kestrion::test {
namespace {

// LD X0, AND X2, OUT Y0 on line 1 and OR X1 under LD X0: one block.
class CommentLabelsTest : public ViewTest {
protected:
    CommentLabelsTest() { typeContactCoilAndBranch(); }
    ~CommentLabelsTest() override { selectLanguageFlags(0); }
    static CommentEditDialog dialogAt(std::uint32_t x, std::uint32_t y) {
        BlueFrame = {x, y, x + 79, y + 63};
        return commentDialogAtFrame();
    }
    FakeEditorDialogs editorDialogs;
    InstalledDialogs<EditorDialogs> installedEditorDialogs{editorDialogs};
};

// The block comment's field names the line of its block in the language of the dialog's other
// labels; the coil's owner is an instruction and stays as the program writes it.
TEST_F(CommentLabelsTest, TheBlockLineIsNamedInTheInterfaceLanguage) {
    const char* const lines[] = {"line 1", "第 1 行", "第 1 行", "1 行目", "línea 1", "satır 1"};
    for (int language = 0; language < 6; ++language) {
        selectLanguageFlags(language);
        const CommentEditDialog output = dialogAt(1040, 0);
        EXPECT_EQ(output.blockLabel, lines[language]) << language;
        EXPECT_EQ(output.coilLabel, "OUT Y0") << language;
        EXPECT_EQ(dialogAt(80, 64).blockLabel, lines[language]) << "OR X1 belongs to line 1's block";
    }
}

// The dialog's messages speak the language of its labels, under its translated caption; English
// keeps its own texts (the other comment tests read them).
TEST_F(CommentLabelsTest, TheCommentMessagesAreInTheInterfaceLanguage) {
    struct Case {
        int language;
        TypedComment typed;
        std::string box;
    };
    const std::string tooLong(40, 'a');
    const Case cases[] = {
        {3,
         {CommentKind::Device, "X0", nullptr, 0, tooLong},
         "デバイスコメントがコメントファイルに保存できる 37 文字を超えています。そこで切り詰めました。 | "
         "コメント | "
         "information"},
        {4,
         {CommentKind::Device, "Q7", nullptr, 0, "Bomba"},
         "Un comentario de dispositivo indica un dispositivo como X000, Y010, M100, S20, T5, C10 o D200. | "
         "Comentario | warning"},
        {5,
         {CommentKind::Device, "X0", nullptr, 0, "搬送"},
         "Bu cihaz açıklaması, arayüz dilinin kod sayfasının tutamadığı bir karakter içeriyor. | Açıklama | "
         "warning"},
        {1,
         {CommentKind::Block, "", ldrHead, 0, std::string(80, 'b')},
         "區塊註解超過註解檔可保存的 77 個字元：超出部分已截去。 | 註解 | information"},
        {2,
         {CommentKind::Device, "", nullptr, 0, "泵"},
         "元件注释须指定元件，例如 X000、Y010、M100、S20、T5、C10 或 D200。 | 注释 | warning"},
    };
    for (const Case& c : cases) {
        selectLanguageFlags(c.language);
        fakes.messages.shown.clear();
        (void)prepareComments({c.typed});
        EXPECT_EQ(test::shownBoxes(fakes.messages), test::Boxes{c.box}) << c.language;
    }
}

}  // namespace
}  // namespace kestrion::test
