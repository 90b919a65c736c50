#include "editor/CommentCommands.h"

#include "app/FakeAppDialogs.h"
#include "app/FileCommands.h"
#include "app/MainView.h"
#include "editor/EditorViewState.h"
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

TEST_F(CommentCommandsTest, DeviceNamesTypedInTheirListAreSavedAndComeBackWithTheProgram) {
    ASSERT_TRUE(changeListedComment(CommentKind::Name, 0, "X17", "Start button"));
    ASSERT_TRUE(changeListedComment(CommentKind::Name, 1, "y100", "Pump"));
    Save1Click();
    const Bytes cow = fakes.files.content("/p/Pump.COW");
    // Section 1: X and Y by their linear index (X17 is 15, Y100 is 64); then four empty sections.
    const Bytes data = {2, 0,   'X', 0,  15, 0,   'S', 't', 'a', 'r', 't', ' ', 'b', 'u', 't', 't', 'o', 'n',
                        0, 'Y', 0,   64, 0,  'P', 'u', 'm', 'p', 0,   0,   0,   0,   0,   0,   0,   0,   0};
    ASSERT_EQ(cow.size(), 256 + data.size() + 2);
    EXPECT_EQ(Bytes(cow.begin() + 256, cow.end() - 2), data);
    EXPECT_EQ(Bytes(cow.begin() + 240, cow.begin() + 252),
              (Bytes{0, 1, 28, 1, 30, 1, 32, 1, 0, 0, static_cast<std::uint8_t>(data.size()), 0}));

    Close1Click();
    EXPECT_EQ(std::tie(deviceNameList.head, ModeData.deviceNameCount), std::make_tuple(nullptr, 0));
    open();
    std::vector<std::string> names;
    for (const CommentListRow& row : commentListRows(CommentKind::Name))
        names.push_back(row.key + " " + row.comment);
    EXPECT_EQ(names, (std::vector<std::string>{"X017 Start button", "Y100 Pump"}));
    EXPECT_EQ(ModeData.deviceNameCount, 2);
}

// A comment file laid out by another writer: every section filled, names of inputs, outputs and
// another device, the header's untouched bytes set. Open and Save give back the same file.
TEST_F(CommentCommandsTest, NamesOfAFileFromElsewhereAreKeptByteForByte) {
    Bytes cow(256, 0);
    for (std::size_t i = 0; i < 120; ++i) cow[i] = static_cast<std::uint8_t>(0xA0 + i % 32);
    const std::string marker = "Tovel", description = "Conveyor line 2";
    std::copy(marker.begin(), marker.end(), cow.begin() + 120);
    std::copy(description.begin(), description.end(), cow.begin() + 128);
    const auto put = [](Bytes& bytes, std::size_t at, std::uint16_t word) {
        bytes[at] = static_cast<std::uint8_t>(word);
        bytes[at + 1] = static_cast<std::uint8_t>(word >> 8);
    };
    const auto entry = [&cow](Bytes head, const std::string& text) {
        cow.insert(cow.end(), head.begin(), head.end());
        cow.insert(cow.end(), text.begin(), text.end());
        cow.push_back(0);
    };
    const std::string longest(37, 'L');
    put(cow, 240, 256);
    cow.insert(cow.end(), {4, 0});
    entry({'X', 0, 0, 0}, "Start");
    entry({'Y', 0, 127, 0}, "Alarm horn");  // Y177
    entry({'M', 0, 100, 0}, "Latch");       // another letter keeps its number
    entry({'X', 0, 64, 0}, longest);        // X100
    put(cow, 242, static_cast<std::uint16_t>(cow.size()));
    cow.insert(cow.end(), {1, 0});
    entry({'X', 0, 1, 0}, "Stop");
    put(cow, 244, static_cast<std::uint16_t>(cow.size()));
    cow.insert(cow.end(), {1, 0});
    entry({0, 0}, "Pump start");
    put(cow, 246, static_cast<std::uint16_t>(cow.size()));
    cow.insert(cow.end(), {1, 0});
    entry({2, 0}, "Pump motor");
    cow.insert(cow.end(), {0, 0});  // no monitor devices
    put(cow, 250, static_cast<std::uint16_t>(cow.size() - 256));
    cow.insert(cow.end(), {0, 0});
    fakes.files.put("/p/Pump.COW", cow);

    Close1Click();
    open();
    std::vector<std::string> names;
    for (const CommentListRow& row : commentListRows(CommentKind::Name))
        names.push_back(row.key + " " + row.comment);
    EXPECT_EQ(names,
              (std::vector<std::string>{"X000 Start", "Y177 Alarm horn", "M100 Latch", "X100 " + longest}));
    Save1Click();
    EXPECT_EQ(fakes.files.content("/p/Pump.COW"), cow);
    // A name changed here is written where the other writer had it, the rest as they were.
    ASSERT_TRUE(changeListedComment(CommentKind::Name, 0, "", "Start!"));
    Save1Click();
    Bytes changed = cow;
    changed.insert(changed.begin() + 256 + 2 + 4 + 5, '!');
    for (const std::size_t at : {242, 244, 246, 250})
        put(changed, at, static_cast<std::uint16_t>((changed[at] | changed[at + 1] << 8) + 1));
    EXPECT_EQ(fakes.files.content("/p/Pump.COW"), changed);
}

TEST_F(CommentCommandsTest, TheListItemsShowOneListAtATime) {
    msBlockCommentList1Click();
    msCoilCommentList1Click();
    EXPECT_EQ(
        std::make_tuple(menuItem("msBlockCommentList1").checked, menuItem("msCoilCommentList1").checked),
        std::make_tuple(false, true));
    msCoilCommentList1Click();
    EXPECT_FALSE(menuItem("msCoilCommentList1").checked);
    msDeviceCommentList1Click();
    msDeviceNameList1Click();
    EXPECT_EQ(std::make_tuple(menuItem("msDeviceCommentList1").checked, menuItem("msDeviceNameList1").checked,
                              editorView.shownCommentList),
              std::make_tuple(false, true, static_cast<int>(CommentKind::Name) + 1));
    msDeviceNameList1Click();
    EXPECT_EQ(std::make_tuple(menuItem("msDeviceNameList1").checked, editorView.shownCommentList),
              std::make_tuple(false, kNoCommentList));
    // Close takes the list away with the program; the next program opens without one.
    msDeviceNameList1Click();
    Close1Click();
    EXPECT_EQ(std::make_tuple(menuItem("msDeviceNameList1").checked, editorView.shownCommentList),
              std::make_tuple(false, kNoCommentList));
    open();
    EXPECT_EQ(editorView.shownCommentList, kNoCommentList);
}

}  // namespace
}  // namespace kestrion
