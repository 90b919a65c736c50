#include "entry/EntryDriver.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>
#include <vector>

#include "entry/AccessCodes.h"
#include "entry/EntryDialogs.h"
#include "entry/EntryState.h"
#include "entry/FurtherOutput.h"
#include "entry/InstructionBox.h"
#include "entry/InstructionRecogniser.h"
#include "entry/OperandValidators.h"
#include "entry/PlacementDispatch.h"
#include "entry/RungJudgement.h"
#include "lang/Language.h"
#include "model/core/CommandTransaction.h"
#include "model/core/LinkedList.h"
#include "model/core/MainState.h"
#include "model/image/ModeData.h"
#include "model/instructions/Conversions.h"
#include "model/instructions/InstructionCodes.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditMarks.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "model/ladder/ObjectInsertion.h"
#include "model/ladder/RungCopy.h"
#include "model/ladder/VirtualCanvas.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

void hideInstrMemo() {
    if (DialogSeam<EntryDialogs>::installed()) entryDialogs().hideInstrMemoScreen();
}

void trace(const std::string& a, const std::string& b = {}) {
    debugMemo6Add(a, b);
}

void releaseEditNew() {
    FreeLadderMemory(kListEditNew);
}

std::uint32_t cellWidth() {
    return ModeData.xSizeSymble;
}
std::uint32_t cellHeight() {
    return ModeData.ySizeSymble;
}
std::int64_t columnOf(std::uint32_t x) {
    return x / symbleHalfWidth;
}
std::int64_t rowOf(std::uint32_t y) {
    return y / symbleHalfHeight;
}

// The line stays in the open box, to be corrected or given up with Escape.
void refuseInsertPosition(EditKeyBox& box) {
    box.masked = false;
    editInstrFlags |= kInstrEntryRefused;
    platform::say({"This position can't insert", "Msg2015011911", platform::MsgIcon::Warning});
}

bool revealedByAccessCode(const std::string& line) {
    if (line == access::kMoreViewCode) {
        entryState.moreViewRevealed = true;
        langState.optionFlags |= kOptionMoreView;
        if (DialogSeam<EntryDialogs>::installed()) entryDialogs().revealHiddenItems(HiddenItems::MoreView);
        return true;
    }
    if (line == access::kDemoKitCode) {
        entryState.demoKitRevealed = true;
        if (DialogSeam<EntryDialogs>::installed()) entryDialogs().revealHiddenItems(HiddenItems::DemoKit);
        return true;
    }
    return false;
}

template <std::size_t N>
void clearField(std::array<char, N>& field) {
    field.fill(' ');
    field[0] = '\0';
}

// Copies word into a field with its terminator; false when it does not fit.
template <std::size_t N>
bool copyWord(std::array<char, N>& field, const std::string& word) {
    if (word.size() + 1 > N) return false;
    for (std::size_t i = 0; i < word.size(); ++i) field[i] = word[i];
    field[word.size()] = '\0';
    return true;
}

std::vector<std::string> wordsOf(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    for (char c : line) {
        if (c == ' ') {
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word.push_back(c);
        }
    }
    if (!word.empty()) words.push_back(word);
    return words;
}

bool hasV(const std::span<char> operand) {
    for (char c : operand) {
        if (c == '\0') break;
        if (c == 'V' || c == 'v') return true;
    }
    return false;
}

bool inRange(std::uint32_t code, std::uint32_t low, std::uint32_t high) {
    return code >= low && code <= high;
}

// The odd codes of the basic range that have an even 16-bit twin.
bool hasSixteenBitTwin(std::uint32_t code) {
    if (inRange(code, 0x1010, 0x13FF)) return true;
    if (!inRange(code, 0x0010, 0x03FE)) return false;
    return !inRange(code, 0x01C2, 0x01C7) && !inRange(code, 0x01CA, 0x01CF) &&
           !inRange(code, 0x01D0, 0x01FD) && !inRange(code, 0x0202, 0x020B) && !inRange(code, 0x03C2, 0x03CF);
}

void correctForms(stLadderBlock& object) {
    std::uint32_t code = object.iCode;
    const bool typedOrBox = FncKeyDeviceCode == 7 || FncKeyDeviceCode == 8;
    if (!object.dFlag() && typedOrBox && (code & 1) != 0 && hasSixteenBitTwin(code)) code -= 1;
    if (object.pFlag() && code < 0x1000) code += 0x1000;
    if (!object.pFlag() && typedOrBox && inRange(code, 0x1010, 0x13FF)) code -= 0x1000;
    object.iCode = static_cast<std::uint16_t>(code);
}

