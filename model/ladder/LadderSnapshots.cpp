#include "model/ladder/LadderObject.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "model/core/CommandTransaction.h"
#include "model/core/LinkedList.h"
#include "model/core/MemoryNotEnough.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/ChangeJournal.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObjectPool.h"

namespace kestrion {

// ---- The command transaction's part -----------------------------------------------------------

namespace {

constexpr int kListCount = 4;

std::array<LadderList*, kListCount> everyLadderList() {
    return {&ldrList, &ldrUndoList, &deleteList, &copyList};
}

std::vector<stLadderBlock*> nodesOf(const LadderList& list) {
    std::vector<stLadderBlock*> nodes;
    for (stLadderBlock* node = list.head; node != nullptr; node = node->next) nodes.push_back(node);
    return nodes;
}

void relink(LadderList& list, const std::vector<stLadderBlock*>& nodes, stLadderBlock* now) {
    list = {};
    for (stLadderBlock* node : nodes) links::pushBack(list, node);
    list.now = now;
}

// Beside the lists, as a command found them: the key-in object and its contents, the pointers at
// objects, and the little state the operations on the objects keep.
struct BesideLists {
    stLadderBlock* editNew = nullptr;
    std::optional<stLadderBlock> editNewContents;
    stLadderBlock* ldrNew = nullptr;
    stLadderBlock* ldrAlloc = nullptr;
    stLadderBlock* ldrSearch = nullptr;
    std::uint32_t curObjLbc = 0;
    bool editCancelCopyDue = false;
    std::shared_ptr<const PackedLadder> backup;
};

BesideLists besideListsNow() {
    BesideLists found{
        editNew,  std::nullopt, ldrNew, ldrAlloc, ldrSearch, curObjLbc, canvasState.editCancelCopyDue,
        ldrBackup};
    if (editNew != nullptr) found.editNewContents = *editNew;
    return found;
}

// Of what is beside the lists, what a command put back finds as it was (the key-in object and the
// pointers at objects are the caller's to set).
void putBackBesideLists(const BesideLists& found) {
    curObjLbc = found.curObjLbc;
    canvasState.editCancelCopyDue = found.editCancelCopyDue;
    ldrBackup = found.backup;
    readingOrderStart = {};
}

// Every list by its objects, which no command frees before it has ended; the main list, which
// commands change in place, with the contents of its objects as well; editNew by value.
struct SavedLadder;
std::vector<SavedLadder*>& openSnapshots() {
    static std::vector<SavedLadder*> open;  // the innermost last
    return open;
}

struct SavedLadder : BesideLists {
    SavedLadder() { openSnapshots().push_back(this); }
    SavedLadder(const SavedLadder&) = delete;
    SavedLadder& operator=(const SavedLadder&) = delete;
    ~SavedLadder() {
        for (const auto& list : nodes)
            for (stLadderBlock* node : list) release(node);
        if (editNew != nullptr) release(editNew);
        auto& open = openSnapshots();
        open.erase(std::remove(open.begin(), open.end(), this), open.end());
    }
    static void hold(stLadderBlock* node) { ++node->heldBySnapshots; }
    static void release(stLadderBlock* node) {
        if (node->heldBySnapshots > 0) --node->heldBySnapshots;
    }

