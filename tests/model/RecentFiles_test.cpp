#include "model/RecentFiles.h"

#include "model/MainState.h"
#include "model/ModeData.h"
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
    struct Case {
        const char* saved;
        std::vector<std::string> expected;
    } cases[] = {
        {"/p/A.PMW", {"/p/A.PMW", "/p/B.PMW", "/p/C.PMW", "/p/D.PMW"}},
        {"/p/C.PMW", {"/p/C.PMW", "/p/A.PMW", "/p/B.PMW", "/p/D.PMW"}},
        {"/p/E.PMW", {"/p/E.PMW", "/p/A.PMW", "/p/B.PMW", "/p/C.PMW"}},  // the oldest drops out
        // A different file whose name begins like a listed one is a new name.
        {"/p/A.PMW.bak", {"/p/A.PMW.bak", "/p/A.PMW", "/p/B.PMW", "/p/C.PMW"}},
        {"/p/A", {"/p/A", "/p/A.PMW", "/p/B.PMW", "/p/C.PMW"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.saved);
        setItems({"/p/A.PMW", "/p/B.PMW", "/p/C.PMW", "/p/D.PMW"});
        updateRecentFileList(c.saved);
        EXPECT_EQ(captions(), c.expected);
    }
}

TEST_F(RecentFilesTest, NinetyFiveCharactersAreStoredNinetySixGiveAStarAndTheMessageOldestFirst) {
    const std::string fits = "/" + std::string(90, 'f') + ".PMW";
    const std::string tooLong = "/" + std::string(91, 'f') + ".PMW";
    for (RecentFileItem& item : recentFileItems) item.path = fits;
    _storeOldFileToModeDat(95);
    for (int slot = 0; slot < 4; ++slot) EXPECT_EQ(recentFileSlotText(slot), fits);
    for (RecentFileItem& item : recentFileItems) item.path = tooLong;
    _storeOldFileToModeDat(95);
    for (int slot = 0; slot < 4; ++slot) EXPECT_EQ(recentFileSlotText(slot), "*");
    const char* const caption = " | _storeOldFileToModeDat | none";
    EXPECT_EQ(test::shownBoxes(fakes.messages),
              (test::Boxes{std::string("File41->Caption TooLong") + caption,
                           std::string("File31->Caption FilenameTooLong") + caption,
                           std::string("File21->Caption FilenameTooLong") + caption,
                           std::string("File11->Caption FilenameTooLong") + caption}));
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
    EXPECT_EQ(recentFileItems[1].caption, "*");
    EXPECT_TRUE(recentFileItems[1].visible);
}

TEST_F(RecentFilesTest, StoreCurrentFileNameKeepsFileNamesWholeAndCutsMenuCaptions) {
    struct Case {
        const char* text;
        FileNameSource source;
        const char* expected;
    } cases[] = {
        {"/home/tester/My Programs/line (2).PMW", FileNameSource::FileName,
         "/home/tester/My Programs/line (2).PMW"},
        {"Axis control (ABS)", FileNameSource::MenuCaption, "Axis"},
        {"Counter.PMW(high speed)", FileNameSource::MenuCaption, "Counter.PMW"},
        {"/srv/jürgen/x.PMW", FileNameSource::MenuCaption, "/srv/jürgen/x.PMW"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        FileNameArray.fill('#');
        EXPECT_TRUE(storeCurrentFileName(c.text, c.source));
        EXPECT_EQ(currentFileName(), c.expected);
        for (std::size_t i = std::string(c.expected).size(); i < kFileNameSize; ++i)
            EXPECT_EQ(FileNameArray[i], '\0');
    }
    EXPECT_FALSE(storeCurrentFileName(std::string(96, 'b')));  // too long for the buffer: cut, and says so
    EXPECT_EQ(currentFileName(), std::string(95, 'b'));
    EXPECT_EQ(FileNameArray[95], '\0');
}

TEST_F(RecentFilesTest, TheCaptionShowsTheNameWithoutItsExtension) {
    titleText = "Kestrion Version 2.1.1108";
    struct Case {
        const char* name;
        const char* expected;
    } cases[] = {
        {"/home/first.last/prog.v2.PMW", "Kestrion Version 2.1.1108 - /home/first.last/prog"},
        {"/p/.x.PMW", "Kestrion Version 2.1.1108 - /p/.x"},
        {"/p/noext", "Kestrion Version 2.1.1108 - /p/noext"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setMainCaptionWithFile(c.name);
        EXPECT_EQ(fakes.system.caption, c.expected);
    }
}

}  // namespace
}  // namespace kestrion
