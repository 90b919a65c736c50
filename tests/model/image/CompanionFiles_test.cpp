#include "model/image/CompanionFiles.h"

#include <algorithm>
#include <string>
#include <vector>

#include "model/image/CowImage.h"
#include "model/image/DmwImage.h"
#include "model/image/ModeData.h"
#include "model/image/MonitorLists.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "support/Fixture.h"
#include "support/ShownBoxes.h"

namespace kestrion {
namespace {

using Bytes = std::vector<std::uint8_t>;

class CompanionFilesTest : public test::CoreTest {
protected:
    CompanionFilesTest() { initLadderList(0, 0); }
    bool has(const std::string& path) const { return fakes.files.exists(path); }
    Bytes putDcn(const std::string& path) {
        Bytes dcn(512, 'Q');
        for (std::size_t i = 0; i < kDcnDescriptionSize; ++i)
            dcn[256 + i] = static_cast<std::uint8_t>('a' + i % 26);
        fakes.files.put(path, dcn);
        return dcn;
    }
};

TEST_F(CompanionFilesTest, AnEmptyMonitorListMakesTheFixedEdmFile) {
    ASSERT_TRUE(writeEdmFile("/p/A.EDM"));
    Bytes expected(8256, 0x02);
    std::fill_n(expected.begin(), 256, 0x01);
    EXPECT_EQ(fakes.files.content("/p/A.EDM"), expected);
}

TEST_F(CompanionFilesTest, EdmEntriesAreTheirImagesWithZeroLinksThenZeros) {
    for (const char* text : {"D1", "M8"}) {
        addDeviceMonitorNode();
        setText(deviceMonitorList.newest->deviceText, text);
    }
    ASSERT_TRUE(writeEdmFile("/p/B.EDM"));
    const Bytes edm = fakes.files.content("/p/B.EDM");
    ASSERT_EQ(edm.size(), 8256u);
    const MonitorNodeImage second = deviceMonitorNodeImage(*deviceMonitorList.tail);
    EXPECT_EQ(Bytes(edm.begin() + 320, edm.begin() + 384), Bytes(second.begin(), second.end()));
    EXPECT_EQ(
        std::count(edm.begin() + 384, edm.end(), 0) + std::count(edm.begin() + 288, edm.begin() + 296, 0),
        8256 - 384 + 8);  // zeros after the entries, and the link words
}

TEST_F(CompanionFilesTest, ADcnFileAloneGivesTheDescriptionAndIsDeletedLikeAPtwFile) {
    const Bytes dcn = putDcn("/p/PROG.DCN");
    fakes.files.put("/p/PROG.PTW", Bytes(10, 1));
    const CompanionReadResult result = readCompanionFiles("/p/PROG.PMW", 7);
    EXPECT_TRUE(result.dcnRead && !result.cowRead);
    EXPECT_FALSE(has("/p/PROG.DCN") || has("/p/PROG.PTW"));
    const std::string description(dcn.begin() + 256, dcn.begin() + 350);
    EXPECT_EQ(result.description, description);
    EXPECT_TRUE(std::equal(description.begin(), description.end(), CowBuffer.begin() + 128));
    EXPECT_EQ(CowBuffer[222], 0);
}

TEST_F(CompanionFilesTest, WithoutACowFileNoCommentsOfTheProgramBeforeRemain) {
    appendDeviceComment('D', 3, "old program");
    ASSERT_TRUE(saveCommentToCowBuffer());
    readCompanionFiles("/p/NEW.PMW", 7);
    ASSERT_TRUE(loadCommentFromCowBuffer());
    EXPECT_EQ(deviceCommentList.head, nullptr);
}

TEST_F(CompanionFilesTest, AFileThatCannotBeCreatedStopsTheSaveWithItsMessage) {
    for (const auto& [unwritable, caption, written] :
         {std::tuple{"/p/F.DMW", "*DMW", 0}, {"/p/F.COW", "*COW", 1}, {"/p/F.EDM", "*EDM", 2}}) {
        fakes.messages.shown.clear();
        fakes.files.files.clear();
        fakes.files.unwritable = {std::string(unwritable)};
        editModeFlags = kEditModifiedSinceSave;
        EXPECT_FALSE(writeCompanionFiles("/p/F.PMW", 7));
        EXPECT_EQ(test::shownBoxes(fakes.messages),
                  test::Boxes{"Error2014122008 | " + std::string(caption) + " | error"});
        EXPECT_EQ(editModeFlags, kEditModifiedSinceSave);
        EXPECT_EQ(has("/p/F.DMW") + has("/p/F.COW") + has("/p/F.EDM"), written) << caption;
    }
}

}  // namespace
}  // namespace kestrion
