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

Bytes edmBytes() {
    const EdmImage edm = edmFileBytes();
    return Bytes(edm.begin(), edm.end());
}

class CompanionFilesTest : public test::CoreTest {
protected:
    CompanionFilesTest() { initLadderList(0, 0); }
    bool has(const std::string& path) const { return fakes.files.exists(path); }
    Bytes putDcn(const std::string& path) {
        Bytes dcn(512, 'Q');
        for (std::size_t i = 0; i < 94; ++i) dcn[256 + i] = static_cast<std::uint8_t>('a' + i % 26);
        fakes.files.put(path, dcn);
        return dcn;
    }
    // A type 7 program's four files as a save makes them.
    ProgramFileSet fileSet(const std::string& pmwPath) {
        PmwImage image;
        image.pmwPre = pmwPreTemplate(7);
        image.parameterBlock = parameterTemplate(7);
        image.program.fill(kEmptyWord);
        image.program[0] = kEndCode;
        auto files = programFileSet(pmwPath, image);
        EXPECT_TRUE(files.has_value());
        return files.value_or(ProgramFileSet{});
    }
};

TEST_F(CompanionFilesTest, TheEdmFileIsItsFixedHeadThenTheEntriesOrTheEmptyMark) {
    Bytes empty(8256, 0x02);
    std::fill_n(empty.begin(), 256, 0x01);
    EXPECT_EQ(edmBytes(), empty);

    for (const char* text : {"D1", "M8"}) {
        addDeviceMonitorNode();
        setText(deviceMonitorList.newest->deviceText, text);
    }
    deviceMonitorList.tail->textLength = 2;
    deviceMonitorList.tail->deviceNo = 8;
    deviceMonitorList.tail->deviceIndex = 2;
    deviceMonitorList.tail->deviceCode = {0x08, 0x00, 0x08, 0x00};
    const Bytes edm = edmBytes();
    ASSERT_EQ(edm.size(), 8256u);
    // text, length, number, index, code, the unread value 4294967295.0, zero links, the fields
    const Bytes second = {'M', '8', 0, 0, 0, 0, 0, 0, 2, 0, 0,    0,    8,    0,    0,    0,
                          2,   0,   0, 0, 8, 0, 8, 0, 0, 0, 0xE0, 0xFF, 0xFF, 0xFF, 0xEF, 0x41};
    EXPECT_EQ(Bytes(edm.begin() + 320, edm.begin() + 352), second);
    EXPECT_EQ(Bytes(edm.begin() + 256, edm.begin() + 259), (Bytes{'D', '1', 0}));
    EXPECT_EQ(std::count(edm.begin() + 352, edm.end(), 0), 8256 - 352);
}

// The DCN file stays until a save has written its description (File > Open and Save see to it).
TEST_F(CompanionFilesTest, OpenTakesTheDcnDescriptionAndDeletesThePtwFile) {
    const Bytes dcn = putDcn("/p/PROG.DCN");
    fakes.files.put("/p/PROG.PTW", Bytes(10, 1));
    const CompanionReadResult result = readCompanionFiles("/p/PROG.PMW", 7);
    EXPECT_TRUE(result.dcnRead && !result.cowRead);
    EXPECT_TRUE(has("/p/PROG.DCN"));
    EXPECT_FALSE(has("/p/PROG.PTW"));
    const std::string description(dcn.begin() + 256, dcn.begin() + 350);
    EXPECT_EQ(result.description, description);
    EXPECT_TRUE(std::equal(description.begin(), description.end(), CowBuffer.begin() + 128));
    CowBuffer.fill('x');
    importDcnDescription();  // 94 characters, then the NUL at 222 and nothing after it
    EXPECT_EQ(std::string(CowBuffer.begin() + 220, CowBuffer.begin() + 224), std::string("op\0x", 4));
}

