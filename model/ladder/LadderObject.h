// The ladder diagram in memory: one stLadderBlock per symbol on the grid, kept in doubly linked
// lists. This header shows the whole structure: the record, the codes that only ladder objects
// carry, the lists with their global pointers, and the operations that create, link and free
// objects. Links are only rewritten by these operations (and by links:: underneath them).
//
//   main list     ldrHead -> obj <-> obj <-> ... <-> END <- ldrTail      ldrNow: current object
//   undo copy     ldrUndoHead ... ldrUndoTail      (Undo swaps it with the main list)
//   edit cancel   ldrBackup (packed, see PackedLadder)
//   delete list   deleteHead ... deleteTail        copy list   copyHead ... copyTail
//   key-in object editNew (one object, never linked)
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "model/instructions/InstructionCodes.h"

namespace kestrion {

// ---- The record -------------------------------------------------------------------------------

// Values of `end`.
constexpr std::uint32_t kEndTwoLine = 9;
constexpr std::uint32_t kEndContact = 10;  // every new object starts as a contact
constexpr std::uint32_t kEndOutput = 11;   // stands at the right bus

// flagByte1 and flagByte2 bits.
constexpr std::uint8_t kFlag1DoubleWord = 0x01;  // dFlag: the 32-bit (D) form
constexpr std::uint8_t kFlag1CopyMark = 0x80;    // first object of a block copy; fillers skip it
constexpr std::uint8_t kFlag2Pulse = 0x10;       // pFlag: the pulse (P) form
constexpr std::uint8_t kFlag2Falling = 0x20;     // fFlag: the falling-edge form (LDF, ANDF, ORF)

constexpr std::uint8_t kMonMarkConducting = '1';  // monMark: draw the symbol as conducting

constexpr std::uint32_t kStepNoUnassigned = 0x7FFFF;  // freshly linked, no program step yet
constexpr std::uint32_t kStepNoPlaceholder = 0xFFFF;  // xNOP objects and editNew

// Which operation made or last passed an object: the 48 bytes of a text the image holds. An object
// names one of the few texts there are, each kept once (a ladder holds a hundred thousand objects,
// and their walks fetch the fewer bytes the better). No text (all zero) is no pointer.
class TraceLabel {
public:
    static constexpr std::size_t kBytes = 48;
    using Bytes = std::array<char, kBytes>;
    TraceLabel() = default;
    explicit TraceLabel(const Bytes& bytes);
    const Bytes& bytes() const;
    bool operator==(const TraceLabel&) const = default;

private:
    const Bytes* kept_ = nullptr;
};

// The unsettledNN members are bytes at image offset NN whose use is open; the image keeps them in
// their place because the clipboard block holds records byte for byte.
// The record holds every field of the 288-byte image (ladderObjectImage writes them at their image
// offsets), in an order of its own: a pass over a list reads the links, the position, the block id
// and the code of each object, and those share the record's first cache line, so that a walk over
// a hundred thousand objects fetches one line of each and not two lines far apart.
struct alignas(64) stLadderBlock {
    stLadderBlock* next = nullptr;
    stLadderBlock* prev = nullptr;
    // ---- from here to the ID text: what srcObjectCopyToDestObject copies ----
    std::uint32_t objLbc = 0;  // block id: all objects of one ladder block share it
    std::uint32_t stepNo = 0;
    std::uint32_t xAddr = 0;  // left edge in pixels at zoom 100 %, cell aligned
    std::uint32_t yAddr = 0;  // row, a multiple of the cell height
    std::uint32_t Xend = 0;   // right edge
    std::uint32_t xMaxi = 0;  // outputs: where their wire begins
    std::uint32_t orbXaddr = 0;
    std::uint32_t xBlockAddr = 0;  // right edge of the object's block
    std::uint32_t yTopPos = 0;     // first output row of the block
    std::uint32_t end = 0;         // kEndTwoLine, kEndContact or kEndOutput
    std::uint16_t iCode = 0;
    std::uint16_t rCode = 0;
    std::uint16_t LinkNo = 0;
    std::uint8_t flagByte1 = 0;
    std::uint8_t flagByte2 = 0;
    // ---- the second cache line on ----
    TraceLabel traceLabel;  // which operation made or last passed it
    std::uint32_t unsettled32 = 0;
    std::uint32_t unsettled44 = 0;
    std::uint16_t idBC = 0;  // block comment id, 0 none
    std::uint16_t idCC = 0;  // coil comment id, 0 none
    std::array<std::uint8_t, 4> unsettled56{};
    std::array<char, 12> mnemonic{};                 // "LD", "NOP", "#NOP", "END"
    std::array<std::array<char, 16>, 5> operands{};  // operand texts 1 to 5
    std::array<char, 4> operand6{};
    std::uint32_t objNo = 0;
    std::array<std::uint8_t, 4> unsettled212{};
    // ---- up to here what srcObjectCopyToDestObject copies ----
    std::array<char, 4> ID{};                 // "$##"
    std::array<std::int16_t, 6> ItemNo{};     // monitor device index per operand
    std::array<std::uint64_t, 5> monValue{};  // monitored value per operand 1..5
    std::uint8_t monMark = 0;                 // kMonMarkConducting while the monitor shows it conducting
    std::uint8_t monState = 0;                // the bit the last monitor poll saw, for the edge contacts
    std::array<std::uint8_t, 2> unsettled274{};
    std::uint16_t unsettled276 = 0;
    // Beyond the image: the open command snapshots that hold the object. Freed while one does, it
    // is kept until the command has ended, for the snapshot to put it back.
    std::uint8_t heldBySnapshots = 0;

