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

// Every list by its objects, which no command frees before it has ended; the main list, which
// commands change in place, with the contents of its objects as well; editNew by value.
struct SavedLadder;
std::vector<SavedLadder*>& openSnapshots() {
    static std::vector<SavedLadder*> open;  // the innermost last
    return open;
}

struct SavedLadder {
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
    stLadderBlock* editNew = nullptr;
    std::optional<stLadderBlock> editNewContents;
    stLadderBlock* ldrNew = nullptr;
    stLadderBlock* ldrAlloc = nullptr;
    stLadderBlock* ldrSearch = nullptr;
    std::uint32_t curObjLbc = 0;
    bool editCancelCopyDue = false;
    std::shared_ptr<const PackedLadder> backup;
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
    curObjLbc = saved.curObjLbc;
    canvasState.editCancelCopyDue = saved.editCancelCopyDue;
    ldrBackup = saved.backup;
    if (!keeps(canvasState.ldrDrawHead)) canvasState.ldrDrawHead = nullptr;
    readingOrderStart = {};
}

transaction::Restore snapshotLadderObjects() {
    auto saved = std::make_shared<SavedLadder>();
    const auto lists = everyLadderList();
    for (std::size_t list = 0; list < lists.size(); ++list) {
        saved->nodes[list] = nodesOf(*lists[list]);
        saved->now[list] = lists[list]->now;
        for (stLadderBlock* node : saved->nodes[list]) SavedLadder::hold(node);
    }
    saved->mainContents = std::make_unique<const PackedLadder>(ldrList);
    saved->editNew = editNew;
    if (editNew != nullptr) {
        SavedLadder::hold(editNew);
        saved->editNewContents = *editNew;
    }
    saved->ldrNew = ldrNew;
    saved->ldrAlloc = ldrAlloc;
    saved->ldrSearch = ldrSearch;
    saved->curObjLbc = curObjLbc;
    saved->editCancelCopyDue = canvasState.editCancelCopyDue;
    saved->backup = ldrBackup;
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