    std::array<std::vector<stLadderBlock*>, kListCount> nodes;
    std::array<stLadderBlock*, kListCount> now{};
    std::unique_ptr<const PackedLadder> mainContents;  // null once not needed
    // Set when the command took the main list's objects over and the snapshot kept only their
    // packed contents: the places in the list where the pointers into it stood (-1 none).
    struct MainPlaces {
        std::ptrdiff_t now = -1, ldrNew = -1, ldrAlloc = -1, ldrSearch = -1;
    };
    std::optional<MainPlaces> mainTakenOver;
};

void restoreLadder(const SavedLadder& saved) {
    std::vector<stLadderBlock*> dropped = std::move(freedInCommand);
    freedInCommand.clear();
    const auto lists = everyLadderList();
    for (LadderList* list : lists)
        for (stLadderBlock* node = list->head; node != nullptr; node = node->next) dropped.push_back(node);
    if (editNew != nullptr) dropped.push_back(editNew);

    for (std::size_t list = 0; list < lists.size(); ++list)
        relink(*lists[list], saved.nodes[list], saved.now[list]);
    // A main list the command took over comes back as new objects.
    std::vector<stLadderBlock*> rebuilt;
    if (saved.mainTakenOver) {
        LadderList main;
        saved.mainContents->unpackInto(main);
        rebuilt = nodesOf(main);
        const auto at = [&](std::ptrdiff_t place) {
            return place < 0 ? nullptr : rebuilt[static_cast<std::size_t>(place)];
        };
        relink(ldrList, rebuilt, at(saved.mainTakenOver->now));
    }
    std::size_t i = 0;
    if (saved.mainContents != nullptr && !saved.mainTakenOver)
        saved.mainContents->forEach([&](const stLadderBlock& contents) {
            stLadderBlock* node = saved.nodes[0][i++];
            stLadderBlock* const next = node->next;
            stLadderBlock* const prev = node->prev;
            const std::uint8_t held = node->heldBySnapshots;
            *node = contents;
            node->next = next;
            node->prev = prev;
            node->heldBySnapshots = held;
        });
    editNew = saved.editNew;
    if (editNew != nullptr) {
        const std::uint8_t held = editNew->heldBySnapshots;
        *editNew = *saved.editNewContents;
        editNew->next = editNew->prev = nullptr;
        editNew->heldBySnapshots = held;
    }

    // What the snapshot holds lives on; every other object is freed once the command has ended.
    std::vector<const stLadderBlock*> kept;
    for (const auto& nodes : saved.nodes) kept.insert(kept.end(), nodes.begin(), nodes.end());
    if (saved.editNew != nullptr) kept.push_back(saved.editNew);
    kept.insert(kept.end(), rebuilt.begin(), rebuilt.end());
    std::sort(kept.begin(), kept.end());
    const auto keeps = [&](const stLadderBlock* node) {
        return node != nullptr && std::binary_search(kept.begin(), kept.end(), node);
    };
    std::sort(dropped.begin(), dropped.end());
    dropped.erase(std::unique(dropped.begin(), dropped.end()), dropped.end());
    for (stLadderBlock* node : dropped) {
        if (keeps(node)) continue;
        if (node->heldBySnapshots > 0)
            freedInCommand.push_back(node);
        else
            delete node;
    }

    const auto pointer = [&](stLadderBlock* savedPointer, std::ptrdiff_t SavedLadder::MainPlaces::*place) {
        if (saved.mainTakenOver && (*saved.mainTakenOver).*place >= 0)
            return rebuilt[static_cast<std::size_t>((*saved.mainTakenOver).*place)];
        return keeps(savedPointer) ? savedPointer : nullptr;
    };
    ldrNew = pointer(saved.ldrNew, &SavedLadder::MainPlaces::ldrNew);
    ldrAlloc = pointer(saved.ldrAlloc, &SavedLadder::MainPlaces::ldrAlloc);
    ldrSearch = pointer(saved.ldrSearch, &SavedLadder::MainPlaces::ldrSearch);
    putBackBesideLists(saved);
    if (!keeps(canvasState.ldrDrawHead)) canvasState.ldrDrawHead = nullptr;
}

}  // namespace

// ---- The snapshot of a command that notes its changes ---------------------------------------------

// The lists' ends and the pointers by value, and a journal of the objects the command changes;
// the undo copy the command found, which it may replace, is kept until it has ended.
struct NotedSnapshotState : BesideLists {
    NotedSnapshotState();
    ~NotedSnapshotState();
    NotedSnapshotState(const NotedSnapshotState&) = delete;
    NotedSnapshotState& operator=(const NotedSnapshotState&) = delete;