TEST_F(CompanionFilesTest, WithoutACowFileNothingOfTheProgramBeforeRemains) {
    putDcn("/p/OLD.DCN");
    readCompanionFiles("/p/OLD.PMW", 7);
    appendDeviceComment('D', 3, "old program");
    std::fill_n(CowBuffer.begin() + 128, 20, std::uint8_t{'d'});  // its description
    ASSERT_TRUE(saveCommentToCowBuffer());
    const CompanionReadResult result = readCompanionFiles("/p/NEW.PMW", 7);
    EXPECT_FALSE(result.description.has_value());
    ASSERT_TRUE(loadCommentFromCowBuffer());
    EXPECT_EQ(deviceCommentList.head, nullptr);
    // The image a New starts with: no description, the type-1 header words, length 12, type 4.
    const Bytes words = {0x74, 0x27, 4, 0, 0, 0,    0, 0, 0,    0x10, 0,    0, 2, 0, 0,
                         0x10, 0,    0, 0, 0, 0,    0, 3, 0,    0,    0x10, 0, 0, 0, 0,
                         0,    0,    4, 0, 0, 0x10, 0, 0, 0x40, 0,    0,    0, 5, 0};
    EXPECT_EQ(Bytes(CowBuffer.begin() + 70, CowBuffer.begin() + 114), words);
    EXPECT_EQ(std::vector<int>({CowBuffer[10], CowBuffer[11], CowBuffer[69], CowBuffer[128], CowBuffer[250],
                                CowBuffer[254], CowBuffer[256]}),
              std::vector<int>({0, ' ', ' ', 0, 12, 4, 0}));
    EXPECT_EQ(cowDataLength, 12);
}

TEST_F(CompanionFilesTest, ASaveWritesAllFourFilesAndLeavesNothingElse) {
    fakes.files.put("/p/S.PMW", Bytes(5, 9));  // replaced
    const ProgramFileSet files = fileSet("/p/S.PMW");
    ASSERT_TRUE(writeProgramFiles(files));
    const std::vector<std::size_t> sizes = {
        fakes.files.content("/p/S.PMW").size(), fakes.files.content("/p/S.DMW").size(),
        fakes.files.content("/p/S.COW").size(), fakes.files.content("/p/S.EDM").size()};
    EXPECT_EQ(sizes, (std::vector<std::size_t>{16416, 16768, 268, 8256}));
    EXPECT_EQ(fakes.files.files.size(), 4u);
    EXPECT_EQ(DmwImage[254], 7);  // the type's header was loaded for the file
}

TEST_F(CompanionFilesTest, AFileThatCannotBeWrittenLeavesEveryFileAsItWas) {
    const std::tuple<const char*, const char*> cases[] = {
        {"/p/F.PMW", "Save File Error | PMW | error"},
        {"/p/F.DMW", "Error2014122008 | *DMW | error"},
        {"/p/F.COW", "Error2014122008 | *COW | error"},
        {"/p/F.EDM", "Error2014122008 | *EDM | error"},
        {"/p/F.EDM.kestrion-save", "Error2014122008 | *EDM | error"},
        {"/p/F.DMW.kestrion-old", "Error2014122008 | *DMW | error"},  // the old file's copy
    };
    for (const bool oldFiles : {false, true}) {
        for (const auto& [unwritable, box] : cases) {
            if (!oldFiles && std::string(unwritable).ends_with("-old")) continue;
            fakes.messages.shown.clear();
            fakes.files.files.clear();
            fakes.files.unwritable.clear();
            if (oldFiles)
                for (const char* ext : {"PMW", "DMW", "COW", "EDM"})
                    fakes.files.put("/p/F." + std::string(ext), {1});
            const auto before = fakes.files.files;
            const ProgramFileSet files = fileSet("/p/F.PMW");
            fakes.files.unwritable = {unwritable};
            EXPECT_FALSE(writeProgramFiles(files));
            EXPECT_EQ(test::shownBoxes(fakes.messages), test::Boxes{box}) << unwritable;
            // The old program's files stay, none is made, and no temporary file is left.
            EXPECT_EQ(fakes.files.files, before) << unwritable << " " << oldFiles;
        }
    }
}

}  // namespace
}  // namespace kestrion
