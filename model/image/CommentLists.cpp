#include "model/image/CommentLists.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>

#include "model/core/CommandTransaction.h"
#include "model/core/MemoryNotEnough.h"
#include "model/image/DmwImage.h"
#include "model/image/ModeData.h"
#include "model/image/MonitorLists.h"
#include "model/instructions/Conversions.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

template <class Node>
Node* appendEntry(OwnedList<Node>& list, const char* memoryMessage) {
    Node* node = allocateOrHalt<Node>(memoryMessage);
    links::pushBack(list, node);
    list.newest = node;
    return node;
}

template <class Node>
bool holdsNode(const OwnedList<Node>& list, const Node* wanted) {
    for (const Node* node = list.head; node != nullptr; node = node->next) {
        if (node == wanted) return true;
    }
    return false;
}

template <class Node>
bool deleteWalkerEntry(OwnedList<Node>& list) {
    Node* node = list.walker;
    if (node == nullptr) return false;
    // The ends are known without a walk; an inner entry must first be found from the head.
    if (node != list.head && node != list.tail && !holdsNode(list, node)) return false;
    links::unlink(list, node);
    if (list.newest == node) list.newest = nullptr;
    if (list.selected == node) list.selected = nullptr;
    list.walker = nullptr;
    delete node;
    return true;
}

template <std::size_t TextSize>
void appendStepComment(OwnedList<stepCommentNode<TextSize>>& list, const char* memoryMessage,
                       std::uint16_t stepNo, std::uint16_t flagWord) {
    const std::uint16_t id = list.tail == nullptr ? 1 : static_cast<std::uint16_t>(list.tail->commentId + 1);
    auto* node = appendEntry(list, memoryMessage);
    node->stepNo = stepNo;
    node->flagWord = flagWord;
    node->commentId = id;
}

template <std::size_t N>
void copyText(std::array<char, N>& field, std::string_view text) {
    field.fill('\0');
    const std::size_t length = std::min(text.size(), N - 1);
    std::copy_n(text.begin(), length, field.begin());
}

// The device text of an entry (X007) with its length, and the entry's own text.
void setDeviceTexts(deviceCommentNode& node, char letter, std::uint16_t writtenNumber,
                    std::string_view text) {
    const std::string device = deviceTextFor(letter, writtenNumber);
    copyText(node.deviceText, device);
    node.textLength = static_cast<std::uint16_t>(device.size());
    copyText(node.text, text);
}

deviceCommentNode* findDeviceEntry(DeviceCommentList& list, std::string_view deviceText) {
    for (deviceCommentNode* node = list.head; node != nullptr; node = node->next)
        if (std::string_view(node->deviceText.data()) == deviceText) return node;
    return nullptr;
}

void setLadderCommentId(std::uint32_t stepNo, std::uint16_t id, std::uint16_t stLadderBlock::*field) {
    if (ldrHead == nullptr) {
        platform::say({"Error2015020101", "updateLadderBlockCommentId(", platform::MsgIcon::None});
        return;
    }
    for (stLadderBlock* object = ldrHead; object != nullptr; object = object->next) {
        if (object->stepNo == stepNo) {
            object->*field = id;
            return;
        }
    }
}

template <std::size_t TextSize>
stepCommentNode<TextSize>* findStepComment(OwnedList<stepCommentNode<TextSize>>& list, std::uint16_t id) {
    if (id == 0) return nullptr;
    for (auto* node = list.head; node != nullptr; node = node->next)
        if (node->commentId == id) return node;
    return nullptr;
}

const stLadderBlock* firstObjectAtStep(std::uint16_t stepNo) {
    for (const stLadderBlock* object = ldrHead; object != nullptr; object = object->next)
        if (object->stepNo == stepNo) return object;
    return nullptr;
}

// The ladder and its undo and edit-cancel copies: an Undo or Edit Cancel brings a copy back, and
// the comments must stay with their objects through it.
std::array<LadderList*, 2> ladders() {
    return {&ldrList, &ldrUndoList};
}

// The edit-cancel copy with each object that change alters.
void changeEditCancelCopy(const std::function<bool(stLadderBlock&)>& change) {
    if (ldrBackup == nullptr) return;
    if (auto changed = ldrBackup->changed(change)) ldrBackup = std::move(changed);
}

// Objects copied within the ladder may carry the same id.
void forgetCommentId(std::uint16_t id, std::uint16_t stLadderBlock::*field) {
    settleUndoCopy();
    const auto forget = [&](stLadderBlock& object) {
        if (object.*field != id) return false;
        object.*field = 0;
        return true;
    };
    for (const LadderList* ladder : ladders())
        for (stLadderBlock* object = ladder->head; object != nullptr; object = object->next) forget(*object);
    changeEditCancelCopy(forget);
}