    // Objects come and go by the ten thousand in a load or a conversion: they are taken from and
    // given back to a pool of their own size.
    static void* operator new(std::size_t size);
    static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
    static void operator delete(void* object) noexcept;

    bool dFlag() const { return (flagByte1 & kFlag1DoubleWord) != 0; }
    bool pFlag() const { return (flagByte2 & kFlag2Pulse) != 0; }
    bool fFlag() const { return (flagByte2 & kFlag2Falling) != 0; }
    void setDFlag(bool on);
    void setPFlag(bool on);
};

static_assert(offsetof(stLadderBlock, flagByte2) == 63, "the walked fields fill the first line");
static_assert(sizeof(stLadderBlock) == 256, "four cache lines, no gap");

// The fields, from the block id to the snapshots' count: their bytes are the whole of them (a trace
// label names a text kept for the life of the program). The first kLadderObjectContentSize of them
// are an object's contents, the rest its ID text and monitor fields.
constexpr std::size_t kLadderObjectFieldsBegin = offsetof(stLadderBlock, objLbc);
constexpr std::size_t kLadderObjectContentSize = offsetof(stLadderBlock, ID) - kLadderObjectFieldsBegin;
constexpr std::size_t kLadderObjectImageSize = 288;
constexpr std::size_t kImageNextOffset = 280;
constexpr std::size_t kImagePrevOffset = 284;
using LadderObjectImage = std::array<std::uint8_t, kLadderObjectImageSize>;

// The 288-byte image of an object as the clipboard block holds it, little-endian, links zero.
LadderObjectImage ladderObjectImage(const stLadderBlock& object);
// Fills every field of dest from an image except its links, which stay as they were.
void loadLadderObjectImage(const LadderObjectImage& image, stLadderBlock& dest);

// Copies the first 216 bytes (every field before the ID text) from source to dest, keeping dest's
// ID text, monitor fields and links. 0 when the copy reads back equal; otherwise (or with a null
// object) the box "Error201501180912" and 1.
[[nodiscard]] int srcObjectCopyToDestObject(const stLadderBlock* source, stLadderBlock* dest);

// Bounded writes and reads of the record's NUL-terminated texts.
template <std::size_t N>
void setText(std::array<char, N>& field, std::string_view text) {
    field.fill('\0');
    const std::size_t length = text.size() < N - 1 ? text.size() : N - 1;
    for (std::size_t i = 0; i < length && text[i] != '\0'; ++i) field[i] = text[i];
}
template <std::size_t N>
std::string textOf(const std::array<char, N>& field) {
    std::size_t length = 0;
    while (length < N && field[length] != '\0') ++length;
    return std::string(field.data(), length);
}
// The same for a trace label, which is set as its bytes would be.
void setText(TraceLabel& label, std::string_view text);
inline std::string textOf(const TraceLabel& label) {
    return textOf(label.bytes());
}

// ---- Codes that only ladder objects carry ---------------------------------------------------

constexpr std::uint16_t kCodeNull = 0x0000;  // "NULL": empty object to be removed
constexpr std::uint16_t kCodeEnd = 0x000F;   // "END": always the tail of the main list
constexpr std::uint16_t kCodeXNop = 0x1000;  // "xNOP": placeholder, removed before conversion
constexpr std::uint16_t kCodeAnb = 0xFFF8;
constexpr std::uint16_t kCodeOrb = 0xFFF9;
constexpr std::uint16_t kCodeMps = 0xFFFA;
constexpr std::uint16_t kCodeMrd = 0xFFFB;
constexpr std::uint16_t kCodeMpp = 0xFFFC;
constexpr std::uint16_t kCodeVNop = 0xFFFE;  // "vNOP": deleted, awaiting removal
constexpr std::uint16_t kCodeNop = 0xFFFF;   // "NOP" wire filler, "#NOP" joint before an output

inline bool isBlockJoint(std::uint16_t code) {
    return code == kCodeAnb || code == kCodeOrb;
}
inline bool isStackJoint(std::uint16_t code) {
    return code >= kCodeMps && code <= kCodeMpp;
}

// ---- The lists ------------------------------------------------------------------------------

struct LadderList {
    stLadderBlock* head = nullptr;
    stLadderBlock* now = nullptr;  // current object (the walker of the delete and copy lists)
    stLadderBlock* tail = nullptr;
};

// Where the walk of the reading-order link (mode 2) may begin instead of the head: a loader that
// knows every object in front of node to lie above maxYBefore names the node, and the walk then
// finds the same place without passing the whole ladder. With verify the walk from the head is made
// as well and a different answer throws std::logic_error (tests).
struct ReadingOrderStart {
    stLadderBlock* node = nullptr;
    std::uint32_t maxYBefore = 0;
    bool verify = false;
};

extern LadderList& ldrList;  // the main ladder list
extern stLadderBlock*& ldrHead;
extern stLadderBlock*& ldrNow;
extern stLadderBlock*& ldrTail;
extern stLadderBlock*& ldrNew;     // object being linked
extern stLadderBlock*& ldrAlloc;   // result of the last allocation
extern stLadderBlock*& ldrSearch;  // result of the last search

extern LadderList& ldrUndoList;
extern stLadderBlock*& ldrUndoHead;
extern stLadderBlock*& ldrUndoNow;
extern stLadderBlock*& ldrUndoTail;

// A ladder kept aside as a few bytes an object: the edit-cancel copy is read only when Edit Cancel
// brings it back, and held as objects it was a whole further ladder in memory beside the one
// being edited (and beside the one a Convert builds). Each object is its 288-byte image without
// its runs of zero bytes (most of an image is the unused rest of its texts). A packed ladder is
// never changed: a change makes a new one, so a snapshot keeps the old one by its pointer.
class PackedLadder {
public:
    explicit PackedLadder(const LadderList& list);
    std::size_t objectCount() const { return count_; }
    std::size_t byteCount() const { return bytes_; }
    // Every object in list order, unpacked (without links) for visit to read.
    void forEach(const std::function<void(const stLadderBlock&)>& visit) const;
    // New objects, linked behind what list holds.
    void unpackInto(LadderList& list) const;
    // The ladder with change applied to every object; null when change altered none (it returns
    // whether it did).
    std::shared_ptr<const PackedLadder> changed(const std::function<bool(stLadderBlock&)>& change) const;
    // False when no object holds anything but zero in the size bytes at offset of the record (true
    // may also mean that a neighbouring field does).
    bool mayHoldNonZero(std::size_t offset, std::size_t size) const;

private:
    PackedLadder() = default;
    void append(const stLadderBlock& object);
    struct Chunk {
        std::unique_ptr<std::uint8_t[]> bytes;
        std::size_t used = 0;
    };
    std::vector<Chunk> chunks_;
    std::size_t bytes_ = 0;
    std::size_t count_ = 0;
    std::uint64_t wordsUsed_ = 0;  // the words of the fields any object packed
};

extern std::shared_ptr<const PackedLadder>& ldrBackup;  // the edit-cancel copy; null when none
inline bool hasEditCancelCopy() {
    return ldrBackup != nullptr && ldrBackup->objectCount() > 0;
}

extern LadderList& deleteList;
extern stLadderBlock*& deleteHead;
extern stLadderBlock*& deleteNow;
extern stLadderBlock*& deleteTail;

extern LadderList& copyList;
extern stLadderBlock*& copyHead;
extern stLadderBlock*& copyNow;
extern stLadderBlock*& copyTail;

extern stLadderBlock*& editNew;   // the object under key-in editing, unlinked
extern std::uint32_t& curObjLbc;  // block id that newly linked objects receive
extern ReadingOrderStart& readingOrderStart;

// ---- Operations -------------------------------------------------------------------------------

// FreeLadderMemory list numbers.
constexpr int kListMain = 0;
constexpr int kListUndo = 1;
constexpr int kListInsertedRows = 2;
constexpr int kListDeletedRows = 3;
constexpr int kListEditedRows = 4;
constexpr int kListDelete = 5;
constexpr int kListCopy = 6;
constexpr int kListEditNew = 7;

// ReallocLadderMemory modes.
constexpr int kLinkAppend = 0;
constexpr int kLinkBeforeEnd = 1;
constexpr int kLinkReadingOrder = 2;
constexpr int kLinkBeforeNow = 3;
constexpr int kLinkAfterNow = 4;
constexpr int kLinkDeleteList = 5;
constexpr int kLinkCopyList = 6;
constexpr int kLinkEditNew = 7;

// One zero-filled object into ldrAlloc; true (a failed allocation ends the process).
bool allocLadderObject();
// Allocates one object (ldrNew), initialises it and links it by mode. Modes 0-4 link into the main
// list and make it ldrNow: 0 as the new tail, 1 in front of END, 2 as a NOP at the selection frame's
// corner in (y, x) reading order, 3 in front of ldrNow, 4 behind ldrNow. 5 and 6 append to the
// delete and copy lists, 7 makes it editNew (replacing the previous one). objNo is 0 except from
// the instruction box. False when the object could not be placed: it is freed again, ldrNew is
// null and ldrNow stays (modes 3 and 4 with nothing but END, mode 3 at the head, mode 4 at END,
// an unknown mode).
bool ReallocLadderMemory(int mode, int objNo);
// Replaces the main list by one holding only a new END object at (x, y). Inside a command the
// command takes the old objects over first (see handMainListToCommand).
void initLadderList(std::uint32_t x, std::uint32_t y);
// A list built object by object stands in memory in the order its objects were made, and a walk
// over it waits for memory at most of them: after a load the main list's objects move to places
// taken in list order, with the same fields and links, and the pointers to them follow. Nothing is
// moved while a command snapshot holds one of them or the position index is on.
void lineUpMainListInMemory();
// Frees one list by number (kListMain .. kListEditNew) and empties its pointers.
void FreeLadderMemory(int list);
// Frees every object of any ladder list (the edit-cancel copy has no list number).
// Returns the number of objects freed.
int freeLadderList(LadderList& list);
// Appends a copy of every object of the main list to list.
void copyMainList(LadderList& list);
// A command that replaces the whole ladder (Convert) takes the main list's objects over: its
// snapshot keeps only their packed contents, to put back as new objects, and the objects may be
// changed and freed at once. A command inside another cannot (the outer snapshot holds the same
// objects): there the main list goes on with copies of its objects, the objects themselves set
// aside unchanged for the snapshots to put back. Either way the ladder is held once, not twice.
void handMainListToCommand();
// The innermost snapshot stops keeping a copy of the main list's contents once every object of
// that list has been freed in the command unchanged (a load that replaces the ladder).
void dropUnneededMainContents();
// While one stands, the ladder snapshots of the open commands are set aside, as the commands are
// (transaction::Suspension): the lists of a model of its own (ScratchModel) are made, changed and
// freed as outside every command, and nothing of theirs reaches the commands' snapshots.
class LadderSnapshotsAside {
public:
    LadderSnapshotsAside();
    ~LadderSnapshotsAside();
    LadderSnapshotsAside(const LadderSnapshotsAside&) = delete;
    LadderSnapshotsAside& operator=(const LadderSnapshotsAside&) = delete;

private:
    struct Kept;
    std::unique_ptr<Kept> kept_;
};
// Frees every main-list object before END; END stays as the only object.
void clearLadderKeepEnd();

// Unlink and free the main-list objects of one pseudo code, the walk going on after each.
void removeDeletedObjects();       // vNOP
void removeObjects1000h();         // xNOP
void removeEmptyObjectsChecked();  // NULL, with a trace line for one at the head or tail
void removeEmptyObjects();         // NULL

// Unlinks one object from a list and frees it; every global pointer to it becomes null.
void removeLadderObject(LadderList& list, stLadderBlock* object);
// The object leaves list from and goes in front of END in the main list as a copy of it linked
// there by ReallocLadderMemory(kLinkBeforeEnd) and removed from from by removeLadderObject would:
// with its fields but the ID text "$##" and no monitor state, every global pointer to it null but
// ldrAlloc, ldrNew and ldrNow, which are it. False (nothing done) while a command snapshot holds the
// object, or when the main list has no END.
bool moveObjectBeforeEnd(LadderList& from, stLadderBlock* object);

// Frees every object of every list and editNew; the list pointers become null.
void freeAllLadderObjects();

// Grows whenever an object is made or freed and whenever a command has ended: what was learnt of
// the main list (the drawing's row index) holds while the count stays the same.
std::uint64_t ladderChanges();

// ---- Changes noted object by object -----------------------------------------------------------
//
// A command that changes a few objects of a long ladder need not have the whole ladder kept for it.
// Run with NotedChanges in force, it notes each object of the main list before it changes it (a
// field or a link; objects it makes need no note): its snapshot then keeps the records of the
// objects it changed, and the undo copy it takes is the ladder as it stood, held as those records
// (Undo, such a command too, writes them back and keeps the ones it replaced). While that undo copy
// stands, whatever changes an object outside a command notes it as well; a command that does not
// note its changes finds the undo copy made a list of its own (ldrUndoList) first.
class ChangeJournal;
void noteObjectChange(stLadderBlock* object);
class NotedChanges {
public:
    NotedChanges();
    ~NotedChanges();
    NotedChanges(const NotedChanges&) = delete;
    NotedChanges& operator=(const NotedChanges&) = delete;

private:
    bool before_;
};
// True while NotedChanges is in force.
bool changesNoted();

// The undo copy: ldrUndoList, or the records of the objects changed since it was taken.
bool hasUndoCopy();
// Makes the undo copy (either kind) a copy of the main list as it stands.
void copyMainListForUndo();
// Undo: the undo copy takes the main list's place, and the main list the undo copy's.
void swapUndoCopy();
// An undo copy held as records becomes a list of its own in ldrUndoList (the same ladder).
void settleUndoCopy();
// No undo copy any more.
void dropUndoCopy();
// Tests: each noted command, and each undo copy held as records, is checked against a copy of the
// whole ladder, and a change that was not noted stops the program with what differs.
void checkNotedChanges(bool on);

}  // namespace kestrion
