#include "model/ladder/ObjectInsertion.h"

#include <algorithm>

#include "model/core/LinkedList.h"
#include "model/image/ModeData.h"
#include "model/instructions/InstructionCodes.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "model/ladder/VirtualCanvas.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr const char* kFillerLabel = "*Hnop";

std::uint32_t cellWidth() {
    return ModeData.xSizeSymble;
}

std::uint32_t cellAligned(std::uint32_t x) {
    return x / cellWidth() * cellWidth();
}

bool holdsAtMostEnd() {
    return ldrHead == ldrTail;
}

void traceInserted(const stLadderBlock& object) {
    if (!platform::trace().visible(platform::Memo::Debug3)) return;
    platform::trace().append(platform::Memo::Debug3,
                             textOf(object.mnemonic) + ", (" + std::to_string(object.xAddr) + "," +
                                 std::to_string(object.yAddr) + ") " + textOf(object.traceLabel));
}

bool hasCopyMark(const stLadderBlock& object) {
    return (object.flagByte1 & kFlag1CopyMark) != 0;
}

bool objectAt(std::uint32_t x, std::uint32_t y) {
    return searchLadderObject(kSearchMain, x, y);
}

void fillJoint(stLadderBlock& joint, std::uint32_t x, std::uint32_t y, std::uint32_t id, std::uint32_t top) {
    setText(joint.ID, "$##");
    joint.xAddr = x;
    joint.yAddr = y;
    joint.Xend = x + cellWidth();
    joint.xMaxi = joint.Xend;
    joint.yTopPos = top;
    joint.objLbc = id;
    joint.end = kEndContact;
    if (positionIndex.on) notePosition(joint);
}

// A NOP filler linked by mode next to ldrNow, taking its block values from the source object.
stLadderBlock* linkFiller(int mode, std::uint32_t x, const stLadderBlock& source) {
    if (!ReallocLadderMemory(mode, 0)) return nullptr;
    stLadderBlock* filler = ldrNew;
    insertXnopInstruction(static_cast<int>(PseudoKind::Nop), x, source.yAddr, source.objLbc, source.yTopPos,
                          source.stepNo, kFillerLabel);
    traceInserted(*filler);
    return filler;
}

// A #NOP in front of an output, where a vertical link joins its wire.
stLadderBlock* linkJointBefore(stLadderBlock& output, std::uint32_t x) {
    ldrNow = &output;
    stLadderBlock* joint = linkFiller(kLinkBeforeNow, x, output);
    if (joint == nullptr) return nullptr;
    setText(joint->mnemonic, "#NOP");
    putCanvasCellAt(x, output.yAddr, kCellJoint);
    return joint;
}

bool blockHasOutputOnRow(std::uint32_t id, std::uint32_t y) {
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
        if (o->end == kEndOutput && o->objLbc == id && o->yAddr == y) return true;
    return false;
}

bool hasInputCondition(const stLadderBlock& object) {
    return !isUnconditionalInstrCode(object.iCode);
}

// A row of VirtualArray, its cells read with cellOfRow (blank outside the grid). Looked up again
// after every write to the canvas, so a row copied on write is never read from its old place.
const char* canvasRow(std::int64_t row) {
    return VirtualArray.rowCells(row);
}

// The places the walk left from an output asks for an object, from the nearest one on. With the
// position index on, the row's objects are looked through once for the nearest on the walk's
// grid; a place right of it holds none, and is answered as a failed search would answer it
// (ldrSearch null), without one. The place of that object is searched as before.
class PlacesLeftOf {
public:
    explicit PlacesLeftOf(const stLadderBlock& output) : y_(output.yAddr) {
        if (positionIndex.on) nearest_ = nearestObjectLeftOf(output);
    }
    bool objectAt(std::int64_t x) {
        if (x != nearest_ && nearest_ != kUnknown) {
            ldrSearch = nullptr;
            return false;
        }
        return kestrion::objectAt(static_cast<std::uint32_t>(x), y_);
    }

private:
    static constexpr std::int64_t kUnknown = -2;  // no index: every place is searched
    static std::int64_t nearestObjectLeftOf(const stLadderBlock& output) {
        std::int64_t nearest = -1;
        positionIndex.tables->visitRow(output.yAddr, [&](const stLadderBlock* o) {
            if (o != nullptr && o->yAddr == output.yAddr && o->xAddr < output.xAddr &&
                (output.xAddr - o->xAddr) % cellWidth() == 0)
                nearest = std::max<std::int64_t>(nearest, o->xAddr);
            return false;
        });
        return nearest;
    }
    std::uint32_t y_;
    std::int64_t nearest_ = kUnknown;
};