// The first output of the wire at the new cell, looking left two columns at a time.
stLadderBlock* outputOwningWire(std::uint32_t x, std::uint32_t y) {
    const std::int64_t row = rowOf(y);
    for (std::int64_t column = columnOf(x); column > 2; column -= 2) {
        if (VirtualArray.at(column, row) != kCellOutput) continue;
        if (searchLadderObject(kSearchMain, static_cast<std::uint32_t>(column * symbleHalfWidth),
                               static_cast<std::uint32_t>(row * symbleHalfHeight)))
            return ldrSearch;
        return nullptr;
    }
    return nullptr;
}

// The new object's place in the list as a NOP at the frame corner, which becomes ldrNow.
void linkAtNewPosition(const stLadderBlock& entered) {
    setBlueFrameObject(entered.xAddr, entered.yAddr);
    ReallocLadderMemory(kLinkReadingOrder, 22);
    if (ldrHead == ldrNow && ldrTail == ldrNow) setText(editNew->traceLabel, "ldrHead");
}

// Whether opening a cell at x0 in the block leaves every object it moves on in front of the output of
// its line (or of the line's last cell, which only an output takes): on a full line the insert would
// push the last contact onto the output.
bool insertLeavesRoom(std::uint32_t x0, std::uint32_t id) {
    struct Line {
        std::uint32_t movedTo = 0;  // the right edge of the moved objects once moved
        std::uint32_t outputAt = 0;
    };
    std::unordered_map<std::uint32_t, Line> lines;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        if (o->objLbc != id || o->iCode == kCodeEnd) continue;
        Line& line = lines.try_emplace(o->yAddr, Line{0, draw.iBusLineEnd - cellWidth()}).first->second;
        if (o->end == kEndOutput)
            line.outputAt = std::min(line.outputAt, o->xAddr);
        else if (o->xAddr >= x0)
            line.movedTo = std::max(line.movedTo, std::max(o->Xend, o->xAddr + cellWidth()) + cellWidth());
    }
    return std::all_of(lines.begin(), lines.end(),
                       [](const auto& line) { return line.second.movedTo <= line.second.outputAt; });
}

void insertBeforeOverlapped(stLadderBlock* overlapped) {
    const std::uint32_t x = overlapped->xAddr;
    const std::uint32_t y = overlapped->yAddr;
    const std::uint32_t id = overlapped->objLbc;
    ldrNow = overlapped;
    shiftBlockCellsRight(x, y, id);
    setBlueFrameObject(overlapped->xAddr, overlapped->yAddr);
    ldrNow = overlapped;
    if (!ReallocLadderMemory(kLinkBeforeNow, 22)) return;
    stLadderBlock* opened = ldrNew;
    insertXnopInstruction(static_cast<int>(PseudoKind::Nop), x, y, id, overlapped->yTopPos,
                          overlapped->stepNo, "Edit1KeyPress");
    ldrNow = opened;
    ldrNew = opened;
    removeBlockNopsRightOfOutput(x, y, id);
    ldrNow = opened;
    for (stLadderBlock* o = opened->next; o != nullptr && o->end != kEndOutput; o = o->next) {
        if (o->xAddr != o->Xend) continue;
        noteObjectChange(o);
        o->Xend = o->xAddr + cellWidth();
    }
}

// END's row of the canvas moves one line down.
void moveEndRowCellsDown(const stLadderBlock& end) {
    const std::int64_t row = rowOf(end.yAddr);
    const auto down = [&](std::int64_t column) {
        VirtualArray.put(column, row + 2, VirtualArray.at(column, row));
        VirtualArray.put(column, row, kCellBlank);
    };
    const std::int64_t column = columnOf(end.xAddr);
    down(column + 2);
    for (std::int64_t c = column; c >= 0; c -= 2) down(c);
}

bool holdsInstruction(const stLadderBlock& o) {
    return o.iCode != kCodeNop && !isBlockJoint(o.iCode) && !isStackJoint(o.iCode) && o.end != kEndOutput;
}

// The contacts of row y from xFrom up to xTo, which an output typed at xFrom turns into wire; the
// list's first object stays a contact.
std::vector<stLadderBlock*> contactsToWire(std::uint32_t xFrom, std::uint32_t y, std::uint32_t xTo,
                                           const stLadderBlock* keep) {
    std::vector<stLadderBlock*> found;
    for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
        if (o != keep && o != ldrHead && o->yAddr == y && o->xAddr >= xFrom && o->xAddr < xTo &&
            holdsInstruction(*o))
            found.push_back(o);
    return found;
}

// The contacts turn into wire, on the canvas as in the list; the joints of the line (ANB, ORB, MPS,
// MRD, MPP, #NOP) stay where its links meet.
void wireContacts(const std::vector<stLadderBlock*>& contacts) {
    for (stLadderBlock* o : contacts) {
        noteObjectChange(o);
        o->iCode = kCodeNop;
        setText(o->mnemonic, "NOP");
        for (auto& operand : o->operands) operand.fill('\0');
        o->operand6.fill('\0');
        o->Xend = o->xAddr + cellWidth();
        VirtualArray.put(columnOf(o->xAddr), rowOf(o->yAddr), kCellNop);
        ldrSearch = o;
    }
}

