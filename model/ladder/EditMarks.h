// The rows changed, inserted or deleted since the last conversion, which the editor shades until
// Convert runs, and the steps removed by line deletes. Each is a doubly linked list; the mark
// lists are freed with FreeLadderMemory (2, 3, 4), and the delete-step list with any of them.
#pragma once

#include <cstdint>

namespace kestrion {

struct stGrayMark {
    std::uint32_t X = 0;  // always 0
    std::uint32_t Y = 0;  // y in pixels of the marked row
    stGrayMark* next = nullptr;
    stGrayMark* prev = nullptr;
};

struct GrayMarkList {
    stGrayMark* head = nullptr;
    stGrayMark* now = nullptr;     // the node added last
    stGrayMark* newest = nullptr;  // the node just allocated
    stGrayMark* tail = nullptr;
    stGrayMark* walker = nullptr;
};

extern GrayMarkList& grayMarks;  // edited rows: order of adding, no duplicates
extern stGrayMark*& grayHead;
extern stGrayMark*& grayTemp;
extern GrayMarkList& insGrayMarks;  // inserted rows: ascending Y, duplicates kept
extern stGrayMark*& insGrayHead;
extern stGrayMark*& insTemp;
extern GrayMarkList& delGrayMarks;  // deleted rows: ascending Y, no duplicates
extern stGrayMark*& delHead;
extern stGrayMark*& delTemp;

struct stDeleteStepNo {
    std::uint16_t Size = 0;    // program steps removed with the object
    std::uint16_t stepNo = 0;  // step of the deleted instruction
    stDeleteStepNo* next = nullptr;
    stDeleteStepNo* prev = nullptr;
};

struct DeleteStepList {
    stDeleteStepNo* head = nullptr;
    stDeleteStepNo* now = nullptr;  // the record appended last, filled in by the caller
    stDeleteStepNo* tail = nullptr;
};

extern DeleteStepList& deleteStepNoList;

// Each adding of a row sets the mark-redraw request (kRedrawMarks) when it adds a node.
void addGrayMaskRow(std::uint32_t y);
void addInsGrayMarkRow(std::uint32_t y);
void addDelGrayMarkRow(std::uint32_t y);
// The row of every object of the ladder block found on row y (the first main-list object there).
void addGrayMaskRowsOfBlock(std::uint32_t y);
void addDelGrayMarkRowsOfBlock(std::uint32_t y);
// Appends an empty record; the caller fills Size and stepNo through deleteStepNoList.now.
void addDeleteStepNoRecord();

// Frees one mark list and, with it, the delete-step list: both describe the edits since the last
// conversion and are dropped together.
void freeRowMarks(GrayMarkList& list);
void freeDeleteStepNoList();

// Frees every mark list and the delete-step list.
void freeAllEditMarks();

}  // namespace kestrion
