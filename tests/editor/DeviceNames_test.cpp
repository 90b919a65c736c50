#include "editor/CommentEdit.h"
#include "editor/FindTestSupport.h"
#include "lang/Language.h"
#include "model/image/CowImage.h"
#include "model/ladder/LadderObject.h"

namespace kestrion::test {
namespace {

using Lines = std::vector<std::string>;

std::string notAnInputOrOutput(const std::string& typed) {
    return "Only the inputs X and outputs Y of the program's PLC type take a device name: " + typed +
           " is not one of them. | Comment | warning";
}
const std::string kTooLong =
    "A device name is at most 37 characters long (a Chinese or Japanese character takes two): shorten "
    "it. | Comment | warning";

// A type-5 program is loaded (X0 to X177, Y0 to Y177).
class DeviceNamesTest : public FindTest {
protected:
    static bool name(const std::string& device, const std::string& text) {
        const auto prepared = prepareComments({{CommentKind::Name, device, nullptr, 0, text}});
        return prepared && applyComments(*prepared);
    }
    static Lines names() {
        Lines rows;
        for (const CommentListRow& row : commentListRows(CommentKind::Name))
            rows.push_back(row.key + " " + row.comment);
        return rows;
    }
};

TEST_F(DeviceNamesTest, ANameGoesOnlyToAnInputOrOutputOfTheTypeAndHoldsAt37Characters) {
    struct Case {
        std::uint16_t plcType;
        std::string device, text;
        std::string named;  // the list's last row after it; empty: refused with the box
        std::string box;
    };
    const std::string longest(37, 'n');
    const Case cases[] = {
        {5, "x17", "Start button", "X017 Start button", ""},
        {5, " Y177 ", longest, "Y177 " + longest, ""},
        {5, "X0", longest + "n", "", kTooLong},
        {5, "D10", "Speed", "", notAnInputOrOutput("D10")},
        {5, "M0", "Run", "", notAnInputOrOutput("M0")},
        {5, "X200", "Spare", "", notAnInputOrOutput("X200")},  // past X177
        {5, "X8", "Spare", "", notAnInputOrOutput("X8")},      // octal digits
        {5, "Q7", "Spare", "", notAnInputOrOutput("Q7")},
        {6, "Y17", "Last output", "Y017 Last output", ""},
        {6, "X20", "Spare", "", notAnInputOrOutput("X20")},  // type 6: X0 to X17
        {6, "Y20", "Spare", "", notAnInputOrOutput("Y20")},
    };
    for (const Case& c : cases) {
        pmw.setPlcType(c.plcType);
        fakes.messages.shown.clear();
        const std::size_t before = names().size();
        EXPECT_EQ(name(c.device, c.text), !c.named.empty()) << c.device;
        EXPECT_EQ(boxes(), c.box.empty() ? Boxes{} : Boxes{c.box}) << c.device;
        EXPECT_EQ(names().size(), before + (c.named.empty() ? 0 : 1)) << c.device;
        if (!c.named.empty()) {
            EXPECT_EQ(names().back(), c.named);
        }
    }
    EXPECT_EQ(ModeData.deviceNameCount, 3);
    EXPECT_EQ(std::tie(deviceCommentList.head, ModeData.deviceCommentCount), std::make_tuple(nullptr, 0));
}

// The comment file counts the bytes of the code page: a Chinese character takes two of the 37.
TEST_F(DeviceNamesTest, ANameInChineseIsMeasuredInTheBytesOfItsCodePage) {
    selectLanguageFlags(1);
    std::string eighteen, nineteen;
    for (int i = 0; i < 18; ++i) eighteen += "通";
    nineteen = eighteen + "通";
    EXPECT_FALSE(name("Y0", nineteen));
    EXPECT_EQ(fakes.messages.shown.size(), 1u);
    ASSERT_TRUE(name("Y0", eighteen));
    EXPECT_EQ(std::string(deviceNameList.head->text.data()).size(), 36u);
    EXPECT_EQ(names(), Lines{"Y000 " + eighteen});
}

TEST_F(DeviceNamesTest, TheListAddsChangesAndDeletesNamesInPlace) {
    editModeFlags = 0;
    EXPECT_TRUE(changeListedComment(CommentKind::Name, 0, "y0", "Pump"));  // the row past the last
    EXPECT_TRUE(changeListedComment(CommentKind::Name, 1, "X1", "Stop"));
    EXPECT_EQ(names(), (Lines{"Y000 Pump", "X001 Stop"}));
    EXPECT_EQ(editModeFlags, kEditModifiedSinceSave);  // the ladder needs no conversion
    EXPECT_TRUE(changeListedComment(CommentKind::Name, 2, "Y0", "Main pump"));  // a named device: changed
    EXPECT_TRUE(changeListedComment(CommentKind::Name, 1, "", "Stop button"));
    EXPECT_EQ(names(), (Lines{"Y000 Main pump", "X001 Stop button"}));
    EXPECT_TRUE(changeListedComment(CommentKind::Name, 0, "", ""));
    EXPECT_FALSE(changeListedComment(CommentKind::Name, 3, "", ""));
    EXPECT_FALSE(changeListedComment(CommentKind::Name, 1, "D5", "Speed"));
    EXPECT_EQ(names(), Lines{"X001 Stop button"});
    EXPECT_EQ(std::tie(ModeData.deviceNameCount, deviceCommentList.head), std::make_tuple(1, nullptr));
    // The find box of the list finds a name by its text or its device.
    EXPECT_EQ(findCommentRow(commentListRows(CommentKind::Name), "button", 0), 0);
    EXPECT_EQ(findCommentRow(commentListRows(CommentKind::Name), "x001", 0), 0);
}

// A comment file from elsewhere may name other devices: such a name is listed and can be deleted,
// but not changed.
TEST_F(DeviceNamesTest, ANameOfAnotherDeviceFromAFileCanOnlyBeDeleted) {
    addDeviceName('M', 100);
    setText(deviceNameList.newest->deviceText, "M100");
    setText(deviceNameList.newest->text, "Latch");
    ModeData.deviceNameCount = 1;
    EXPECT_EQ(names(), Lines{"M100 Latch"});
    EXPECT_FALSE(changeListedComment(CommentKind::Name, 0, "", "Run latch"));
    EXPECT_EQ(boxes(), Boxes{notAnInputOrOutput("M100")});
    EXPECT_TRUE(changeListedComment(CommentKind::Name, 0, "", ""));
    EXPECT_EQ(std::tie(deviceNameList.head, ModeData.deviceNameCount), std::make_tuple(nullptr, 0));
}

TEST_F(DeviceNamesTest, ANewNameNeedsRoomInTheCommentFile) {
    // Device comments of 37 characters, 4 + 37 + 1 = 42 bytes each, fill the 32766 - 256 - 10 =
    // 32500 bytes after the five counts of an empty file to 34 bytes from its end: too few for a
    // name of 37 characters, enough for a short one.
    ClearAllComment1Click();
    const std::string full(37, 'd');
    for (std::uint16_t number = 0; number < 773; ++number) appendDeviceComment('D', number, full);
    EXPECT_FALSE(name("X0", full));
    EXPECT_EQ(boxes(), Boxes{"The comment file is full: this comment does not fit. Shorten or delete other "
                             "comments first. | Comment | warning"});
    EXPECT_EQ(deviceNameList.head, nullptr);
    EXPECT_TRUE(name("X0", "ok"));  // a short one still fits
    EXPECT_TRUE(saveCommentToCowBuffer());
}

TEST_F(DeviceNamesTest, ClearAllCommentsClearsTheNames) {
    ASSERT_TRUE(name("X0", "Start"));
    ASSERT_TRUE(name("Y1", "Pump"));
    ClearAllComment1Click();
    EXPECT_EQ(names(), Lines{});
    EXPECT_EQ(ModeData.deviceNameCount, 0);
    const auto file = cowFileBytes();
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(std::vector<std::uint8_t>(file->begin() + 256, file->end()), std::vector<std::uint8_t>(12, 0));
}

}  // namespace
}  // namespace kestrion::test
