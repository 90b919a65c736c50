#include "model/ladder/LadderSearch.h"

#include <algorithm>
#include <tuple>

#include "model/LadderTestSupport.h"

namespace kestrion {
namespace {

using platform::MsgIcon;

class LadderSearchTest : public test::LadderTest {};

TEST_F(LadderSearchTest, SearchFindsTheFirstObjectAtExactlyThePlaceInTheMainOrUndoList) {
    EXPECT_FALSE(searchLadderObject(kSearchMain, 80, 0));
    initLadderList(80, 0);
    std::swap(ldrList, ldrUndoList);
    initLadderList(1040, 128);
    stLadderBlock* first = addBeforeEnd(160, 64);
    addBeforeEnd(160, 64);  // a second one at the same place is never found
    const std::tuple<int, std::uint32_t, std::uint32_t, stLadderBlock*> cases[] = {
        {kSearchMain, 160, 64, first},   {kSearchMain, 1040, 128, ldrTail}, {kSearchMain, 161, 64, nullptr},
        {kSearchMain, 160, 65, nullptr}, {kSearchUndo, 80, 0, ldrUndoHead}, {2, 80, 0, nullptr}};
    for (const auto& [list, x, y, found] : cases) {
        ldrSearch = ldrHead;
        EXPECT_TRUE(searchLadderObject(list, x, y) == (found != nullptr) && ldrSearch == found)
            << list << " " << x;
    }
    ldrSearch = ldrHead;
    EXPECT_FALSE(searchObjectCovering(2, 160, 64) || ldrSearch != nullptr);
}

TEST_F(LadderSearchTest, CoveringSearchTakesTheSpanFromXToXend) {
    initLadderList(1040, 128);
    stLadderBlock* box = addBeforeEnd(160, 64, 0x0020);
    box->Xend = 400;  // an instruction box three cells wide
    const std::tuple<std::uint32_t, std::uint32_t, bool> cases[] = {
        {160, 64, true}, {399, 64, true}, {400, 64, false}, {159, 64, false}, {200, 0, false}};
    for (const auto& [x, y, found] : cases) {
        EXPECT_TRUE(searchObjectCovering(kSearchMain, x, y) == found && ldrSearch == (found ? box : nullptr))
            << x;
    }
}

TEST_F(LadderSearchTest, CoveringSearchSkipsJointsAndDeletedObjects) {
    for (std::uint16_t code : {kCodeVNop, kCodeMrd}) {
        initLadderList(1040, 128);
        addBeforeEnd(80, 0, code);
        stLadderBlock* behind = addBeforeEnd(80, 0, 0x2000);
        EXPECT_TRUE(searchObjectCovering(kSearchMain, 100, 0));
        EXPECT_EQ(ldrSearch, behind);
    }
    initLadderList(1040, 128);
    stLadderBlock* joint = addBeforeEnd(80, 0, kCodeOrb);
    EXPECT_FALSE(searchObjectCovering(kSearchMain, 100, 0));
    std::swap(ldrList, ldrUndoList);
    EXPECT_TRUE(searchObjectCovering(kSearchUndo, 100, 0) && ldrSearch == joint);
}

TEST_F(LadderSearchTest, CountByIdCountsTheUndoCopyByKind) {
    for (int kind : {0, 1, 2, 3}) EXPECT_EQ(countObjectsById(1, kind), 0);  // no undo copy taken
    buildList(
        {{0x2000, 1}, {kCodeAnb, 1}, {kCodeOrb, 1}, {kCodeMps, 1}, {kCodeMpp, 1}, {kCodeMrd, 2}, {0xC000, 1}},
        3);
    EXPECT_EQ(countObjectsById(1, 0), 0);  // the main list is not counted
    std::swap(ldrList, ldrUndoList);
    const std::tuple<std::uint32_t, int, int> cases[] = {
        {1, 0, 6}, {1, 1, 2}, {1, 2, 2}, {2, 2, 1}, {2, 1, 0}, {3, 0, 1}, {1, 3, 0}, {1, -1, 0}, {9, 0, 0}};
    for (const auto& [id, kind, count] : cases)
        EXPECT_EQ(countObjectsById(id, kind), count) << id << "/" << kind;
}

TEST_F(LadderSearchTest, LookupsByRowAndByBlockId) {
    initLadderList(1040, 192);
    stLadderBlock* a = addBeforeEnd(80, 0, 0x2000, 1);
    a->stepNo = 0;
    stLadderBlock* b = addBeforeEnd(160, 64, 0x2001, 2);
    b->stepNo = 5;
    addBeforeEnd(240, 64, 0x4000, 3);
    ldrTail->objLbc = 4;
    EXPECT_EQ(std::make_tuple(getObjectIdAtY(64), getObjectIdAtY(128), getStepNoById(2), getStepNoById(9)),
              std::make_tuple(2u, 0u, 5u, 0u));
    EXPECT_EQ(std::make_tuple(getEndObjectY(), getEndObjectId()), std::make_tuple(192u, 4u));
    curObjLbc = 2;
    EXPECT_EQ(getObjectYById(999), 64u);
    curObjLbc = 7;
    EXPECT_EQ(getObjectYById(999), 999u);
    ldrNow = a;
    EXPECT_TRUE(selectObjectIdAtY(12345, 128) == 0u && ldrNow == a);  // unchanged when the row is empty
    EXPECT_TRUE(selectObjectIdAtY(0, 64) == 2u && ldrNow == b);
    ldrTail->iCode = 0xC000;  // no END object at all
    EXPECT_EQ(std::make_tuple(getEndObjectY(), getEndObjectId()), std::make_tuple(0u, 4u));  // the tail's id
    FreeLadderMemory(kListMain);
    EXPECT_EQ(std::make_tuple(getEndObjectY(), getEndObjectId()), std::make_tuple(0u, 0u));
}

TEST_F(LadderSearchTest, PositionOutsideBlockWalksToTheNextOutput) {
    initLadderList(1040, 192);
    addBeforeEnd(80, 0, 0x2000);
    addBeforeEnd(160, 0, 0x4000);
    stLadderBlock* out = addBeforeEnd(960, 0, 0xC000);
    out->end = kEndOutput;
    addBeforeEnd(80, 64, 0x2001);
    const std::array<std::uint32_t, 5> cases[] = {
        {80, 0, 160, 0, 0},  {80, 0, 80, 64, 1},     {80, 0, 960, 0, 1},   {960, 0, 960, 0, 1},
        {400, 0, 160, 0, 0}, {80, 64, 1040, 192, 1}, {80, 64, 560, 512, 1}};
    for (const auto& [x1, y1, x2, y2, outside] : cases)
        EXPECT_EQ(isPosOutsideBlock(x1, y1, x2, y2), outside == 1)
            << x1 << "," << y1 << " " << x2 << "," << y2;
    ldrTail->end = kEndContact;
    EXPECT_FALSE(isPosOutsideBlock(80, 64, 560, 512));  // the list ends without output or target
}

TEST_F(LadderSearchTest, OutputCodesThatAreNotAtTheBusAreRepairedOneBoxEach) {
    initLadderList(1040, 128);
    stLadderBlock* out = addBeforeEnd(320, 0, 0xC000);
    stLadderBlock* contact = addBeforeEnd(80, 64, 0x2000);
    stLadderBlock* mov = addBeforeEnd(160, 64, 0x0018);  // an application instruction
    stLadderBlock* done = addBeforeEnd(240, 64, 0xD000);
    done->end = kEndOutput;
    checkFncSymbols();
    EXPECT_EQ(std::tie(out->end, mov->end, contact->end), std::make_tuple(11u, 11u, 10u));
    ASSERT_EQ(fakes.messages.shown.size(), 2u);  // the END object is already an output
    EXPECT_EQ(fakes.messages.shown[0].text + fakes.messages.shown[0].caption,
              "Error20180320..*FncSymbleError(B)");
    EXPECT_EQ(fakes.messages.shown[0].icon, MsgIcon::Warning);
}

TEST_F(LadderSearchTest, OutputsFollowAWidenedRightBus) {
    initLadderList(1040, 128);
    stLadderBlock* coil = addBeforeEnd(960, 0, 0xC000);
    coil->end = kEndOutput;
    stLadderBlock* wide = addBeforeEnd(800, 64, 0x0018);
    wide->Xend = 1120;  // four cells
    wide->end = kEndOutput;
    stLadderBlock* contact = addBeforeEnd(80, 64, 0x2000);
    stLadderBlock* past = addBeforeEnd(1120, 128, 0xC000);  // already at the limit: it stays
    past->end = kEndOutput;
    draw.iBusLineEnd += 80;  // the too-wide handling widened the ladder by one cell
    shiftOutputObjectsToRightBus();
    EXPECT_EQ(std::tie(coil->xAddr, wide->xAddr, contact->xAddr, past->xAddr, ldrTail->xAddr, wide->Xend),
              std::make_tuple(1040u, 880u, 80u, 1120u, 1120u, 1120u));  // the ends are not changed here
    initLadderList(400, 320);  // END moves to the last cell of the widened line, only its x
    moveEndToRightEdge();
    EXPECT_EQ(std::tie(ldrTail->xAddr, ldrTail->Xend), std::make_tuple(1120u, 480u));
}

TEST_F(LadderSearchTest, OutputsTakeTheirWireStartFromThePredecessor) {
    initLadderList(1040, 128);
    stLadderBlock* contact = addBeforeEnd(80, 0, 0x2000);
    contact->Xend = 160;
    stLadderBlock* coil = addBeforeEnd(960, 0, 0xC000);
    stLadderBlock* joint = addBeforeEnd(400, 64, kCodeNop);
    setText(joint->mnemonic, "#NOP");
    stLadderBlock* set = addBeforeEnd(960, 64, 0xD000);
    stLadderBlock* filler = addBeforeEnd(480, 128, kCodeNop);
    setText(filler->mnemonic, "NOP");
    filler->Xend = 560;
    stLadderBlock* reset = addBeforeEnd(960, 128, 0xE000);
    stLadderBlock* first = ldrHead;
    setXMaxiOfOutputs();
    EXPECT_EQ(std::tie(coil->xMaxi, set->xMaxi, reset->xMaxi, first->xMaxi),
              std::make_tuple(160u, 400u, 560u, 0u));
}

TEST_F(LadderSearchTest, JointsTakeTheIdOfTheElementBeforeTheirChain) {
    buildList(
        {{kCodeAnb, 8}, {0x2000, 1}, {kCodeOrb, 5}, {kCodeMps, 6}, {0x4000, 2}, {kCodeMpp, 9}, {0xC000, 3}},
        0);
    propagateIdsToLinks();
    EXPECT_EQ(ids(), (std::vector<std::uint32_t>{8, 1, 1, 1, 2, 2, 3, 4}));  // the head ANB keeps its id
}

TEST_F(LadderSearchTest, RenumberCases) {
    using Ids = std::vector<std::uint32_t>;
    for (const auto& [before, after] : {std::pair<Ids, Ids>{{7}, {1}},
                                        {{3, 3, 3, 3}, {1, 1, 1, 2}},
                                        {{4, 2, 2}, {1, 2, 3}},
                                        {{1, 2, 1, 5}, {1, 2, 3, 4}}}) {
        std::vector<std::pair<std::uint16_t, std::uint32_t>> objects;
        for (std::size_t i = 0; i + 1 < before.size(); ++i) objects.push_back({0x2000, before[i]});
        buildList(objects, before.back());
        renumberObjectIds();
        EXPECT_EQ(ids(), after);
    }
    buildList({{0x2000, 5}, {0x2000, 5}}, 8);
    ldrTail->iCode = 0xC000;
    renumberObjectIds();
    EXPECT_EQ(ids(), (std::vector<std::uint32_t>{1, 1, 2}));
    buildList({{0x2000, 6}}, 0);
    setEndObjectId();  // END takes the id after its predecessor's, or 1 alone
    EXPECT_EQ(ldrTail->objLbc, 7u);
    initLadderList(1040, 0);
    ldrTail->objLbc = 9;
    setEndObjectId();
    EXPECT_EQ(ldrTail->objLbc, 1u);
}

}  // namespace
}  // namespace kestrion

