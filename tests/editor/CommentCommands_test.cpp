#include "editor/CommentCommands.h"

#include "app/FakeAppDialogs.h"
#include "app/FileCommands.h"
#include "app/MainView.h"
#include "editor/FakeEditorDialogs.h"
#include "editor/LadderLayout.h"
#include "model/image/CommentLists.h"
#include "model/image/ModeData.h"
#include "model/image/PmwFile.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "support/Fixture.h"
#include "support/ShownBoxes.h"

namespace kestrion {
namespace {

using Bytes = std::vector<std::uint8_t>;

// LD X0, AND X1, OUT Y0 (steps 0 to 2); LD X2, OUT Y1; END.
constexpr std::uint16_t kWords[] = {0x2400, 0x4401, 0xC500, 0x2402, 0xC501, kEndCode};

class CommentCommandsTest : public test::CoreTest {
protected:
    CommentCommandsTest() {
        mainFormStartUp();
        PmwImage image;
        image.pmwPre = pmwPreTemplate(5);
        image.parameterBlock = parameterTemplate(5);
        image.setPlcType(5);
        image.setMemSizeCode(8);
        image.program.fill(kEmptyWord);
        std::copy(std::begin(kWords), std::end(kWords), image.program.begin());
        fakes.files.put("/p/Pump.PMW", pmwFileBytes(image));
        open();
    }
    void open() {
        dialogs.openAnswers.push_back({true, "/p/Pump.PMW"});
        Open1Click();
    }
    // The comment dialog on the object at (x, y), its texts typed and OK pressed.
    void typeComments(std::uint32_t x, std::uint32_t y, std::function<void(CommentEditDialog&)> type) {
        BlueFrame = {x, y, x + 79, y + ModeData.ySizeSymble - 1};
        editorDialogs.commentHand = [type](CommentEditDialog& dialog) {
            type(dialog);
            return dialog.btnOkClick();
        };
        CommentEdit1Click();
    }
    static std::vector<std::string> drawnComments() {
        LadderScreen screen;
        installLadderView(&screen);
        std::vector<std::string> texts;
        for (const Primitive& p : screen.build(0, 600))
            if (p.ink == Ink::Comment) texts.push_back(p.text);
        installLadderView(nullptr);
        return texts;
    }

    test::FakeAppDialogs dialogs;
    test::FakeEditorDialogs editorDialogs;

private:
    InstalledDialogs<AppDialogs> installed_{dialogs};
    InstalledDialogs<EditorDialogs> editorInstalled_{editorDialogs};
};

TEST_F(CommentCommandsTest, CommentsTypedInTheDialogAreSavedAndComeBackWithTheProgram) {
    typeComments(80, 0, [](CommentEditDialog& dialog) {
        EXPECT_EQ(dialog.device, "X000");
        EXPECT_FALSE(dialog.coilAvailable);
        dialog.deviceComment = "Start button";
        dialog.blockComment = "Pump start";
    });
    typeComments(1040, 0, [](CommentEditDialog& dialog) {
        EXPECT_EQ(std::tie(dialog.device, dialog.deviceComment, dialog.blockComment),
                  std::make_tuple(std::string("Y000"), std::string(), std::string("Pump start")));
        dialog.coilComment = "Pump motor";
    });
    EXPECT_EQ(editModeFlags & (kEditModifiedSinceSave | kEditLadderNotConverted), kEditModifiedSinceSave);
    Save1Click();
    const Bytes cow = fakes.files.content("/p/Pump.COW");
    const Bytes data = {0,   0,  // names
                        1,   0,   'X', 0, 0,   0,   'S', 't', 'a', 'r', 't', ' ', 'b', 'u', 't',
                        't', 'o', 'n', 0,                                                       //
                        1,   0,   0,   0, 'P', 'u', 'm', 'p', ' ', 's', 't', 'a', 'r', 't', 0,  //
                        1,   0,   2,   0, 'P', 'u', 'm', 'p', ' ', 'm', 'o', 't', 'o', 'r', 0,  //
                        0,   0};                                                                // monitor
    ASSERT_EQ(cow.size(), 256 + data.size() + 2);
    EXPECT_EQ(Bytes(cow.begin() + 256, cow.end() - 2), data);
    EXPECT_EQ(Bytes(cow.begin() + 240, cow.begin() + 252),
              (Bytes{0, 1, 2, 1, 21, 1, 36, 1, 0, 0, static_cast<std::uint8_t>(data.size()), 0}));

    Close1Click();
    EXPECT_EQ(deviceCommentList.head, nullptr);
    open();
    ModeData.viewFlags |= kViewDeviceComments | kViewBlockComments | kViewCoilComments;
    EXPECT_EQ(drawnComments(), (std::vector<std::string>{"Start button", "Pump start", "Pump motor"}));
    EXPECT_EQ(std::tie(ModeData.deviceCommentCount, ModeData.blockCommentCount, ModeData.coilCommentCount),
              std::make_tuple(1, 1, 1));
}

TEST_F(CommentCommandsTest, TheListItemsShowOneListAtATime) {
    msBlockCommentList1Click();
    msCoilCommentList1Click();
    EXPECT_EQ(
        std::make_tuple(menuItem("msBlockCommentList1").checked, menuItem("msCoilCommentList1").checked),
        std::make_tuple(false, true));
    msCoilCommentList1Click();
    EXPECT_FALSE(menuItem("msCoilCommentList1").checked);
}

}  // namespace
}  // namespace kestrion