// Wires one output's row leftwards; a link joining the wire gets a #NOP.
void wireOutputRow(stLadderBlock& output) {
    const std::int64_t y = output.yAddr;
    const std::int64_t row = canvasRowOf(y);
    const bool conditional = hasInputCondition(output);
    PlacesLeftOf places(output);
    const char* above = canvasRow(row - 1);
    const char* below = canvasRow(row + 1);
    for (std::int64_t x = std::int64_t{output.xAddr} - cellWidth();; x -= cellWidth()) {
        if (x >= 0 && places.objectAt(x)) return;
        if (x >= std::int64_t{draw.iBusLineEnd} || x < std::int64_t{draw.iBusLineStart}) return;
        const std::int64_t column = canvasColumnOf(x);
        if (cellOfRow(above, column + 1) == kCellLink || cellOfRow(below, column + 1) != kCellBlank) return;
        if (x == std::int64_t{draw.iBusLineStart}) {
            if (!conditional) putCanvasCellAt(x, y, kCellWire);
            return;
        }
        putCanvasCellAt(x, y, kCellWire);
        above = canvasRow(row - 1);
        below = canvasRow(row + 1);
        if (conditional &&
            (cellOfRow(above, column - 1) == kCellLink || cellOfRow(below, column - 1) == kCellLink)) {
            linkJointBefore(output, static_cast<std::uint32_t>(x));
            return;
        }
    }
}

using FamilyTest = bool (*)(std::int32_t);

// Fillers right of LD and AND contacts: LD links each directly behind the contact (falling x),
// AND behind the filler before (rising x). Returns the last object the walk covered.
stLadderBlock* fillBehindContact(stLadderBlock& contact, bool chain) {
    stLadderBlock* last = &contact;
    const std::uint32_t limit = draw.iBusLineEnd - cellWidth();
    for (std::uint32_t x = contact.xAddr + cellWidth(); x < contact.xBlockAddr && x < limit;
         x += cellWidth()) {
        if (objectAt(x, contact.yAddr)) continue;
        ldrNow = chain ? last : &contact;
        stLadderBlock* filler = linkFiller(kLinkAfterNow, x, contact);
        if (filler == nullptr) return last;
        filler->xBlockAddr = contact.xBlockAddr;
        filler->xMaxi = x;
        putCanvasCellAt(x, contact.yAddr, kCellNop);
        if (chain || last == &contact) last = filler;
    }
    return last;
}

void fillBehindFamily(FamilyTest family, bool chain) {
    if (cellWidth() == 0 || !canvasGeometryReady()) return;
    for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        if (!family(o->iCode) || hasCopyMark(*o)) continue;
        if (objectAt(o->xAddr + cellWidth(), o->yAddr)) continue;
        if (canvasCellAt(o->xAddr, o->yAddr, 1, 1) != kCellBlank) continue;
        o = fillBehindContact(*o, chain);
    }
}

}  // namespace

void insertXnopInstruction(int kind, std::uint32_t x, std::uint32_t y, std::uint32_t id, std::uint32_t top,
                           std::uint32_t step, const std::string& label) {
    if (holdsAtMostEnd()) {
        platform::say({"Only [End] Can't Insert", "*insertXnopInstruction(", platform::MsgIcon::Error});
        return;
    }
    if (ldrNow == nullptr || ldrNew == nullptr) return;
    noteObjectChange(ldrNow);
    ldrNow->objLbc = curObjLbc;
    ldrNow->stepNo = step;
    ldrNow->end = kEndContact;
    stLadderBlock& object = *ldrNew;
    switch (static_cast<PseudoKind>(kind)) {
        case PseudoKind::Nop:
            object.stepNo = step;
            object.iCode = kCodeNop;
            setText(object.mnemonic, "NOP");
            break;
        case PseudoKind::Null:
            object.stepNo = step;
            object.iCode = kCodeNull;
            setText(object.mnemonic, "NULL");
            break;
        case PseudoKind::XNop:
            object.stepNo = kStepNoPlaceholder;
            object.iCode = kCodeXNop;
            setText(object.mnemonic, "xNOP");
            break;
        case PseudoKind::VNop:
            object.stepNo = step;
            object.iCode = kCodeVNop;
            setText(object.mnemonic, "vNOP");
            break;
    }
    setText(object.traceLabel, label);
    fillJoint(object, x, y, id, top);
    ldrNow->yTopPos = top;
}

