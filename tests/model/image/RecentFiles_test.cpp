#include "model/image/RecentFiles.h"

#include "model/core/MainState.h"
#include "model/image/ModeData.h"
#include "support/Fixture.h"
#include "support/ShownBoxes.h"

namespace kestrion {
namespace {

using platform::MsgIcon;

class RecentFilesTest : public test::CoreTest {
protected:
    void setItems(std::initializer_list<const char*> names) {
        int item = kFile11;
        for (const char* name : names) {
            recentFileItems[static_cast<std::size_t>(item)].caption = name;
            recentFileItems[static_cast<std::size_t>(item)].path = name;
            ++item;
        }
    }
    std::vector<std::string> captions() const {
        std::vector<std::string> result;
        for (const RecentFileItem& item : recentFileItems) {
            EXPECT_EQ(item.caption, item.path);
            result.push_back(item.caption);
        }
        return result;
    }
};

TEST_F(RecentFilesTest, SavingMovesTheNameToTheTop) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"/p/A.PMW", {"/p/A.PMW", "/p/B.PMW", "/p/C.PMW", "/p/D.PMW"}},
        {"/p/C.PMW", {"/p/C.PMW", "/p/A.PMW", "/p/B.PMW", "/p/D.PMW"}},
        {"/p/A.PMW.bak", {"/p/A.PMW.bak", "/p/A.PMW", "/p/B.PMW", "/p/C.PMW"}},
        {"/p/A", {"/p/A", "/p/A.PMW", "/p/B.PMW", "/p/C.PMW"}}};
    for (const auto& [saved, expected] : cases) {
        setItems({"/p/A.PMW", "/p/B.PMW", "/p/C.PMW", "/p/D.PMW"});
        updateRecentFileList(saved);
        EXPECT_EQ(captions(), expected) << saved;
    }
}

TEST_F(RecentFilesTest, LoadingNamesTheItemsAndHidesTheEmptyOnes) {
    setItems({"designed 1", "designed 2", "designed 3", "designed 4"});
    recentFileItems[2].visible = false;
    storeRecentFileSlot(0, "/p/a b.PMW");
    storeRecentFileSlot(2, "/p/c.PMW");
    ModeData.recentFiles[3].fill('x');  // no NUL: more than 95 characters
    loadRecentFilesFromModeDat();
    EXPECT_EQ(captions(), (std::vector<std::string>{"/p/a b.PMW", "designed 2", "/p/c.PMW", "designed 4"}));
    std::vector<bool> visible;
    for (const RecentFileItem& item : recentFileItems) visible.push_back(item.visible);
    EXPECT_EQ(visible, (std::vector<bool>{true, false, false, false}));  // a named item keeps its visibility
    recentFileItems = {};
    recentFileItems[1].path = std::string(100, 'z');  // a star stored for a too long name comes back
    _storeOldFileToModeDat(95);
    loadRecentFilesFromModeDat();
    EXPECT_TRUE(recentFileItems[1].caption == "*" && recentFileItems[1].visible);
}

TEST_F(RecentFilesTest, StoreCurrentFileNameKeepsFileNamesWholeAndCutsMenuCaptions) {
    using enum FileNameSource;
    const std::tuple<const char*, FileNameSource, std::string> cases[] = {
        {"/home/tester/My Programs/line (2).PMW", FileName, "/home/tester/My Programs/line (2).PMW"},
        {"Axis control (ABS)", MenuCaption, "Axis"},
        {"Counter.PMW(high speed)", MenuCaption, "Counter.PMW"},
        {"/srv/jürgen/x.PMW", MenuCaption, "/srv/jürgen/x.PMW"}};
    for (const auto& [text, source, expected] : cases) {
        FileNameArray.fill('#');
        EXPECT_TRUE(storeCurrentFileName(text, source) && currentFileName() == expected) << text;
        for (std::size_t i = expected.size(); i < kFileNameSize; ++i) EXPECT_EQ(FileNameArray[i], '\0');
    }
    EXPECT_FALSE(storeCurrentFileName(std::string(96, 'b')));  // too long for the buffer: cut, and says so
    EXPECT_EQ(currentFileName(), std::string(95, 'b'));
    EXPECT_EQ(FileNameArray[95], '\0');
}

}  // namespace
}  // namespace kestrion
