// The example programs under data/Template/ are made from examples/examples.txt by the program's
// own encoders and file writers: KESTRION_WRITE_EXAMPLES=1 writes them, every other run checks that
// the shipped files are exactly what their sources give, and that each one opens from its menu item,
// shows its comments and converts back to the same words.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/FakeAppDialogs.h"
#include "app/FileCommands.h"
#include "app/FileTitle.h"
#include "app/MainCore.h"
#include "app/MainView.h"
#include "app/TemplateCommands.h"
#include "compiler/ConvertCommand.h"
#include "model/core/CommandTransaction.h"
#include "model/core/MainState.h"
#include "model/image/CommentLists.h"
#include "model/image/CowImage.h"
#include "model/image/ModeData.h"
#include "model/image/PmwFile.h"
#include "model/image/ProgramImage.h"
#include "model/instructions/AppInstructionTable.h"
#include "model/ladder/LadderObject.h"
#include "reader/MachineWords.h"
#include "reader/OperandWords.h"
#include "support/ShownBoxes.h"
#include "wizards/DataFiles.h"
#include "wizards/ExamplePrograms.h"
#include "wizards/FakeWizardsDialogs.h"
#include "wizards/TemplateMenu.h"

namespace kestrion::test {
namespace {

using namespace sources;

class TemplateExamplesTest : public WizardsTest {
protected:
    TemplateExamplesTest() {
        resetAllState();
        mainFormStartUp();
        ModeData.viewFlags |= kViewTemplateDisclaimerOff;
        fakes.messages.shown.clear();
    }
    // The program file and comment file an example makes.
    std::pair<std::vector<std::uint8_t>, std::vector<std::uint8_t>> filesOf(const Example& example) {
        initPmwImageByType(5);
        EXPECT_TRUE(initPmwImageForTypeAndSize(5, 2));
        const Words words = programOf(example);
        std::copy(words.begin(), words.end(), pmw.program.begin());
        pmw.setSumCheck(programCheckCode(pmw.program, 2));
        setProgramTitle(pmw, example.title);
        ClearAllComment1Click();
        for (const auto& [device, text] : example.comments)
            appendDeviceComment(device[0], static_cast<std::uint16_t>(std::stoul(device.substr(1))), text);
        std::fill_n(CowBuffer.begin() + cowOffset::description, cowOffset::descriptionSize, 0);
        std::copy(example.title.begin(), example.title.end(), CowBuffer.begin() + cowOffset::description);
        const auto cow = cowFileBytes();
        EXPECT_TRUE(cow.has_value());
        return {pmwFileBytes(pmw), cow.value_or(std::vector<std::uint8_t>{})};
    }
    static std::vector<std::uint8_t> shipped(const std::string& tablePath, const char* extension) {
        fs::path file = kSourceRoot / "data" / relativeDataPath(tablePath);
        file.replace_extension(extension);
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static const TemplateEntry& entryFor(const std::string& path) {
        for (const TemplateEntry& entry : templateEntries())
            if (path == entry.target.file) return entry;
        throw std::invalid_argument("no item opens " + path);
    }
    FakeAppDialogs appDialogs;

private:
    InstalledDialogs<AppDialogs> installed_{appDialogs};
};

TEST_F(TemplateExamplesTest, TheShippedExamplesAreWhatTheirSourcesMake) {
    const bool write = std::getenv("KESTRION_WRITE_EXAMPLES") != nullptr;
    const std::vector<Example> all = examples();
    ASSERT_EQ(all.size(), 13u);
    for (const Example& example : all) {
        const auto [pmwBytes, cowBytes] = filesOf(example);
        if (write) {
            fs::path file = kSourceRoot / "data" / relativeDataPath(example.path);
            fs::create_directories(file.parent_path());
            std::ofstream(file, std::ios::binary)
                .write(reinterpret_cast<const char*>(pmwBytes.data()),
                       static_cast<std::streamsize>(pmwBytes.size()));
            file.replace_extension(".COW");
            std::ofstream(file, std::ios::binary)
                .write(reinterpret_cast<const char*>(cowBytes.data()),
                       static_cast<std::streamsize>(cowBytes.size()));
        }
        EXPECT_TRUE(shipped(example.path, ".PMW") == pmwBytes) << example.path;
        EXPECT_TRUE(shipped(example.path, ".COW") == cowBytes) << example.path;
    }
}

TEST_F(TemplateExamplesTest, EveryExampleOpensFromItsItemWithItsCommentsAndConvertsBackToItsWords) {
    for (const Example& example : examples()) {
        const std::string file = fakes.files.dataDir + "/" + relativeDataPath(example.path);
        fakes.files.put(file, shipped(example.path, ".PMW"));
        fakes.files.put(file.substr(0, file.size() - 4) + ".COW", shipped(example.path, ".COW"));
        templateItemClick(entryFor(example.path), openTemplateFile);
        EXPECT_EQ(shownBoxes(fakes.messages), Boxes{}) << example.path;
        // Opened unnamed, under its file's name in the User folder: nothing writes over the example.
        EXPECT_EQ(currentFileName(), installDir + "/User" + file.substr(file.find_last_of('/')));
        const Words words = programOf(example);
        ASSERT_TRUE(ldrTail != nullptr && ldrTail->iCode == kEndCode) << example.path;
        EXPECT_EQ(ModeData.deviceCommentCount, example.comments.size()) << example.path;
        EXPECT_EQ(std::string(deviceCommentList.head->text.data()), example.comments[0].second)
            << example.path;
        EXPECT_EQ(appState.dcnMemo, example.title) << example.path;
        ASSERT_TRUE(runCommand([] {
            LToM();
            return true;
        })) << example.path
            << " " << ::testing::PrintToString(shownBoxes(fakes.messages)) << fakes.statusBar.panelText(0)
            << "/" << fakes.statusBar.panelText(13);
        EXPECT_EQ(Words(pmw.program.begin(), pmw.program.begin() + static_cast<std::ptrdiff_t>(words.size())),
                  words)
            << example.path;
        EXPECT_EQ(pmw.sumCheck(), programCheckCode(pmw.program, 2)) << example.path;
        fakes.messages.scriptAnswers({platform::MsgAnswer::No});  // the converted program is not saved
        Close1Click();
        fakes.messages.shown.clear();
    }
}

}  // namespace
}  // namespace kestrion::test