namespace kestrion {
namespace {

// What every search answers, so that the answers with and without the index can be compared.
std::vector<std::uintptr_t> answers() {
    std::vector<std::uintptr_t> out;
    const auto note = [&](const stLadderBlock* o) { out.push_back(reinterpret_cast<std::uintptr_t>(o)); };
    for (const auto& [x, y] : {std::pair{160U, 64U}, {240U, 64U}, {300U, 64U}, {80U, 0U}, {1040U, 192U}}) {
        note(searchLadderObject(kSearchMain, x, y) ? ldrSearch : nullptr);
        note(searchObjectCovering(kSearchMain, x, y) ? ldrSearch : nullptr);
        note(objectStandingAt(x, y));
        note(searchLadderObject(kSearchUndo, x, y) ? ldrSearch : nullptr);
    }
    for (std::uint32_t id : {1U, 2U, 3U, 9U}) note(firstOfBlockOrBelow(id, 192));
    for (int kind : {0, 1}) out.push_back(static_cast<std::uintptr_t>(countObjectsById(2, kind)));
    out.push_back(getEndObjectY());
    return out;
}

// Block ids far apart (each past twice the one before and 4096 more, a pasted record's 151,060,227):
// the index still finds each block and counts it, and holds its tables by number only for ids up
// to a few more than the objects, however large the ids grow.
TEST_F(LadderSearchTest, TheIndexHoldsItsIdTablesByTheObjectsPresentNotTheLargestId) {
    std::vector<std::pair<std::uint16_t, std::uint32_t>> objects;
    for (std::uint32_t id = 1; id < 100'000'000; id = 2 * id + 4097) objects.emplace_back(0x2000, id);
    objects.emplace_back(0x2000, 151'060'227);
    buildList(objects, 151'060'228);
    std::swap(ldrList, ldrUndoList);
    buildList(objects, 151'060'228);
    const UndoIndexScope source;
    const PositionIndexScope index;
    for (const auto& [code, id] : objects) {
        const stLadderBlock* first = firstOfBlockOrBelow(id, 64);
        EXPECT_TRUE(first != nullptr && first->objLbc == id) << id;
        EXPECT_EQ(countObjectsById(id, 0), 1) << id;
    }
    const std::size_t bound = 2 * (objects.size() + 1) + 4096;
    EXPECT_LE(positionIndex.tables->firstById.size(), bound);
    EXPECT_LE(positionIndex.undo.tables->firstById.size(), bound);
    EXPECT_LE(positionIndex.undo.tables->idCounts.size(), bound);
}

TEST_F(LadderSearchTest, TheIndexAnswersAsTheWalkOfTheListIncludingObjectsNotedSinceAndSharedPlaces) {
    initLadderList(80, 0);
    addBeforeEnd(160, 64, 0x2000, 2);
    std::swap(ldrList, ldrUndoList);
    initLadderList(1040, 192);
    addBeforeEnd(80, 0, 0x2000, 1);
    stLadderBlock* wide = addBeforeEnd(160, 64, 0x0020, 2);
    wide->Xend = 400;                    // covers 240 and 300 on its row
    addBeforeEnd(160, 64, 0x2001, 2);    // shares its place: the list's first is meant
    addBeforeEnd(240, 64, kCodeOrb, 2);  // a joint inside the span is no covering object
    const std::vector<std::uintptr_t> walked = answers();
    {
        const UndoIndexScope source;
        const PositionIndexScope index;
        EXPECT_EQ(answers(), walked);
        ldrNow = wide;  // an object put in front of block 2's first and noted there
        ASSERT_TRUE(ReallocLadderMemory(kLinkBeforeNow, 0));
        stLadderBlock* added = ldrNew;
        std::tie(added->xAddr, added->yAddr, added->Xend, added->objLbc, added->iCode) =
            std::make_tuple(320U, 128U, 400U, 2U, std::uint16_t{0x2002});
        notePosition(*added);
        EXPECT_EQ(firstOfBlockOrBelow(2, 192), added);
        EXPECT_TRUE(searchObjectCovering(kSearchMain, 330, 128) && ldrSearch == added);
        ldrNow = wide;  // noted after the objects of its place, but before them in the list
        ASSERT_TRUE(ReallocLadderMemory(kLinkBeforeNow, 0));
        stLadderBlock* shared = ldrNew;
        std::tie(shared->xAddr, shared->yAddr, shared->Xend, shared->objLbc, shared->iCode) =
            std::make_tuple(160U, 64U, 240U, 2U, std::uint16_t{0x2003});
        notePosition(*shared);
        EXPECT_TRUE(searchLadderObject(kSearchMain, 160, 64) && ldrSearch == shared);
        notePosition(*shared);  // noted twice, visited once
        std::vector<const stLadderBlock*> visited, there;
        forEachObjectAt(160, 64, [&](stLadderBlock& o) { visited.push_back(&o); });
        for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
            if (o->xAddr == 160 && o->yAddr == 64) there.push_back(o);
        std::sort(visited.begin(), visited.end());
        std::sort(there.begin(), there.end());
        EXPECT_EQ(visited, there);
        EXPECT_EQ(there.size(), 3U);
    }
    EXPECT_EQ(firstOfBlockOrBelow(2, 192), ldrHead->next);  // the walk finds the same
}

// Objects put in front of END while the index is on are found in list order: after those the
// index was made over on their line, in the order they were noted, and before END on END's line;
// one put in the middle of the list is found before the later ones.
TEST_F(LadderSearchTest, ObjectsNotedWhileTheIndexIsOnAreFoundInListOrder) {
    initLadderList(1040, 192);
    stLadderBlock* made = addBeforeEnd(160, 64, 0x2000, 1);
    const PositionIndexScope index;
    const auto placeBefore = [](stLadderBlock* next, std::uint32_t x, std::uint32_t y, std::uint16_t code) {
        ldrNow = next;
        EXPECT_TRUE(ReallocLadderMemory(kLinkBeforeNow, 0));
        stLadderBlock* o = ldrNew;
        std::tie(o->xAddr, o->yAddr, o->Xend, o->objLbc, o->iCode) = std::make_tuple(x, y, x + 80, 2U, code);
        notePosition(*o);
        return o;
    };
    const auto found = [](std::uint32_t x, std::uint32_t y) {
        return searchLadderObject(kSearchMain, x, y) ? ldrSearch : nullptr;
    };
    stLadderBlock* firstNoted = placeBefore(ldrTail, 160, 64, 0x2001);
    placeBefore(ldrTail, 160, 64, 0x2002);
    EXPECT_EQ(found(160, 64), made);
    made->yAddr = 0;  // moved away: the first noted comes next
    EXPECT_EQ(found(160, 64), firstNoted);

    stLadderBlock* atEnd = placeBefore(ldrTail, 1040, 192, 0x2003);
    EXPECT_EQ(found(1040, 192), atEnd);  // END is the list's last
    ldrTail->xAddr = 1120;
    stLadderBlock* nextToEnd = placeBefore(ldrTail, 1120, 192, 0x2004);
    EXPECT_EQ(found(1120, 192), nextToEnd);

    stLadderBlock* later = placeBefore(ldrTail, 400, 128, 0x2005);
    EXPECT_EQ(found(400, 128), later);
    stLadderBlock* earlier = placeBefore(firstNoted, 400, 128, 0x2006);  // in the middle of the list
    EXPECT_EQ(found(400, 128), earlier);
}

// The index keeps the line it looked up last for the next search; an object noted on that line
// afterwards is found by the searches and the visit, and the line's other objects still are.
TEST_F(LadderSearchTest, AnObjectNotedOnTheLineLastSearchedIsFound) {
    initLadderList(1040, 192);
    stLadderBlock* made = addBeforeEnd(160, 64, 0x2000, 1);
    const PositionIndexScope index;
    EXPECT_FALSE(searchLadderObject(kSearchMain, 240, 64));
    stLadderBlock* noted = addBeforeEnd(240, 64, 0x2001, 1);
    notePosition(*noted);
    EXPECT_TRUE(searchLadderObject(kSearchMain, 240, 64) && ldrSearch == noted);
    EXPECT_TRUE(searchLadderObject(kSearchMain, 160, 64) && ldrSearch == made);
    EXPECT_TRUE(searchObjectCovering(kSearchMain, 250, 64) && ldrSearch == noted);
    std::vector<const stLadderBlock*> visited;
    forEachObjectAt(240, 64, [&](stLadderBlock& o) { visited.push_back(&o); });
    EXPECT_EQ(visited, std::vector<const stLadderBlock*>{noted});
}

}  // namespace
}  // namespace kestrion
