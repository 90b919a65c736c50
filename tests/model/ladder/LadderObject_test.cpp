#include "model/ladder/LadderObject.h"

#include <algorithm>
#include <functional>

#include "model/LadderTestSupport.h"
#include "model/core/LinkedList.h"
#include "model/core/MemoryNotEnough.h"
#include "model/image/StepCount.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/EditMarks.h"
#include "model/ladder/LadderSearch.h"

#include "support/ShownBoxes.h"

namespace kestrion {
namespace {

using platform::Memo;
using platform::MsgIcon;

class LadderObjectTest : public test::LadderTest {};

using Codes = std::vector<std::uint16_t>;

std::string hex(const LadderObjectImage& image) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (std::uint8_t b : image) out += {digits[b >> 4], digits[b & 15]};
    return out;
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
    o.end = 11;
    o.unsettled44 = 0xB1B2B3B4;
    o.idBC = 3;
    o.idCC = 4;
    o.LinkNo = 0x1234;
    o.flagByte1 = 0x81;
    o.flagByte2 = 0x10;
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
    o.monMark = 9;
    o.monState = 10;
    o.unsettled274 = {11, 12};
    o.unsettled276 = 0xCAFE;
    return o;
}

const std::string kSampleImage =
    "44332211FFFF0700A0000000C0000000F0000000500000005100000010040000A4A3A2A1800000000B000000B4B3B2B1"  // 0
    "03000400341281100102030423C1EFBE444D4F5650000000000000004431303000000000000000000000000044313031"  // 48
    "000000000000000000000000443130320000000000000000000000004431303300000000000000000000000044313034"  // 96
    "000000000000000000000000563300001600000045646974314B65795072657373000000000000000000000000000000"  // 144
    "0000000000000000000000000000000000000000050607082423230000000100020003000400FFFF0807060504030201"  // 192
    "0200000000000000030000000000000004000000000000000500000000000000090A0B0CFECA00000000000000000000";  // 240

TEST_F(LadderObjectTest, ImageIsByteExactAndReadsBackKeepingTheLinks) {
    stLadderBlock object = sampleObject();
    stLadderBlock before, after;
    object.next = &before;
    object.prev = &after;
    const LadderObjectImage image = ladderObjectImage(object);
    EXPECT_EQ(hex(image), kSampleImage);
    stLadderBlock copy;
    copy.prev = &before;
    copy.next = &after;
    loadLadderObjectImage(image, copy);
    EXPECT_EQ(ladderObjectImage(copy), image);
    EXPECT_EQ(std::tie(copy.prev, copy.next), std::make_tuple(&before, &after));
    EXPECT_TRUE(copy.dFlag() && copy.pFlag());
}

TEST_F(LadderObjectTest, TextsAreCutToTheirFieldAndAlwaysEndInANul) {
    stLadderBlock o;
    setText(o.traceLabel, std::string(60, 'L'));
    EXPECT_EQ(textOf(o.traceLabel), std::string(47, 'L'));
    setText(o.mnemonic, "ANDP");
    setText(o.mnemonic, "LD");
    EXPECT_EQ(o.mnemonic[3], '\0');  // the longer earlier text is gone, not left behind the NUL
}

// The label's 48 bytes at image offset 164 come back as they were, whatever they hold: bytes after
// the NUL, or no NUL at all; a label set again and again holds its own text each time.
TEST_F(LadderObjectTest, ATraceLabelKeepsItsImageBytesAndEachObjectItsOwnText) {
    constexpr std::size_t kLabelAt = 164;
    for (const std::string& bytes :
         {std::string("AB\0CD", 5) + std::string(43, '\x7F'), std::string(48, 'Z'), std::string(48, '\0')}) {
        LadderObjectImage image = ladderObjectImage(sampleObject());
        std::copy(bytes.begin(), bytes.end(), image.begin() + kLabelAt);
        stLadderBlock o;
        loadLadderObjectImage(image, o);
        EXPECT_EQ(ladderObjectImage(o), image);
        EXPECT_EQ(textOf(o.traceLabel), bytes.substr(0, bytes.find('\0')));
    }
    stLadderBlock a, b, c;
    setText(a.traceLabel, "S2");
    setText(b.traceLabel, "ldrHead");
    setText(c.traceLabel, "S2");
    EXPECT_EQ(textOf(a.traceLabel) + "|" + textOf(b.traceLabel) + "|" + textOf(c.traceLabel),
              "S2|ldrHead|S2");
    EXPECT_TRUE(a.traceLabel == c.traceLabel && !(a.traceLabel == b.traceLabel));
    setText(a.traceLabel, "");
    EXPECT_TRUE(a.traceLabel == TraceLabel());  // no text is the label of a new object
    const LadderObjectImage image = ladderObjectImage(a);
    EXPECT_TRUE(
        std::all_of(image.begin() + kLabelAt, image.begin() + kLabelAt + 48, [](auto v) { return v == 0; }));
}

TEST_F(LadderObjectTest, CopyTakesTheFieldsBeforeTheIdTextAndKeepsTheRest) {
    const stLadderBlock source = sampleObject();
    stLadderBlock before, after, dest;
    setText(dest.ID, "#D");
    dest.ItemNo = {7, 7, 7, 7, 7, 7};
    dest.unsettled276 = 0x5555;
    dest.prev = &before;
    dest.next = &after;
    EXPECT_EQ(srcObjectCopyToDestObject(&source, &dest), 0);
    EXPECT_EQ(hex(ladderObjectImage(dest)).substr(0, 432), kSampleImage.substr(0, 432));
    EXPECT_EQ(std::make_tuple(textOf(dest.ID), dest.ItemNo[0], dest.unsettled276, dest.prev, dest.next),
              std::make_tuple(std::string("#D"), std::int16_t{7}, std::uint16_t{0x5555}, &before, &after));
    EXPECT_EQ(srcObjectCopyToDestObject(nullptr, &dest) + srcObjectCopyToDestObject(&dest, nullptr), 2);
    EXPECT_EQ(test::shownBoxes(fakes.messages),
              test::Boxes(2, "Error201501180912 | srcObjectCopyToDestObject | none"));
}

TEST_F(LadderObjectTest, ANewObjectAndTheFirstObjectOfAnEmptyLadder) {
    ReallocLadderMemory(0, 0);
    BlueFrame = {240, 128, 319, 191};
    curObjLbc = 6;
    ASSERT_TRUE(ReallocLadderMemory(0, 9));
    const stLadderBlock* o = ldrNew;
    EXPECT_EQ(o, ldrNow);
    EXPECT_EQ(std::tie(o->xAddr, o->yAddr, o->objNo, o->end, o->objLbc, o->stepNo),
              std::make_tuple(240u, 128u, 9u, 10u, 6u, 0x7FFFFu));
    EXPECT_EQ(std::make_tuple(o->flagByte1 & 0x80, textOf(o->ID), textOf(o->mnemonic), o->ItemNo[5]),
              std::make_tuple(0, std::string("$##"), std::string(), std::int16_t{0}));
    const std::tuple<int, bool, std::uint32_t, std::uint32_t> cases[] = {
        {0, false, 80, 0}, {1, false, 80, 0}, {1, true, 80, 0}, {2, false, 80, 0}, {2, true, 400, 320}};
    for (const auto& [mode, loneEnd, x, y] : cases) {
        FreeLadderMemory(0);
        if (loneEnd) initLadderList(1040, 0);
        BlueFrame = {400, 320, 479, 383};
        ASSERT_TRUE(ReallocLadderMemory(mode, 0));
        EXPECT_EQ(std::make_tuple(ldrHead->xAddr, ldrHead->yAddr, ldrHead->iCode),
                  std::make_tuple(x, y, std::uint16_t{0xFFFF}));
        EXPECT_EQ(std::tie(ldrNow, ldrHead->next), std::make_tuple(ldrHead, loneEnd ? ldrTail : nullptr));
        if (x == 80) {  // the first cell; mode 2 leaves the rest to its caller
            EXPECT_EQ(std::make_tuple(ldrHead->Xend, ldrHead->LinkNo),
                      std::make_tuple(160u, static_cast<std::uint16_t>(mode == 2 ? 0 : 1)));
        }
    }
}

TEST_F(LadderObjectTest, Mode0AppendsAndMode1InsertsBeforeEndNumberingTheLinks) {
    ReallocLadderMemory(0, 0);
    BlueFrame = {160, 64, 239, 127};
    ReallocLadderMemory(0, 0);
    ReallocLadderMemory(0, 0);
    EXPECT_EQ(ldrTail, ldrNow);
    EXPECT_EQ(std::tie(ldrTail->LinkNo, ldrTail->xAddr, ldrTail->yAddr, ldrTail->Xend, ldrTail->iCode),
              std::make_tuple(std::uint16_t{3}, 160u, 64u, 240u, std::uint16_t{0}));
    expectConsistentLinks(ldrList);
    initLadderList(1040, 0);
    ReallocLadderMemory(1, 0);
    ldrNow->xAddr = 320;
    ldrNow->yAddr = 192;
    ASSERT_TRUE(ReallocLadderMemory(1, 0));  // takes its predecessor's place
    EXPECT_EQ(std::tie(ldrNow->xAddr, ldrNow->yAddr, ldrNow->LinkNo),
              std::make_tuple(320u, 192u, std::uint16_t{2}));
    EXPECT_EQ(std::make_tuple(ldrNow->next, ldrTail->LinkNo), std::make_tuple(ldrTail, std::uint16_t{3}));
    expectConsistentLinks(ldrList);
}

TEST_F(LadderObjectTest, Mode2FindsTheReadingOrderPlace) {
    const std::array<std::uint32_t, 4> cases[] = {{80, 64, 0, 0},  {160, 64, 0, 0}, {240, 64, 0, 1},
                                                  {80, 128, 0, 2}, {80, 640, 0, 4}, {240, 128, 22, 3}};
    for (const auto& [x, y, objNo, expectedIndex] : cases) {
        initLadderList(1040, 192);
        for (const auto& [ox, oy] : {std::pair{160u, 64u}, {320u, 64u}, {80u, 128u}, {240u, 128u}})
            addBeforeEnd(ox, oy);
        BlueFrame = {x, y, x + 79, y + 63};
        xOldCursor = 560;
        yOldCursor = 448;
        ASSERT_TRUE(ReallocLadderMemory(2, static_cast<int>(objNo)));
        std::uint32_t index = 0;
        for (const stLadderBlock* o = ldrHead; o != ldrNew; o = o->next) ++index;
        EXPECT_EQ(index, expectedIndex) << x << "," << y << " objNo " << objNo;
        EXPECT_EQ(std::tie(ldrNow, ldrNew->xAddr, ldrNew->yAddr, ldrNew->Xend),
                  std::make_tuple(ldrNew, 560u, 448u, 640u));
        expectConsistentLinks(ldrList);
    }
    for (int objNo : {19, 20}) {
        initLadderList(1040, 128);
        addBeforeEnd(160, 64);
        addBeforeEnd(320, 64, 0xFFF9);
        BlueFrame = {240, 64, 319, 127};
        ReallocLadderMemory(2, objNo);
        EXPECT_EQ(ldrNew->next->iCode, objNo < 20 ? 0x000F : 0xFFF9) << objNo;
    }
}

TEST_F(LadderObjectTest, Modes3And4LinkBesideTheCurrentObjectAtTheCursor) {
    initLadderList(1040, 128);
    stLadderBlock* first = addBeforeEnd(80, 0);
    stLadderBlock* second = addBeforeEnd(160, 0);
    xOldCursor = 240;
    yOldCursor = 64;
    ldrNow = second;
    ASSERT_TRUE(ReallocLadderMemory(3, 0));
    EXPECT_EQ(std::tie(ldrNew->prev, ldrNew->next, ldrNow), std::tie(first, second, ldrNew));
    EXPECT_EQ(std::tie(ldrNew->xAddr, ldrNew->yAddr, ldrNew->Xend), std::make_tuple(240u, 64u, 320u));
    ldrNow = second;
    ASSERT_TRUE(ReallocLadderMemory(4, 0));
    EXPECT_EQ(std::tie(ldrNew->prev, ldrNew->next, ldrNow), std::tie(second, ldrTail, ldrNew));
    EXPECT_EQ(links::countNodes(ldrList), 5);
    expectConsistentLinks(ldrList);
    for (const auto& [mode, now] : {std::pair{3, ldrHead}, {4, ldrTail}}) {
        ldrNow = now;
        EXPECT_FALSE(ReallocLadderMemory(mode, 0));
        EXPECT_EQ(std::tie(ldrNow, ldrNew, ldrAlloc), std::make_tuple(now, nullptr, nullptr)) << mode;
    }
    EXPECT_EQ(links::countNodes(ldrList), 5);
}

TEST_F(LadderObjectTest, Modes5And6AppendToTheDeleteAndCopyListsOnly) {
    initLadderList(1040, 0);
    stLadderBlock* now = ldrNow;
    for (int mode : {5, 6}) {
        LadderList& list = mode == 5 ? deleteList : copyList;
        ASSERT_TRUE(ReallocLadderMemory(mode, 0));
        stLadderBlock* first = ldrNew;
        ASSERT_TRUE(ReallocLadderMemory(mode, 0));
        EXPECT_EQ(std::tie(list.head, list.tail, list.now), std::tie(first, ldrNew, ldrNew)) << mode;
        EXPECT_EQ(textOf(ldrNew->ID), "");
    }
    EXPECT_EQ(std::make_tuple(ldrNow, links::countNodes(ldrList)), std::make_tuple(now, 1));
}

TEST_F(LadderObjectTest, Mode7MakesTheKeyInObjectAndReplacesThePreviousOne) {
    initLadderList(1040, 0);
    curObjLbc = 5;
    xOldCursor = 320;
    yOldCursor = 128;
    ASSERT_TRUE(ReallocLadderMemory(7, 0));
    editNew->setDFlag(true);
    ldrSearch = editNew;
    ldrNow = editNew;
    ASSERT_TRUE(ReallocLadderMemory(7, 21));  // the first one is freed, not lost
    EXPECT_EQ(std::tie(ldrSearch, ldrNow, editNew->next, editNew->prev),
              std::make_tuple(nullptr, nullptr, nullptr, nullptr));
    EXPECT_TRUE(editNew == ldrNew && !editNew->dFlag() && links::countNodes(ldrList) == 1);
    EXPECT_EQ(std::tie(editNew->xAddr, editNew->yAddr, editNew->objLbc, editNew->stepNo, editNew->objNo),
              std::make_tuple(320u, 128u, 0u, 0xFFFFu, 21u));
    ldrSearch = editNew;
    FreeLadderMemory(7);
    EXPECT_EQ(std::tie(editNew, ldrNew, ldrAlloc, ldrSearch),
              std::make_tuple(nullptr, nullptr, nullptr, nullptr));
}

TEST_F(LadderObjectTest, AnUnknownModeWarnsAndLinksNothing) {
    initLadderList(1040, 0);
    EXPECT_FALSE(ReallocLadderMemory(8, 0) || ReallocLadderMemory(-1, 0) || ldrNew != nullptr);
    EXPECT_EQ(test::shownBoxes(fakes.messages),
              test::Boxes(2, "Error2018031201... | ReallocLadderMemory | warning"));
    EXPECT_EQ(links::countNodes(ldrList), 1);
}

TEST_F(LadderObjectTest, InitLadderListLeavesOneEndObject) {
    initLadderList(1040, 0);
    for (int i = 0; i < 50; ++i) addBeforeEnd(80, 64 * i);
    convStepNo = 77;
    initLadderList(960, 320);
    ASSERT_NE(ldrHead, nullptr);
    EXPECT_EQ(std::tie(ldrHead, ldrNow), std::tie(ldrTail, ldrTail));
    const stLadderBlock& end = *ldrHead;
    EXPECT_EQ(textOf(end.mnemonic) + textOf(end.ID) + std::to_string(end.iCode), "END$##15");
    EXPECT_EQ(std::tie(end.xAddr, end.yAddr, end.Xend, end.orbXaddr, end.xMaxi, end.yTopPos, end.xBlockAddr),
              std::make_tuple(960u, 320u, 1040u, 1040u, 80u, 320u, 0u));
    EXPECT_EQ(std::tie(end.end, end.objLbc, end.stepNo, end.objNo), std::make_tuple(11u, 1u, 0u, 0u));
    EXPECT_EQ(convStepNo, 0u);  // the old list held objects
    FreeLadderMemory(0);
    convStepNo = 120;
    FreeLadderMemory(0);  // an empty main list leaves the step counter alone
    EXPECT_EQ(convStepNo, 120u);
}

TEST_F(LadderObjectTest, FreeingAListLeavesNoPointerIntoIt) {
    for (const auto& [number, list] :
         {std::pair<int, LadderList*>{0, &ldrList}, {1, &ldrUndoList}, {6, &copyList}}) {
        buildList({{0x2000, 1}, {0x2000, 1}}, 2);
        if (number != 0) std::swap(ldrList, *list);
        initLadderList(1040, 64);
        list->now = ldrNow = ldrSearch = list->head->next;
        ldrNew = list->head;
        ldrAlloc = list->tail;
        FreeLadderMemory(number);
        EXPECT_EQ(std::tie(list->head, list->now, list->tail, ldrNew, ldrAlloc, ldrSearch),
                  std::make_tuple(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr))
            << number;
        EXPECT_FALSE(number != 0 && (ldrNow != nullptr || ReallocLadderMemory(4, 0))) << number;
        FreeLadderMemory(0);
    }
    buildList({{0x2000, 1}, {0xC000, 1}}, 2);
    LadderList aside;
    std::swap(ldrList, aside);
    aside.now = aside.head->next;
    EXPECT_EQ(freeLadderList(aside), 3);
    EXPECT_EQ(std::tie(aside.head, aside.now, aside.tail), std::make_tuple(nullptr, nullptr, nullptr));
}

// Objects whose images hold long runs of zero bytes, none at all, and the usual few texts.
TEST_F(LadderObjectTest, APackedLadderUnpacksToTheSameImagesAndAChangeMakesANewOne) {
    stLadderBlock blank;
    stLadderBlock full;
    auto* bytes = reinterpret_cast<unsigned char*>(&full);
    for (std::size_t i = kLadderObjectFieldsBegin; i < offsetof(stLadderBlock, heldBySnapshots); ++i)
        bytes[i] = static_cast<unsigned char>(1 + i % 255);
    full.traceLabel = TraceLabel();  // a label names its text; it gets a full one
    setText(full.traceLabel, std::string(47, 'T'));
    LadderList list;
    std::vector<LadderObjectImage> images;
    for (const stLadderBlock& o : {sampleObject(), blank, full}) {
        auto* twin = new stLadderBlock(o);
        twin->next = twin->prev = nullptr;
        links::pushBack(list, twin);
        images.push_back(ladderObjectImage(o));
    }
    const auto packed = std::make_shared<const PackedLadder>(list);
    EXPECT_LT(packed->byteCount(), 2 * kLadderObjectImageSize);
    const auto imagesOf = [](const PackedLadder& ladder) {
        std::vector<LadderObjectImage> out;
        ladder.forEach([&](const stLadderBlock& o) { out.push_back(ladderObjectImage(o)); });
        return out;
    };
    EXPECT_EQ(imagesOf(*packed), images);
    LadderList unpacked;
    packed->unpackInto(unpacked);
    EXPECT_EQ(links::countNodes(unpacked), 3);
    expectConsistentLinks(unpacked);
    EXPECT_EQ(ladderObjectImage(*unpacked.tail), images[2]);
    EXPECT_EQ(packed->changed([](stLadderBlock&) { return false; }), nullptr);
    const auto changed = packed->changed([](stLadderBlock& o) {
        o.idCC = 7;
        return true;
    });
    ASSERT_NE(changed, nullptr);
    EXPECT_EQ(imagesOf(*packed), images);  // the old one stays as it was
    std::vector<std::uint16_t> coilIds;
    changed->forEach([&](const stLadderBlock& o) { coilIds.push_back(o.idCC); });
    EXPECT_EQ(coilIds, (std::vector<std::uint16_t>{7, 7, 7}));
    freeLadderList(list);
    freeLadderList(unpacked);

    // more objects than one block of the packed bytes holds, each told apart by its step
    for (std::uint32_t step = 0; step < 600; ++step) {
        auto* twin = new stLadderBlock(full);
        twin->stepNo = step;
        links::pushBack(list, twin);
    }
    std::uint32_t step = 0;
    std::size_t same = 0;
    PackedLadder(list).forEach([&](const stLadderBlock& o) {
        stLadderBlock expected = full;
        expected.stepNo = step++;
        same += ladderObjectImage(o) == ladderObjectImage(expected) ? 1 : 0;
    });
    EXPECT_EQ(std::pair(step, same), std::pair(600U, std::size_t{600}));
    freeLadderList(list);
}

// A list linked in the reverse of the order its objects were made is laid out again in list order;
// nothing of it changes but where its objects stand, and the pointers into it follow them. While a
// snapshot holds one of its objects, or the position index is on, nothing moves.
TEST_F(LadderObjectTest, TheMainListIsLaidOutInListOrderWithItsContentsAndPointers) {
    FreeLadderMemory(kListMain);
    for (std::uint32_t step = 0; step < 40; ++step) {
        auto* o = new stLadderBlock(sampleObject());
        o->next = o->prev = nullptr;
        o->stepNo = step;
        setText(o->traceLabel, step % 2 == 0 ? "even" : "odd");
        if (ldrHead == nullptr)
            links::pushBack(ldrList, o);
        else
            links::insertBefore(ldrList, ldrHead, o);
    }
    const auto images = [] {
        std::vector<LadderObjectImage> out;
        for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
            out.push_back(ladderObjectImage(*o));
        return out;
    };
    const auto objects = [] {
        std::vector<stLadderBlock*> out;
        for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next) out.push_back(o);
        return out;
    };
    const std::vector<LadderObjectImage> before = images();
    std::vector<stLadderBlock*> old = objects();
    ldrNow = old[5];
    ldrSearch = old[39];
    ldrAlloc = old[0];
    canvasState.ldrDrawHead = old[9];

