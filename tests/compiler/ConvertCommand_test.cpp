// Convert: every refusal and failure shows its box and leaves the program as it was before the
// command; a finished conversion carries the block comments and follows every step in the progress.
#include "compiler/ConvertCommand.h"

#include <algorithm>
#include <set>
#include <tuple>

#include "editor/EditCommands.h"
#include "entry/EntryTestSupport.h"
#include "model/core/CommandTransaction.h"
#include "model/core/LinkedList.h"
#include "model/core/MainState.h"
#include "model/image/CommentLists.h"
#include "model/image/ModeData.h"
#include "model/ladder/EditMarks.h"
#include "model/ladder/LadderSearch.h"

namespace kestrion::test {
namespace {

// A list from head: position, code and block of each object.
Texts rowsOf(const stLadderBlock* head) {
    Texts rows;
    for (const stLadderBlock* o = head; o != nullptr; o = o->next)
        rows.push_back(std::to_string(o->xAddr) + "," + std::to_string(o->yAddr) + " " +
                       std::to_string(o->iCode) + " " + std::to_string(o->objLbc));
    return rows;
}

// The edit-cancel copy as rows, unpacked into objects of its own that go again.
Texts editCancelRows() {
    if (ldrBackup == nullptr) return {};
    LadderList copy;
    ldrBackup->unpackInto(copy);
    Texts rows = rowsOf(copy.head);
    freeLadderList(copy);
    return rows;
}

class ConvertTest : public EntryTest {
protected:
    ConvertTest() { fresh(); }
    void fresh() {
        freshProgram();
        initPmwImageByType(5);
        (void)initPmwImageForTypeAndSize(5, 8);
    }
    // Everything the command may change and must put back, as text.
    static Texts program() {
        Texts all = objectListDetailRows();
        for (const std::string& row : editCancelRows()) all.push_back(row);  // the edit-cancel copy
        for (const std::string& row : dump()) all.push_back(row);
        for (const auto* n = blockCommentList.head; n != nullptr; n = n->next)
            all.push_back(std::to_string(n->stepNo) + " " + textOf(n->text));
        for (std::size_t i = 0; i < 64; ++i) all.push_back(std::to_string(pmw.program[i]));
        all.push_back(std::to_string(pmw.sumCheck()) + " " + std::to_string(editModeFlags));
        return all;
    }
};

// Typed lines, a cell (column, row) given a '|' (none at 0, 0), the box, panel 13 afterwards.
using Failure = std::tuple<std::vector<std::string>, std::int64_t, std::int64_t, std::string, std::string>;

TEST_F(ConvertTest, EveryFailureShowsItsBoxAndLeavesTheProgramAsItWas) {
    // clang-format off
    const std::vector<Failure> cases = {
        {{"LD X0", "OUT Y0"}, 0, 0, "*Error2015010810... | Can't Convert... | error", ""},  // outputs past the bus
        {{"LD X0", "OUT Y0"}, 0, 0, "End Missing Error... | *LToM | warning", ""},
        {{"LD X0"}, 0, 0, "P1- Ladder diagram error | *Error2018031880 | warning", "Line 1: nothing joins X0 on its right."},
        {{"LD X0", "AND X1", "AND X2", "OUT Y0", "@80,64", "OR X3", "@80,128", "OR X4"}, 7, 1, "P2- Ladder diagram error | *isCorrectLadderDiagramP2 | warning", "Line 2: the link down from X2 joins nothing."},
        {{"LD X0", "AND X1", "OUT Y0", "@80,64", "OR X2", "@80,128", "LD X3", "AND X4"}, 5, 3, "Block 1: 4 of 6 objects are reached by its wiring; the ladder cannot be "
         "put in order. | *Modify_ObjectLinkSequence | error", "iConvObjNo=4"},
        {{"LD X0", "MOV K1 D0"}, 0, 0, "Fnc60 Error | SubLToM02 | warning", "SubLToM02: MOV  K1 at step 1"},
        {{"LD X0", "OUT Y0"}, 0, 0, "CommentBufferFull...comments not saved | saveCommentToCowBuffer( | warning", "1000"},
    };
    // clang-format on
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto& [lines, column, row, box, panel13] = cases[i];
        fresh();
        typeLines(lines);
        if (column != 0) setCanvasCell(column, row, '|');
        if (i == 0) editModeFlags |= 0x80;
        if (i == 1) removeLadderObject(ldrList, ldrTail);
        if (i == 5) ldrTail->prev->iCode = 0x88;  // FNC 60 in place of MOV
        for (std::uint16_t d = 0; i == 6 && d < 1000; ++d) appendDeviceComment('D', d, std::string(37, 'c'));
        editModeFlags |= 0x0C;
        appendBlockComment(0, "kept");
        addInsGrayMarkRow(64);
        fakes.messages.shown.clear();
        redrawFlags = 0;
        const Texts before = program();
        // the current and the last found object are the ones at the same places again
        ldrSearch = ldrHead->next;
        const auto places = [] {
            return std::pair(links::indexOf(ldrList, ldrNow), links::indexOf(ldrList, ldrSearch));
        };
        const auto placesBefore = places();
        EXPECT_FALSE(runCommand(LToM)) << i;
        EXPECT_EQ(places(), placesBefore) << i;
        EXPECT_EQ(boxes(), Boxes{box}) << i;
        EXPECT_EQ(fakes.statusBar.panelText(13), panel13) << i;
        EXPECT_EQ(program(), before) << i;
        EXPECT_TRUE(insGrayHead != nullptr && !fakes.progress.visible && langDialogs.appMessages.empty())
            << i;
        EXPECT_EQ(redrawFlags & 0x06, box[0] == 'P' ? 0x06 : 0) << i;
    }
}

TEST_F(ConvertTest, EveryEmptyLineGoesAndTheProgramCountsAsConvertedNotSaved) {
    typeLines({"LD X0", "OUT Y0", "@80,64", "LD X1", "OUT Y1", "@80,128", "OR X2"});
    editModeFlags = kEditFileOpen;
    BlueFrame = {80, 64, 159, 127};
    for (int i = 0; i < 3; ++i) InsertLine1Click();  // three empty lines between the rungs
    FreeLadderMemory(kListInsertedRows);             // two of them left blank without a mark
    addInsGrayMarkRow(128);
    addDelGrayMarkRow(256);  // a line that holds a rung stays
    ASSERT_TRUE(runCommand(LToM));
    EXPECT_EQ(objectListDetailRows(),
              (Texts{"80,0 LD X000 code=2000 end=10 id=1", "1040,0 OUT Y000 code=C000 end=11 id=1",
                     "80,64 LD X001 code=2000 end=10 id=2", "80,128 OR X002 code=6000 end=9 id=2",
                     "1040,64 OUT Y001 code=C000 end=11 id=2", "1040,192 END code=000F end=11 id=3"}));
    EXPECT_EQ(std::make_tuple(editModeFlags & 0x0C, insGrayHead, delHead),
              std::make_tuple(0x08, nullptr, nullptr));
    EXPECT_EQ(editCancelRows(), rowsOf(ldrHead));  // Edit Cancel goes back to the converted ladder
}

TEST_F(ConvertTest, ABlockCommentFollowsItsBlockAndOneWithoutItsObjectIsDropped) {
    typeLines({"LD X0", "OUT Y0", "@80,64", "LD X1", "OUT Y1"});
    ASSERT_TRUE(searchLadderObject(0, 80, 64));
    ldrSearch->stepNo = 9;
    appendBlockComment(9, "second block");
    appendBlockComment(5, "nothing there");
    fakes.trace.setVisible(platform::Memo::VirtualArray, true);
    ASSERT_TRUE(runCommand(LToM));
    // The canvas view goes with the conversion; the packer left its last note.
    EXPECT_FALSE(fakes.trace.visible(platform::Memo::VirtualArray));
    EXPECT_EQ(activityText, "*saveCommentToCowBuffer 5.monitorDevice");
    ASSERT_NE(blockCommentList.head, nullptr);
    EXPECT_EQ(std::to_string(blockCommentList.head->stepNo) + " " + textOf(blockCommentList.head->text),
              "2 second block");
    EXPECT_TRUE(blockCommentList.head->next == nullptr && ModeData.blockCommentCount == 1);
    // Two blocks before END: each block loop adds its dash after the second.
    const Texts& captions = fakes.progress.captions;
    EXPECT_EQ(std::count(captions.begin(), captions.end(), "68% -"), 1);
}

// The progress window follows Convert's steps in their order, each caption with its bar position, then
// the reload's own window, which gives the window back when the reload ends; the block loops add their
// dashes to the caption of their step.
TEST_F(ConvertTest, TheProgressFollowsEveryStepInOrder) {
    typeLines({"LD X0", "OUT Y0", "@80,64", "LD X1", "OUT Y1"});
    fakes.progress.captions.clear();
    fakes.progress.positions.clear();
    ASSERT_TRUE(runCommand(LToM));
    Texts steps;
    for (const std::string& caption : fakes.progress.captions)
        if (caption.find(" -") == std::string::npos) steps.push_back(caption);
    EXPECT_EQ(steps, (Texts{"Progress...",
                            "15%",
                            "20%",
                            "25%",
                            "30%",
                            "35%",
                            "40%",
                            "45%",
                            "50%",
                            "55%",
                            "56%",
                            "60%",
                            "64%",
                            "66%",
                            "68%",
                            "70%",
                            "75%",
                            "80%",
                            "85%",
                            "88%",
                            "90%",
                            "Progress...",
                            "Convert Progress...",
                            "Progress..."}));
    const std::vector<int> stepPositions(fakes.progress.positions.begin(),
                                         fakes.progress.positions.begin() + 22);
    EXPECT_EQ(stepPositions, (std::vector<int>{0,  15, 20, 25, 30, 35, 40, 45, 50, 55, 56,
                                               60, 64, 66, 68, 70, 75, 80, 85, 88, 90, 0}));
    EXPECT_FALSE(fakes.progress.visible);
}

// Every pass of a finished Convert is timed once, in its order; a refused Convert leaves the passes it
// finished before the refusal, and the next Convert starts the list again.
TEST_F(ConvertTest, EachPassOfTheLastConvertIsTimedOnce) {
    typeLines({"LD X0", "OUT Y0", "@80,64", "LD X1", "OUT Y1"});
    ASSERT_TRUE(runCommand(LToM));
    const std::vector<ConvertPassTime> finished = lastConvertPassTimes();
    std::set<std::string> names;
    for (const ConvertPassTime& time : finished) {
        EXPECT_NE(std::string(time.pass), "");
        EXPECT_GE(time.took.count(), 0);
        names.insert(time.pass);
    }
    EXPECT_GE(finished.size(), 20u);
    EXPECT_EQ(names.size(), finished.size());
    EXPECT_EQ(std::string(finished.front().pass), "drawnLadder");
    EXPECT_EQ(std::string(finished.back().pass), "completed");

    fresh();
    typeLines({"LD X0"});  // no output: the first check of the diagram refuses it
    EXPECT_FALSE(runCommand(LToM));
    std::vector<std::string> refused;
    for (const ConvertPassTime& time : lastConvertPassTimes()) refused.push_back(time.pass);
    EXPECT_EQ(refused, (std::vector<std::string>{"drawnLadder", "emptyLines", "endBlock", "outputEnds",
                                                 "nopsBeforeBoxes"}));
}

// A compare contact typed in any family takes the family of its place, in its 16- and 32-bit forms:
// LD at the rung's start, OR on the branch below it, AND after it.
TEST_F(ConvertTest, TypedCompareContactsTakeTheFamilyOfTheirPlace) {
    struct Relation {
        const char* typed;
        int fnc;  // of the LD form
    };
    const Relation relations[] = {{"=", 224},  {">", 225},  {"<", 226}, {"<>", 228},
                                  {"!=", 228}, {"<=", 229}, {">=", 230}};
    for (const Relation& relation : relations)
        for (const std::string wide : {"", "D"})
            for (const std::string typed : {"LD", "AND", "OR"}) {
                fresh();
                // the box takes OR only where a branch can join
                const std::string form = typed + wide + relation.typed;
                const std::string series = (typed == "OR" ? "LD" : typed) + wide + relation.typed;
                typeLines({series + " D0 D2", series + " D4 D6", "OUT Y0", "@80,64", form + " D8 D10"});
                setCanvasCell(3, 1, '|');
                ASSERT_TRUE(runCommand(LToM)) << form;
                const auto code = [&](int family) {
                    return static_cast<std::uint16_t>(16 + 2 * (relation.fnc + 8 * family) +
                                                      (wide.empty() ? 0 : 1));
                };
                std::vector<std::uint16_t> codes;
                for (const auto& [x, y] : {std::pair{80u, 0u}, {80u, 64u}, {160u, 0u}}) {
                    ASSERT_TRUE(searchLadderObject(0, x, y)) << form;
                    codes.push_back(ldrSearch->iCode);
                }
                EXPECT_EQ(codes, (std::vector<std::uint16_t>{code(0), code(2), code(1)})) << form;
            }
}

}  // namespace
}  // namespace kestrion::test