// The cells of the output the new one replaces, which may stand further left.
void clearOutputCells(const stLadderBlock& output) {
    const std::int64_t row = rowOf(output.yAddr);
    for (std::int64_t c = columnOf(output.xAddr); c < kCanvasColumns; ++c) {
        const char cell = VirtualArray.at(c, row);
        if (cell == kCellOutput || cell == kCellOutputTail) VirtualArray.put(c, row, kCellBlank);
    }
}

void refuseLine();

enum class Mode { Link, LinkAndClearRow, Overwrite, NopThenOverwrite, Insert, Refused };

Mode placementMode(bool insert, bool duplicated, bool output) {
    if (!duplicated) return output ? Mode::LinkAndClearRow : Mode::Link;
    if (!insert) return output ? Mode::NopThenOverwrite : Mode::Overwrite;
    return output ? Mode::Refused : Mode::Insert;
}

std::string flagText(bool on) {
    return on ? "true" : "false";
}

std::string hexText(std::uint32_t value) {
    return "0x" + kestrion::hexText(value & 0xFFFFu, 4);
}

std::string placeText(std::uint32_t x, std::uint32_t y) {
    return std::to_string(x) + "," + std::to_string(y);
}

// Why Insert mode puts no output (or RET) in front of what stands at the cursor.
std::string insertRefusal(bool output, const stLadderBlock* overlapped, const stLadderBlock& entered) {
    if (!output) return "RET stands alone in the last cell: nothing is inserted there.";
    const std::uint32_t x = overlapped != nullptr ? overlapped->xAddr : entered.xAddr;
    return cellReason(x, entered.yAddr,
                      "with Insert on, no output is inserted in front of what stands there; switch Insert "
                      "off to replace it.");
}

// The cells of the object just placed; END moves down a line when the object took its line. An OR,
// and a further output (joinsRung), stand in the block of the rung above; any other line begins one.
void markPlaced(stLadderBlock& placed, bool joinsRung) {
    stLadderBlock* end = ldrTail;
    const bool onEndRow = end != nullptr && end != &placed && end->yAddr == placed.yAddr;
    if (onEndRow) moveEndRowCellsDown(*end);
    if (placed.end == kEndOutput)
        setOutputCells(placed.xAddr, placed.yAddr);
    else
        setNowObjectCell();
    const bool orFamily = isOrTypeCode(placed.iCode);
    if (orFamily) {
        const std::int64_t c = columnOf(placed.xAddr);
        const std::int64_t r = rowOf(placed.yAddr);
        VirtualArray.put(c - 1, r - 1, kCellLink);
        VirtualArray.put(c + 1, r - 1, kCellLink);
        if (placed.prev != nullptr) {
            placed.objLbc = placed.prev->objLbc;
            placed.yTopPos = placed.prev->yTopPos;
        }
    }
    if (onEndRow) {
        noteObjectChange(end);
        end->yAddr += cellHeight();
        end->yTopPos += cellHeight();
        if (!orFamily && !joinsRung) end->objLbc += 1;
    }
}

// The cursor after the line: the next cell, or after an output the first of the next line, and not
// above atLeastY (a further output that went up beside parallel contacts leaves it on the line typed
// on).
void moveCursorPast(const stLadderBlock& entered, bool output, std::uint32_t atLeastY) {
    std::uint32_t x = entered.xAddr + cellWidth();
    std::uint32_t y = entered.yAddr;
    if (x >= draw.iBusLineEnd || output) {
        x = draw.iBusLineStart;
        y += cellHeight();
    }
    y = std::max(y, atLeastY);
    xOldCursor = x;
    yOldCursor = y;
    setBlueFrameObject(x, y);
    trace("*setBlueFrameObject", placeText(x, y));
}

