#include "model/LadderObject.h"

#include "model/EditMarks.h"
#include "model/LadderTestSupport.h"
#include "model/MemoryNotEnough.h"
#include "model/StepCount.h"

namespace kestrion {
namespace {

using platform::Memo;
using platform::MsgIcon;

class LadderObjectTest : public testing::LadderTest {};

std::uint32_t word32(const LadderObjectImage& image, std::size_t offset) {
    return image[offset] | image[offset + 1] << 8 | image[offset + 2] << 16 |
           std::uint32_t{image[offset + 3]} << 24;
}

std::uint16_t word16(const LadderObjectImage& image, std::size_t offset) {
    return static_cast<std::uint16_t>(image[offset] | image[offset + 1] << 8);
}

std::string textAt(const LadderObjectImage& image, std::size_t offset) {
    return std::string(reinterpret_cast<const char*>(image.data() + offset));
}

stLadderBlock sampleObject() {
    stLadderBlock o;
    o.objLbc = 0x11223344;
    o.stepNo = 0x7FFFF;
    o.xAddr = 160;
    o.yAddr = 192;
    o.Xend = 240;
    o.xMaxi = 80;
    o.orbXaddr = 81;
    o.xBlockAddr = 1040;
    o.unsettled32 = 0xA1A2A3A4;
    o.yTopPos = 128;
    o.end = kEndOutput;
    o.unsettled44 = 0xB1B2B3B4;
    o.idBC = 3;
    o.idCC = 4;
    o.LinkNo = 0x1234;
    o.flagByte1 = kFlag1DoubleWord | kFlag1CopyMark;
    o.flagByte2 = kFlag2Pulse;
    o.unsettled56 = {1, 2, 3, 4};
    o.iCode = 0xC123;
    o.rCode = 0xBEEF;
    setText(o.mnemonic, "DMOVP");
    for (int i = 0; i < 5; ++i) setText(o.operands[i], "D" + std::to_string(100 + i));
    setText(o.operand6, "V3");
    o.objNo = 22;
    setText(o.traceLabel, "Edit1KeyPress");
    o.unsettled212 = {5, 6, 7, 8};
    setText(o.ID, "$##");
    o.ItemNo = {0, 1, 2, 3, 4, -1};
    o.monValue = {0x0102030405060708, 2, 3, 4, 5};
    o.unsettled272 = {9, 10, 11, 12};
    o.unsettled276 = 0xCAFE;
    return o;
}

// ---- The record and its images --------------------------------------------------------------

TEST_F(LadderObjectTest, ImageHoldsEveryFieldAtItsOffsetLittleEndian) {
    stLadderBlock object = sampleObject();
    stLadderBlock neighbour;
    object.next = &neighbour;
    object.prev = &neighbour;
    const LadderObjectImage image = ladderObjectImage(object);

    ASSERT_EQ(image.size(), 288u);
    EXPECT_EQ(image[0], 0x44);  // little-endian
    EXPECT_EQ(word32(image, 0), 0x11223344u);
    EXPECT_EQ(word32(image, 4), 0x7FFFFu);
    EXPECT_EQ(word32(image, 8), 160u);
    EXPECT_EQ(word32(image, 12), 192u);
    EXPECT_EQ(word32(image, 16), 240u);
    EXPECT_EQ(word32(image, 20), 80u);
    EXPECT_EQ(word32(image, 24), 81u);
    EXPECT_EQ(word32(image, 28), 1040u);
    EXPECT_EQ(word32(image, 32), 0xA1A2A3A4u);
    EXPECT_EQ(word32(image, 36), 128u);
    EXPECT_EQ(word32(image, 40), 11u);
    EXPECT_EQ(word32(image, 44), 0xB1B2B3B4u);
    EXPECT_EQ(word16(image, 48), 3);
    EXPECT_EQ(word16(image, 50), 4);
    EXPECT_EQ(word16(image, 52), 0x1234);
    EXPECT_EQ(image[54], 0x81);
    EXPECT_EQ(image[55], 0x10);
    EXPECT_EQ(image[56], 1);
    EXPECT_EQ(image[59], 4);
    EXPECT_EQ(word16(image, 60), 0xC123);
    EXPECT_EQ(word16(image, 62), 0xBEEF);
    EXPECT_EQ(textAt(image, 64), "DMOVP");
    EXPECT_EQ(textAt(image, 76), "D100");
    EXPECT_EQ(textAt(image, 76 + 4 * 16), "D104");
    EXPECT_EQ(textAt(image, 156), "V3");
    EXPECT_EQ(word32(image, 160), 22u);
    EXPECT_EQ(textAt(image, 164), "Edit1KeyPress");
    EXPECT_EQ(image[212], 5);
    EXPECT_EQ(textAt(image, 216), "$##");
    EXPECT_EQ(word16(image, 220 + 2), 1);
    EXPECT_EQ(word16(image, 220 + 10), 0xFFFF);
    EXPECT_EQ(word32(image, 232), 0x05060708u);
    EXPECT_EQ(word32(image, 236), 0x01020304u);
    EXPECT_EQ(image[232 + 8 * 4], 5);
    EXPECT_EQ(image[272], 9);
    EXPECT_EQ(word16(image, 276), 0xCAFE);
    // The links are addresses of this process: the image carries zero words in their place.
    for (std::size_t offset = 278; offset < 288; ++offset) EXPECT_EQ(image[offset], 0) << offset;
}

TEST_F(LadderObjectTest, ImageReadsBackIntoAnObjectThatKeepsItsLinks) {
    const LadderObjectImage image = ladderObjectImage(sampleObject());
    stLadderBlock before;
    stLadderBlock after;
    stLadderBlock copy;
    copy.prev = &before;
    copy.next = &after;
    loadLadderObjectImage(image, copy);

    EXPECT_EQ(ladderObjectImage(copy), image);
    EXPECT_EQ(copy.prev, &before);
    EXPECT_EQ(copy.next, &after);
    EXPECT_EQ(textOf(copy.mnemonic), "DMOVP");
    EXPECT_TRUE(copy.dFlag());
    EXPECT_TRUE(copy.pFlag());
    EXPECT_EQ(copy.ItemNo[5], -1);
    EXPECT_EQ(copy.monValue[0], 0x0102030405060708u);
}

TEST_F(LadderObjectTest, TextsAreCutToTheirFieldAndAlwaysEndInANul) {
    stLadderBlock o;
    setText(o.traceLabel, std::string(60, 'L'));
    EXPECT_EQ(textOf(o.traceLabel), std::string(47, 'L'));
    setText(o.mnemonic, "ANDP");
    setText(o.mnemonic, "LD");
    EXPECT_EQ(textOf(o.mnemonic), "LD");
    EXPECT_EQ(o.mnemonic[2], '\0');
    EXPECT_EQ(o.mnemonic[3], '\0');  // the longer earlier text is gone, not left behind the NUL
}

TEST_F(LadderObjectTest, CopyTakesTheFieldsBeforeTheIdTextAndKeepsTheRest) {
    const stLadderBlock source = sampleObject();
    stLadderBlock before;
    stLadderBlock after;
    stLadderBlock dest;
    setText(dest.ID, "#D");
    dest.ItemNo = {7, 7, 7, 7, 7, 7};
    dest.monValue = {9, 9, 9, 9, 9};
    dest.unsettled276 = 0x5555;
    dest.prev = &before;
    dest.next = &after;

    EXPECT_EQ(srcObjectCopyToDestObject(&source, &dest), 0);

    const LadderObjectImage sourceImage = ladderObjectImage(source);
    const LadderObjectImage destImage = ladderObjectImage(dest);
    EXPECT_TRUE(std::equal(sourceImage.begin(), sourceImage.begin() + 216, destImage.begin()));
    EXPECT_EQ(textOf(dest.ID), "#D");
    EXPECT_EQ(dest.ItemNo[0], 7);
    EXPECT_EQ(dest.monValue[4], 9u);
    EXPECT_EQ(dest.unsettled276, 0x5555);
    EXPECT_EQ(dest.prev, &before);
    EXPECT_EQ(dest.next, &after);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(LadderObjectTest, CopyOntoItselfChangesNothing) {
    stLadderBlock object = sampleObject();
    EXPECT_EQ(srcObjectCopyToDestObject(&object, &object), 0);
    EXPECT_EQ(ladderObjectImage(object), ladderObjectImage(sampleObject()));
}

TEST_F(LadderObjectTest, CopyWithAMissingObjectIsRefusedWithItsBox) {
    stLadderBlock object;
    EXPECT_EQ(srcObjectCopyToDestObject(nullptr, &object), 1);
    EXPECT_EQ(srcObjectCopyToDestObject(&object, nullptr), 1);
    ASSERT_EQ(fakes.messages.shown.size(), 2u);
    EXPECT_EQ(fakes.messages.shown[0].text, "Error201501180912");
    EXPECT_EQ(fakes.messages.shown[0].caption, "srcObjectCopyToDestObject");
    EXPECT_EQ(fakes.messages.shown[0].icon, MsgIcon::None);
}

// ---- ReallocLadderMemory ------------------------------------------------------------------

TEST_F(LadderObjectTest, EveryNewObjectStartsAtTheFrameCornerWithClearedFields) {
    ReallocLadderMemory(kLinkAppend, 0);
    BlueFrame = {240, 128, 319, 191};
    curObjLbc = 6;
    ASSERT_TRUE(ReallocLadderMemory(kLinkAppend, 9));
    const stLadderBlock* o = ldrNew;
    EXPECT_EQ(o, ldrNow);
    EXPECT_EQ(o->xAddr, 240u);
    EXPECT_EQ(o->yAddr, 128u);
    EXPECT_EQ(o->objNo, 9u);
    EXPECT_EQ(o->end, kEndContact);
    EXPECT_EQ(o->rCode, 0);
    EXPECT_EQ(o->flagByte1 & kFlag1CopyMark, 0);
    EXPECT_EQ(o->objLbc, 6u);
    EXPECT_EQ(o->stepNo, kStepNoUnassigned);
    EXPECT_EQ(o->idBC, 0);
    EXPECT_EQ(o->idCC, 0);
    EXPECT_EQ(textOf(o->ID), "$##");
    EXPECT_EQ(textOf(o->mnemonic), "");
    for (const auto& operand : o->operands) EXPECT_EQ(operand[0], '\0');
    for (std::int16_t item : o->ItemNo) EXPECT_EQ(item, 0);
    for (std::uint64_t value : o->monValue) EXPECT_EQ(value, 0u);
}

TEST_F(LadderObjectTest, Mode0IntoAnEmptyListMakesANopInTheFirstCell) {
    BlueFrame = {400, 320, 479, 383};
    ASSERT_TRUE(ReallocLadderMemory(kLinkAppend, 0));
    ASSERT_NE(ldrHead, nullptr);
    EXPECT_EQ(ldrHead, ldrTail);
    EXPECT_EQ(ldrHead, ldrNow);
    EXPECT_EQ(ldrHead->xAddr, 80u);
    EXPECT_EQ(ldrHead->yAddr, 0u);
    EXPECT_EQ(ldrHead->Xend, 160u);
    EXPECT_EQ(ldrHead->iCode, kCodeNop);
    EXPECT_EQ(ldrHead->LinkNo, 1);
    EXPECT_EQ(textOf(ldrHead->traceLabel), "ldrHead");
    expectConsistentLinks(ldrList);
}

TEST_F(LadderObjectTest, Mode0AppendsAsTheTailAndLabelsTheWalk) {
    ReallocLadderMemory(kLinkAppend, 0);
    BlueFrame = {160, 64, 239, 127};
    ReallocLadderMemory(kLinkAppend, 0);
    ReallocLadderMemory(kLinkAppend, 0);

    EXPECT_EQ(labels(), (std::vector<std::string>{"ldrHead", "A", "ldrTail"}));
    EXPECT_EQ(ldrTail, ldrNow);
    EXPECT_EQ(ldrTail->LinkNo, 3);
    EXPECT_EQ(ldrTail->prev->LinkNo, 2);
    EXPECT_EQ(ldrTail->xAddr, 160u);  // the frame corner
    EXPECT_EQ(ldrTail->yAddr, 64u);
    EXPECT_EQ(ldrTail->Xend, 240u);
    EXPECT_EQ(ldrTail->iCode, 0);  // left to the caller
    expectConsistentLinks(ldrList);
}

TEST_F(LadderObjectTest, Mode1IntoAnEmptyListIsMode0) {
    ASSERT_TRUE(ReallocLadderMemory(kLinkBeforeEnd, 0));
    EXPECT_EQ(ldrHead, ldrTail);
    EXPECT_EQ(ldrHead->LinkNo, 1);
    EXPECT_EQ(ldrHead->xAddr, 80u);
    EXPECT_EQ(textOf(ldrHead->traceLabel), "ldrHead");
}

TEST_F(LadderObjectTest, Mode1BeforeALoneEndStartsTheLadder) {
    initLadderList(1040, 0);
    BlueFrame = {400, 320, 479, 383};
    ASSERT_TRUE(ReallocLadderMemory(kLinkBeforeEnd, 0));
    EXPECT_EQ(ldrHead, ldrNow);
    EXPECT_EQ(ldrHead->next, ldrTail);
    EXPECT_EQ(ldrHead->LinkNo, 1);
    EXPECT_EQ(ldrTail->LinkNo, 2);
    EXPECT_EQ(ldrHead->xAddr, 80u);
    EXPECT_EQ(ldrHead->yAddr, 0u);
    EXPECT_EQ(ldrHead->Xend, 160u);
    EXPECT_EQ(ldrHead->iCode, kCodeNop);
    EXPECT_EQ(textOf(ldrHead->traceLabel), "ldrHead");
    EXPECT_EQ(ldrTail->iCode, kCodeEnd);
}

TEST_F(LadderObjectTest, Mode1InALongerListTakesThePredecessorsPlaceAndEndsLinkNumber) {
    initLadderList(1040, 0);
    ReallocLadderMemory(kLinkBeforeEnd, 0);
    ldrNow->xAddr = 320;
    ldrNow->yAddr = 192;
    ASSERT_TRUE(ReallocLadderMemory(kLinkBeforeEnd, 0));

    EXPECT_EQ(ldrNow->xAddr, 320u);
    EXPECT_EQ(ldrNow->yAddr, 192u);
    EXPECT_EQ(ldrNow->LinkNo, 2);
    EXPECT_EQ(ldrTail->LinkNo, 3);
    EXPECT_EQ(ldrNow->next, ldrTail);
    EXPECT_EQ(labels(), (std::vector<std::string>{"ldrHead", "s1...", "ldrTail"}));
    expectConsistentLinks(ldrList);
}

TEST_F(LadderObjectTest, Mode2IntoAnEmptyListOrBeforeALoneEnd) {
    ASSERT_TRUE(ReallocLadderMemory(kLinkReadingOrder, 0));
    EXPECT_EQ(ldrHead->LinkNo, 0);
    EXPECT_EQ(ldrHead->iCode, kCodeNop);
    EXPECT_EQ(ldrHead->xAddr, 80u);
    EXPECT_EQ(textOf(ldrHead->traceLabel), "ldrHead");

    initLadderList(1040, 0);
    BlueFrame = {400, 320, 479, 383};
    ASSERT_TRUE(ReallocLadderMemory(kLinkReadingOrder, 0));
    EXPECT_EQ(ldrHead, ldrNow);
    EXPECT_EQ(ldrHead->next, ldrTail);
    EXPECT_EQ(ldrHead->xAddr, 400u);  // stays at the frame corner
    EXPECT_EQ(ldrHead->yAddr, 320u);
    EXPECT_EQ(textOf(ldrHead->traceLabel), "ldrHead");
}

// Objects at (160,64) (320,64) (80,128) (240,128) and END at (1040,192); the new object goes
// where the corner falls in (y, x) order, named by the x of the object it lands in front of.
TEST_F(LadderObjectTest, Mode2FindsTheReadingOrderPlace) {
    struct Case {
        const char* what;
        std::uint32_t x, y;
        int objNo;
        int expectedIndex;  // position of the new object in the list afterwards
    } cases[] = {
        {"left of the head on its row", 80, 64, 0, 0},
        {"above the head", 400, 0, 0, 0},
        {"on the head itself", 160, 64, 0, 0},
        {"between two objects of a row", 240, 64, 0, 1},
        {"right of a row's last object", 880, 64, 0, 2},
        {"first cell of the second row", 80, 128, 0, 2},
        {"below everything", 80, 640, 0, 4},
        {"instruction box, middle of a row", 240, 128, 22, 3},
        {"instruction box, below everything", 80, 640, 22, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        initLadderList(1040, 192);
        addBeforeEnd(160, 64);
        addBeforeEnd(320, 64);
        addBeforeEnd(80, 128);
        addBeforeEnd(240, 128);
        BlueFrame = {c.x, c.y, c.x + 79, c.y + 63};
        xOldCursor = 560;
        yOldCursor = 448;
        ASSERT_TRUE(ReallocLadderMemory(kLinkReadingOrder, c.objNo));

        int index = 0;
        for (const stLadderBlock* o = ldrHead; o != ldrNew; o = o->next) ++index;
        EXPECT_EQ(index, c.expectedIndex);
        EXPECT_EQ(ldrNow, ldrNew);
        EXPECT_EQ(ldrTail->iCode, kCodeEnd);
        EXPECT_EQ(ldrNew->xAddr, 560u);  // placed, then moved to the cursor
        EXPECT_EQ(ldrNew->yAddr, 448u);
        EXPECT_EQ(ldrNew->Xend, 640u);
        EXPECT_EQ(ldrNew->iCode, kCodeNop);
        EXPECT_EQ(textOf(ldrNew->traceLabel), "S2");
        expectConsistentLinks(ldrList);
    }
}

TEST_F(LadderObjectTest, Mode2StepsOverBlockJointsExceptForTheInstructionBox) {
    // An ORB at (320,64) after the object at (160,64), corner (240,64): stepping on from (160,64)
    // passes the ORB with objNo < 20; the instruction box's walk stops in front of it.
    for (int objNo : {0, 22}) {
        SCOPED_TRACE(objNo);
        initLadderList(1040, 128);
        addBeforeEnd(160, 64);
        addBeforeEnd(320, 64, kCodeOrb);
        BlueFrame = {240, 64, 319, 127};
        ReallocLadderMemory(kLinkReadingOrder, objNo);
        if (objNo < 20) {
            EXPECT_EQ(ldrNew->next, ldrTail);
        } else {
            EXPECT_EQ(ldrNew->next->iCode, kCodeOrb);
        }
        expectConsistentLinks(ldrList);
    }
}

TEST_F(LadderObjectTest, Mode3And4LinkBesideTheCurrentObjectAtTheCursor) {
    initLadderList(1040, 128);
    stLadderBlock* first = addBeforeEnd(80, 0);
    stLadderBlock* second = addBeforeEnd(160, 0);
    xOldCursor = 240;
    yOldCursor = 64;

    ldrNow = second;
    ASSERT_TRUE(ReallocLadderMemory(kLinkBeforeNow, 0));
    EXPECT_EQ(ldrNew->prev, first);
    EXPECT_EQ(ldrNew->next, second);
    EXPECT_EQ(ldrNow, ldrNew);
    EXPECT_EQ(ldrNew->xAddr, 240u);
    EXPECT_EQ(ldrNew->yAddr, 64u);
    EXPECT_EQ(ldrNew->Xend, 320u);
    EXPECT_EQ(textOf(ldrNew->traceLabel), "B");

    ldrNow = second;
    ASSERT_TRUE(ReallocLadderMemory(kLinkAfterNow, 0));
    EXPECT_EQ(ldrNew->prev, second);
    EXPECT_EQ(ldrNew->next, ldrTail);
    EXPECT_EQ(ldrNow, ldrNew);
    EXPECT_EQ(textOf(ldrNew->traceLabel), "B");
    EXPECT_EQ(links::countNodes(ldrList), 5);
    expectConsistentLinks(ldrList);
}

TEST_F(LadderObjectTest, Mode3And4WithoutAPlaceFreeTheObjectAndKeepTheCurrentOne) {
    struct Case {
        const char* what;
        int mode;
        int objectsBeforeEnd;
        bool nowAtEnd;
    } cases[] = {
        {"before, only END", kLinkBeforeNow, 0, false},
        {"after, only END", kLinkAfterNow, 0, false},
        {"before the head", kLinkBeforeNow, 2, false},
        {"after END", kLinkAfterNow, 2, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        initLadderList(1040, 128);
        for (int i = 0; i < c.objectsBeforeEnd; ++i) addBeforeEnd(80 + 80 * i, 0);
        stLadderBlock* now = c.nowAtEnd ? ldrTail : ldrHead;
        ldrNow = now;
        const std::vector<std::uint16_t> before = codes();

        EXPECT_FALSE(ReallocLadderMemory(c.mode, 0));
        EXPECT_EQ(ldrNow, now);
        EXPECT_EQ(ldrNew, nullptr);
        EXPECT_EQ(ldrAlloc, nullptr);
        EXPECT_EQ(codes(), before);
        expectConsistentLinks(ldrList);
    }
}

TEST_F(LadderObjectTest, Modes5And6AppendToTheDeleteAndCopyListsOnly) {
    initLadderList(1040, 0);
    stLadderBlock* now = ldrNow;
    for (int mode : {kLinkDeleteList, kLinkCopyList}) {
        LadderList& list = mode == kLinkDeleteList ? deleteList : copyList;
        SCOPED_TRACE(mode);
        ASSERT_TRUE(ReallocLadderMemory(mode, 0));
        stLadderBlock* first = ldrNew;
        EXPECT_EQ(list.head, first);
        EXPECT_EQ(list.tail, first);
        EXPECT_EQ(list.now, first);
        ASSERT_TRUE(ReallocLadderMemory(mode, 0));
        EXPECT_EQ(list.head, first);
        EXPECT_EQ(list.tail, ldrNew);
        EXPECT_EQ(list.now, ldrNew);
        EXPECT_EQ(textOf(ldrNew->traceLabel), "");  // no label, no ID text
        EXPECT_EQ(textOf(ldrNew->ID), "");
        expectConsistentLinks(list);
    }
    EXPECT_EQ(ldrNow, now);
    EXPECT_EQ(links::countNodes(ldrList), 1);
    EXPECT_EQ(deleteHead, deleteList.head);
    EXPECT_EQ(copyTail, copyList.tail);
}

TEST_F(LadderObjectTest, Mode7MakesTheKeyInObjectAndReplacesThePreviousOne) {
    initLadderList(1040, 0);
    curObjLbc = 5;
    xOldCursor = 320;
    yOldCursor = 128;
    ASSERT_TRUE(ReallocLadderMemory(kLinkEditNew, 0));
    stLadderBlock* first = editNew;
    first->setDFlag(true);
    ASSERT_TRUE(ReallocLadderMemory(kLinkEditNew, 21));  // the first one is freed, not lost

    ASSERT_NE(editNew, nullptr);
    EXPECT_EQ(editNew, ldrNew);
    EXPECT_FALSE(editNew->dFlag());
    EXPECT_FALSE(editNew->pFlag());
    EXPECT_EQ(editNew->xAddr, 320u);
    EXPECT_EQ(editNew->yAddr, 128u);
    EXPECT_EQ(editNew->objLbc, 0u);
    EXPECT_EQ(editNew->stepNo, kStepNoPlaceholder);
    EXPECT_EQ(editNew->objNo, 21u);
    EXPECT_EQ(editNew->next, nullptr);
    EXPECT_EQ(editNew->prev, nullptr);
    EXPECT_EQ(textOf(editNew->traceLabel), "N");
    EXPECT_EQ(textOf(editNew->ID), "$##");
    EXPECT_EQ(links::countNodes(ldrList), 1);
    EXPECT_NE(ldrNow, editNew);
}

TEST_F(LadderObjectTest, AnUnknownModeWarnsAndLinksNothing) {
    initLadderList(1040, 0);
    for (int mode : {8, -1}) {
        EXPECT_FALSE(ReallocLadderMemory(mode, 0));
        EXPECT_EQ(ldrNew, nullptr);
    }
    ASSERT_EQ(fakes.messages.shown.size(), 2u);
    EXPECT_EQ(fakes.messages.shown[0].text, "Error2018031201...");
    EXPECT_EQ(fakes.messages.shown[0].caption, "ReallocLadderMemory");
    EXPECT_EQ(fakes.messages.shown[0].icon, MsgIcon::Warning);
    EXPECT_EQ(links::countNodes(ldrList), 1);
}

TEST_F(LadderObjectTest, OnlyAFailedAllocationEndsTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(haltMemoryNotEnough("Error2014121600..."), ::testing::ExitedWithCode(1), "");
}

// ---- initLadderList, FreeLadderMemory, clearLadderKeepEnd ------------------------------------

TEST_F(LadderObjectTest, InitLadderListLeavesOneEndObject) {
    initLadderList(1040, 0);
    for (int i = 0; i < 50; ++i) addBeforeEnd(80, 64 * i);
    convStepNo = 77;
    initLadderList(960, 320);

    ASSERT_NE(ldrHead, nullptr);
    EXPECT_EQ(ldrHead, ldrTail);
    EXPECT_EQ(ldrHead, ldrNow);
    const stLadderBlock& end = *ldrHead;
    EXPECT_EQ(end.iCode, kCodeEnd);
    EXPECT_EQ(textOf(end.mnemonic), "END");
    EXPECT_EQ(end.xAddr, 960u);
    EXPECT_EQ(end.yAddr, 320u);
    EXPECT_EQ(end.Xend, 1040u);
    EXPECT_EQ(end.orbXaddr, 1040u);
    EXPECT_EQ(end.xMaxi, 80u);
    EXPECT_EQ(end.yTopPos, 320u);
    EXPECT_EQ(end.xBlockAddr, 0u);
    EXPECT_EQ(end.end, kEndOutput);
    EXPECT_EQ(end.objLbc, 1u);
    EXPECT_EQ(end.stepNo, 0u);
    EXPECT_EQ(end.objNo, 0u);
    EXPECT_EQ(textOf(end.traceLabel), "ldrTail");
    EXPECT_EQ(textOf(end.ID), "$##");
    EXPECT_EQ(end.next, nullptr);
    EXPECT_EQ(end.prev, nullptr);
    EXPECT_EQ(convStepNo, 0u);  // the old list held objects
}

TEST_F(LadderObjectTest, FreeingALadderListLeavesNoPointerIntoIt) {
    struct Case {
        int number;
        LadderList& list;
    } cases[] = {
        {kListMain, ldrList}, {kListUndo, ldrUndoList}, {kListDelete, deleteList}, {kListCopy, copyList}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        initLadderList(1040, 0);
        addBeforeEnd(80, 0);
        addBeforeEnd(160, 0);
        if (c.number != kListMain) std::swap(ldrList, c.list);
        c.list.now = c.list.head->next;
        ldrNew = c.list.head;
        ldrAlloc = c.list.tail;
        ldrSearch = c.list.head->next;

        FreeLadderMemory(c.number);
        EXPECT_EQ(c.list.head, nullptr);
        EXPECT_EQ(c.list.now, nullptr);
        EXPECT_EQ(c.list.tail, nullptr);
        EXPECT_EQ(ldrNew, nullptr);
        EXPECT_EQ(ldrAlloc, nullptr);
        EXPECT_EQ(ldrSearch, nullptr);
        FreeLadderMemory(kListMain);
    }
    EXPECT_EQ(ldrUndoHead, nullptr);
    EXPECT_EQ(deleteTail, nullptr);
    EXPECT_EQ(copyHead, nullptr);
}

TEST_F(LadderObjectTest, FreeingTheMainListResetsTheStepCounterOnlyWhenItHeldObjects) {
    convStepNo = 120;
    FreeLadderMemory(kListMain);
    EXPECT_EQ(convStepNo, 120u);
    initLadderList(1040, 0);
    FreeLadderMemory(kListMain);
    EXPECT_EQ(convStepNo, 0u);
}

TEST_F(LadderObjectTest, FreeingTheKeyInObject) {
    FreeLadderMemory(kListEditNew);  // nothing to free
    ReallocLadderMemory(kLinkEditNew, 0);
    FreeLadderMemory(kListEditNew);
    EXPECT_EQ(editNew, nullptr);
    EXPECT_EQ(ldrNew, nullptr);
}

TEST_F(LadderObjectTest, FreeingTheMarkListsEmptiesTheDeleteStepListWithThem) {
    for (int number : {kListInsertedRows, kListDeletedRows, kListEditedRows}) {
        SCOPED_TRACE(number);
        addGrayMaskRow(64);
        addInsGrayMarkRow(64);
        addDelGrayMarkRow(64);
        addDeleteStepNoRecord();
        addDeleteStepNoRecord();
        GrayMarkList& freed = number == kListInsertedRows  ? insGrayMarks
                              : number == kListDeletedRows ? delGrayMarks
                                                           : grayMarks;
        freed.walker = freed.head;
        FreeLadderMemory(number);
        EXPECT_EQ(freed.head, nullptr);
        EXPECT_EQ(freed.walker, nullptr);
        EXPECT_EQ(freed.now, nullptr);
        EXPECT_EQ(freed.newest, nullptr);
        EXPECT_EQ(freed.tail, nullptr);
        EXPECT_EQ(deleteStepNoList.head, nullptr);
        EXPECT_EQ(deleteStepNoList.now, nullptr);
        EXPECT_EQ(deleteStepNoList.tail, nullptr);
        freeAllEditMarks();
    }
}

TEST_F(LadderObjectTest, ABadListNumberIsACallersMistakeThatFreesNothing) {
    initLadderList(1040, 0);
    for (int number : {8, -1}) {
        EXPECT_DEBUG_DEATH(FreeLadderMemory(number), "list number outside 0 to 7");
    }
#ifdef NDEBUG
    ASSERT_EQ(fakes.messages.shown.size(), 2u);
    EXPECT_EQ(fakes.messages.shown[0].text, "Error2015022401");
    EXPECT_EQ(fakes.messages.shown[0].caption, "*FreeLadderMemory(");
    EXPECT_EQ(fakes.messages.shown[0].icon, MsgIcon::None);
#endif
    EXPECT_EQ(links::countNodes(ldrList), 1);
}

TEST_F(LadderObjectTest, ClearKeepEndFreesEverythingButEnd) {
    clearLadderKeepEnd();  // an empty list: nothing happens
    EXPECT_EQ(ldrHead, nullptr);

    initLadderList(1040, 320);
    stLadderBlock* end = ldrTail;
    addBeforeEnd(80, 0);
    addBeforeEnd(160, 64);
    ldrNow = ldrHead;
    clearLadderKeepEnd();

    EXPECT_EQ(ldrHead, end);
    EXPECT_EQ(ldrTail, end);
    EXPECT_EQ(end->next, nullptr);
    EXPECT_EQ(end->prev, nullptr);
    EXPECT_EQ(end->yAddr, 1120u);  // the right bus line's value, as the clear-all item sets it
    EXPECT_EQ(ldrNow, nullptr);    // it pointed at a freed object
}

// ---- Removal by code ----------------------------------------------------------------------

// The four removals by code and the code each takes out.
struct RemovalCase {
    const char* what;
    void (*remove)();
    std::uint16_t code;
};
const RemovalCase kRemovals[] = {
    {"removeDeletedObjects", removeDeletedObjects, kCodeVNop},
    {"removeObjects1000h", removeObjects1000h, kCodeXNop},
    {"removeEmptyObjectsChecked", removeEmptyObjectsChecked, kCodeNull},
    {"removeEmptyObjects", removeEmptyObjects, kCodeNull},
};

TEST_F(LadderObjectTest, RemovalsTakeOutEveryObjectOfTheirCodeAndKeepTheRest) {
    fakes.trace.setVisible(Memo::Debug3, true);  // objects between others are removed silently
    for (const RemovalCase& c : kRemovals) {
        SCOPED_TRACE(c.what);
        buildList({{0x2000, 1}, {c.code, 1}, {c.code, 1}, {0xC000, 1}, {c.code, 2}, {0x4000, 2}}, 3);
        c.remove();
        EXPECT_EQ(codes(), (std::vector<std::uint16_t>{0x2000, 0xC000, 0x4000, kCodeEnd}));
        expectConsistentLinks(ldrList);
        FreeLadderMemory(kListMain);
    }
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_TRUE(fakes.trace.lines(Memo::Debug3).empty());
}

TEST_F(LadderObjectTest, AListOfNothingButDeletedObjectsIsEmptiedWholly) {
    initLadderList(1040, 0);
    ldrHead->iCode = kCodeVNop;
    addBeforeEnd(80, 0, kCodeVNop);
    addBeforeEnd(160, 0, kCodeVNop);
    ldrNow = ldrHead->next;
    removeDeletedObjects();
    EXPECT_EQ(ldrHead, nullptr);
    EXPECT_EQ(ldrTail, nullptr);
    EXPECT_EQ(ldrNow, nullptr);
}

TEST_F(LadderObjectTest, PlaceholdersAtTheEdgesAreRemovedWithATraceLineAndTheProgramGoesOn) {
    fakes.trace.setVisible(Memo::Debug3, true);
    struct Case {
        const char* what;
        void (*remove)();
        std::uint16_t code;
        std::vector<std::string> trace;
    } cases[] = {
        {"xNOP",
         removeObjects1000h,
         kCodeXNop,
         {"Error2014122280-1..., removeObjects1000h", "Error2014122281..., removeObjects1000h"}},
        {"NULL",
         removeEmptyObjectsChecked,
         kCodeNull,
         {"Error2014122282..., removeEmptyObjectsChecked", "Error2014122283..., removeEmptyObjectsChecked"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fakes.trace.clear(Memo::Debug3);
        buildList({{c.code, 1}, {0x2000, 1}, {0xC000, 1}}, 2);
        ldrTail->iCode = c.code;  // a damaged list: no END at its tail
        c.remove();
        EXPECT_EQ(codes(), (std::vector<std::uint16_t>{0x2000, 0xC000}));
        EXPECT_EQ(fakes.trace.lines(Memo::Debug3), c.trace);
        expectConsistentLinks(ldrList);
    }
    EXPECT_TRUE(fakes.messages.shown.empty());

    fakes.trace.clear(Memo::Debug3);
    initLadderList(1040, 0);
    ldrHead->iCode = kCodeXNop;  // head and tail at once
    removeObjects1000h();
    EXPECT_EQ(ldrHead, nullptr);
    EXPECT_EQ(fakes.trace.lines(Memo::Debug3),
              (std::vector<std::string>{"Error2014122280-0..., removeObjects1000h"}));
}

TEST_F(LadderObjectTest, RemovingOneObjectClearsEveryPointerToIt) {
    buildList({{0x2000, 1}, {0x4000, 1}, {0xC000, 1}}, 2);
    stLadderBlock* middle = ldrHead->next;
    ldrNow = middle;
    ldrSearch = middle;
    removeLadderObject(ldrList, middle);
    EXPECT_EQ(ldrNow, nullptr);
    EXPECT_EQ(ldrSearch, nullptr);
    EXPECT_EQ(codes(), (std::vector<std::uint16_t>{0x2000, 0xC000, kCodeEnd}));
    expectConsistentLinks(ldrList);
}

// ---- No pointer outlives its object -----------------------------------------------------------

// Every global that can name a ladder object outside a list's own head and tail.
std::vector<stLadderBlock**> objectPointers() {
    return {&ldrNow, &ldrUndoNow, &ldrBackupNow, &deleteNow, &copyNow, &ldrNew, &ldrAlloc, &ldrSearch};
}

TEST_F(LadderObjectTest, RemovingAnObjectFromAnyListClearsEveryGlobalThatNamedIt) {
    struct Case {
        const char* what;
        LadderList& list;
    } cases[] = {{"main", ldrList},
                 {"undo copy", ldrUndoList},
                 {"edit-cancel copy", ldrBackupList},
                 {"delete list", deleteList},
                 {"copy list", copyList}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        initLadderList(1040, 0);
        addBeforeEnd(80, 0, 0x2000);
        addBeforeEnd(160, 0, 0xC000);
        if (&c.list != &ldrList) std::swap(ldrList, c.list);
        stLadderBlock* middle = c.list.head->next;
        for (stLadderBlock** pointer : objectPointers()) *pointer = middle;

        removeLadderObject(c.list, middle);
        for (stLadderBlock** pointer : objectPointers()) EXPECT_EQ(*pointer, nullptr);
        EXPECT_EQ(codes(c.list), (std::vector<std::uint16_t>{0x2000, kCodeEnd}));
        expectConsistentLinks(c.list);
        freeLadderList(c.list);
    }
}

TEST_F(LadderObjectTest, RemovalWalksLeaveNoPointerIntoWhatTheyRemoved) {
    for (const RemovalCase& c : kRemovals) {
        SCOPED_TRACE(c.what);
        buildList({{c.code, 1}, {c.code, 1}, {0x2000, 1}, {c.code, 1}}, 2);
        ldrNow = ldrHead;
        ldrSearch = ldrHead->next;
        ldrNew = ldrTail->prev;
        ldrAlloc = ldrHead;
        c.remove();
        EXPECT_EQ(codes(), (std::vector<std::uint16_t>{0x2000, kCodeEnd}));
        EXPECT_EQ(ldrNow, nullptr);
        EXPECT_EQ(ldrSearch, nullptr);
        EXPECT_EQ(ldrNew, nullptr);
        EXPECT_EQ(ldrAlloc, nullptr);
        // Linking beside the current object must not reach the freed one.
        EXPECT_FALSE(ReallocLadderMemory(kLinkBeforeNow, 0));
        EXPECT_FALSE(ReallocLadderMemory(kLinkAfterNow, 0));
        expectConsistentLinks(ldrList);
    }
}

TEST_F(LadderObjectTest, AWalkerLeftInAFreedListIsClearedWithIt) {
    // The current object still names an object of the undo copy when that copy is dropped.
    initLadderList(1040, 0);
    addBeforeEnd(80, 0);
    std::swap(ldrList, ldrUndoList);
    initLadderList(1040, 64);
    addBeforeEnd(80, 0);
    ldrNow = ldrUndoHead;
    FreeLadderMemory(kListUndo);
    EXPECT_EQ(ldrNow, nullptr);
    EXPECT_FALSE(ReallocLadderMemory(kLinkAfterNow, 0));
    EXPECT_EQ(links::countNodes(ldrList), 2);
}

TEST_F(LadderObjectTest, ReplacingOrFreeingTheKeyInObjectLeavesNoPointerToIt) {
    ASSERT_TRUE(ReallocLadderMemory(kLinkEditNew, 0));
    ldrSearch = editNew;
    ldrNow = editNew;
    ASSERT_TRUE(ReallocLadderMemory(kLinkEditNew, 0));  // the first one is freed here
    EXPECT_EQ(ldrSearch, nullptr);
    EXPECT_EQ(ldrNow, nullptr);
    EXPECT_EQ(ldrNew, editNew);

    ldrSearch = editNew;
    FreeLadderMemory(kListEditNew);
    EXPECT_EQ(editNew, nullptr);
    EXPECT_EQ(ldrNew, nullptr);
    EXPECT_EQ(ldrAlloc, nullptr);
    EXPECT_EQ(ldrSearch, nullptr);
    FreeLadderMemory(kListEditNew);  // a second free finds nothing to free
}

TEST_F(LadderObjectTest, ClearKeepEndAlsoFreesWhatStoodBehindEnd) {
    initLadderList(1040, 128);
    stLadderBlock* end = ldrTail;
    addBeforeEnd(80, 0);
    ASSERT_TRUE(ReallocLadderMemory(kLinkAppend, 0));  // appended behind END
    ASSERT_NE(ldrTail, end);
    ldrSearch = ldrTail;

    clearLadderKeepEnd();
    EXPECT_EQ(ldrHead, end);
    EXPECT_EQ(ldrTail, end);
    EXPECT_EQ(end->next, nullptr);
    EXPECT_EQ(end->prev, nullptr);
    EXPECT_EQ(ldrSearch, nullptr);
    EXPECT_EQ(ldrNew, nullptr);
    EXPECT_EQ(ldrNow, nullptr);

    // Without any END nothing is kept.
    buildList({{0x2000, 1}}, 2);
    ldrTail->iCode = 0xC000;
    clearLadderKeepEnd();
    EXPECT_EQ(ldrHead, nullptr);
    EXPECT_EQ(ldrTail, nullptr);
}

TEST_F(LadderObjectTest, TheEditCancelCopyIsFreedThroughItsListAndAtReset) {
    buildList({{0x2000, 1}, {0xC000, 1}}, 2);
    std::swap(ldrList, ldrBackupList);
    ldrBackupNow = ldrBackupHead->next;
    EXPECT_EQ(freeLadderList(ldrBackupList), 3);
    EXPECT_EQ(ldrBackupHead, nullptr);
    EXPECT_EQ(ldrBackupNow, nullptr);
    EXPECT_EQ(ldrBackupTail, nullptr);

    buildList({{0x2000, 1}}, 2);
    std::swap(ldrList, ldrBackupList);
    freeAllLadderObjects();
    EXPECT_EQ(ldrBackupHead, nullptr);
    EXPECT_EQ(ldrBackupTail, nullptr);
}

TEST_F(LadderObjectTest, UndoSwapsTheWholeListsAndKeepsBothConsistent) {
    buildList({{0x2000, 1}, {0xC000, 1}}, 2);
    std::swap(ldrList, ldrUndoList);
    EXPECT_EQ(ldrHead, nullptr);
    EXPECT_EQ(codes(ldrUndoList), (std::vector<std::uint16_t>{0x2000, 0xC000, kCodeEnd}));
    EXPECT_EQ(ldrUndoTail->iCode, kCodeEnd);
    expectConsistentLinks(ldrUndoList);
}

}  // namespace
}  // namespace kestrion
