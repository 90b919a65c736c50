// Commands that note each object before they change it: their snapshot and the undo copy they take
// hold the records of the objects changed, and must give exactly what a copy of the whole ladder
// gives.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/LadderTestSupport.h"
#include "model/core/CommandTransaction.h"
#include "model/ladder/CanvasError.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/LadderSearch.h"

namespace kestrion {
namespace {

using Images = std::vector<LadderObjectImage>;

Images imagesOf(const LadderList& list) {
    Images images;
    for (const stLadderBlock* o = list.head; o != nullptr; o = o->next)
        images.push_back(ladderObjectImage(*o));
    return images;
}

std::vector<const stLadderBlock*> nodesOf(const LadderList& list) {
    std::vector<const stLadderBlock*> nodes;
    for (const stLadderBlock* o = list.head; o != nullptr; o = o->next) nodes.push_back(o);
    return nodes;
}

// Every list by its objects and their images, and the pointers of the model into them.
struct Ladder {
    std::vector<const stLadderBlock*> main, undo, deleted, copied;
    Images mainImages, undoImages, copiedImages;
    const stLadderBlock *now, *fresh, *allocated, *found, *keyed;
    Images keyedImage;
    bool operator==(const Ladder&) const = default;
};

Ladder ladderNow() {
    Ladder l{nodesOf(ldrList),
             nodesOf(ldrUndoList),
             nodesOf(deleteList),
             nodesOf(copyList),
             imagesOf(ldrList),
             imagesOf(ldrUndoList),
             imagesOf(copyList),
             ldrNow,
             ldrNew,
             ldrAlloc,
             ldrSearch,
             editNew,
             {}};
    if (editNew != nullptr) l.keyedImage.push_back(ladderObjectImage(*editNew));
    return l;
}

std::uint16_t codeAt(std::size_t index) {
    stLadderBlock* o = ldrHead;
    for (std::size_t i = 0; i < index; ++i) o = o->next;
    return o->iCode;
}

stLadderBlock* objectAt(std::size_t index) {
    stLadderBlock* o = ldrHead;
    for (std::size_t i = 0; i < index; ++i) o = o->next;
    return o;
}

// An edit as the instruction box makes one: an undo copy first, then a field changed, an object
// linked in front of the current one, another freed, and END moved down.
void edit() {
    copyMainListForUndo();
    stLadderBlock* second = objectAt(1);
    noteObjectChange(second);
    second->iCode = 0x5000;
    setText(second->mnemonic, "ANI");
    ldrNow = objectAt(2);
    EXPECT_TRUE(ReallocLadderMemory(kLinkBeforeNow, 22));
    ldrNew->iCode = 0x4000;
    removeLadderObject(ldrList, objectAt(4));
    noteObjectChange(ldrTail);
    ldrTail->yAddr += 64;
}

class NotedChangesTest : public test::LadderTest {
protected:
    NotedChangesTest() { build(); }
    static void build() {
        buildList({{0x2000, 1}, {0x4000, 1}, {0x4000, 1}, {0x4000, 1}, {0xC000, 1}}, 2);
        ldrNow = objectAt(2);
        EXPECT_TRUE(ReallocLadderMemory(kLinkCopyList, 0));
        ldrNow = objectAt(2);
    }
    // The command as a user runs it: noted, or as every other command.
    static bool run(bool noted, const std::function<bool()>& command) {
        if (!noted) return runCommand(command);
        const NotedChanges changesNoted;
        return runCommand(command);
    }
    static void undo(bool noted) {
        run(noted, [] {
            swapUndoCopy();
            return true;
        });
    }
};

TEST_F(NotedChangesTest, AFailedNotedCommandLeavesEveryListPointerAndObjectAsItWas) {
    ASSERT_TRUE(ReallocLadderMemory(kLinkEditNew, 20));
    setText(editNew->mnemonic, "LD");
    ldrNow = objectAt(2);
    ldrSearch = objectAt(3);
    const Ladder before = ladderNow();
    for (const bool throws : {false, true}) {
        EXPECT_FALSE(run(true, [throws] {
            edit();
            ReallocLadderMemory(kLinkEditNew, 20);  // the key-in object is replaced
            noteObjectChange(objectAt(0));
            setText(objectAt(0)->operands[0], "X9");
            if (throws) throw CanvasError("too long");
            return false;
        }));
        EXPECT_EQ(ladderNow(), before) << throws;
        expectConsistentLinks(ldrList);
        EXPECT_EQ(ldrUndoHead, nullptr);
        EXPECT_FALSE(hasUndoCopy());
    }
}

TEST_F(NotedChangesTest, TheUndoCopyOfANotedEditGivesWhatAWholeCopyGivesThroughUndoAndUndoAgain) {
    std::vector<Images> ladders[2];
    std::vector<Images> undoCopies[2];
    std::ptrdiff_t undoNow[2] = {};
    for (const bool noted : {false, true}) {
        test::resetAllState();
        build();
        EXPECT_TRUE(run(noted, [] {
            edit();
            return true;
        }));
        EXPECT_EQ(ldrUndoHead == nullptr, noted);  // held as the records of the objects changed
        EXPECT_TRUE(hasUndoCopy());
        ladders[noted].push_back(imagesOf(ldrList));
        for (int i = 0; i < 3; ++i) {
            undo(noted);
            ladders[noted].push_back(imagesOf(ldrList));
            expectConsistentLinks(ldrList);
        }
        settleUndoCopy();
        EXPECT_NE(ldrUndoHead, nullptr);
        undoCopies[noted].push_back(imagesOf(ldrUndoList));
        undoNow[noted] = links::indexOf(ldrUndoList, ldrUndoNow);
    }
    EXPECT_EQ(undoNow[1], undoNow[0]);
    EXPECT_NE(undoNow[1], -1);
    EXPECT_EQ(ladders[1], ladders[0]);
    EXPECT_EQ(undoCopies[1], undoCopies[0]);
    EXPECT_EQ(ladders[1][1], ladders[1][3]);
    EXPECT_EQ(ladders[1][0], ladders[1][2]);
    EXPECT_NE(ladders[1][0], ladders[1][1]);
}

// Undo puts the objects the edit did not touch back as they are: the same objects, not copies.
TEST_F(NotedChangesTest, UndoOfANotedEditKeepsTheObjectsItDidNotChange) {
    const std::vector<const stLadderBlock*> before = nodesOf(ldrList);
    EXPECT_TRUE(run(true, [] {
        edit();
        return true;
    }));
    undo(true);
    EXPECT_EQ(nodesOf(ldrList), before);
    EXPECT_EQ(ldrNow, nullptr);  // as the current object of a copied list
    EXPECT_EQ(codeAt(1), 0x4000);
}

// A frame moved outside a command may shorten an object to the right bus; Undo puts it back as the
// whole copy held it.
TEST_F(NotedChangesTest, AnObjectChangedOutsideACommandIsPutBackByUndo) {
    std::vector<std::uint32_t> widths[2];
    for (const bool noted : {false, true}) {
        test::resetAllState();
        build();
        objectAt(4)->Xend = 5000;  // the output, before and after the edit
        EXPECT_TRUE(run(noted, [] {
            edit();
            return true;
        }));
        setBlueFrameObject(objectAt(4)->xAddr, 0);
        widths[noted].push_back(objectAt(4)->Xend);
        undo(noted);
        widths[noted].push_back(objectAt(4)->Xend);
    }
    EXPECT_EQ(widths[1], widths[0]);
    EXPECT_EQ(widths[1], (std::vector<std::uint32_t>{draw.iBusLineEnd, 5000}));
}

TEST_F(NotedChangesTest, ACommandThatDoesNotNoteItsChangesFindsTheUndoCopyAListOfItsOwn) {
    const Images before = imagesOf(ldrList);
    EXPECT_TRUE(run(true, [] {
        edit();
        return true;
    }));
    EXPECT_TRUE(runCommand([] { objectAt(0)->iCode = 0x3000; }));
    EXPECT_EQ(imagesOf(ldrUndoList), before);
    undo(true);
    EXPECT_EQ(imagesOf(ldrList), before);
    EXPECT_EQ(codeAt(0), 0x2000);
}

TEST_F(NotedChangesTest, NotedCommandsInsideANotedCommandPutBackTheirOwnChangesOrTheWholeOnes) {
    const Images before = imagesOf(ldrList);
    Images afterFirst, afterInnerFailed;
    EXPECT_FALSE(run(true, [&] {
        noteObjectChange(objectAt(0));
        objectAt(0)->iCode = 0x3000;
        afterFirst = imagesOf(ldrList);
        EXPECT_FALSE(run(true, [] {
            removeLadderObject(ldrList, objectAt(1));
            noteObjectChange(objectAt(2));
            objectAt(2)->iCode = 0x5000;
            return false;
        }));
        afterInnerFailed = imagesOf(ldrList);
        EXPECT_TRUE(run(true, [] {
            removeLadderObject(ldrList, objectAt(1));
            return true;
        }));
        EXPECT_EQ(codes(), (std::vector<std::uint16_t>{0x3000, 0x4000, 0x4000, 0xC000, kCodeEnd}));
        return false;
    }));
    EXPECT_EQ(afterInnerFailed, afterFirst);
    EXPECT_EQ(imagesOf(ldrList), before);
    expectConsistentLinks(ldrList);
}

TEST_F(NotedChangesTest, DroppingTheUndoCopyLeavesNone) {
    EXPECT_TRUE(run(true, [] {
        edit();
        return true;
    }));
    FreeLadderMemory(kListUndo);
    EXPECT_FALSE(hasUndoCopy());
    EXPECT_TRUE(run(true, [] {
        edit();
        return true;
    }));
    dropUndoCopy();
    EXPECT_FALSE(hasUndoCopy());
    EXPECT_EQ(ldrUndoHead, nullptr);
}

std::string keyedText() {
    return editNew == nullptr ? "(none)" : std::string(editNew->mnemonic.data());
}

// The key-in object is no list's: a noted command that leaves it alone leaves it as it is, whether
// its journal ends on its own, becomes the undo copy or joins the undo copy in place.
TEST_F(NotedChangesTest, ANotedCommandThatLeavesTheKeyInObjectAloneKeepsIt) {
    ASSERT_TRUE(ReallocLadderMemory(kLinkEditNew, 20));
    setText(editNew->mnemonic, "LD");
    stLadderBlock* const keyed = editNew;
    const std::pair<const char*, std::function<bool()>> commands[] = {
        {"a change",
         [] {
             noteObjectChange(objectAt(0));
             objectAt(0)->iCode = 0x3000;
             return true;
         }},
        {"an edit with its undo copy",
         [] {
             edit();
             return true;
         }},
        {"a change beside the undo copy",
         [] {
             noteObjectChange(objectAt(1));
             objectAt(1)->iCode = 0x5000;
             return true;
         }},
        {"a failed change",
         [] {
             noteObjectChange(objectAt(1));
             objectAt(1)->iCode = 0x6000;
             return false;
         }},
    };
    for (const auto& [what, command] : commands) {
        run(true, command);
        EXPECT_EQ(editNew, keyed) << what;
        EXPECT_EQ(keyedText(), "LD") << what;
    }
    undo(true);
    EXPECT_EQ(editNew, keyed);
    EXPECT_EQ(keyedText(), "LD");
}

// A command inside another replaces the key-in object: the object it replaced stays until the outer
// one has ended, which puts it back when it fails and lets it go when it stays (the sanitizer builds
// see an object left behind). The replacement goes when the outer command fails.
TEST_F(NotedChangesTest, TheKeyInObjectAnInnerCommandReplacedGoesOrComesBackWithTheOuterCommand) {
    ASSERT_TRUE(ReallocLadderMemory(kLinkEditNew, 20));
    setText(editNew->mnemonic, "LD");
    stLadderBlock* const first = editNew;
    for (const bool stays : {false, true}) {
        const stLadderBlock* made = nullptr;
        EXPECT_EQ(run(true,
                      [&made, stays] {
                          noteObjectChange(objectAt(0));
                          objectAt(0)->iCode = 0x3000;
                          EXPECT_TRUE(run(true, [&made] {
                              EXPECT_TRUE(ReallocLadderMemory(kLinkEditNew, 20));
                              setText(editNew->mnemonic, "OUT");
                              made = editNew;
                              return true;
                          }));
                          return stays;
                      }),
                  stays);
        EXPECT_EQ(editNew, stays ? made : first) << stays;
        EXPECT_EQ(keyedText(), stays ? "OUT" : "LD") << stays;
        EXPECT_EQ(codeAt(0), stays ? 0x3000 : 0x2000) << stays;
    }
    // The same with an undo copy in place and the outer command an edit that replaces it.
    EXPECT_TRUE(run(true, [] {
        edit();
        EXPECT_TRUE(run(true, [] {
            EXPECT_TRUE(ReallocLadderMemory(kLinkEditNew, 20));
            setText(editNew->mnemonic, "AND");
            return true;
        }));
        return true;
    }));
    EXPECT_EQ(keyedText(), "AND");
    undo(true);
    EXPECT_EQ(keyedText(), "AND");
}

// Objects a noted command made go when it fails: one it changed after making it, and the key-in
// object it made in place of the one it found (the sanitizer builds see an object left behind).
TEST_F(NotedChangesTest, TheObjectsAFailedNotedCommandMadeGoWithIt) {
    const Ladder before = ladderNow();
    EXPECT_FALSE(run(true, [] {
        ldrNow = objectAt(2);
        EXPECT_TRUE(ReallocLadderMemory(kLinkBeforeNow, 22));
        stLadderBlock* made = ldrNew;
        noteObjectChange(made);
        made->iCode = 0x4000;
        EXPECT_TRUE(ReallocLadderMemory(kLinkEditNew, 20));
        return false;
    }));
    EXPECT_EQ(ladderNow(), before);
    expectConsistentLinks(ldrList);
}

using NotedChangesDeathTest = NotedChangesTest;

TEST_F(NotedChangesDeathTest, AChangeANotedCommandDidNotNoteStopsTheTests) {
    EXPECT_DEATH(run(true,
                     [] {
                         objectAt(1)->iCode = 0x5000;
                         return true;
                     }),
                 "noted changes: after a noted command, the view differs at object 1");
}

TEST_F(NotedChangesDeathTest, AnObjectTheUndoCopyHoldsFreedBehindItsBackStopsTheTests) {
    stLadderBlock* freed = objectAt(3);  // the edit frees it
    EXPECT_TRUE(run(true, [] {
        edit();
        return true;
    }));
    EXPECT_DEATH(delete freed, "a kept object was freed");
}

}  // namespace
}  // namespace kestrion
