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
#include "wizards/FakeWizardsDialogs.h"
#include "wizards/TemplateItems.h"

namespace kestrion::test {
namespace {

namespace fs = std::filesystem;
using Words = std::vector<std::uint16_t>;

const fs::path kSourceRoot = fs::path(__FILE__).parent_path().parent_path().parent_path();

struct Example {
    std::string path, title;
    std::vector<std::string> lines;
    std::vector<std::pair<std::string, std::string>> comments;  // device, text
};

std::vector<Example> examples() {
    std::vector<Example> all;
    std::ifstream in(kSourceRoot / "tests/wizards/examples/examples.txt");
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        if (line.rfind("== ", 0) == 0) {
            all.push_back({line.substr(3), "", {}, {}});
        } else if (line.rfind("title ", 0) == 0) {
            all.back().title = line.substr(6);
        } else if (const std::size_t eq = line.find(" = "); eq != std::string::npos) {
            all.back().comments.emplace_back(line.substr(0, eq), line.substr(eq + 3));
        } else {
            all.back().lines.push_back(line.substr(0, line.find('#')));
        }
    }
    return all;
}

std::uint16_t code(const std::string& device) {
    const auto found = deviceCodeOfText(device);
    if (!found) throw std::invalid_argument("no device " + device);
    return static_cast<std::uint16_t>(*found);
}

std::uint16_t marked(std::uint32_t value) {
    return static_cast<std::uint16_t>(0x8000 | value);
}

// One instruction line into its words, as the PLC holds them.
Words assemble(const std::string& line) {
    std::istringstream fields(line);
    std::vector<std::string> t;
    for (std::string field; fields >> field;) t.push_back(field);
    if (t.empty()) return {};
    Words words;
    if (t[0].size() == 4 && std::all_of(t[0].begin(), t[0].end(), ::isxdigit)) {
        for (const std::string& word : t)
            words.push_back(static_cast<std::uint16_t>(std::stoul(word, nullptr, 16)));
        return words;
    }
    const std::string& m = t[0];
    const std::map<std::string, std::uint16_t> contacts = {{"LD", 0x2000},  {"LDI", 0x3000}, {"AND", 0x4000},
                                                           {"ANI", 0x5000}, {"OR", 0x6000},  {"ORI", 0x7000},
                                                           {"STL", 0xF000}};
    const std::map<std::string, std::uint16_t> edges = {{"LDP", 0x01C2},  {"LDF", 0x01C3}, {"ANDP", 0x01C4},
                                                        {"ANDF", 0x01C5}, {"ORP", 0x01C6}, {"ORF", 0x01C7},
                                                        {"PLS", 0x0008},  {"PLF", 0x0009}};
    const std::map<std::string, std::uint16_t> alone = {{"ANB", 0xFFF8}, {"ORB", 0xFFF9}, {"MPS", 0xFFFA},
                                                        {"MRD", 0xFFFB}, {"MPP", 0xFFFC}, {"INV", 0xFFFD},
                                                        {"END", 0x000F}, {"RET", 0xF7FF}};
    OperandSink sink;
    sink.emitWord = [&words](std::uint32_t step, std::uint16_t word) {
        words.push_back(word);
        return step + 1;
    };
    if (contacts.count(m)) return {static_cast<std::uint16_t>(contacts.at(m) | code(t[1]))};
    if (edges.count(m)) return {edges.at(m), marked(code(t[1]))};
    if (alone.count(m)) return {alone.at(m)};
    if (m == "OUT" && (t[1][0] == 'T' || t[1][0] == 'C')) {
        words.push_back(code(t[1]));
        sink.wide = t[1][0] == 'C' && std::stoi(t[1].substr(1)) >= 200;
        encodeOperand(sink, 0, t[2]);
        return words;
    }
    if (m == "OUT") return {static_cast<std::uint16_t>(0xC000 | code(t[1]))};
    if (m == "SET")
        return t[1][0] == 'S' ? Words{0x0006, marked(code(t[1]))}
                              : Words{static_cast<std::uint16_t>(0xD000 | code(t[1]))};
    if (m == "RST" && (t[1][0] == 'T' || t[1][0] == 'C')) return {0x000C, marked(code(t[1]))};
    if (m == "RST") return {static_cast<std::uint16_t>(0xE000 | code(t[1]))};
    if (m == "MC") return {0x000A, marked(std::stoul(t[1].substr(1))), marked(code(t[2]))};
    if (m == "MCR") return {0x000B, marked(std::stoul(t[1].substr(1)))};
    if (m[0] == 'P' && m.size() > 1 && std::isdigit(static_cast<unsigned char>(m[1])))
        return {static_cast<std::uint16_t>(0xB000 + std::stoul(m.substr(1)))};
    if (m[0] == 'I' && m.size() > 1 && std::isdigit(static_cast<unsigned char>(m[1])))
        return {static_cast<std::uint16_t>(0xB800 + std::stoul(m.substr(1)))};
    for (const AppInstruction& row : appInstructions()) {
        for (const bool wide : {false, true})
            for (const bool pulse : {false, true}) {
                const std::string name = std::string(wide && row.dLetter ? "D" : "") +
                                         std::string(row.mnemonic) + (pulse && row.pLetter ? "P" : "");
                if (name != m || !carriesForm(row, wide, pulse)) continue;
                words.push_back(appCode(row.fnc, wide, pulse));
                sink.wide = wide;
                for (std::size_t i = 1; i < t.size(); ++i) {
                    if (t[i][0] == 'P') {  // a pointer: its number twice, as a pair
                        const auto twice = 2 * std::stoul(t[i].substr(1));
                        words.insert(words.end(), {marked(0x0800 | (twice & 0xFF)), marked(twice >> 8)});
                    } else {
                        encodeOperand(sink, 0, t[i]);
                    }
                }
                return words;
            }
    }
    throw std::invalid_argument("cannot assemble " + line);
}

Words programOf(const Example& example) {
    Words words;
    for (const std::string& line : example.lines) {
        const Words more = assemble(line);
        words.insert(words.end(), more.begin(), more.end());
    }
    return words;
}

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
            if (path == entry.path) return entry;
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
        EXPECT_EQ(currentFileName(), file);
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
