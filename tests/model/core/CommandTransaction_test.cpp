#include "model/core/CommandTransaction.h"

#include <functional>
#include <stdexcept>

#include "model/LadderTestSupport.h"
#include "model/core/ByteImage.h"
#include "model/core/ConversionError.h"
#include "model/core/MainState.h"
#include "model/image/ConnectedPlc.h"
#include "model/image/ProgramImage.h"
#include "model/image/StepCount.h"
#include "model/ladder/EditMarks.h"
#include "model/ladder/EditorServices.h"

namespace kestrion {
namespace {

struct ModelPicture {
    PmwImage pmw, backup;
    std::vector<std::uint16_t> ladder, undo, copies;
    std::string editNewMnemonic;
    std::ptrdiff_t now = -1, alloc = -1;
    std::vector<std::uint32_t> grayRows, insertedRows;
    std::ptrdiff_t grayWalker = -1, grayNow = -1;
    std::size_t deleteSteps = 0;
    std::uint8_t editFlags = 0, fileFlags = 0;
    std::string fileName;
    std::uint16_t plc = 0;
    std::uint32_t steps = 0;
    bool operator==(const ModelPicture&) const = default;
};

std::vector<std::uint32_t> rows(const GrayMarkList& list) {
    std::vector<std::uint32_t> out;
    for (const stGrayMark* m = list.head; m != nullptr; m = m->next) out.push_back(m->Y);
    return out;
}

std::vector<const stLadderBlock*> nodes(const LadderList& list) {
    std::vector<const stLadderBlock*> out;
    for (const stLadderBlock* o = list.head; o != nullptr; o = o->next) out.push_back(o);
    return out;
}

// A part of the tests' own: one value, and how often the parts have ended.
int partValue = 0;
int partEnds = 0;
const bool testPart = transaction::registerPart(
    "test value", [] { return transaction::Restore([value = partValue] { partValue = value; }); },
    [] { ++partEnds; });

class CommandTransactionTest : public test::LadderTest {
protected:
    CommandTransactionTest() {
        initPmwImageByType(4);
        pmw.program[0] = 0x2000;
        pmw.setSumCheck(programCheckCode(pmw.program, 8));
        buildList({{0x2000, 1}, {0xC000, 1}}, 2);
        ldrNow = ldrHead->next;
        EXPECT_TRUE(ReallocLadderMemory(kLinkCopyList, 9));
        EXPECT_TRUE(ReallocLadderMemory(kLinkEditNew, 4));
        ldrAlloc = ldrHead;
        std::copy_n("OUT", 4, editNew->mnemonic.begin());
        addGrayMaskRow(64);
        addGrayMaskRow(0);
        grayTemp = grayHead->next;
        addInsGrayMarkRow(128);
        addDeleteStepNoRecord();
        editModeFlags = 0x04;
        fileStateFlags = 0x01;
        setFileNameArray("/plc/a.PMW");
        connectedPlcType = 4;
        convStepNo = 3;
    }
    static ModelPicture picture() {
        // clang-format off
        return {pmw, pmwBackup, codes(), codes(ldrUndoList), codes(copyList),
                editNew == nullptr ? "<none>" : std::string(editNew->mnemonic.data()),
                links::indexOf(ldrList, ldrNow), links::indexOf(ldrList, ldrAlloc), rows(grayMarks), rows(insGrayMarks),
                links::indexOf(grayMarks, grayTemp), links::indexOf(grayMarks, grayMarks.now),
                static_cast<std::size_t>(links::countNodes(deleteStepNoList)), editModeFlags, fileStateFlags,
                currentFileName(), connectedPlcType, convStepNo};
        // clang-format on
    }
    static void changeEverything() {
        ASSERT_TRUE(initPmwImageForTypeAndSize(7, 16));
        pmw.program[1] = 0x3000;
        backupPmwImage();
        addBeforeEnd(400, 64, 0x4000, 3);
        ldrHead->iCode = 0x2400;
        removeLadderObject(ldrList, ldrHead->next);
        std::swap(ldrList, ldrUndoList);
        FreeLadderMemory(kListCopy);
        FreeLadderMemory(kListEditNew);
        ldrAlloc = nullptr;
        FreeLadderMemory(kListEditedRows);
        addGrayMaskRow(192);
        editModeFlags = 0x08;
        fileStateFlags = 0x04;
        setFileNameArray("/plc/b.PMW");
        connectedPlcType = 7;
        convStepNo = 0;
    }
};

TEST_F(CommandTransactionTest, AFailedCommandLeavesEveryPartAsItWas) {
    const ModelPicture before = picture();
    const std::vector<const stLadderBlock*> objects = nodes(ldrList);
    const std::function<bool()> failures[] = {
        []() -> bool { throw ConversionError("Stack 0 overflow"); },
        []() -> bool { throw ByteImageError("record"); },
        [] { return false; },
    };
    for (const auto& fail : failures) {
        EXPECT_FALSE(runCommand([&] {
            changeEverything();
            return fail();
        }));
        EXPECT_EQ(picture(), before);
        EXPECT_EQ(nodes(ldrList), objects) << "the objects themselves come back";
    }
    EXPECT_THROW(runCommand([] {
                     changeEverything();
                     throw std::logic_error("bug");
                 }),
                 std::logic_error);
    EXPECT_EQ(picture(), before);
    expectConsistentLinks(ldrList);
    expectConsistentLinks(grayMarks);
    EXPECT_TRUE(ldrNow == ldrHead->next && grayTemp == grayHead->next);
}

TEST_F(CommandTransactionTest, ACommandThatSucceedsKeepsItsChanges) {
    EXPECT_TRUE(runCommand([] { changeEverything(); }));
    EXPECT_EQ(codes(ldrUndoList), (std::vector<std::uint16_t>{0x2400, 0x4000, kCodeEnd}));
    EXPECT_EQ(std::make_tuple(pmw.plcType(), editNew, currentFileName()),
              std::make_tuple(7, nullptr, "/plc/b.PMW"));
}

TEST_F(CommandTransactionTest, CommandsNestAndThePartsEndOnceWhenTheOutermostHasEnded) {
    ASSERT_TRUE(testPart);
    partValue = partEnds = 0;
    EXPECT_TRUE(runCommand([] {
        partValue = 1;
        EXPECT_TRUE(transaction::active());
        EXPECT_FALSE(runCommand([] {
            partValue = 2;
            return false;
        }));
        EXPECT_EQ(std::pair(partValue, partEnds), std::pair(1, 0)) << "the inner command alone is put back";
    }));
    EXPECT_EQ(std::pair(partValue, partEnds), std::pair(1, 1));
    EXPECT_FALSE(transaction::active());
}

// The undo copy an edit replaces is freed inside the edit's command, while the command's snapshot
// still holds its objects. A command run inside the edit that fails puts back only its own part:
// the old undo copy stays alive, and comes back whole when the edit fails too; once an edit has
// succeeded, Undo swaps the ladder with the copy it took.
TEST_F(CommandTransactionTest, AnUndoCopyReplacedInACommandLivesOnWhileTheCommandMayPutItBack) {
    backupLadderDiagramMemory(1);
    const std::vector<std::uint16_t> ladder = codes(), undo = codes(ldrUndoList);
    const std::vector<const stLadderBlock*> undoObjects = nodes(ldrUndoList);
    ASSERT_EQ(undo, ladder);
    const auto edit = [](bool succeeds) {
        return runCommand([succeeds] {
            backupLadderDiagramMemory(1);
            ldrHead->iCode = 0x2400;
            EXPECT_FALSE(runCommand([] {
                addBeforeEnd(400, 64, 0x4000, 3);
                return false;
            }));
            return succeeds;
        });
    };
    EXPECT_FALSE(edit(false));
    EXPECT_EQ(nodes(ldrUndoList), undoObjects);
    EXPECT_EQ(codes(ldrUndoList), undo);
    EXPECT_EQ(codes(), ladder);
    expectConsistentLinks(ldrUndoList);

    EXPECT_TRUE(edit(true));
    EXPECT_EQ(codes(ldrUndoList), ladder);
    std::swap(ldrList, ldrUndoList);  // Undo
    EXPECT_EQ(codes(), ladder);
    EXPECT_EQ(codes(ldrUndoList).front(), 0x2400);
}

}  // namespace
}  // namespace kestrion