    old[7]->heldBySnapshots = 1;
    lineUpMainListInMemory();
    EXPECT_EQ(objects(), old);
    old[7]->heldBySnapshots = 0;
    {
        const PositionIndexScope index;
        lineUpMainListInMemory();
        EXPECT_EQ(objects(), old);
    }

    lineUpMainListInMemory();
    const std::vector<stLadderBlock*> laidOut = objects();
    EXPECT_EQ(images(), before);
    expectConsistentLinks(ldrList);
    EXPECT_EQ(std::pair(ldrNow, ldrSearch), std::pair(laidOut[5], laidOut[39]));
    EXPECT_EQ(ldrAlloc, laidOut[0]);
    EXPECT_EQ(canvasState.ldrDrawHead, laidOut[9]);
    EXPECT_EQ(std::pair(ldrHead, ldrTail), std::pair(laidOut.front(), laidOut.back()));
#if !defined(__SANITIZE_ADDRESS__)  // the sanitizer builds take each object from the heap
    EXPECT_TRUE(std::is_sorted(laidOut.begin(), laidOut.end(), std::less<>()));
#endif
}

// The re-link of Convert moves each object of the undo list in front of END: what it leaves (both
// lists, END's link count, the model's pointers, the change count) is what a copy linked there and
// the source removed leave, in front of END alone and behind other objects. An object a command
// snapshot holds stays where it is, and nothing changes.
TEST_F(LadderObjectTest, AnObjectMovedInFrontOfEndLeavesWhatItsCopyWould) {
    struct Outcome {
        std::vector<LadderObjectImage> main, undo;
        std::vector<int> pointers;  // main-list index of each pointer's object; -1 null, -2 elsewhere
        std::uint16_t endLinks = 0;
        std::uint64_t changes = 0;
        bool operator==(const Outcome&) const = default;
    };
    const auto copyAcross = [](stLadderBlock* source) {
        ASSERT_TRUE(ReallocLadderMemory(kLinkBeforeEnd, 0));
        EXPECT_EQ(srcObjectCopyToDestObject(source, ldrNew), 0);
        removeLadderObject(ldrUndoList, source);
    };
    // END, the objects already moved, and three source objects; the model's pointers at the middle one.
    const auto setUp = [&](int moved) {
        FreeLadderMemory(kListUndo);
        initLadderList(1040, 320);
        for (std::uint32_t step = 0; step < 3 + static_cast<std::uint32_t>(moved); ++step) {
            auto* o = new stLadderBlock(sampleObject());
            o->next = o->prev = nullptr;
            o->stepNo = step;
            o->LinkNo = static_cast<std::uint16_t>(40 + step);
            setText(o->ID, "X01");
            links::pushBack(ldrUndoList, o);
        }
        for (int i = 0; i < moved; ++i) copyAcross(ldrUndoHead);
        stLadderBlock* source = ldrUndoHead->next;
        ldrSearch = ldrUndoList.now = readingOrderStart.node = source;
        canvasState.ldrDrawHead = source;
        ldrNow = ldrNew = ldrAlloc = ldrTail;
        return source;
    };
    const auto outcome = [](std::uint64_t changesBefore) {
        Outcome out;
        std::vector<const stLadderBlock*> main;
        for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
            main.push_back(o);
            out.main.push_back(ladderObjectImage(*o));
        }
        for (const stLadderBlock* o = ldrUndoHead; o != nullptr; o = o->next)
            out.undo.push_back(ladderObjectImage(*o));
        for (const stLadderBlock* p :
             std::initializer_list<const stLadderBlock*>{ldrSearch, ldrUndoList.now, canvasState.ldrDrawHead,
                                                         readingOrderStart.node, ldrNow, ldrNew, ldrAlloc}) {
            const auto at = std::find(main.begin(), main.end(), p);
            out.pointers.push_back(p == nullptr       ? -1
                                   : at == main.end() ? -2
                                                      : static_cast<int>(at - main.begin()));
        }
        out.endLinks = ldrTail->LinkNo;
        out.changes = ladderChanges() - changesBefore;
        return out;
    };
    for (int moved : {0, 2}) {
        SCOPED_TRACE(moved);
        stLadderBlock* source = setUp(moved);
        std::uint64_t changes = ladderChanges();
        copyAcross(source);
        const Outcome copied = outcome(changes);
        EXPECT_EQ(textOf(ldrTail->prev->ID), "$##");
        EXPECT_EQ(ldrTail->prev->monValue[0], 0u);

        source = setUp(moved);
        changes = ladderChanges();
        ASSERT_TRUE(moveObjectBeforeEnd(ldrUndoList, source));
        EXPECT_EQ(ldrTail->prev, source);
        EXPECT_EQ(outcome(changes), copied);
        expectConsistentLinks(ldrList);
        expectConsistentLinks(ldrUndoList);
    }
    stLadderBlock* held = setUp(1);
    held->heldBySnapshots = 1;
    const std::uint64_t changes = ladderChanges();
    const Outcome before = outcome(changes);
    EXPECT_FALSE(moveObjectBeforeEnd(ldrUndoList, held));
    EXPECT_EQ(outcome(changes), before);
    held->heldBySnapshots = 0;
    FreeLadderMemory(kListUndo);
}