void insertAnbOrbInstruction(int where, bool isOrb, std::uint32_t x, std::uint32_t y, std::uint32_t id,
                             std::uint32_t top, std::uint32_t step, const std::string& label) {
    if (holdsAtMostEnd()) {
        platform::say({"NULL0", "*insertAnbOrbInstruction", platform::MsgIcon::Error});
        return;
    }
    if (ldrNow == nullptr) return;
    allocLadderObject();
    stLadderBlock* joint = ldrAlloc;
    if (ldrNow == ldrHead || where == 0) {
        links::insertBefore(ldrList, ldrNow, joint);
    } else {
        links::insertAfter(ldrList, ldrNow, joint);
    }
    joint->stepNo = step;
    joint->iCode = isOrb ? kCodeOrb : kCodeAnb;
    setText(joint->mnemonic, isOrb ? "ORB" : "ANB");
    setText(joint->traceLabel, label.empty() ? std::string("*") : label);
    fillJoint(*joint, x, y, id, top);
}

void insertMpsMrdMppInstruction(int kind, std::uint32_t x, std::uint32_t y, std::uint32_t id,
                                std::uint32_t top) {
    if (holdsAtMostEnd()) {
        platform::say({"End instruction only", "insertMpsMrdMppInstruction", platform::MsgIcon::Error});
        return;
    }
    if (ldrNow == nullptr) return;
    allocLadderObject();
    stLadderBlock* joint = ldrAlloc;
    links::insertBefore(ldrList, ldrNow, joint);
    joint->iCode = kind == 0 ? kCodeMps : kind == 1 ? kCodeMrd : kCodeMpp;
    setText(joint->mnemonic, kind == 0 ? "MPS" : kind == 1 ? "MRD" : "MPP");
    setText(joint->traceLabel, "*");
    fillJoint(*joint, x, y, id, top);
}

void isNeedInsertNopInstr(std::uint32_t xStop, std::uint32_t vx, std::uint32_t vy, std::uint32_t id,
                          const std::string& label) {
    if (cellWidth() == 0 || !blockHasOutputOnRow(id, vy)) return;
    const stLadderBlock* reference = ldrHead;
    while (vx > draw.iBusLineStart) {
        if (vx >= cellWidth() && objectAt(vx - cellWidth(), vy)) return;
        if (canvasCellAt(vx, vy, -1, -1) == kCellLink || canvasCellAt(vx, vy, -1, 1) == kCellLink) return;
        vx -= cellWidth();
        if (vx < xStop || reference->yTopPos == vy) continue;
        setBlueFrameObject(vx, vy);
        if (!ReallocLadderMemory(kLinkReadingOrder, 0)) return;
        insertXnopInstruction(static_cast<int>(PseudoKind::Nop), vx, vy, id, reference->yTopPos,
                              reference->stepNo, label);
        traceInserted(*ldrNew);
    }
}

void InsertNopBeforeFncInstr() {
    if (cellWidth() == 0 || !canvasGeometryReady()) return;
    for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
        if (isOutputTypeCode(o->iCode)) wireOutputRow(*o);
}

void markNopCellsBeforeOutputs() {
    if (cellWidth() == 0 || !canvasGeometryReady()) return;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        if (!isOutputTypeCode(o->iCode) || o->yAddr == o->yTopPos) continue;
        const std::int64_t row = canvasRowOf(o->yAddr);
        const char* cells = canvasRow(row);
        const char* above = canvasRow(row - 1);
        for (std::int64_t x = std::int64_t{o->xAddr} - cellWidth();
             x > std::int64_t{draw.iBusLineStart} && x < std::int64_t{draw.iBusLineEnd}; x -= cellWidth()) {
            const std::int64_t column = canvasColumnOf(x);
            const char cell = cellOfRow(cells, column);
            if (cellOfRow(above, column - 1) != kCellLink || (cell != kCellWire && cell != kCellNop))
                continue;
            putCanvasCellAt(x, o->yAddr, kCellJoint);
            cells = canvasRow(row);
            above = canvasRow(row - 1);
        }
    }
}

