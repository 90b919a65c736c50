#include "model/EditMarks.h"

#include "model/EditorState.h"
#include "model/LadderObject.h"
#include "model/LinkedList.h"
#include "model/MemoryNotEnough.h"

namespace kestrion {

GrayMarkList grayMarks;
stGrayMark*& grayHead = grayMarks.head;
stGrayMark*& grayTemp = grayMarks.walker;
GrayMarkList insGrayMarks;
stGrayMark*& insGrayHead = insGrayMarks.head;
stGrayMark*& insTemp = insGrayMarks.walker;
GrayMarkList delGrayMarks;
stGrayMark*& delHead = delGrayMarks.head;
stGrayMark*& delTemp = delGrayMarks.walker;

DeleteStepList deleteStepNoList;

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

void resetEditMarksState() {
    for (GrayMarkList* list : {&grayMarks, &insGrayMarks, &delGrayMarks}) freeRowMarks(*list);
}

}  // namespace kestrion
