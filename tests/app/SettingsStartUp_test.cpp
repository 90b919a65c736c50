#include <algorithm>
#include <initializer_list>

#include "app/MainCore.h"
#include "app/MainView.h"
#include "lang/Language.h"
#include "model/core/MainState.h"
#include "model/image/ClipboardBlock.h"
#include "model/image/ModeData.h"
#include "model/image/RecentFiles.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorState.h"
#include "support/Fixture.h"
#include "support/ShownBoxes.h"

namespace kestrion {
namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string kHome = "/home/tester/Tovel/Kestrion";
const std::string kSettings = kHome + "/ModeData.DAT";

void put(Bytes& bytes, std::size_t offset, std::initializer_list<std::uint8_t> values) {
    std::copy(values.begin(), values.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}
void putText(Bytes& bytes, std::size_t offset, const std::string& text) {
    std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}
void putToken(Bytes& bytes) {
    const std::uint32_t token = clipboardBlockToken();
    put(bytes, 12,
        {std::uint8_t(token), std::uint8_t(token >> 8), std::uint8_t(token >> 16),
         std::uint8_t(token >> 24)});
}

class SettingsStartUpTest : public test::CoreTest {
protected:
    test::Boxes boxes() const { return test::shownBoxes(fakes.messages); }
};

TEST_F(SettingsStartUpTest, StoredSettingsAreRestoredAndTheCellSizeForced) {
    Bytes file(512, 0);
    put(file, 8, {3, 0, 1, 0, 0xEF, 0xBE, 0xAD, 0xDE});  // an earlier process ended without its destruction
    put(file, 16, {3, 0, 0, 0, 14, 0, 0, 0, 0xA0});
    put(file, 32, {2, 0, 0, 0, 4, 0, 0, 0});
    put(file, 64, {56, 0, 0, 0, 72, 0, 0, 0});
    putText(file, 128, "/home/tester/Tovel/Kestrion/User/Line 1.PMW");
    putText(file, 224, "/home/tester/b.PMW");
    fakes.files.put(kSettings, file);
    appState.LineArray[15] = 7;  // the editor's line table and the mouse texts start empty
    appState.mouseTextBuffers[6][0] = 'X';
    mainFormStartUp();
    EXPECT_TRUE(appState.LineArray[15] == 0 && appState.mouseTextBuffers[6][0] == '\0');
    EXPECT_EQ(currentLanguage(), Language::Japanese);
    EXPECT_EQ(fakes.statusBar.panelText(0), "Screen Resolution=1920*1080");
    EXPECT_EQ(std::make_tuple(menuItem("DeviceComment2").checked, menuItem("BlockComment2").checked,
                              menuItem("CoilComment2").checked, menuItem("FontN141").checked),
              std::make_tuple(true, false, true, true));  // 0xA0: device and coil comments
    EXPECT_EQ(std::tie(ModeData.fontSize, ModeData.comPortNo, ModeData.baudRate, ModeData.xSizeSymble,
                       ModeData.ySizeSymble, ModeData.clipboardAddr, ModeData.viewFlags),
              std::make_tuple(14u, 2u, 4u, 80u, 64u, clipboardBlockToken(), 0xA0u));
    EXPECT_TRUE(isClipboardMemoryValid());
    EXPECT_EQ(recentFileItems[kFile11].path, "/home/tester/Tovel/Kestrion/User/Line 1.PMW");
    EXPECT_EQ(recentFileItems[kFile21].caption, "/home/tester/b.PMW");
    EXPECT_TRUE(recentFileItems[kFile21].visible && !recentFileItems[kFile31].visible);
    mainFormShow();
    EXPECT_TRUE(FileBar1Visible);
    Bytes expected = file;
    put(expected, 8, {4, 0, 0, 0});
    putToken(expected);
    put(expected, 64, {80, 0, 0, 0, 64, 0, 0, 0});
    EXPECT_EQ(fakes.files.content(kSettings), expected);
    EXPECT_EQ(std::tie(deviceColumns, zoomPercent, draw.iBusLineStart, draw.iBusLineEnd, xOldCursor,
                       yOldCursor, ladderBottomY),
              std::make_tuple(14u, 100u, 80u, 1120u, 80u, 0u, 0u));
}

// A first start finds nothing: the settings file is made, and the User folder that the new
// programs are named in.
TEST_F(SettingsStartUpTest, AFirstStartMakesTheSettingsAndTheUserFolder) {
    ASSERT_FALSE(fakes.files.exists(kSettings) || fakes.files.exists(kHome + "/User"));
    mainFormStartUp();
    EXPECT_TRUE(fakes.files.directories.count(kHome + "/User"));
    EXPECT_EQ(fakes.files.content(kSettings).size(), 512u);
    EXPECT_EQ(currentFileName().rfind(kHome + "/User/Noname01.PMW", 0), 0u);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(SettingsStartUpTest, AnUnreadableSettingsFileIsReportedOnceAndOutlivesTheSession) {
    const Bytes file(512, 3);
    fakes.files.put(kSettings, file);
    fakes.files.unreadable.insert(kSettings);
    mainFormStartUp();
    EXPECT_EQ(ModeData.languageNo, 0u);
    EXPECT_EQ(mainFormClose(nullptr), CloseDecision::Exit);
    mainFormDestroy();
    EXPECT_EQ(fakes.files.content(kSettings), file);
    EXPECT_EQ(boxes(),
              test::Boxes{"The settings file " + kSettings +
                          " cannot be read. The program runs with the default settings and leaves the"
                          " file as it is. | " +
                          fakes.messages.shown.at(0).caption + " | warning"});
}

TEST_F(SettingsStartUpTest, TheCloseBoxWritesEachSlotAsItsNameFollowedOnlyByNuls) {
    const std::string longName = "/home/tester/Tovel/Kestrion/User/" + std::string(57, 'L') + ".PMW";  // 94
    Bytes file(512, 0);
    put(file, 20, {10});
    putText(file, 128, longName);
    putText(file, 224, std::string("/home/tester/second.PMW") + '\0' + "left-over bytes");
    putText(file, 416, "/home/tester/dropped.PMW");
    fakes.files.put(kSettings, file);
    mainFormStartUp();
    updateRecentFileList("/home/tester/s.PMW");                             // new: the oldest drops out
    updateRecentFileList("/home/tester/" + std::string(79, 'T') + ".PMW");  // 96 characters
    fakes.messages.shown.clear();
    EXPECT_EQ(mainFormClose(nullptr), CloseDecision::Exit);
    mainFormDestroy();  // the program ends: what the close box wrote stays
    Bytes expected(384, 0);
    expected[0] = '*';
    putText(expected, 96, "/home/tester/s.PMW");
    putText(expected, 192, longName);
    putText(expected, 288, "/home/tester/second.PMW");
    const Bytes written = fakes.files.content(kSettings);
    ASSERT_EQ(written.size(), 512u);
    EXPECT_EQ(Bytes(written.begin() + 128, written.end()), expected);
    EXPECT_EQ(written[8], 1);  // the process count as it stood at the close
    EXPECT_EQ(boxes(), test::Boxes{"File11->Caption FilenameTooLong | _storeOldFileToModeDat | none"});
}

TEST_F(SettingsStartUpTest, TheCloseBoxAsksEvenWhenTheSettingsCannotBeWritten) {
    mainFormStartUp();
    fakes.files.unwritable.insert(kSettings);
    editModeFlags = kEditModifiedSinceSave;
    fakes.messages.scriptAnswers({platform::MsgAnswer::Ok, platform::MsgAnswer::Cancel});
    EXPECT_EQ(mainFormClose(nullptr), CloseDecision::Stay);
    ASSERT_EQ(fakes.messages.shown.size(), 2u);
    EXPECT_EQ(fakes.messages.shown[0].caption, "*SaveModeDat ToDisk(");
    EXPECT_EQ(fakes.messages.shown[1].caption, "Exit");
    editModeFlags = 0;
    fakes.messages.shown.clear();
    EXPECT_EQ(mainFormClose(nullptr), CloseDecision::Exit);
    mainFormDestroy();
    EXPECT_EQ(fakes.messages.shown.size(), 1u);
}

TEST_F(SettingsStartUpTest, DestructionGivesUpTheBlockInTheSettings) {
    const std::tuple<std::uint16_t, std::uint16_t, std::uint16_t> cases[] = {{3, 0, 0}, {3, 5, 2}, {0, 5, 0}};
    for (const auto& [instances, state, expected] : cases) {
        mainFormStartUp();
        ModeData.instanceCount = instances;
        ModeData.clipboardState = state;
        mainFormDestroy();
        const Bytes written = fakes.files.content(kSettings);
        EXPECT_EQ(std::make_tuple(ModeData.instanceCount, written[8], ModeData.clipboardAddr),
                  std::make_tuple(expected, std::uint8_t(expected), 0u));
        EXPECT_TRUE(std::all_of(written.begin() + 12, written.begin() + 16, [](auto b) { return b == 0; }));
    }
}

}  // namespace
}  // namespace kestrion
