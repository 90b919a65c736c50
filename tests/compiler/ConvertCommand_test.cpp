// Convert: the refusals and failures with their boxes, each leaving the program as it was before
// the command, and what a finished conversion leaves behind.
#include "compiler/ConvertCommand.h"

#include <algorithm>
#include <functional>

#include "entry/EntryTestSupport.h"
#include "model/CommandTransaction.h"
#include "model/CommentLists.h"
#include "model/EditMarks.h"
#include "model/LadderObject.h"
#include "model/LadderSearch.h"
#include "model/ModeData.h"

namespace kestrion::test {
namespace {

class ConvertTest : public EntryTest {
public:
    using EntryTest::typeLines;
    ConvertTest() { fresh(); }
    void fresh() {
        freshProgram();
        initPmwImageByType(5);
        (void)initPmwImageForTypeAndSize(5, 8);
    }
    // A ladder drawn on the grid: 'X' a contact, 'Y' an output wired to the right bus.
    void drawn(const Picture& picture) {
        initLadderList(1040, static_cast<std::uint32_t>((picture.size() + 1) / 2 * 64));
        ldrTail->objLbc = 2;
        for (std::size_t r = 0; r < picture.size(); ++r) {
            std::string line = picture[r];
            if (const std::size_t out = line.find('Y'); out != std::string::npos) {
                line.resize(28, ' ');
                for (std::size_t c = out + 2; c < 28; c += 2) line[c] = 'y';
            }
            for (std::size_t c = 0; c < line.size(); ++c)
                if (line[c] != ' ') setCanvasCell(std::int64_t(c), std::int64_t(r), line[c]);
            for (std::size_t c = 0; c < line.size(); ++c) {
                if (line[c] != 'X' && line[c] != 'Y') continue;
                const bool out = line[c] == 'Y';
                stLadderBlock* o = object(out ? 0xC000 : 0x2000, std::uint32_t(c * 40), std::uint32_t(r * 32),
                                          0, 1, out ? "OUT" : "LD");
                setText(o->operands[0], (out ? "Y" : "X") + std::to_string(r + c / 2));
                if (out) o->end = 11;
            }
        }
    }
    struct Program {
        Texts objects;
        Picture grid;
        std::vector<std::uint16_t> words;
        Texts comments;
        std::uint8_t flags;
        bool operator==(const Program&) const = default;
    };
    static Program program() {
        Texts comments;
        for (const auto* n = blockCommentList.head; n != nullptr; n = n->next)
            comments.push_back(std::to_string(n->stepNo) + " " + textOf(n->text));
        return {objectListDetailRows(),
                dump(),
                {pmw.program.begin(), pmw.program.end()},
                comments,
                editModeFlags};
    }
};

struct Failure {
    const char* what;
    std::function<void(ConvertTest&)> setUp;
    std::string box;
    std::string panel13;  // the check's own text, where it leaves one
};

TEST_F(ConvertTest, EveryFailureShowsItsBoxAndLeavesTheProgramAsItWas) {
    // clang-format off
    const std::vector<Failure> cases = {
        {"outputs past the right bus", [](ConvertTest& t) { t.typeLines({"LD X0", "OUT Y0"}); editModeFlags |= 0x80; },
         "*Error2015010810... | Can't Convert... | error", ""},
        {"no END object", [](ConvertTest& t) { t.typeLines({"LD X0", "OUT Y0"}); removeLadderObject(ldrList, ldrTail); },
         "End Missing Error... | *LToM | warning", ""},
        {"P1: a contact without its output", [](ConvertTest& t) { t.typeLines({"LD X0"}); },
         "P1- Ladder diagram error | *Error2018031880 | warning", "P1-3 Ladder Error...160,0 ErrorStepNo65535"},
        {"P2: a link hanging from the first line", [](ConvertTest& t) { t.drawn({"  X X X Y", "   |   |", "  X", "   |", "  X"}); },
         "P2- Ladder diagram error | *isCorrectLadderDiagramP2 | warning", "P1-4U Error..."},
        {"the ordering pass cannot reach every object", [](ConvertTest& t) { t.drawn({"  X X Y", "   |", "  X", "     |", "  X X"}); },
         "Block 1: 4 of 6 objects are reached by its wiring; the ladder cannot be put in order. | "
         "*Modify_ObjectLinkSequence | error", "iConvObjNo=4"},
        {"the emitter refuses an instruction", [](ConvertTest& t) {
             t.typeLines({"LD X0", "MOV K1 D0"});
             ldrTail->prev->iCode = 0x88;  // FNC 60
         }, "Fnc60 Error | SubLToM02 | warning", "SubLToM02: MOV  K1 at step 1"},
    };
    // clang-format on
    for (const Failure& c : cases) {
        fresh();
        c.setUp(*this);
        editModeFlags |= 0x0C;
        appendBlockComment(0, "kept");
        addInsGrayMarkRow(64);
        fakes.messages.shown.clear();
        fakes.statusBar.setPanelText(13, "");
        redrawFlags = 0;
        const Program before = program();

        EXPECT_FALSE(runCommand(LToM)) << c.what;
        EXPECT_EQ(boxes(), Boxes{c.box}) << c.what;
        EXPECT_EQ(fakes.statusBar.panelText(13), c.panel13) << c.what;
        EXPECT_TRUE(program() == before) << c.what;
        EXPECT_NE(insGrayHead, nullptr) << c.what;
        EXPECT_FALSE(fakes.progress.visible) << c.what;
        EXPECT_TRUE(langDialogs.appMessages.empty()) << c.what;
        if (c.box[0] == 'P') {
            EXPECT_EQ(redrawFlags & 0x26, 0x26) << c.what;
        }
    }
}

TEST_F(ConvertTest, BlockCommentsFollowTheirBlocksToTheirNewSteps) {
    typeLines({"LD X0", "OUT Y0", "@80,64", "LD X1", "OUT Y1"});
    ASSERT_TRUE(searchLadderObject(0, 80, 64));
    ldrSearch->stepNo = 9;
    appendBlockComment(9, "second block");
    appendBlockComment(5, "nothing there");
    ASSERT_EQ(ModeData.blockCommentCount, 2);

    ASSERT_TRUE(runCommand(LToM));
    ASSERT_NE(blockCommentList.head, nullptr);
    EXPECT_EQ(blockCommentList.head->stepNo, 2);
    EXPECT_EQ(textOf(blockCommentList.head->text), "second block");
    EXPECT_EQ(blockCommentList.head->next, nullptr);
    EXPECT_EQ(ModeData.blockCommentCount, 1);
}

TEST_F(ConvertTest, TheProgressWindowFollowsEveryStep) {
    typeLines({"LD X0", "OUT Y0"});
    ASSERT_TRUE(runCommand(LToM));
    const Texts steps = {"Progress...", "15%", "20%", "25%", "30%", "35%",        "40%", "45%",
                         "50%",         "55%", "56%", "60%", "64%", "66%",        "68%", "70%",
                         "75%",         "80%", "85%", "88%", "90%", "Progress..."};
    ASSERT_GE(fakes.progress.captions.size(), steps.size());
    EXPECT_EQ(Texts(fakes.progress.captions.begin(), fakes.progress.captions.begin() + 22), steps);
    EXPECT_EQ(fakes.progress.positions[1], 15);
    const Texts panel13 = fakes.statusBar.history(13);
    EXPECT_NE(std::find(panel13.begin(), panel13.end(), "LToI.LBC=2"), panel13.end());
    EXPECT_FALSE(fakes.progress.visible);
}

TEST_F(ConvertTest, ADashEveryIntervalPlusOneBlocks) {
    const std::vector<std::pair<std::uint32_t, std::vector<std::uint32_t>>> cases = {
        {0, {2, 3, 4, 5}},  // END block id below 10
        {100, {102, 203}},  // END block id 1000
        {1, {3, 5}},
    };
    for (const auto& [interval, expected] : cases) {
        ProgressDash dashes(interval);
        std::vector<std::uint32_t> after;
        for (std::uint32_t block = 1; block <= expected.back(); ++block)
            if (dashes.afterBlock()) after.push_back(block);
        EXPECT_EQ(after, expected) << interval;
    }
}

}  // namespace
}  // namespace kestrion::test