// Steps after the line has been checked and positioned: the object that holds the line, or null when
// the entry ends with the box open. A further output of the rung above hangs from its node; the
// cursor then goes to the line after it, or stays on the line typed on when the output went up
// beside the rung's parallel contacts.
stLadderBlock* placeEntered(EditKeyBox& box, std::uint32_t x0, std::uint32_t y0, const FurtherOutput* further,
                            std::uint32_t typedY) {
    stLadderBlock& entered = *editNew;
    entered.objLbc = selectObjectIdAtY(0, entered.yAddr);
    if (ldrNow != nullptr) entered.yTopPos = ldrNow->yTopPos;

    const bool output = iFncFlag == 1;
    stLadderBlock* overlapped = nullptr;
    // END is never overwritten: an entry at its cell goes in front of it and END moves down.
    bool duplicated = searchLadderObject(kSearchMain, entered.xAddr, entered.yAddr) && ldrSearch != ldrTail;
    if (duplicated) {
        overlapped = ldrSearch;
    } else if (output && canvasCellAt(entered.xAddr, entered.yAddr) == kCellOutputTail) {
        duplicated = true;
        overlapped = outputOwningWire(entered.xAddr, entered.yAddr);
        if (overlapped == nullptr) platform::say({"Error2015011911", " *", platform::MsgIcon::Warning});
    }
    const bool insert = (editModeFlags & kEditInsertMode) != 0;
    // RET lands in the last cell like an output: nothing is inserted in front of what stands there.
    const bool endsLine = output || isRetCode(entered.iCode);
    const Mode mode = placementMode(insert, duplicated, endsLine);
    if (mode == Mode::Refused)
        platform::statusBar().setPanelText(13, insertRefusal(output, overlapped, entered));
    // Opening the cell moves what stood above it on: an OR there would join the wire left behind.
    if (mode == Mode::Insert && isOrTypeCode(entered.iCode)) {
        platform::statusBar().setPanelText(
            13, "An OR inserted here would stand beside the wire the insert leaves above it.");
        refuseInsertPosition(box);
        return nullptr;
    }
    trace("*Mode" +
          std::to_string(static_cast<int>(insert) * 4 + static_cast<int>(duplicated) * 2 +
                         static_cast<int>(output)) +
          ": bInsertMode=" + flagText(insert) + ", bDuplicated=" + flagText(duplicated) +
          ", iFncFlag=" + flagText(output));
    switch (mode) {
        case Mode::Link: linkAtNewPosition(entered); break;
        case Mode::LinkAndClearRow: {
            linkAtNewPosition(entered);
            stLadderBlock* created = ldrNow;
            // A further output goes where nothing stands from its node on.
            if (further == nullptr) freeRowObjectsToBusEnd(x0, y0, created);
            ldrNow = created;
            break;
        }
        case Mode::NopThenOverwrite: {
            // The line from the cursor to the output becomes wire (where that wire would run round a
            // contact, the trial of the rung refuses the line).
            wireContacts(contactsToWire(x0, y0, entered.xAddr, overlapped));
            if (overlapped != nullptr && overlapped->end == kEndOutput) clearOutputCells(*overlapped);
            [[fallthrough]];
        }
        case Mode::Overwrite:
            // The overlapped object itself takes the new instruction.
            if (overlapped == nullptr) {
                platform::say({"Error2015011910", "*", platform::MsgIcon::Warning});
                return nullptr;
            }
            ldrNow = overlapped;
            break;
        case Mode::Insert:
            if (!insertLeavesRoom(overlapped->xAddr, overlapped->objLbc)) {
                platform::statusBar().setPanelText(
                    13, "The line is full: no cell is free in front of its output.");
                refuseInsertPosition(box);
                return nullptr;
            }
            insertBeforeOverlapped(overlapped);
            break;
        case Mode::Refused: refuseInsertPosition(box); return nullptr;
    }

    if (ldrNow == nullptr) {
        platform::say({"Error2015011901", "*srcObjectCopyToDestObject", platform::MsgIcon::Warning});
        return nullptr;
    }
    if (srcObjectCopyToDestObject(editNew, ldrNow) != 0) return nullptr;
    stLadderBlock& placed = *ldrNow;
    trace("*srcObjectCopyToDestObject", placeText(placed.xAddr, placed.yAddr));
    if (placed.iCode == 0xC000 && placed.operands[0][0] == 'T') placed.iCode = 0x0600;
    if (placed.iCode == 0xC000 && placed.operands[0][0] == 'C') placed.iCode = 0x0E00;

    markPlaced(placed, further != nullptr);
    if (further != nullptr) hangFromNode(placed, *further);
    moveCursorPast(entered, output, further != nullptr ? typedY : 0);
    return &placed;
}

bool checkSymbolEntry() {
    if (_checkIconInputDevice() != 0) {
        editInstrFlags |= kInstrEntryRefused;
        platform::say({"Error2015011601... Can't write", "EditKey", platform::MsgIcon::Warning});
        releaseEditNew();
        requestLadderRedraw();
        return false;
    }
    const bool found = searchLadderObject(kSearchMain, xOldCursor, yOldCursor);
    if ((editEntryFlags & kEntryOnExistingObject) != 0) {
        if (iconSymbleCode == 8)
            editNew->iCode = static_cast<std::uint16_t>(
                checkInstrCode(xMouseCell, yMouseCell, editNew->mnemonic, operandTextsOf(*editNew)));
        else
            editNew->iCode = editedObjectCode;
        if (found) {
            editNew->setDFlag(ldrSearch->dFlag());
            editNew->setPFlag(ldrSearch->pFlag());
            editNew->end = ldrSearch->end;
            editNew->Xend = ldrSearch->Xend;
            editNew->xMaxi = ldrSearch->xMaxi;
        }
    }
    writeSymbolMnemonic();
    FncKeyDeviceCode = kFncKeyTyped;
    return true;
}

