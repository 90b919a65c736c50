#include "model/ladder/EditMarks.h"

#include <memory>
#include <vector>

#include "model/core/CommandTransaction.h"

#include "model/core/LinkedList.h"
#include "model/core/MemoryNotEnough.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"

namespace kestrion {

namespace {

bool holdsRow(const GrayMarkList& list, std::uint32_t y) {
    for (const stGrayMark* mark = list.head; mark != nullptr; mark = mark->next) {
        if (mark->Y == y) return true;
    }
    return false;
}

stGrayMark* newMark(GrayMarkList& list, std::uint32_t y, const char* memoryMessage) {
    list.newest = allocateOrHalt<stGrayMark>(memoryMessage);
    redrawFlags |= kRedrawMarks;
    list.newest->X = 0;
    list.newest->Y = y;
    list.now = list.newest;
    return list.newest;
}

// Behind every mark whose Y is not larger, so equal rows keep the order of adding.
void insertSorted(GrayMarkList& list, stGrayMark* mark) {
    stGrayMark* at = list.tail;
    while (at != nullptr && at->Y > mark->Y) at = at->prev;
    if (at == nullptr) {
        if (list.head == nullptr) {
            links::pushBack(list, mark);
        } else {
            links::insertBefore(list, list.head, mark);
        }
    } else {
        links::insertAfter(list, at, mark);
    }
}

template <class AddRow>
void addRowsOfBlock(std::uint32_t y, AddRow addRow) {
    const stLadderBlock* first = ldrHead;
    while (first != nullptr && first->yAddr != y) first = first->next;
    if (first == nullptr) return;
    const std::uint32_t id = first->objLbc;
    for (const stLadderBlock* object = ldrHead; object != nullptr; object = object->next) {
        if (object->objLbc == id) addRow(object->yAddr);
    }
}

}  // namespace

void addGrayMaskRow(std::uint32_t y) {
    if (holdsRow(grayMarks, y)) return;
    links::pushBack(grayMarks, newMark(grayMarks, y, "Error2014121601..."));
}

void addInsGrayMarkRow(std::uint32_t y) {
    insertSorted(insGrayMarks, newMark(insGrayMarks, y, "Error2014121603..."));
}

void addDelGrayMarkRow(std::uint32_t y) {
    if (holdsRow(delGrayMarks, y)) return;
    insertSorted(delGrayMarks, newMark(delGrayMarks, y, "Error2014121602..."));
}

void addGrayMaskRowsOfBlock(std::uint32_t y) {
    addRowsOfBlock(y, addGrayMaskRow);
}

void addDelGrayMarkRowsOfBlock(std::uint32_t y) {
    addRowsOfBlock(y, addDelGrayMarkRow);
}

void addDeleteStepNoRecord() {
    auto* record = allocateOrHalt<stDeleteStepNo>("Error2014121619...");
    links::pushBack(deleteStepNoList, record);
    deleteStepNoList.now = record;
}

void freeRowMarks(GrayMarkList& list) {
    links::disposeAll(list, [](stGrayMark* mark) { delete mark; });
    list = GrayMarkList{};
    freeDeleteStepNoList();
}

void freeDeleteStepNoList() {
    links::disposeAll(deleteStepNoList, [](stDeleteStepNo* record) { delete record; });
    deleteStepNoList = DeleteStepList{};
}

void freeAllEditMarks() {
    for (GrayMarkList* list : {&grayMarks, &insGrayMarks, &delGrayMarks}) freeRowMarks(*list);
}

// ---- The command transaction's part -----------------------------------------------------------

namespace {

struct SavedMarks {
    std::vector<stGrayMark> marks;
    std::ptrdiff_t now, newest, walker;
};

SavedMarks saveMarks(const GrayMarkList& list) {
    return {links::copyNodes(list), links::indexOf(list, list.now), links::indexOf(list, list.newest),
            links::indexOf(list, list.walker)};
}

void restoreMarks(GrayMarkList& list, const SavedMarks& saved) {
    const std::vector<stGrayMark*> nodes = links::rebuild(list, saved.marks);
    list.now = links::nodeAt(nodes, saved.now);
    list.newest = links::nodeAt(nodes, saved.newest);
    list.walker = links::nodeAt(nodes, saved.walker);
}

// The three mark lists and the delete-step list, by value.
transaction::Restore snapshotEditMarks() {
    struct Saved {
        SavedMarks gray, inserted, deleted;
        std::vector<stDeleteStepNo> steps;
        std::ptrdiff_t stepsNow;
    };
    auto saved = std::make_shared<const Saved>(
        Saved{saveMarks(grayMarks), saveMarks(insGrayMarks), saveMarks(delGrayMarks),
              links::copyNodes(deleteStepNoList), links::indexOf(deleteStepNoList, deleteStepNoList.now)});
    return [saved] {
        freeAllEditMarks();
        restoreMarks(grayMarks, saved->gray);
        restoreMarks(insGrayMarks, saved->inserted);
        restoreMarks(delGrayMarks, saved->deleted);
        deleteStepNoList.now = links::nodeAt(links::rebuild(deleteStepNoList, saved->steps), saved->stepsNow);
    };
}

[[maybe_unused]] const bool marksPart = transaction::registerPart("edit marks", snapshotEditMarks);

}  // namespace

}  // namespace kestrion