// The object and its twins in the copies (at the same place with the same code) take the id.
void giveCommentId(stLadderBlock& object, std::uint16_t id, std::uint16_t stLadderBlock::*field) {
    settleUndoCopy();
    object.*field = id;
    const stLadderBlock given = object;
    const auto give = [&](stLadderBlock& twin) {
        if (twin.xAddr != given.xAddr || twin.yAddr != given.yAddr || twin.iCode != given.iCode ||
            twin.*field == id)
            return false;
        twin.*field = id;
        return true;
    };
    for (const LadderList* ladder : ladders())
        for (stLadderBlock* twin = ladder->head; twin != nullptr; twin = twin->next) give(*twin);
    changeEditCancelCopy(give);
}

// A comment id names an entry of its list: once the list is gone no object may keep one, or the
// next comment (given id 1 again) would show on the rungs of the old ones.
void forgetCommentIds(std::uint16_t stLadderBlock::*field) {
    settleUndoCopy();
    for (const LadderList* list : {&ldrList, &ldrUndoList, &deleteList, &copyList})
        for (stLadderBlock* object = list->head; object != nullptr; object = object->next)
            if (object->*field != 0) object->*field = 0;
    // A copy with no id in it stays as it is (each change packs it anew).
    const stLadderBlock probe;
    const auto offset = static_cast<std::size_t>(reinterpret_cast<const char*>(&(probe.*field)) -
                                                 reinterpret_cast<const char*>(&probe));
    if (ldrBackup != nullptr && ldrBackup->mayHoldNonZero(offset, sizeof(probe.*field)))
        changeEditCancelCopy([&](stLadderBlock& object) {
            if (object.*field == 0) return false;
            object.*field = 0;
            return true;
        });
    if (editNew != nullptr) editNew->*field = 0;
}

// The comment and monitor lists (copied entry by entry) and the images of the comment, register
// and description files. Their counts live in the settings record, which is a part of its own.
transaction::Restore snapshotComments() {
    struct Saved {
        DeviceCommentList names, comments;
        BlockCommentList blocks;
        CoilCommentList coils;
        MonitorList registered, ladder;
        std::uint32_t monitorBytes;
        CowImage cow;
        std::uint16_t cowLength;
        RegisterImage dmw;
        DcnTableSet dcn;
    };
    auto saved = std::make_shared<Saved>(
        Saved{deviceNameList, deviceCommentList, blockCommentList, coilCommentList, deviceMonitorList,
              ladderMonitorList, deviceMonitorBytes, CowBuffer, cowDataLength, DmwImage, DcnTables});
    return [saved = std::shared_ptr<const Saved>(saved)] {
        deviceNameList = saved->names;
        deviceCommentList = saved->comments;
        blockCommentList = saved->blocks;
        coilCommentList = saved->coils;
        deviceMonitorList = saved->registered;
        ladderMonitorList = saved->ladder;
        deviceMonitorBytes = saved->monitorBytes;
        CowBuffer = saved->cow;
        cowDataLength = saved->cowLength;
        DmwImage = saved->dmw;
        DcnTables = saved->dcn;
    };
}

[[maybe_unused]] const bool commentsPart = transaction::registerPart("comments", snapshotComments);

}  // namespace

void freeCommentList(int kind) {
    switch (kind) {
        case kCommentListNames: deviceNameList.clear(); break;
        case kCommentListDevices: deviceCommentList.clear(); break;
        case kCommentListBlocks:
            blockCommentList.clear();
            forgetCommentIds(&stLadderBlock::idBC);
            break;
        case kCommentListCoils:
            coilCommentList.clear();
            forgetCommentIds(&stLadderBlock::idCC);
            break;
        case kCommentListMonitor:
            deviceMonitorList.clear();
            deviceMonitorBytes = 0;
            break;
        default: break;
    }
}

void addDeviceName(std::uint16_t letterWord, std::uint16_t number) {
    auto* node = appendEntry(deviceNameList, "Error2014121623...");
    node->deviceLetter = static_cast<std::uint8_t>(letterWord & 0xFFu);
    node->letterHigh = static_cast<std::uint8_t>(letterWord >> 8);
    node->deviceNo = number;
}

void addDeviceComment() {
    appendEntry(deviceCommentList, "Error2014121622...");
}

void addBlockComment(std::uint16_t flagWord, std::uint16_t stepNo) {
    appendStepComment(blockCommentList, "Error2014121620...", stepNo, flagWord);
}