// The line is not entered; the box stays open with it.
void refuseLine() {
    editInstrFlags |= kInstrEntryRefused;
    platform::say({"Input Error...Can't write", "Error2015031910", platform::MsgIcon::Warning});
    redrawFlags &= static_cast<std::uint8_t>(~(kRedrawLadder | kRedrawObjects));
    releaseEditNew();
}

// Whether Convert writes the rung the line changed as it is drawn, tried on the rung alone. A rung
// still being built (wire left open) is not judged yet, unless the line opened a rung that was whole.
// A refused line is said why on the status bar and stays in the box.
bool convertsAsDrawn(const stLadderBlock& placed, const std::vector<RungCopy>& before) {
    const LadderVerdict verdict =
        judgeEditedRung(copyRungOf(placed), before, placed.xAddr, placed.yAddr,
                        "this line would leave wire open in a rung that was whole before it.");
    if (editMayStand(verdict)) return true;
    platform::statusBar().setPanelText(13, verdict.reason);
    refuseLine();
    return false;
}

// The entry proper, after the access codes: true when the line went into the ladder. The box's state
// says how it ended.
bool enterTrimmedLine(EditKeyBox& box, const std::string& line) {
    ReallocLadderMemory(kLinkEditNew, 20);
    backupVirtualCanvas(1);
    backupLadderDiagramMemory(1);
    addGrayMaskRow(yOldCursor);
    addGrayMaskRowsOfBlock(yOldCursor);
    // A line the box masked may be a mistyped access code: the trace keeps it masked too.
    trace("*EditKey", line.starts_with(access::kMaskPrefix) ? "********" : line);

    if (!splitEntryLine(line)) return false;
    if (FncKeyDeviceCode != kFncKeyTyped && !checkSymbolEntry()) return false;

    stLadderBlock& entered = *editNew;
    const OperandTexts operands = operandTextsOf(entered);
    const std::uint32_t code = checkInstrCode(BlueFrame.x1, BlueFrame.y1, entered.mnemonic, operands);
    instrResultCode = code;
    trace("*checkInstrCode", hexText(code));
    iconSymbleCode = _UpdateIconFnCode(code);
    if (code == 0) {
        refuseLine();
        return false;
    }
    entered.setDFlag((editInstrFlags & kInstrDoubleWord) != 0);
    entered.setPFlag((editInstrFlags & kInstrPulse) != 0);
    entered.iCode = static_cast<std::uint16_t>(code);

    if (entered.dFlag()) {
        if ((entered.iCode & 1) == 0) entered.iCode = static_cast<std::uint16_t>(entered.iCode + 1);
        for (std::size_t i = 0; i < kOperandCount; ++i) {
            if (!hasV(operands[i])) continue;
            platform::say(
                {"Error201903171" + std::to_string(i + 1), "Edit V Error ", platform::MsgIcon::Warning});
            redrawFlags &= static_cast<std::uint8_t>(~kRedrawObjects);
            releaseEditNew();
            box.closed = true;
            return false;
        }
    }
    correctForms(entered);
    trace("*iCode", hexText(entered.iCode));
    const OutputFeed feed = outputFeed(entered.iCode, xOldCursor, yOldCursor);
    if (!feed.refusal.empty()) {
        platform::statusBar().setPanelText(13, feed.refusal);
        refuseLine();
        return false;
    }

    entered.xAddr = xOldCursor;
    entered.yAddr = yOldCursor;
    entered.Xend = xOldCursor + cellWidth();
    entered.xMaxi = entered.Xend;
    const std::uint32_t typedY = yOldCursor;
    // A further output stands on the line under the rung's last output, at its node or right of it,
    // narrower where it would begin under the rung's contacts.
    const std::uint32_t x0 = feed.further ? feed.further->nodeX : xOldCursor;
    const std::uint32_t y0 = feed.further ? feed.further->y : yOldCursor;
    iFncFlag = 0;
    if ((defineInstrSymbleAddress(entered.iCode, xOldCursor, operands, yOldCursor, entered) & 1) != 0) {
        editInstrFlags |= kInstrEntryRefused;
        platform::say({"Edit symble position error", "Address Error", platform::MsgIcon::Warning});
        releaseEditNew();
        box.closed = true;
        redrawFlags |= kRedrawLadder;
        return false;
    }
    if (feed.further) {
        entered.xAddr = std::max(entered.xAddr, x0);
        entered.yAddr = y0;
    }
    trace("*defineInstrSymbleAddress", placeText(entered.xAddr, entered.yAddr));
    const std::vector<RungCopy> before = rungsAround(y0);
    const stLadderBlock* placed = placeEntered(box, x0, y0, feed.further ? &*feed.further : nullptr, typedY);
    releaseEditNew();
    if (placed == nullptr || !convertsAsDrawn(*placed, before)) return false;
    box.closed = true;
    requestLadderRedraw();
    return true;
}

}  // namespace

