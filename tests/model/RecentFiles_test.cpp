#include "model/RecentFiles.h"

#include "model/MainState.h"
#include "model/ModeData.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

using platform::MsgIcon;

class RecentFilesTest : public testing::CoreTest {
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

// ---- Move to front ------------------------------------------------------------------------------

TEST_F(RecentFilesTest, SavingMovesTheNameToTheTop) {
    struct Case {
        const char* saved;
        std::vector<std::string> expected;
    } cases[] = {
        {"/p/A.PMW", {"/p/A.PMW", "/p/B.PMW", "/p/C.PMW", "/p/D.PMW"}},
        {"/p/B.PMW", {"/p/B.PMW", "/p/A.PMW", "/p/C.PMW", "/p/D.PMW"}},
        {"/p/C.PMW", {"/p/C.PMW", "/p/A.PMW", "/p/B.PMW", "/p/D.PMW"}},
        {"/p/D.PMW", {"/p/D.PMW", "/p/A.PMW", "/p/B.PMW", "/p/C.PMW"}},
        {"/p/E.PMW", {"/p/E.PMW", "/p/A.PMW", "/p/B.PMW", "/p/C.PMW"}},  // the oldest drops out
        // A different file whose name begins like a listed one is a new name.
        {"/p/A.PMW.bak", {"/p/A.PMW.bak", "/p/A.PMW", "/p/B.PMW", "/p/C.PMW"}},
        {"/p/A", {"/p/A", "/p/A.PMW", "/p/B.PMW", "/p/C.PMW"}},
        {"/p/My Programs/A.PMW", {"/p/My Programs/A.PMW", "/p/A.PMW", "/p/B.PMW", "/p/C.PMW"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.saved);
        setItems({"/p/A.PMW", "/p/B.PMW", "/p/C.PMW", "/p/D.PMW"});
        updateRecentFileList(c.saved);
        EXPECT_EQ(captions(), c.expected);
    }
}

TEST_F(RecentFilesTest, EmptyItemsFillFromTheTopAndVisibilityStays) {
    recentFileItems[1].visible = false;
    recentFileItems[2].visible = false;
    recentFileItems[3].visible = false;
    updateRecentFileList("/p/first.PMW");
    updateRecentFileList("/p/second.PMW");
    updateRecentFileList("/p/first.PMW");
    EXPECT_EQ(captions(), (std::vector<std::string>{"/p/first.PMW", "/p/second.PMW", "", ""}));
    EXPECT_TRUE(recentFileItems[0].visible);
    EXPECT_FALSE(recentFileItems[1].visible);
    EXPECT_FALSE(recentFileItems[3].visible);
}

// ---- Storing into the settings ------------------------------------------------------------------

TEST_F(RecentFilesTest, NamesAreStoredInTheirSlotsAndHiddenItemsToo) {
    setItems({"/p/new.PMW", "/p/My Programs/two.PMW", "", "/p/old.PMW"});
    recentFileItems[3].visible = false;
    _storeOldFileToModeDat(startNameLength);
    EXPECT_EQ(recentFileSlotText(0), "/p/new.PMW");
    EXPECT_EQ(recentFileSlotText(1), "/p/My Programs/two.PMW");
    EXPECT_EQ(recentFileSlotText(2), "");
    EXPECT_EQ(recentFileSlotText(3), "/p/old.PMW");
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(RecentFilesTest, NinetyFiveCharactersAreStoredNinetySixGiveAStarAndTheMessage) {
    const std::string fits = "/" + std::string(90, 'f') + ".PMW";
    const std::string tooLong = "/" + std::string(91, 'f') + ".PMW";
    ASSERT_EQ(fits.size(), 95u);
    ASSERT_EQ(tooLong.size(), 96u);
    const char* const messages[] = {"File11->Caption FilenameTooLong", "File21->Caption FilenameTooLong",
                                    "File31->Caption FilenameTooLong", "File41->Caption TooLong"};
    for (int item = kFile11; item <= kFile41; ++item) {
        SCOPED_TRACE(item);
        fakes.messages.shown.clear();
        recentFileItems = {};
        recentFileItems[static_cast<std::size_t>(item)].path = fits;
        _storeOldFileToModeDat(95);
        EXPECT_EQ(recentFileSlotText(item), fits);
        EXPECT_TRUE(fakes.messages.shown.empty());

        recentFileItems[static_cast<std::size_t>(item)].path = tooLong;
        _storeOldFileToModeDat(95);
        EXPECT_EQ(recentFileSlotText(item), "*");
        ASSERT_EQ(fakes.messages.shown.size(), 1u);
        EXPECT_EQ(fakes.messages.shown[0].text, messages[item]);
        EXPECT_EQ(fakes.messages.shown[0].caption, "_storeOldFileToModeDat");
        EXPECT_EQ(fakes.messages.shown[0].icon, MsgIcon::None);
    }
}

TEST_F(RecentFilesTest, TheNewestNameIsNotCutToTheStartNameLength) {
    const std::string name = "/home/tester/Tovel/Kestrion/User/" + std::string(50, 'p') + ".PMW";
    setItems({name.c_str()});
    _storeOldFileToModeDat(60);
    EXPECT_EQ(recentFileSlotText(0), name);
}

TEST_F(RecentFilesTest, SeveralTooLongNamesGiveOneMessageEachOldestFirst) {
    const std::string tooLong(120, 'z');
    recentFileItems[0].path = tooLong;
    recentFileItems[3].path = tooLong;
    _storeOldFileToModeDat(95);
    ASSERT_EQ(fakes.messages.shown.size(), 2u);
    EXPECT_EQ(fakes.messages.shown[0].text, "File41->Caption TooLong");
    EXPECT_EQ(fakes.messages.shown[1].text, "File11->Caption FilenameTooLong");
}

// ---- Loading from the settings ------------------------------------------------------------------

TEST_F(RecentFilesTest, LoadingNamesTheItemsAndHidesTheEmptyOnes) {
    setItems({"designed 1", "designed 2", "designed 3", "designed 4"});
    recentFileItems[2].visible = false;
    storeRecentFileSlot(0, "/p/a b.PMW");
    storeRecentFileSlot(2, "/p/c.PMW");
    ModeData.recentFiles[3].fill('x');  // no NUL: more than 95 characters

    loadRecentFilesFromModeDat();

    EXPECT_EQ(recentFileItems[0].caption, "/p/a b.PMW");
    EXPECT_EQ(recentFileItems[0].path, "/p/a b.PMW");
    EXPECT_TRUE(recentFileItems[0].visible);
    EXPECT_EQ(recentFileItems[1].caption, "designed 2");
    EXPECT_FALSE(recentFileItems[1].visible);
    EXPECT_EQ(recentFileItems[2].caption, "/p/c.PMW");
    EXPECT_FALSE(recentFileItems[2].visible);  // a named item keeps its visibility
    EXPECT_EQ(recentFileItems[3].caption, "designed 4");
    EXPECT_FALSE(recentFileItems[3].visible);
}

TEST_F(RecentFilesTest, AStarStoredForATooLongNameComesBackAsTheCaption) {
    recentFileItems[1].path = std::string(100, 'z');
    _storeOldFileToModeDat(95);
    recentFileItems = {};
    loadRecentFilesFromModeDat();
    EXPECT_EQ(recentFileItems[1].caption, "*");
    EXPECT_TRUE(recentFileItems[1].visible);
}

TEST_F(RecentFilesTest, StoreThenLoadGivesTheSameList) {
    setItems({"/p/1.PMW", "/p/2 two.PMW", "/p/3.PMW", "/p/4.PMW"});
    _storeOldFileToModeDat(95);
    const std::vector<std::string> before = captions();
    recentFileItems = {};
    loadRecentFilesFromModeDat();
    EXPECT_EQ(captions(), before);
}

// ---- The separator ------------------------------------------------------------------------------

TEST_F(RecentFilesTest, TheSeparatorShowsWhenAnyItemIsVisible) {
    for (int visibleItem = -1; visibleItem < kRecentFileItems; ++visibleItem) {
        SCOPED_TRACE(visibleItem);
        for (int item = 0; item < kRecentFileItems; ++item)
            recentFileItems[static_cast<std::size_t>(item)].visible = item == visibleItem;
        mainFormShow();
        EXPECT_EQ(FileBar1Visible, visibleItem >= 0);
    }
}

// ---- The current file name and the caption ------------------------------------------------------

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
        {"Timer.PMW\tnote", FileNameSource::MenuCaption, "Timer.PMW"},
        {"/srv/jürgen/x.PMW", FileNameSource::MenuCaption, "/srv/jürgen/x.PMW"},
        {"", FileNameSource::FileName, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        FileNameArray.fill('#');
        EXPECT_TRUE(storeCurrentFileName(c.text, c.source));
        EXPECT_EQ(currentFileName(), c.expected);
        for (std::size_t i = std::string(c.expected).size(); i < kFileNameSize; ++i)
            EXPECT_EQ(FileNameArray[i], '\0');
    }
}

TEST_F(RecentFilesTest, ANameTooLongForTheBufferIsCutAndSaysSo) {
    EXPECT_TRUE(storeCurrentFileName(std::string(95, 'a')));
    EXPECT_EQ(currentFileName().size(), 95u);
    EXPECT_FALSE(storeCurrentFileName(std::string(96, 'b')));
    EXPECT_EQ(currentFileName(), std::string(95, 'b'));
    EXPECT_EQ(FileNameArray[95], '\0');
}

TEST_F(RecentFilesTest, TheCaptionShowsTheNameWithoutItsExtension) {
    titleText = "Kestrion Version 2.1.1108";
    struct Case {
        const char* name;
        const char* expected;
    } cases[] = {
        {"/home/tester/Tovel/Kestrion/User/Noname01.PMW",
         "Kestrion Version 2.1.1108 - /home/tester/Tovel/Kestrion/User/Noname01"},
        {"/home/first.last/prog.v2.PMW", "Kestrion Version 2.1.1108 - /home/first.last/prog"},
        {"line.PMW", "Kestrion Version 2.1.1108 - line"},
        {".hidden.PMW", "Kestrion Version 2.1.1108 - .hidden"},
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
