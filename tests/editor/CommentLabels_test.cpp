#include "editor/CommentEdit.h"

#include "editor/FakeEditorDialogs.h"
#include "editor/ViewTestSupport.h"
#include "lang/Language.h"
#include "model/ladder/EditorState.h"

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

}  // namespace
}  // namespace kestrion::test