std::string symbolComboText(std::uint32_t code) {
    switch (code) {
        case 1:
        case 4: return "";
        case 2: return "--|P|--";
        case 3: return "--|F|--";
        case 5: return "--| |--";
        case 6: return "--|/|--";
        case 7: return "--( )--";
        case 8: return "--[ ]--";
        case 9: return "-------";
        case 10: return "   |   ";
        case 11: return "--OR --";
        case 12: return "--ORN--";
        case 13: return "--ORP--";
        case 14: return "--ORF--";
        case 15: return "------";
        case 18: return "-|STL|-";
        default: return "--NOP--";
    }
}

void EditKeyBox::FormPaint() {
    line = initialText.substr(0, kEditLineMaxLength);
}

void EditKeyBox::type(char key) {
    if (line.size() >= kEditLineMaxLength) return;
    line.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(key))));
}

bool refuseEditInMonitorMode() {
    return refusedWhileMonitoring(
        {"In monitor mode...Can'tDoEdit...", "Msg2015032002", platform::MsgIcon::None});
}

bool EditKeyBox::keyPress(char key) {
    // Escape closes the box whatever else runs: a monitor started while it was open refuses only
    // what would edit.
    if (key == 27) {
        masked = false;
        editInstrFlags &= static_cast<std::uint8_t>(~kInstrEntryRefused);
        hideInstrMemo();
        closed = true;
        return false;
    }
    if (refuseEditInMonitorMode()) return false;
    const std::string copy = line;
    if (copy.starts_with(access::kMaskPrefix)) masked = true;
    if (key == 13 && (editModeFlags & kEditInsertMode) != 0 && ldrHead != nullptr &&
        xOldCursor == ldrHead->xAddr && yOldCursor == ldrHead->yAddr) {
        platform::statusBar().setPanelText(
            13,
            "Nothing is inserted in front of the ladder's first object: switch Insert off to replace it.");
        refuseInsertPosition(*this);
        return false;
    }
    if (key == 13) {
        EditInstr1Enter(*this);
        return false;
    }
    line = copy;
    return true;
}