// Which words of the fields any packed object holds: a field that is zero in every object is known
// to be, one that shares its word with a set field may be set.
TEST_F(LadderObjectTest, APackedLadderTellsWhichFieldsNoObjectSets) {
    LadderList list;
    for (int i = 0; i < 3; ++i) {
        auto* o = new stLadderBlock;
        o->xAddr = 80;
        o->iCode = 0x2400;
        setText(o->mnemonic, "LD");
        links::pushBack(list, o);
    }
    const auto mayHold = [](const LadderList& from, std::size_t offset, std::size_t size) {
        return PackedLadder(from).mayHoldNonZero(offset, size);
    };
    EXPECT_FALSE(mayHold(list, offsetof(stLadderBlock, idBC), 2));
    EXPECT_FALSE(mayHold(list, offsetof(stLadderBlock, monValue), 40));
    EXPECT_TRUE(mayHold(list, offsetof(stLadderBlock, xAddr), 4));
    EXPECT_TRUE(mayHold(list, offsetof(stLadderBlock, mnemonic), 12));
    EXPECT_TRUE(mayHold(list, 0, 8));  // the links are not packed: nothing is known of them
    list.tail->idCC = 9;
    EXPECT_TRUE(mayHold(list, offsetof(stLadderBlock, idCC), 2));
    EXPECT_TRUE(mayHold(list, offsetof(stLadderBlock, idBC), 2));  // the same word
    list.tail->heldBySnapshots = 1;                                // not a field of the contents
    EXPECT_FALSE(mayHold(list, offsetof(stLadderBlock, monValue), 40));
    list.tail->heldBySnapshots = 0;
    freeLadderList(list);
}