void addCoilComment(std::uint16_t stepNo, std::uint16_t flagWord) {
    appendStepComment(coilCommentList, "Error2014121621...", stepNo, flagWord);
}

bool deleteBlockComment() {
    return deleteWalkerEntry(blockCommentList);
}
bool deleteCoilComment() {
    return deleteWalkerEntry(coilCommentList);
}
bool deleteDeviceComment() {
    return deleteWalkerEntry(deviceCommentList);
}
bool deleteDeviceName() {
    return deleteWalkerEntry(deviceNameList);
}

void updateLadderBlockCommentId(std::uint32_t stepNo, std::uint16_t id) {
    setLadderCommentId(stepNo, id, &stLadderBlock::idBC);
}

void updateLadderCoilCommentId(std::uint32_t stepNo, std::uint16_t id) {
    setLadderCommentId(stepNo, id, &stLadderBlock::idCC);
}

bool isSameDeviceName(std::string_view a, std::string_view b, int n) {
    const std::size_t length = n >= 2 && n <= 5 ? static_cast<std::size_t>(n) : 6;
    for (std::size_t i = 0; i < length; ++i) {
        const char ca = i < a.size() ? a[i] : '\0';
        const char cb = i < b.size() ? b[i] : '\0';
        if (ca != cb) return false;
        if (ca == '\0') return true;
    }
    return true;
}

bool isOctalDevice(std::uint8_t letter) {
    return letter == 'X' || letter == 'Y';
}

std::uint32_t indexToOctalNo(std::uint32_t index) {
    // The numbers 80..99 are never written: index 64 is X100.
    if (index >= 64) index += 16;
    return index / 8 * 10 + index % 8;
}

std::string deviceTextFor(char letter, std::uint32_t writtenNumber) {
    std::string digits = std::to_string(writtenNumber);
    if (isOctalDevice(static_cast<std::uint8_t>(letter)) && digits.size() < 3)
        digits.insert(0, 3 - digits.size(), '0');
    std::string text = letter + digits;
    if (text.size() > kDeviceTextSize - 1) text.resize(kDeviceTextSize - 1);
    return text;
}

void appendDeviceComment(char letter, std::uint16_t writtenNumber, std::string_view text) {
    addDeviceComment();
    deviceCommentNode& node = *deviceCommentList.newest;
    node.deviceLetter = static_cast<std::uint8_t>(letter);
    node.deviceNo = writtenNumber;
    setDeviceTexts(node, letter, writtenNumber, text);
    ++ModeData.deviceCommentCount;
}

void appendDeviceName(char letter, std::uint16_t writtenNumber, std::string_view text) {
    // The comment file numbers named inputs and outputs by their linear index, and a reader
    // takes the number as that index: X17 must go in as 15, or it comes back as X021.
    const auto index = isOctalDevice(static_cast<std::uint8_t>(letter)) ? octalNoToIndex(writtenNumber)
                                                                        : std::int32_t{writtenNumber};
    addDeviceName(static_cast<std::uint8_t>(letter), static_cast<std::uint16_t>(index));
    setDeviceTexts(*deviceNameList.newest, letter, writtenNumber, text);
    ++ModeData.deviceNameCount;
}

void appendBlockComment(std::uint16_t stepNo, std::string_view text) {
    addBlockComment(0, stepNo);
    copyText(blockCommentList.newest->text, text);
    ++ModeData.blockCommentCount;
    updateLadderBlockCommentId(stepNo, blockCommentList.newest->commentId);
}

void appendCoilComment(std::uint16_t stepNo, std::string_view text) {
    addCoilComment(stepNo, 0);
    copyText(coilCommentList.newest->text, text);
    ++ModeData.coilCommentCount;
    updateLadderCoilCommentId(stepNo, coilCommentList.newest->commentId);
}

bool removeDeviceComment() {
    if (!deleteDeviceComment()) return false;
    --ModeData.deviceCommentCount;
    return true;
}

bool removeDeviceName() {
    if (!deleteDeviceName()) return false;
    --ModeData.deviceNameCount;
    return true;
}

bool removeBlockComment() {
    if (!deleteBlockComment()) return false;
    --ModeData.blockCommentCount;
    return true;
}

bool removeCoilComment() {
    if (!deleteCoilComment()) return false;
    --ModeData.coilCommentCount;
    return true;
}

deviceCommentNode* findDeviceComment(std::string_view deviceText) {
    return findDeviceEntry(deviceCommentList, deviceText);
}

