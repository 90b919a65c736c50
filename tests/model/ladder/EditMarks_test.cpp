#include "model/ladder/EditMarks.h"

#include "model/LadderTestSupport.h"

namespace kestrion {
namespace {

class EditMarksTest : public test::LadderTest {};

std::vector<std::uint32_t> rows(const GrayMarkList& list) {
    std::vector<std::uint32_t> out;
    for (const stGrayMark* mark = list.head; mark != nullptr; mark = mark->next) {
        EXPECT_EQ(mark->X, 0u);
        out.push_back(mark->Y);
    }
    return out;
}

TEST_F(EditMarksTest, EditedRowsKeepTheOrderOfAddingWithoutDuplicates) {
    addGrayMaskRow(128);
    EXPECT_EQ(redrawFlags & kRedrawMarks, kRedrawMarks);
    redrawFlags = 0;
    addGrayMaskRow(128);  // already there: no node, no redraw request
    EXPECT_EQ(redrawFlags, 0);
    addGrayMaskRow(0);
    addGrayMaskRow(64);
    EXPECT_EQ(rows(grayMarks), (std::vector<std::uint32_t>{128, 0, 64}));
    EXPECT_EQ(std::tie(grayMarks.now, grayMarks.newest, grayHead),
              std::tie(grayMarks.tail, grayMarks.tail, grayMarks.head));
    expectConsistentLinks(grayMarks);
}

TEST_F(EditMarksTest, InsertedRowsAreSortedKeepingEqualRowsAndDeletedRowsWithoutDuplicates) {
    for (std::uint32_t y : {192u, 64u, 128u}) addInsGrayMarkRow(y);
    stGrayMark* first128 = insGrayHead->next;
    addInsGrayMarkRow(128);
    addInsGrayMarkRow(0);
    EXPECT_EQ(rows(insGrayMarks), (std::vector<std::uint32_t>{0, 64, 128, 128, 192}));
    EXPECT_EQ(insGrayHead->next->next, first128);  // the new 128 goes behind the one present
    expectConsistentLinks(insGrayMarks);
    for (std::uint32_t y : {192u, 64u, 192u}) addDelGrayMarkRow(y);
    EXPECT_EQ(rows(delGrayMarks), (std::vector<std::uint32_t>{64, 192}));
    EXPECT_EQ(delHead, delGrayMarks.head);
    expectConsistentLinks(delGrayMarks);
}

TEST_F(EditMarksTest, RowsOfABlockAreAddedOnceEach) {
    initLadderList(1040, 320);
    addBeforeEnd(80, 0, 0x2000, 3);
    addBeforeEnd(160, 0, 0x4000, 3);
    addBeforeEnd(80, 64, 0x6000, 3);
    addBeforeEnd(80, 192, 0x2000, 4);  // another block
    addBeforeEnd(960, 128, 0xC000, 3);
    ldrTail->objLbc = 5;
    addGrayMaskRowsOfBlock(256);  // a row without objects adds nothing
    addGrayMaskRowsOfBlock(64);
    EXPECT_EQ(rows(grayMarks), (std::vector<std::uint32_t>{0, 64, 128}));
    addDelGrayMarkRow(128);
    addDelGrayMarkRowsOfBlock(128);
    EXPECT_EQ(rows(delGrayMarks), (std::vector<std::uint32_t>{0, 64, 128}));
    EXPECT_EQ(insGrayHead, nullptr);
}

}  // namespace
}  // namespace kestrion