std::string trimEntryLine(const std::string& line) {
    std::string out;
    for (char c : line) {
        if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
        out.push_back(c);
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

void EditInstr1Enter(EditKeyBox& box) {
    box.masked = false;
    editInstrFlags &= static_cast<std::uint8_t>(~kInstrEntryRefused);
    hideInstrMemo();
    platform::trace().clear(platform::Memo::Debug6);
    platform::trace().clear(platform::Memo::Msg1);
    const std::string line = box.line;
    if (revealedByAccessCode(line)) {
        // An access code changes nothing of the program.
        editInstrFlags |= kInstrEntryRefused;
        box.closed = true;
        return;
    }
    const std::string trimmed = trimEntryLine(line);
    // The reason a refusal of this box showed is judged anew with the line.
    if (!box.reasonShown.empty() && platform::statusBar().panelText(13) == box.reasonShown)
        platform::statusBar().setPanelText(13, "");
    const std::string panelBefore = platform::statusBar().panelText(13);
    // A refused line, or a failure of the list or canvas below, puts everything back as it was
    // before the key: the ladder, the undo copy and the flags, the state of the entry (the tool the
    // line was read as) and the Edit menu. The entry notes each object it changes: a line typed
    // into a long ladder costs what it changes.
    const EntryState entryBefore = entryState;
    const NotedChanges noted;
    bool ended = false;
    bool taken = false;
    const platform::SaidAfterwards whyAfterwards;
    runCommand([&] {
        taken = enterTrimmedLine(box, trimmed);
        ended = true;
        if (taken) {
            editModeFlags |= kEditLadderNotConverted | kEditModifiedSinceSave;
            canvasState.editCancelMenuEnabled = true;
        }
        return taken;
    });
    if (!ended) {
        editInstrFlags |= kInstrEntryRefused;
        box.closed = true;
    }
    if (!taken) {
        entryState = entryBefore;
        editInstrFlags |= kInstrEntryRefused;
        const std::string why = platform::statusBar().panelText(13);
        box.reasonShown = why != panelBefore ? why : std::string();
    }
    // The frame stands on the cursor again, which the refused line left where it was.
    if ((editInstrFlags & kInstrEntryRefused) != 0) setBlueFrameObject(xOldCursor, yOldCursor);
    if (editNew != nullptr) releaseEditNew();
}

bool splitEntryLine(const std::string& line) {
    if (editNew == nullptr) {
        platform::say({"Error2015030101", "*Edit", platform::MsgIcon::Warning});
        return false;
    }
    stLadderBlock& object = *editNew;
    clearField(object.mnemonic);
    for (auto& operand : object.operands) clearField(operand);
    clearField(object.operand6);

    std::vector<std::string> words = wordsOf(line);
    std::size_t next = 0;
    const bool typed = FncKeyDeviceCode == 0 || FncKeyDeviceCode == 8 || FncKeyDeviceCode == kFncKeyTyped;
    if (typed && !words.empty()) {
        const std::string& word = words[next++];
        const bool followed = words.size() > 1;
        if (word.size() > object.mnemonic.size() - 1) {
            platform::say({"Instruction Error", "Instruction Error", platform::MsgIcon::Warning});
            releaseEditNew();
            return false;
        }
        for (std::size_t i = 0; i < word.size(); ++i) object.mnemonic[i] = word[i];
        const std::size_t endAt = word.size();
        if (followed && endAt + 1 < object.mnemonic.size()) {
            object.mnemonic[endAt] = ' ';
            object.mnemonic[endAt + 1] = '\0';
        } else if (followed) {
            object.mnemonic[endAt] = ' ';
        } else {
            object.mnemonic[endAt] = '\0';
        }
    }
    for (std::size_t i = 0; i < kOperandCount && next < words.size(); ++i, ++next) {
        const bool fits =
            i < 5 ? copyWord(object.operands[i], words[next]) : copyWord(object.operand6, words[next]);
        if (!fits) {
            platform::say({"Instruction Error", "Input Device" + std::to_string(i + 1) + " Error",
                           platform::MsgIcon::Warning});
            releaseEditNew();
            return false;
        }
    }
    return true;
}

std::uint8_t _checkIconInputDevice() {
    stLadderBlock& object = *editNew;
    const std::string_view operand1(object.operands[0].data());
    const auto bitOperand = [&](std::uint16_t code) {
        object.iCode = code;
        return isErrorBitOperand(0, operand1);
    };
    switch (iconSymbleCode) {
        case 0:
        case 4: return 0;
        case 2: return bitOperand(460);
        case 3: return bitOperand(461);
        case 5: return bitOperand(0x4000);
        case 6: return bitOperand(0x5000);
        case 7:
            object.iCode = 0xC000;
            return isErrorOutOpCode(operand1, std::string_view(object.operands[1].data()));
        case 8: {
            const std::uint32_t code =
                checkInstrCode(xMouseCell, yMouseCell, object.mnemonic, operandTextsOf(object));
            return code != 0 && code != 0x2000 ? 0 : 1;
        }
        case 9: object.iCode = 0xFFFF; return 0;
        case 10: object.iCode = 0xFFFD; return 0;
        case 11: return bitOperand(0x6000);
        case 12: return bitOperand(0x7000);
        case 13: return bitOperand(462);
        case 14: return bitOperand(463);
        case 18: return bitOperand(0xF000);
        default: return 1;
    }
}

void writeSymbolMnemonic() {
    const char* text = nullptr;
    switch (iconSymbleCode) {
        case 5: text = "LD "; break;
        case 6: text = "LDI "; break;
        case 2: text = "LDP "; break;
        case 3: text = "LDF "; break;
        case 11: text = "OR "; break;
        case 12: text = "ORI "; break;
        case 13: text = "ORP "; break;
        case 14: text = "ORF "; break;
        default: return;
    }
    for (std::size_t i = 0; text[i] != '\0'; ++i) editNew->mnemonic[i] = text[i];
}

std::uint32_t _UpdateIconFnCode(std::uint32_t code) {
    if (code == 0) return 0;
    constexpr std::uint32_t kOutSymbol = 7;
    if (isOutCoilCode(static_cast<std::int32_t>(code))) {
        FncKeyDeviceCode = kOutSymbol;
        return kOutSymbol;
    }
    std::uint32_t symbol = 0;
    switch (code) {
        case 0xB000:
        case 0xB100:
        case 0xB800: symbol = 17; break;
        case 0x2000:
        case 0x4000:
        case 0x6000: symbol = 5; break;
        case 0x3000:
        case 0x5000:
        case 0x7000: symbol = 6; break;
        case 0x01CA:
        case 0x01CC:
        case 0x01CE: symbol = 2; break;
        case 0x01CB:
        case 0x01CD:
        case 0x01CF: symbol = 3; break;
        case 0xD000:
        case 0xE000:
        case 0xF000:
        case 0xF7FF:
        case 0x000F: symbol = 8; break;
        case 0xFFFD: symbol = 15; break;
        default:
            if (inRange(code, 0x0003, 0x000D) || inRange(code, 0x0010, 0x03FE) ||
                inRange(code, 0x1010, 0x13FF))
                symbol = 8;
    }
    if (symbol == 0) {
        platform::say({"Error2019030280", "_UpdateIconFnCode", platform::MsgIcon::Warning});
        return FncKeyDeviceCode;
    }
    FncKeyDeviceCode = symbol;
    return symbol;
}

void shiftBlockCellsRight(std::uint32_t x0, std::uint32_t y0, std::uint32_t id) {
    stLadderBlock* const keepNow = ldrNow;
    const std::uint32_t w = cellWidth();
    // The walk goes on from the object that stood before this one: a filler linked in front of it
    // stands where it stood and would need a filler itself, without end.
    for (stLadderBlock *o = ldrTail, *before = nullptr; o != nullptr; o = before) {
        before = o->prev;
        if (o->objLbc != id || o->xAddr < x0 || o->end == kEndOutput) continue;
        const std::int64_t c = columnOf(o->xAddr);
        const std::int64_t r = rowOf(o->yAddr);
        const bool leftLinked = VirtualArray.at(c - 2, r) != kCellBlank ||
                                VirtualArray.at(c - 1, r - 1) != kCellBlank ||
                                VirtualArray.at(c - 1, r + 1) != kCellBlank;
        const bool needsFiller = o->xAddr == x0 && o->yAddr != y0 && leftLinked;
        noteObjectChange(o);
        // A joint (ANB, ORB, MPS, MRD, MPP) stands between cells and owns none: the cell of its column
        // is that of the object there, which moves it.
        const bool ownsCell = !isBlockJoint(o->iCode) && !isStackJoint(o->iCode);
        if (ownsCell) VirtualArray.put(c + 2, r, VirtualArray.at(c, r));
        const std::uint32_t from = o->xAddr;
        o->xAddr += w;
        // The object keeps its span: its right edge moves with it.
        if (o->Xend >= from) o->Xend += w;
        if (o->Xend < o->xAddr) o->Xend = o->xAddr;
        // The cell left behind stays wire where something on its left leads into it; the filler is of
        // the block, so a later insert moves it on with the rest.
        if (needsFiller && linkFillerBefore(*o, from) != nullptr) {
            ldrNew->xBlockAddr = o->xBlockAddr;
            VirtualArray.put(c, r, kCellNop);
        } else if (ownsCell) {
            VirtualArray.put(c, r, kCellBlank);
        }
        if (ownsCell && VirtualArray.at(c + 1, r + 1) == kCellLink) {
            for (std::int64_t k = 0;; ++k) {
                const std::int64_t linkRow = r + 1 + 2 * k;
                if (k > 0 && (VirtualArray.at(c + 1, linkRow) != kCellLink ||
                              VirtualArray.at(c, r + 2 * k) != kCellBlank))
                    break;
                if (k == 0 && VirtualArray.at(c + 1, linkRow) != kCellLink) break;
                VirtualArray.put(c + 3, linkRow, kCellLink);
                VirtualArray.put(c + 1, linkRow, kCellBlank);
            }
        }
    }
    ldrNow = keepNow;
}

void removeBlockNopsRightOfOutput(std::uint32_t /*x*/, std::uint32_t y, std::uint32_t id) {
    std::uint32_t limit = 0;
    for (const stLadderBlock* o = ldrHead; o != nullptr && limit == 0; o = o->next)
        if (o->objLbc == id && o->end == kEndOutput && o->yAddr == y) limit = o->xAddr;
    // A line without an output (a branch) has no wire right of one: its fillers lead into the
    // branch's links.
    if (limit == 0) return;
    stLadderBlock* o = ldrHead;
    while (o != nullptr) {
        stLadderBlock* next = o->next;
        // The cell just opened for the new instruction is kept; the other lines' wire runs into their
        // own outputs, wherever this line's output stands.
        if (o != ldrNew && o->objLbc == id && o->yAddr == y && o->iCode == kCodeNop && o->xAddr >= limit)
            removeLadderObject(ldrList, o);
        o = next;
    }
}

void freeRowObjectsToBusEnd(std::uint32_t x0, std::uint32_t y0, const stLadderBlock* keep) {
    // Wire that runs on from what stays in front of x0 stays: it may lead to a link that joins
    // this line to the others.
    bool wireRunsOn = true;
    for (std::uint32_t x = x0; x < draw.iBusLineEnd; x += cellWidth()) {
        stLadderBlock* o = nullptr;
        for (stLadderBlock* at = ldrHead; at != nullptr && o == nullptr; at = at->next)
            if (at != keep && at->xAddr == x && at->yAddr == y0) o = at;
        if (o == nullptr) {
            wireRunsOn = false;
            continue;
        }
        if (o->iCode == kCodeNop && wireRunsOn) continue;
        if (o->prev == nullptr || o->next == nullptr) continue;  // the list's ends stay
        wireRunsOn = false;
        removeLadderObject(ldrList, o);
    }
}

}  // namespace kestrion