deviceNameNode* findDeviceName(std::string_view deviceText) {
    return findDeviceEntry(deviceNameList, deviceText);
}

blockCommentNode* findBlockComment(std::uint16_t id) {
    return findStepComment(blockCommentList, id);
}

coilCommentNode* findCoilComment(std::uint16_t id) {
    return findStepComment(coilCommentList, id);
}

void attachBlockComment(stLadderBlock& object, std::string_view text) {
    const auto stepNo = static_cast<std::uint16_t>(object.stepNo);
    addBlockComment(0, stepNo);
    blockCommentNode& node = *blockCommentList.newest;
    copyText(node.text, text);
    ++ModeData.blockCommentCount;
    if (firstObjectAtStep(stepNo) == &object) updateLadderBlockCommentId(stepNo, node.commentId);
    giveCommentId(object, node.commentId, &stLadderBlock::idBC);
}

void attachCoilComment(stLadderBlock& object, std::string_view text) {
    const auto stepNo = static_cast<std::uint16_t>(object.stepNo);
    addCoilComment(stepNo, 0);
    coilCommentNode& node = *coilCommentList.newest;
    copyText(node.text, text);
    ++ModeData.coilCommentCount;
    if (firstObjectAtStep(stepNo) == &object) updateLadderCoilCommentId(stepNo, node.commentId);
    giveCommentId(object, node.commentId, &stLadderBlock::idCC);
}

void changeDeviceComment(deviceCommentNode& node, std::string_view text) {
    copyText(node.text, text);
}
void changeBlockComment(blockCommentNode& node, std::string_view text) {
    copyText(node.text, text);
}
void changeCoilComment(coilCommentNode& node, std::string_view text) {
    copyText(node.text, text);
}

void deleteDeviceCommentEntry(deviceCommentNode& node) {
    deviceCommentList.walker = &node;
    removeDeviceComment();
}

void deleteDeviceNameEntry(deviceNameNode& node) {
    deviceNameList.walker = &node;
    removeDeviceName();
}

void deleteBlockCommentEntry(blockCommentNode& node) {
    forgetCommentId(node.commentId, &stLadderBlock::idBC);
    blockCommentList.walker = &node;
    removeBlockComment();
}

void deleteCoilCommentEntry(coilCommentNode& node) {
    forgetCommentId(node.commentId, &stLadderBlock::idCC);
    coilCommentList.walker = &node;
    removeCoilComment();
}

std::size_t commentImageBytes() {
    constexpr std::size_t kCountWords = std::size_t{5} * 2;  // five counts of two bytes
    constexpr std::size_t kDeviceEntry = 4 + 1;              // letter, 0, number, NUL
    constexpr std::size_t kStepEntry = 2 + 1;                // step, NUL
    constexpr std::size_t kMonitorEntry = 4 + 1;             // device code, ','
    std::size_t bytes = kCountWords;
    for (const DeviceCommentList* list : {&deviceNameList, &deviceCommentList})
        for (const deviceCommentNode* node = list->head; node != nullptr; node = node->next)
            bytes += kDeviceEntry + std::strlen(node->text.data());
    for (const blockCommentNode* node = blockCommentList.head; node != nullptr; node = node->next)
        bytes += kStepEntry + std::strlen(node->text.data());
    for (const coilCommentNode* node = coilCommentList.head; node != nullptr; node = node->next)
        bytes += kStepEntry + std::min<std::size_t>(std::strlen(node->text.data()), kCoilCommentTextSize - 1);
    for (const deviceMonitorNode* node = deviceMonitorList.head; node != nullptr; node = node->next)
        bytes += kMonitorEntry + std::strlen(node->deviceText.data());
    return bytes;
}

void resetCommentCounts() {
    ModeData.deviceNameCount = 0;
    ModeData.deviceCommentCount = 0;
    ModeData.blockCommentCount = 0;
    ModeData.coilCommentCount = 0;
    ModeData.monitorDeviceCount = 0;
    ModeData.cowNameOffset = 256;
    ModeData.cowCommentOffset = 258;
    ModeData.cowBlockOffset = 260;
    ModeData.cowCoilOffset = 262;
    ModeData.cowMonitorOffset = 264;
}

void ClearAllComment1Click() {
    for (int kind = kCommentListNames; kind <= kCommentListCoils; ++kind) freeCommentList(kind);
    freeDeviceMonitorList();
    freeLadderMonitorList();
    std::fill_n(CowBuffer.begin() + cowOffset::data, 32, std::uint8_t{0});
    resetCommentCounts();
    requestLadderRedraw();
}

}  // namespace kestrion