    std::shared_ptr<ChangeJournal> journal;
    std::array<LadderList, kListCount> lists{};
    std::shared_ptr<ChangeJournal> undoJournal;
    ChangeJournal* recordingBefore = nullptr;
    // The undo copy found has been let go (ldrUndoList and undoJournal then hold the command's).
    bool retired = false;
    // The journal becomes the undo copy once the command has ended, with becomesNow its current
    // object; swapped is the undo copy put in place of the main list.
    bool becomes = false;
    stLadderBlock* becomesNow = nullptr;
    std::shared_ptr<ChangeJournal> swapped;
    bool restored = false;
    // With the checks on: every list as it was.
    std::array<std::vector<std::pair<const stLadderBlock*, stLadderBlock>>, kListCount> shadow;
};

namespace {

std::vector<NotedSnapshotState*>& openNoted() {
    static std::vector<NotedSnapshotState*> open;  // the innermost last
    return open;
}

// Put back: the kept records into their objects, the lists' ends and the pointers as they were; the
// objects made in the command go, the undo copy found comes back.
void restoreNotedLadder(NotedSnapshotState& saved) {
    ChangeJournal& journal = *saved.journal;
    recordingJournal = nullptr;
    for (ChangeJournal::Kept& k : journal.kept)
        if (k.object != nullptr) putRecordBack(*k.object, k.before);
    const std::vector<stLadderBlock*> made(journal.liveOnly.begin(), journal.liveOnly.end());
    journal.kept.clear();
    journal.keptAt.clear();
    journal.liveOnly.clear();
    journal.viewOnly.clear();  // in the lists again
    journal.keptEditNew = nullptr;
    for (stLadderBlock* object : made) deleteLadderObject(object);
    const auto lists = everyLadderList();
    for (std::size_t list = 0; list < lists.size(); ++list) *lists[list] = saved.lists[list];
    undoJournal = saved.undoJournal;
    editNew = saved.editNew;
    if (editNew != nullptr) putRecordBack(*editNew, *saved.editNewContents);
    ldrNew = saved.ldrNew;
    ldrAlloc = saved.ldrAlloc;
    ldrSearch = saved.ldrSearch;
    putBackBesideLists(saved);
    saved.retired = saved.becomes = false;
    saved.swapped = nullptr;
    saved.restored = true;
    recordingJournal = saved.recordingBefore;
    if (!notedChangeChecks()) return;
    for (std::size_t list = 0; list < lists.size(); ++list)
        checkList(*lists[list], saved.shadow[list], saved.lists[list], "a noted command put back");
}

// The command's journal, the ladder as the command found it, is the undo copy from now on.
void makeUndoCopyOfJournal(NotedSnapshotState& saved) {
    ChangeJournal& journal = *saved.journal;
    journal.view.now = saved.becomesNow;
    if (saved.swapped != nullptr) {
        // What was only in the main list is only in this view now, and the other way round.
        for (stLadderBlock* object : saved.swapped->viewOnly) journal.liveOnly.insert(object);
        journal.viewOnly.insert(journal.viewOnly.end(), saved.swapped->liveOnly.begin(),
                                saved.swapped->liveOnly.end());
    }
    if (journal.editNewFreed) deleteLadderObject(journal.keptEditNew);
    journal.keptEditNew = nullptr;
    journal.editNewFreed = false;
    undoJournal = saved.journal;
}

// The command has ended and stays: its journal joins the one it ran inside (the outer command's,
// or the undo copy's when the command left it in place), or becomes the undo copy.
void commitNotedLadder(NotedSnapshotState& saved) {
    ChangeJournal& journal = *saved.journal;
    recordingJournal = nullptr;
    if (notedChangeChecks()) {
        checkView(journal, "a noted command");
        for (std::size_t list : {std::size_t{2}, std::size_t{3}})
            checkList(*everyLadderList()[list], saved.shadow[list], saved.lists[list], "a noted command");
    }
    auto& open = openNoted();
    NotedSnapshotState* const outer = open.size() > 1 ? open[open.size() - 2] : nullptr;
    const bool undoCopyStays = !saved.retired && undoJournal == saved.undoJournal;
    if (saved.becomes) {
        makeUndoCopyOfJournal(saved);
    } else if (outer != nullptr) {
        outer->journal->absorb(journal);
    } else if (undoCopyStays && saved.undoJournal != nullptr) {
        saved.undoJournal->absorb(journal);
    } else {
        journal.deleteViewOnly();
        if (journal.editNewFreed) deleteLadderObject(journal.keptEditNew);
        journal.keptEditNew = nullptr;
    }
    if (saved.swapped != nullptr && !saved.becomes) {
        // Put in place and not kept as an undo copy: what only its main list held goes.
        const std::vector<stLadderBlock*> unneeded(saved.swapped->liveOnly.begin(),
                                                   saved.swapped->liveOnly.end());
        for (stLadderBlock* object : unneeded) deleteLadderObject(object);
    }
    if (saved.retired) {
        LadderList found = saved.lists[1];
        freeLadderList(found);
        if (saved.undoJournal != nullptr && saved.undoJournal != saved.swapped)
            saved.undoJournal->deleteViewOnly();
    }
    recordingJournal = outer != nullptr ? outer->journal.get() : undoJournal.get();
}

}  // namespace

NotedSnapshotState::NotedSnapshotState() {
    openNoted().push_back(this);
}

NotedSnapshotState::~NotedSnapshotState() {
    if (!restored) commitNotedLadder(*this);
    auto& open = openNoted();
    open.erase(std::remove(open.begin(), open.end(), this), open.end());
}

NotedSnapshotState* outermostNotedCommand() {
    return openNoted().empty() ? nullptr : openNoted().front();
}

bool nothingNotedInCommand() {
    const auto& open = openNoted();
    if (open.empty()) return false;
    const LadderList& found = open.front()->lists[0];
    return ldrList.head == found.head && ldrList.tail == found.tail &&
           std::all_of(open.begin(), open.end(),
                       [](const NotedSnapshotState* s) { return s->journal->notedNothing(); });
}

bool retireUndoCopyForCommand() {
    NotedSnapshotState* saved = outermostNotedCommand();
    if (saved == nullptr) return false;
    if (saved->retired) {
        // The undo copy made in the command is let go: the journal will not be one either.
        saved->becomes = false;
        return false;
    }
    saved->retired = true;
    ldrUndoList = {};
    undoJournal = nullptr;
    return true;
}

void journalBecomesUndoCopy(stLadderBlock* now, std::shared_ptr<ChangeJournal> swapped) {
    NotedSnapshotState* saved = outermostNotedCommand();
    saved->becomes = true;
    saved->becomesNow = now;
    if (swapped != nullptr) saved->swapped = std::move(swapped);
}

namespace {

transaction::Restore snapshotNotedLadder() {
    auto saved = std::make_shared<NotedSnapshotState>();
    saved->journal = std::make_shared<ChangeJournal>(ldrList);
    const auto lists = everyLadderList();
    for (std::size_t list = 0; list < lists.size(); ++list) {
        saved->lists[list] = *lists[list];
        if (notedChangeChecks()) saved->shadow[list] = recordsOf(*lists[list]);
    }
    saved->undoJournal = undoJournal;
    saved->recordingBefore = recordingJournal;
    static_cast<BesideLists&>(*saved) = besideListsNow();
    saved->journal->keptEditNew = editNew;
    recordingJournal = saved->journal.get();
    return [saved] { restoreNotedLadder(*saved); };
}

transaction::Restore snapshotLadderObjects() {
    // A command inside a noted one notes its changes too; one inside a command that does not keeps
    // the whole ladder as that one does.
    if (!openNoted().empty() || (changesNoted() && openSnapshots().empty())) return snapshotNotedLadder();
    settleUndoCopy();
    auto saved = std::make_shared<SavedLadder>();
    const auto lists = everyLadderList();
    for (std::size_t list = 0; list < lists.size(); ++list) {
        saved->nodes[list] = nodesOf(*lists[list]);
        saved->now[list] = lists[list]->now;
        for (stLadderBlock* node : saved->nodes[list]) SavedLadder::hold(node);
    }
    saved->mainContents = std::make_unique<const PackedLadder>(ldrList);
    static_cast<BesideLists&>(*saved) = besideListsNow();
    if (editNew != nullptr) SavedLadder::hold(editNew);
    return [saved] { restoreLadder(*saved); };
}

// Once the outermost command has ended: the objects it freed go, and then the edit-cancel copy it
// asked for is taken.
void endLadderCommand() {
    ++changeCount;  // a command moves objects without making or freeing any
    deleteObjectsFreedInCommand();
    tidyObjectPool();
    if (!canvasState.editCancelCopyDue) return;
    canvasState.editCancelCopyDue = false;
    ldrBackup = std::make_shared<const PackedLadder>(ldrList);
}

[[maybe_unused]] const bool ladderPart =
    transaction::registerPart("ladder objects", snapshotLadderObjects, endLadderCommand);

}  // namespace

struct LadderSnapshotsAside::Kept {
    std::vector<SavedLadder*> snapshots;
    std::vector<NotedSnapshotState*> noted;
};

LadderSnapshotsAside::LadderSnapshotsAside() : kept_(std::make_unique<Kept>()) {
    kept_->snapshots.swap(openSnapshots());
    kept_->noted.swap(openNoted());
}

LadderSnapshotsAside::~LadderSnapshotsAside() {
    openSnapshots().swap(kept_->snapshots);
    openNoted().swap(kept_->noted);
}

// The innermost snapshot's copy of the main list's contents is needed no more when every object
// it saved has been freed in the command (nothing writes to a freed object) and still holds what
// the copy holds.
void dropUnneededMainContents() {
    auto& open = openSnapshots();
    if (open.empty() || open.back()->mainContents == nullptr || open.back()->mainTakenOver) return;
    SavedLadder& saved = *open.back();
    std::vector<const stLadderBlock*> freed(freedInCommand.begin(), freedInCommand.end());
    std::sort(freed.begin(), freed.end());
    bool unchanged = true;
    std::size_t i = 0;
    saved.mainContents->forEach([&](const stLadderBlock& contents) {
        const stLadderBlock* node = saved.nodes[0][i++];
        unchanged = unchanged && std::binary_search(freed.begin(), freed.end(), node) &&
                    std::memcmp(&contents.objLbc, &node->objLbc,
                                offsetof(stLadderBlock, heldBySnapshots) - kLadderObjectFieldsBegin) == 0;
    });
    if (unchanged) saved.mainContents.reset();
}

// The command's snapshot lets go of the main list's objects and keeps their packed contents
// alone, to put back as new objects: the command may change and free the objects themselves, and
// the memory they took serves the ladder it builds. Only the snapshot of a command that runs
// inside no other may (an outer one holds the same objects); false when it may not.
bool takeOverMainList() {
    auto& open = openSnapshots();
    if (open.size() != 1 || open.back()->mainContents == nullptr) return false;
    SavedLadder& saved = *open.back();
    if (saved.mainTakenOver) return true;
    std::vector<stLadderBlock*>& nodes = saved.nodes[0];
    const auto placeOf = [&](const stLadderBlock* pointer) -> std::ptrdiff_t {
        const auto found = std::find(nodes.begin(), nodes.end(), pointer);
        return pointer == nullptr || found == nodes.end() ? -1 : found - nodes.begin();
    };
    saved.mainTakenOver = SavedLadder::MainPlaces{placeOf(saved.now[0]), placeOf(saved.ldrNew),
                                                  placeOf(saved.ldrAlloc), placeOf(saved.ldrSearch)};
    for (stLadderBlock* node : nodes) SavedLadder::release(node);
    std::vector<stLadderBlock*>().swap(nodes);
    return true;
}

void handMainListToCommand() {
    // Outside a command nothing is put back: the objects may as well go on being the list.
    if (!transaction::active() || takeOverMainList()) return;
    const std::vector<stLadderBlock*> originals = nodesOf(ldrList);
    stLadderBlock* const now = ldrList.now;
    ldrList = {};
    // A snapshot's objects, freed in the command, stay as they are until it has ended; the copy of
    // their contents goes before the copies of the objects are made.
    for (stLadderBlock* original : originals)
        if (original->heldBySnapshots > 0) disposeObject(original);
    dropUnneededMainContents();
    for (stLadderBlock* original : originals) {
        auto* twin = allocateOrHalt<stLadderBlock>("Memory not enough...system halt");
        *twin = *original;
        twin->heldBySnapshots = 0;
        twin->next = twin->prev = nullptr;
        links::pushBack(ldrList, twin);
        if (original == now) ldrList.now = twin;
    }
    for (stLadderBlock* original : originals)
        if (original->heldBySnapshots == 0) disposeObject(original);
}

}  // namespace kestrion