stLadderBlock* linkFillerBefore(stLadderBlock& object, std::uint32_t x) {
    ldrNow = &object;
    if (&object != ldrHead) return linkFiller(kLinkBeforeNow, x, object);
    // In front of the list's first object (a line opened at the left bus): the filler becomes the
    // head, as the joints linked there do.
    noteObjectChange(&object);
    allocLadderObject();
    stLadderBlock* filler = ldrAlloc;
    links::insertBefore(ldrList, &object, filler);
    filler->stepNo = object.stepNo;
    filler->iCode = kCodeNop;
    setText(filler->mnemonic, "NOP");
    setText(filler->traceLabel, kFillerLabel);
    fillJoint(*filler, x, object.yAddr, object.objLbc, object.yTopPos);
    traceInserted(*filler);
    ldrNew = filler;
    ldrNow = filler;
    return filler;
}

void InsertYNopBeforeEndSymbleB() {
    if (cellWidth() == 0 || !canvasGeometryReady()) return;
    for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        if (o->end != kEndOutput || !hasInputCondition(*o) || o->yAddr == o->yTopPos) continue;
        if (std::uint64_t{o->xMaxi} + cellWidth() > o->xAddr) continue;
        // An occupied place means the joints were already put in: the pass stops there.
        if (objectAt(o->xMaxi, o->yAddr)) return;
        linkJointBefore(*o, o->xMaxi);
    }
}

void AddHnopBetweenAnbOrb() {
    if (cellWidth() == 0 || !canvasGeometryReady()) return;
    for (stLadderBlock* anb = ldrHead; anb != nullptr; anb = anb->next) {
        const stLadderBlock* orb = anb->next;
        if (anb->iCode != kCodeAnb || hasCopyMark(*anb) || orb == nullptr || orb->iCode != kCodeOrb) continue;
        if (canvasRowOf(orb->yAddr) != canvasRowOf(anb->yAddr)) continue;
        const std::uint32_t orbX = cellAligned(orb->xAddr);
        stLadderBlock* previous = anb;
        for (std::uint32_t x = cellAligned(anb->xAddr); x < orbX; x += cellWidth()) {
            ldrNow = previous;
            stLadderBlock* filler = linkFiller(kLinkAfterNow, x, *anb);
            if (filler == nullptr) break;
            filler->xBlockAddr = anb->xBlockAddr;
            filler->orbXaddr = anb->orbXaddr;
            filler->xMaxi = x;
            putCanvasCellAt(x, anb->yAddr, kCellNop);
            previous = filler;
        }
        anb = previous;
    }
}

void AddHnopBehindLD() {
    fillBehindFamily(isLoadTypeCode, false);
}

void AddHnopBehindAND() {
    fillBehindFamily(isAndTypeCode, true);
}

void AddHnopBehindOR() {
    if (cellWidth() == 0 || !canvasGeometryReady()) return;
    const std::uint32_t limitRight = draw.iBusLineEnd - cellWidth();
    for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        if (!isOrTypeCode(o->iCode) || hasCopyMark(*o) || o->prev == nullptr) continue;
        const stLadderBlock& before = *o->prev;
        const std::uint32_t limit =
            isBlockJoint(before.iCode) ? cellAligned(before.xAddr) : cellAligned(before.Xend);
        if (o->Xend >= limit) continue;
        stLadderBlock* current = o;
        for (std::uint32_t x = o->xAddr + cellWidth(); x < limit && x < limitRight; x += cellWidth()) {
            if (canvasCellAt(current->xAddr, current->yAddr, 2, 0) != kCellBlank) continue;
            ldrNow = current;
            stLadderBlock* filler = linkFiller(kLinkAfterNow, x, *current);
            if (filler == nullptr) break;
            filler->xBlockAddr = current->xBlockAddr;
            filler->xMaxi = current->xMaxi;
            current = filler;
            putCanvasCellAt(x, current->yAddr, kCellNop);
        }
        o = current;
    }
}

}  // namespace kestrion