TEST_F(LadderObjectTest, ABadListNumberIsACallersMistakeThatFreesNothing) {
    initLadderList(1040, 0);
    for (int number : {8, -1}) EXPECT_DEBUG_DEATH(FreeLadderMemory(number), "list number outside 0 to 7");
#ifdef NDEBUG
    EXPECT_EQ(test::shownBoxes(fakes.messages),
              test::Boxes(2, "Error2015022401 | *FreeLadderMemory( | none"));
#endif
    EXPECT_EQ(links::countNodes(ldrList), 1);
}

TEST_F(LadderObjectTest, ClearKeepEndFreesEverythingButEnd) {
    clearLadderKeepEnd();  // an empty list: nothing happens
    EXPECT_EQ(ldrHead, nullptr);
    initLadderList(1040, 320);
    stLadderBlock* end = ldrTail;
    addBeforeEnd(80, 0);
    ASSERT_TRUE(ReallocLadderMemory(0, 0));  // appended behind END
    ldrSearch = ldrTail;
    ldrNow = ldrHead;
    clearLadderKeepEnd();
    EXPECT_EQ(std::tie(ldrHead, ldrTail, end->yAddr),
              std::tie(end, end, draw.iBusLineEnd));  // as clear-all sets it
    EXPECT_EQ(std::tie(end->next, end->prev, ldrSearch, ldrNew, ldrNow),
              std::make_tuple(nullptr, nullptr, nullptr, nullptr, nullptr));
}

