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
    EXPECT_EQ(codes(ldrUndoList), (std::vector<std::uint16_t>{0x2000, 0xC000, 0x4000, kCodeEnd}));
    EXPECT_EQ(std::make_tuple(pmw.plcType(), editNew, currentFileName()),
              std::make_tuple(7, nullptr, "/plc/b.PMW"));
}

}  // namespace
}  // namespace kestrion
