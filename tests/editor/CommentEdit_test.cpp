#include "editor/CommentEdit.h"

#include "compiler/ConvertCommand.h"
#include "editor/EditCommands.h"
#include "model/core/CommandTransaction.h"
#include "model/image/ProgramImage.h"

#include "editor/FakeEditorDialogs.h"
#include "editor/ViewTestSupport.h"
#include "lang/Language.h"
#include "model/image/CommentLists.h"
#include "model/image/CowImage.h"
#include "model/image/ModeData.h"
#include "model/image/MonitorLists.h"
#include "model/ladder/LadderSearch.h"

namespace kestrion::test {
namespace {

const std::string kCutBox =
    " is longer than the %d characters the comment file keeps: it is cut there. | Comment | information";

// LD X0, AND X2, OUT Y0 on line 1 and OR X1 under LD X0 (one block); END on line 3.
class CommentEditTest : public ViewTest {
protected:
    CommentEditTest() {
        typeContactCoilAndBranch();
        fakes.messages.shown.clear();
    }
    CommentEditDialog dialogAt(std::uint32_t x, std::uint32_t y) {
        BlueFrame = {x, y, x + 79, y + 63};
        return commentDialogAtFrame();
    }
    // One comment typed and written; true when it was.
    static bool write(TypedComment typed) {
        const auto prepared = prepareComments({std::move(typed)});
        return prepared && applyComments(*prepared);
    }
    static std::string cutBox(const char* kind, int limit) {
        std::string text = kCutBox;
        text.replace(text.find("%d"), 2, std::to_string(limit));
        return std::string("The ") + kind + text;
    }
    FakeEditorDialogs editorDialogs;
    InstalledDialogs<EditorDialogs> installedEditorDialogs{editorDialogs};
};

TEST_F(CommentEditTest, TheDialogOffersTheFramedDeviceItsBlockAndAnOutputsCoil) {
    struct Case {
        std::uint32_t x, y;
        std::string device;
        bool block, coil;
        std::string blockLabel, coilLabel;
    };
    const Case cases[] = {
        {160, 0, "X002", true, false, "line 1", ""}, {1040, 0, "Y000", true, true, "line 1", "OUT Y0"},
        {80, 64, "X001", true, false, "line 1", ""}, {400, 0, "", true, false, "line 1", ""},
        {80, 128, "", false, false, "", ""},    // END's line
        {1040, 128, "", false, false, "", ""},  // END itself
    };
    for (const Case& c : cases) {
        const CommentEditDialog d = dialogAt(c.x, c.y);
        EXPECT_EQ(std::tie(d.device, d.blockAvailable, d.coilAvailable, d.blockLabel, d.coilLabel),
                  std::tie(c.device, c.block, c.coil, c.blockLabel, c.coilLabel))
            << c.x << "," << c.y;
    }
}

TEST_F(CommentEditTest, TypedTextsAreCheckedCutOrRefusedBeforeAnythingChanges) {
    const std::string longText(80, 'a');
    struct Case {
        TypedComment typed;
        std::string kept;  // empty: refused
        std::string box;
    };
    const std::string deviceBox =
        "A device comment names a device such as X000, Y010, M100, S20, T5, C10 or D200. | Comment | warning";
    const Case cases[] = {
        {{CommentKind::Device, "x7", nullptr, 0, "Start"}, "Start", ""},
        {{CommentKind::Device, "X8", nullptr, 0, "Start"}, "", deviceBox},
        {{CommentKind::Device, "Q7", nullptr, 0, "Start"}, "", deviceBox},
        {{CommentKind::Device, "", nullptr, 0, "Start"}, "", deviceBox},
        {{CommentKind::Device, "X", nullptr, 0, "Start"}, "", deviceBox},
        {{CommentKind::Device, "M9999", nullptr, 0, "x"},
         "",
         "*mDeviceNoRange-q3 | Error2015112882... | error"},
        {{CommentKind::Device, "D100", nullptr, 0, longText},
         std::string(37, 'a'),
         cutBox("device comment", 37)},
        {{CommentKind::Block, "", ldrHead, 0, longText}, std::string(77, 'a'), cutBox("block comment", 77)},
        {{CommentKind::Coil, "", ldrHead->next->next, 0, longText},
         std::string(45, 'a'),
         cutBox("coil comment", 45)},
        {{CommentKind::Coil, "", ldrHead->next->next, 0, "Pump 無"},
         "",
         "The coil comment holds a character that the code page of the interface language cannot keep. | "
         "Comment | warning"},
    };
    for (const Case& c : cases) {
        fakes.messages.shown.clear();
        const auto prepared = prepareComments({c.typed});
        EXPECT_EQ(prepared.has_value(), !c.kept.empty()) << c.typed.text;
        EXPECT_EQ(prepared ? prepared->front().bytes : "", c.kept);
        EXPECT_EQ(boxes(), c.box.empty() ? Boxes{} : Boxes{c.box}) << c.typed.device << c.typed.text;
    }
    EXPECT_EQ(std::tie(deviceCommentList.head, blockCommentList.head, editModeFlags),
              std::make_tuple(nullptr, nullptr, std::uint8_t{0x0C}));
}

TEST_F(CommentEditTest, AddingChangingAndEmptyingKeepCountsAndTheObjectsIds) {
    editModeFlags = 0;
    stLadderBlock* out = ldrHead->next->next;
    ASSERT_TRUE(write({CommentKind::Block, "", ldrHead, 0, "Pump start"}));
    ASSERT_TRUE(write({CommentKind::Coil, "", out, 0, "Pump"}));
    ASSERT_TRUE(write({CommentKind::Device, "X0", nullptr, 0, "Start"}));
    EXPECT_EQ(std::tie(ldrHead->idBC, out->idCC), std::make_tuple(1, 1));
    EXPECT_EQ(editModeFlags, kEditModifiedSinceSave);  // the ladder needs no conversion
    CommentEditDialog d = dialogAt(1040, 0);
    EXPECT_EQ(std::tie(d.blockComment, d.coilComment), std::make_tuple("Pump start", "Pump"));
    d.blockComment = "Pump on";
    d.coilComment = "";
    d.device = "X0";  // another device: its comment comes with it
    d.deviceChanged(d.device);
    EXPECT_EQ(d.deviceComment, "Start");
    d.deviceComment = "";
    ASSERT_TRUE(d.btnOkClick());
    ASSERT_TRUE(applyComments(d.prepared));
    EXPECT_EQ(commentForDisplay(blockCommentList.head->text.data()), "Pump on");
    EXPECT_EQ(std::tie(coilCommentList.head, deviceCommentList.head, out->idCC),
              std::make_tuple(nullptr, nullptr, 0));
    EXPECT_EQ(std::tie(ModeData.deviceCommentCount, ModeData.blockCommentCount, ModeData.coilCommentCount),
              std::make_tuple(0, 1, 0));
    EXPECT_EQ(boxes(), Boxes{});
}

TEST_F(CommentEditTest, TheCommentFileRefusesWhatItCannotHoldAndKeepsEverything) {
    for (std::uint16_t step = 0; step < kMaxBlockComments; ++step) appendBlockComment(step, "b");
    EXPECT_FALSE(write({CommentKind::Block, "", ldrHead->next, 0, "one more"}));
    EXPECT_EQ(boxes(),
              Boxes{"The comment file holds at most 128 block comments: this one is not added. | Comment | "
                    "warning"});
    EXPECT_EQ(ModeData.blockCommentCount, 128);
    // Device comments of 37 characters until the next would not fit the file: from byte 256 the
    // five counts (10) and the 128 block comments (2 + 1 + 1 each) leave 32766 - 778 = 31988 bytes,
    // 761 entries of 4 + 37 + 1 = 42 bytes and 26 bytes over.
    const std::string full(37, 'd');
    std::uint16_t number = 0;
    while (number < 761) appendDeviceComment('D', number++, full);
    fakes.messages.shown.clear();
    EXPECT_FALSE(write({CommentKind::Device, "D7000", nullptr, 0, full}));
    EXPECT_EQ(boxes(), Boxes{"The comment file is full: this comment does not fit. Shorten or delete other "
                             "comments first. | Comment | warning"});
    EXPECT_EQ(ModeData.deviceCommentCount, number);
    EXPECT_TRUE(write({CommentKind::Device, "D0", nullptr, 0, "shorter"}));  // a change that frees room
    EXPECT_TRUE(saveCommentToCowBuffer());
}

// The comment file holds the sections and two bytes more in 32768 bytes, so the sections may end
// at byte 32766. From byte 256: five count words (10 bytes); a device name or comment takes its
// letter, 0 and number (4 bytes), its text and a NUL; a block or coil comment its step (2 bytes),
// its text (a coil comment's at most 45 characters) and a NUL; a registered monitor device its code
// (4 bytes), its text and a ','. A comment that ends at the last byte is taken and saved, one that
// needs one byte more is refused.
TEST_F(CommentEditTest, TheCommentFileTakesACommentThatEndsAtItsLastByteAndNotOneByteMore) {
    appendDeviceName('X', 0, "Start");
    for (const std::uint16_t step : {1, 2, 3}) appendBlockComment(step, "Pump start");
    for (const std::uint16_t step : {2, 3}) appendCoilComment(step, std::string(50, 'c'));
    for (const char* device : {"D100", "M8000"}) {
        addDeviceMonitorNode();
        setText(deviceMonitorList.newest->deviceText, device);
    }
    std::size_t room =
        32766 - 256 - 10 - (4 + 5 + 1) - 3 * (2 + 10 + 1) - 2 * (2 + 45 + 1) - (4 + 4 + 1) - (4 + 5 + 1);
    std::uint16_t number = 0;
    for (; room > 30 + 42; room -= 42) appendDeviceComment('D', number++, std::string(37, 'd'));
    // One shorter comment leaves 30 bytes: a comment of 25 characters.
    ASSERT_GE(room, 30u + 5u);
    appendDeviceComment('D', number++, std::string(room - 30 - 5, 'e'));
    const std::string fits(25, 'f');
    fakes.messages.shown.clear();
    EXPECT_FALSE(write({CommentKind::Device, "D7000", nullptr, 0, fits + "f"}));
    EXPECT_EQ(boxes(), Boxes{"The comment file is full: this comment does not fit. Shorten or delete other "
                             "comments first. | Comment | warning"});
    EXPECT_TRUE(write({CommentKind::Device, "D7000", nullptr, 0, fits}));
    fakes.messages.shown.clear();
    EXPECT_TRUE(saveCommentToCowBuffer());
    EXPECT_EQ(boxes(), Boxes{});
    EXPECT_EQ(cowDataLength, 32766 - 256);
    const auto file = cowFileBytes();
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->size(), 32768u);
    // Full to the byte: a comment that grows by one is refused, one that shrinks is taken.
    EXPECT_FALSE(write({CommentKind::Device, "D7000", nullptr, 0, fits + "f"}));
    EXPECT_TRUE(write({CommentKind::Device, "D7000", nullptr, 0, "f"}));
}

TEST_F(CommentEditTest, ACommentTypedInChineseIsKeptInBig5AndShownBackAsTyped) {
    selectLanguageFlags(1);
    ASSERT_TRUE(write({CommentKind::Device, "Y0", nullptr, 0, "通訊口"}));
    EXPECT_EQ(std::string(deviceCommentList.head->text.data()), "\xB3\x71\xB0\x54\xA4\x66");
    EXPECT_EQ(dialogAt(1040, 0).deviceComment, "通訊口");
    EXPECT_EQ(commentListRows(CommentKind::Device).front().comment, "通訊口");
}

TEST_F(CommentEditTest, TheListsShowTheFilesOrderFindAndChangeInPlace) {
    ASSERT_TRUE(write({CommentKind::Device, "Y0", nullptr, 0, "Pump"}));
    ASSERT_TRUE(write({CommentKind::Device, "X1", nullptr, 0, "Stop button"}));
    ASSERT_TRUE(write({CommentKind::Block, "", ldrHead, 0, "Pump start"}));
    ASSERT_TRUE(write({CommentKind::Coil, "", ldrHead->next->next, 0, "Pump motor"}));
    const auto devices = commentListRows(CommentKind::Device);
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(std::tie(devices[0].key, devices[1].key, devices[1].comment),
              std::make_tuple("Y000", "X001", "Stop button"));
    EXPECT_EQ(commentListRows(CommentKind::Coil).front().owner, "OUT Y0");
    const std::tuple<std::string, int, int> finds[] = {{"pump", 0, 0}, {"PUMP", 1, 0},   {"butt", 0, 1},
                                                       {"X001", 1, 1}, {"valve", 0, -1}, {"", 0, -1}};
    for (const auto& [text, from, row] : finds) EXPECT_EQ(findCommentRow(devices, text, from), row) << text;

    EXPECT_TRUE(changeListedComment(CommentKind::Device, 1, "", "Stop"));
    EXPECT_TRUE(changeListedComment(CommentKind::Device, 2, "d100", "Speed"));  // the row past the last
    EXPECT_TRUE(changeListedComment(CommentKind::Device, 0, "", ""));
    EXPECT_FALSE(changeListedComment(CommentKind::Device, 5, "", ""));
    const auto changed = commentListRows(CommentKind::Device);
    ASSERT_EQ(changed.size(), 2u);
    EXPECT_EQ(std::tie(changed[0].comment, changed[1].key, changed[1].comment),
              std::make_tuple("Stop", "D100", "Speed"));
    EXPECT_TRUE(changeListedComment(CommentKind::Block, 0, "", ""));
    EXPECT_FALSE(changeListedComment(CommentKind::Block, 0, "", "gone"));
    EXPECT_EQ(std::tie(blockCommentList.head, ldrHead->idBC, ModeData.blockCommentCount),
              std::make_tuple(nullptr, 0, 0));
}

// The ids carry comments on objects of a ladder not yet converted through an Undo of an edit made
// before the comment, and through Convert.
TEST_F(CommentEditTest, CommentsOnATypedLadderStayWithTheirObjectsThroughUndoAndConvert) {
    initPmwImageByType(5);
    ASSERT_TRUE(initPmwImageForTypeAndSize(5, 8));
    typeLines({"@80,128", "LD X3", "OUT Y2"});
    ASSERT_TRUE(write({CommentKind::Block, "", ldrTail->prev->prev, 0, "Second rung"}));
    ASSERT_TRUE(write({CommentKind::Coil, "", ldrHead->next->next, 0, "Pump"}));
    Undo1Click();  // OUT Y2 goes, the comments stay
    EXPECT_EQ(dialogAt(80, 128).blockComment, "Second rung");
    EXPECT_EQ(dialogAt(1040, 0).coilComment, "Pump");
    typeLines({"@160,128", "OUT Y2"});
    ASSERT_TRUE(runCommand(LToM));
    ModeData.viewFlags |= kViewBlockComments | kViewCoilComments;
    LadderScreen screen;
    installLadderView(&screen);
    std::vector<std::string> shown;
    for (const Primitive& p : screen.build(0, 600))
        if (p.ink == Ink::Comment) shown.push_back(p.text + "@" + std::to_string(p.y1));
    installLadderView(nullptr);
    EXPECT_EQ(shown, (std::vector<std::string>{"Pump@0", "Second rung@128"}));
}

// A comment written on the converted ladder stays with its object when Edit Cancel brings that
// ladder back, and one taken off stays off.
TEST_F(CommentEditTest, CommentsWrittenAfterConvertStayAsWrittenThroughEditCancel) {
    initPmwImageByType(5);
    ASSERT_TRUE(initPmwImageForTypeAndSize(5, 8));
    typeLines({"LD X3", "OUT Y2", "@80,64", "LD X4", "OUT Y5"});
    ASSERT_TRUE(runCommand(LToM));
    ASSERT_TRUE(write({CommentKind::Coil, "", objectStandingAt(1040, 0), 0, "Pump"}));
    ASSERT_TRUE(write({CommentKind::Coil, "", objectStandingAt(1040, 64), 0, "Fan"}));
    const std::uint16_t pump = objectStandingAt(1040, 0)->idCC;
    const auto rows = commentListRows(CommentKind::Coil);
    const int fan = findCommentRow(rows, "Fan", 0);
    ASSERT_TRUE(changeListedComment(CommentKind::Coil, fan, "", ""));
    typeLines({"@80,128", "LD X6", "OUT Y7"});
    EditCancel1Click();
    EXPECT_EQ(
        std::tuple(dialogAt(1040, 0).coilComment, dialogAt(1040, 64).coilComment, objectStandingAt(80, 128)),
        std::tuple("Pump", "", nullptr));
    // the objects brought back carry the ids themselves
    EXPECT_EQ(std::pair(objectStandingAt(1040, 0)->idCC, objectStandingAt(1040, 64)->idCC),
              std::pair(pump, std::uint16_t{0}));
    EXPECT_NE(pump, 0);
}

TEST_F(CommentEditTest, TheLadderOpensTheDialogOnTheFrameAndOkWritesIt) {
    editorDialogs.commentHand = [](CommentEditDialog& dialog) {
        dialog.deviceComment = "Lamp";
        return dialog.btnOkClick();
    };
    BlueFrame = {1040, 0, 1119, 63};
    EXPECT_TRUE(editCommentsOnFrame());
    EXPECT_EQ(std::string(deviceCommentList.head->deviceText.data()), "Y000");
    editorDialogs.commentHand = [](CommentEditDialog& dialog) {
        dialog.deviceComment = "Lamp test";
        return false;  // Cancel
    };
    EXPECT_FALSE(editCommentsOnFrame());
    EXPECT_EQ(std::string(deviceCommentList.head->text.data()), "Lamp");
}

}  // namespace
}  // namespace kestrion::test