struct RemovalCase {
    const char* what;
    void (*remove)();
    std::uint16_t code;
};
const RemovalCase kRemovals[] = {
    {"removeDeletedObjects", removeDeletedObjects, 0xFFFE},
    {"removeObjects1000h", removeObjects1000h, 0x1000},
    {"removeEmptyObjectsChecked", removeEmptyObjectsChecked, 0x0000},
    {"removeEmptyObjects", removeEmptyObjects, 0x0000},
};

TEST_F(LadderObjectTest, RemovalsTakeOutEveryObjectOfTheirCodeAndNoPointerToIt) {
    fakes.trace.setVisible(Memo::Debug3, true);  // objects between others are removed silently
    for (const RemovalCase& c : kRemovals) {
        buildList({{0x2000, 1}, {c.code, 1}, {c.code, 1}, {0xC000, 1}, {c.code, 2}, {0x4000, 2}}, 3);
        ldrNow = ldrAlloc = ldrHead->next;
        ldrSearch = ldrHead->next->next;
        ldrNew = ldrTail->prev->prev;
        c.remove();
        EXPECT_EQ(codes(), (Codes{0x2000, 0xC000, 0x4000, 0x000F})) << c.what;
        EXPECT_EQ(std::tie(ldrNow, ldrSearch, ldrNew, ldrAlloc),
                  std::make_tuple(nullptr, nullptr, nullptr, nullptr));
        EXPECT_FALSE(ReallocLadderMemory(3, 0));  // linking beside the current object reaches nothing freed
        expectConsistentLinks(ldrList);
        FreeLadderMemory(0);
    }
    EXPECT_TRUE(fakes.messages.shown.empty() && fakes.trace.lines(Memo::Debug3).empty());
    initLadderList(1040, 0);
    ldrHead->iCode = 0xFFFE;
    addBeforeEnd(80, 0, 0xFFFE);
    ldrNow = ldrHead->next;
    removeDeletedObjects();
    EXPECT_EQ(std::tie(ldrHead, ldrTail, ldrNow), std::make_tuple(nullptr, nullptr, nullptr));
}

TEST_F(LadderObjectTest, PlaceholdersAtTheEdgesAreRemovedToo) {
    for (const RemovalCase& c : {kRemovals[1], kRemovals[2]}) {
        buildList({{c.code, 1}, {0x2000, 1}, {0xC000, 1}}, 2);
        ldrTail->iCode = c.code;  // a damaged list: no END at its tail
        c.remove();
        EXPECT_EQ(codes(), (Codes{0x2000, 0xC000})) << c.what;
        expectConsistentLinks(ldrList);
    }
    initLadderList(1040, 0);
    ldrHead->iCode = 0x1000;  // head and tail at once
    removeObjects1000h();
    EXPECT_EQ(ldrHead, nullptr);
}

}  // namespace
}  // namespace kestrion
