#include "editor/CommentEdit.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "editor/EditorDialogs.h"
#include "lang/CodePage.h"
#include "lang/Texts.h"
#include "model/core/CommandTransaction.h"
#include "model/image/CommentLists.h"
#include "model/image/CowImage.h"
#include "model/image/ModeData.h"
#include "model/image/ProgramImage.h"
#include "model/instructions/DeviceRanges.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr std::size_t kDeviceEntryBytes = 5;  // letter, 0, number, NUL
constexpr std::size_t kStepEntryBytes = 3;    // step, NUL

// The kind as the messages name it, in the interface language.
std::string kindName(CommentKind kind) {
    switch (kind) {
        case CommentKind::Device: return textOf("CommentKindDevice");
        case CommentKind::Block: return textOf("CommentKindBlock");
        case CommentKind::Coil: return textOf("CommentKindCoil");
        case CommentKind::Name: return textOf("CommentKindName");
    }
    return textOf("CommentKindDevice");
}

// The comment dialog's caption in the interface language.
std::string commentCaption() {
    return translated(kCommentCaption, currentLanguage());
}

// The devices a comment may name: the bit and word devices of the ladder.
DeviceRangeCheck rangeCheckOf(char letter) {
    return std::string_view("XYMSTCD").find(letter) == std::string_view::npos ? nullptr
                                                                              : deviceRangeCheckOf(letter);
}

std::string_view withoutBlanks(std::string_view typed) {
    while (!typed.empty() && typed.front() == ' ') typed.remove_prefix(1);
    while (!typed.empty() && typed.back() == ' ') typed.remove_suffix(1);
    return typed;
}

// Letter and number of a typed device; none when the text is not one.
std::optional<CommentDevice> deviceForm(std::string_view typed) {
    typed = withoutBlanks(typed);
    if (typed.size() < 2 || typed.size() > 6) return std::nullopt;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(typed[0])));
    if (rangeCheckOf(letter) == nullptr) return std::nullopt;
    const bool octal = letter == 'X' || letter == 'Y';
    std::uint32_t number = 0;
    for (const char c : typed.substr(1)) {
        if (c < '0' || c > (octal ? '7' : '9')) return std::nullopt;
        number = number * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (number > 0xFFFF) return std::nullopt;
    CommentDevice device;
    device.letter = letter;
    device.number = static_cast<std::uint16_t>(number);
    device.text = deviceTextFor(letter, number);
    return device;
}

// The program's PLC type has the device; its range check shows its own box otherwise.
bool inRange(const CommentDevice& device) {
    return rangeCheckOf(device.letter)(pmw.plcType(), device.number) == 0;
}

// An input or output of the program's PLC type, the only devices that take a name; none, after the
// box that says so, for any other.
std::optional<CommentDevice> namedDevice(std::string_view typed) {
    const std::optional<CommentDevice> device = deviceForm(typed);
    if (device && isOctalDevice(static_cast<std::uint8_t>(device->letter)) &&
        xyNumberValid(pmw.plcType(), device->number))
        return device;
    platform::say({textWith("NameDeviceRefused", {std::string(withoutBlanks(typed))}), commentCaption(),
                   platform::MsgIcon::Warning});
    return std::nullopt;
}

// The device of a typed comment or name. A name that stands in the list can always be deleted: a
// comment file from elsewhere may hold names of other devices.
std::optional<CommentDevice> typedDeviceOf(const TypedComment& typed) {
    if (typed.kind != CommentKind::Name) return parseCommentDevice(typed.device);
    if (const deviceNameNode* node = findDeviceName(typed.device); node != nullptr && typed.text.empty())
        return CommentDevice{static_cast<char>(node->deviceLetter), 0, node->deviceText.data()};
    return namedDevice(typed.device);
}

DeviceCommentList& deviceListOf(CommentKind kind) {
    return kind == CommentKind::Name ? deviceNameList : deviceCommentList;
}

std::size_t storedLength(const char* text, CommentKind kind) {
    return std::min(std::strlen(text), commentLimit(kind));
}

// What one prepared comment adds to the comment file: bytes, and an entry (+1), none or one less.
struct Growth {
    std::ptrdiff_t bytes = 0;
    int entries = 0;
};

Growth growthOf(const PreparedComment& c) {
    const std::size_t entryBytes = keyedByDevice(c.kind) ? kDeviceEntryBytes : kStepEntryBytes;
    const char* old = nullptr;
    if (c.kind == CommentKind::Device) {
        if (const deviceCommentNode* node = findDeviceComment(c.device.text)) old = node->text.data();
    } else if (c.kind == CommentKind::Name) {
        if (const deviceNameNode* node = findDeviceName(c.device.text)) old = node->text.data();
    } else if (c.kind == CommentKind::Block) {
        if (const blockCommentNode* node = findBlockComment(c.commentId)) old = node->text.data();
    } else if (const coilCommentNode* node = findCoilComment(c.commentId)) {
        old = node->text.data();
    }
    const auto now = static_cast<std::ptrdiff_t>(c.bytes.size() + entryBytes);
    if (old == nullptr) return c.bytes.empty() ? Growth{} : Growth{now, 1};
    const auto before = static_cast<std::ptrdiff_t>(storedLength(old, c.kind) + entryBytes);
    if (c.bytes.empty()) return {-before, -1};
    return {now - before, 0};
}

std::size_t entriesOf(CommentKind kind) {
    switch (kind) {
        case CommentKind::Device: return ModeData.deviceCommentCount;
        case CommentKind::Block: return ModeData.blockCommentCount;
        case CommentKind::Coil: return ModeData.coilCommentCount;
        case CommentKind::Name: return ModeData.deviceNameCount;
    }
    return 0;
}

std::size_t mostEntriesOf(CommentKind kind) {
    switch (kind) {
        case CommentKind::Device: return kMaxDeviceComments;
        case CommentKind::Block: return kMaxBlockComments;
        case CommentKind::Coil: return kMaxCoilComments;
        case CommentKind::Name: return kMaxDeviceNames;
    }
    return 0;
}

// The comment file takes what the changes add: entries within each section's limit, bytes within
// the image.
bool roomFor(const std::vector<PreparedComment>& prepared) {
    std::ptrdiff_t bytes = 0;
    int added[kCommentKinds] = {};
    for (const PreparedComment& c : prepared) {
        const Growth growth = growthOf(c);
        bytes += growth.bytes;
        added[static_cast<int>(c.kind)] += growth.entries;
    }
    for (const CommentKind kind :
         {CommentKind::Device, CommentKind::Block, CommentKind::Coil, CommentKind::Name}) {
        const int more = added[static_cast<int>(kind)];
        if (more > 0 && entriesOf(kind) + static_cast<std::size_t>(more) > mostEntriesOf(kind)) {
            platform::say({textWith("CommentTooMany", {std::to_string(mostEntriesOf(kind)), kindName(kind)}),
                           commentCaption(), platform::MsgIcon::Warning});
            return false;
        }
    }
    const auto used = static_cast<std::ptrdiff_t>(cowOffset::data + commentImageBytes());
    if (bytes > 0 && used + bytes > static_cast<std::ptrdiff_t>(kCowPackLimit)) {
        platform::say({textOf("CommentFileFull"), commentCaption(), platform::MsgIcon::Warning});
        return false;
    }
    return true;
}

void applyOne(const PreparedComment& c) {
    switch (c.kind) {
        case CommentKind::Device:
            if (deviceCommentNode* node = findDeviceComment(c.device.text))
                c.bytes.empty() ? deleteDeviceCommentEntry(*node) : changeDeviceComment(*node, c.bytes);
            else if (!c.bytes.empty())
                appendDeviceComment(c.device.letter, c.device.number, c.bytes);
            break;
        case CommentKind::Block:
            if (blockCommentNode* node = findBlockComment(c.commentId))
                c.bytes.empty() ? deleteBlockCommentEntry(*node) : changeBlockComment(*node, c.bytes);
            else if (!c.bytes.empty() && c.object != nullptr)
                attachBlockComment(*c.object, c.bytes);
            break;
        case CommentKind::Coil:
            if (coilCommentNode* node = findCoilComment(c.commentId))
                c.bytes.empty() ? deleteCoilCommentEntry(*node) : changeCoilComment(*node, c.bytes);
            else if (!c.bytes.empty() && c.object != nullptr)
                attachCoilComment(*c.object, c.bytes);
            break;
        case CommentKind::Name:
            if (deviceNameNode* node = findDeviceName(c.device.text))
                c.bytes.empty() ? deleteDeviceNameEntry(*node) : changeDeviceComment(*node, c.bytes);
            else if (!c.bytes.empty())
                appendDeviceName(c.device.letter, c.device.number, c.bytes);
            break;
    }
}

// The first object of the block that holds the framed row, END's block excepted.
stLadderBlock* blockHeadAt(std::uint32_t y, const stLadderBlock* framed) {
    std::uint32_t id = 0;
    bool found = false;
    for (const stLadderBlock* o = ldrHead; o != nullptr && !found; o = o->next) {
        if (o == ldrTail || o->iCode == kCodeEnd) continue;
        if (framed != nullptr ? o == framed : o->yAddr == y) {
            id = o->objLbc;
            found = true;
        }
    }
    if (!found) return nullptr;
    for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
        if (o->objLbc == id && o != ldrTail) return o;
    return nullptr;
}

std::string lineLabel(const stLadderBlock& object) {
    const std::uint32_t height = std::max<std::uint32_t>(ModeData.ySizeSymble, 1);
    return textWith("CommentBlockLine", {std::to_string(object.yAddr / height + 1)});
}

std::string objectLabel(const stLadderBlock& object) {
    std::string label = textOf(object.mnemonic);
    while (!label.empty() && label.back() == ' ') label.pop_back();
    const std::string operand = textOf(object.operands[0]);
    if (!operand.empty() && operand[0] != ' ') label += " " + operand;
    return label;
}

// What carries a block or coil comment in the ladder: the first object with its id.
std::string ownerLabel(std::uint16_t id, std::uint16_t stLadderBlock::*field) {
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
        if (id != 0 && o->*field == id) return objectLabel(*o);
    return {};
}

std::vector<std::uint16_t> commentIds(CommentKind kind) {
    std::vector<std::uint16_t> ids;
    if (kind == CommentKind::Block)
        for (const blockCommentNode* node = blockCommentList.head; node != nullptr; node = node->next)
            ids.push_back(node->commentId);
    if (kind == CommentKind::Coil)
        for (const coilCommentNode* node = coilCommentList.head; node != nullptr; node = node->next)
            ids.push_back(node->commentId);
    return ids;
}

std::string upperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

bool roomForComments(const std::vector<PreparedComment>& prepared) {
    return roomFor(prepared);
}

bool keyedByDevice(CommentKind kind) {
    return kind == CommentKind::Device || kind == CommentKind::Name;
}

std::size_t commentLimit(CommentKind kind) {
    switch (kind) {
        case CommentKind::Device: return kDeviceCommentTextSize - 1;
        case CommentKind::Block: return kBlockCommentTextSize - 1;
        case CommentKind::Coil: return kCoilCommentTextSize - 1;
        case CommentKind::Name: return kDeviceCommentTextSize - 1;
    }
    return 0;
}

std::optional<CommentDevice> quietCommentDevice(std::string_view typed) {
    return deviceForm(typed);
}

std::optional<CommentDevice> parseCommentDevice(std::string_view typed) {
    const std::optional<CommentDevice> device = deviceForm(typed);
    if (!device) {
        platform::say({textOf("CommentDeviceForm"), commentCaption(), platform::MsgIcon::Warning});
        return std::nullopt;
    }
    if (!inRange(*device)) return std::nullopt;
    return device;
}

std::optional<std::vector<PreparedComment>> prepareComments(const std::vector<TypedComment>& typed) {
    std::vector<PreparedComment> prepared;
    for (const TypedComment& t : typed) {
        PreparedComment c;
        c.kind = t.kind;
        c.object = t.object;
        c.commentId = t.commentId;
        if (keyedByDevice(t.kind)) {
            const std::optional<CommentDevice> device = typedDeviceOf(t);
            if (!device) return std::nullopt;
            c.device = *device;
        }
        const CodePageText text = textToCodePage(t.text, commentLimit(t.kind));
        if (text.unwritable) {
            platform::say({textWith("CommentUnwritable", {kindName(t.kind)}), commentCaption(),
                           platform::MsgIcon::Warning});
            return std::nullopt;
        }
        // A name is a label the technician chose word for word: too long, it is given back to be
        // shortened rather than cut.
        if (text.cut && t.kind == CommentKind::Name) {
            platform::say({textWith("NameTooLong", {std::to_string(commentLimit(t.kind))}), commentCaption(),
                           platform::MsgIcon::Warning});
            return std::nullopt;
        }
        if (text.cut)
            platform::say({textWith("CommentCut", {kindName(t.kind), std::to_string(commentLimit(t.kind))}),
                           commentCaption(), platform::MsgIcon::Information});
        c.bytes = text.bytes;
        prepared.push_back(std::move(c));
    }
    if (!roomForComments(prepared)) return std::nullopt;
    return prepared;
}

bool applyComments(const std::vector<PreparedComment>& prepared) {
    if (prepared.empty()) return false;
    return runCommand([&] {
        for (const PreparedComment& c : prepared) applyOne(c);
        editModeFlags |= kEditModifiedSinceSave;
        requestLadderRedraw();
    });
}

std::string commentForDisplay(std::string_view bytes) {
    return textFromCodePage(bytes);
}

void CommentEditDialog::deviceChanged(const std::string& typed) {
    const std::optional<CommentDevice> named = quietCommentDevice(typed);
    if (!named || named->text == shownDevice) return;
    shownDevice = device = named->text;
    const deviceCommentNode* node = findDeviceComment(named->text);
    shownDeviceComment = deviceComment = node != nullptr ? commentForDisplay(node->text.data()) : "";
}

bool CommentEditDialog::btnOkClick() {
    std::vector<TypedComment> typed;
    const bool deviceNamed = !device.empty() || !deviceComment.empty();
    const std::optional<CommentDevice> named = quietCommentDevice(device);
    const bool otherDevice = !named || named->text != shownDevice;
    if (deviceNamed && (deviceComment != shownDeviceComment || (otherDevice && !deviceComment.empty())))
        typed.push_back({CommentKind::Device, device, nullptr, 0, deviceComment});
    if (blockAvailable && blockComment != shownBlockComment)
        typed.push_back({CommentKind::Block, "", blockObject, blockId, blockComment});
    if (coilAvailable && coilComment != shownCoilComment)
        typed.push_back({CommentKind::Coil, "", coilObject, coilId, coilComment});
    const std::optional<std::vector<PreparedComment>> checked = prepareComments(typed);
    if (!checked) return false;
    prepared = *checked;
    return true;
}

CommentEditDialog commentDialogAtFrame() {
    CommentEditDialog dialog;
    setBlueFrameObject(BlueFrame.x1, BlueFrame.y1);
    stLadderBlock* framed = ldrSearch;
    if (framed != nullptr && (framed == ldrTail || framed->iCode == kCodeEnd)) framed = nullptr;
    if (framed != nullptr) {
        if (const std::optional<CommentDevice> named = quietCommentDevice(textOf(framed->operands[0])))
            dialog.device = named->text;
    }
    if (const deviceCommentNode* node = findDeviceComment(dialog.device))
        dialog.deviceComment = commentForDisplay(node->text.data());
    if (stLadderBlock* head = blockHeadAt(BlueFrame.y1, framed)) {
        dialog.blockAvailable = true;
        dialog.blockObject = head;
        dialog.blockLabel = lineLabel(*head);
        if (const blockCommentNode* node = findBlockComment(head->idBC)) {
            dialog.blockId = node->commentId;
            dialog.blockComment = commentForDisplay(node->text.data());
        }
    }
    if (framed != nullptr && framed->end == kEndOutput) {
        dialog.coilAvailable = true;
        dialog.coilObject = framed;
        dialog.coilLabel = objectLabel(*framed);
        if (const coilCommentNode* node = findCoilComment(framed->idCC)) {
            dialog.coilId = node->commentId;
            dialog.coilComment = commentForDisplay(node->text.data());
        }
    }
    dialog.shownDevice = dialog.device;
    dialog.shownDeviceComment = dialog.deviceComment;
    dialog.shownBlockComment = dialog.blockComment;
    dialog.shownCoilComment = dialog.coilComment;
    return dialog;
}

bool editCommentsOnFrame() {
    if (ldrHead == nullptr) return false;
    CommentEditDialog dialog = commentDialogAtFrame();
    if (!editorDialogs().commentEdit(dialog)) return false;
    return applyComments(dialog.prepared);
}

std::vector<CommentListRow> commentListRows(CommentKind kind) {
    std::vector<CommentListRow> rows;
    switch (kind) {
        case CommentKind::Device:
        case CommentKind::Name:
            for (const deviceCommentNode* node = deviceListOf(kind).head; node != nullptr; node = node->next)
                rows.push_back({node->deviceText.data(), "", commentForDisplay(node->text.data())});
            break;
        case CommentKind::Block:
            for (const blockCommentNode* node = blockCommentList.head; node != nullptr; node = node->next)
                rows.push_back({std::to_string(node->stepNo),
                                ownerLabel(node->commentId, &stLadderBlock::idBC),
                                commentForDisplay(node->text.data())});
            break;
        case CommentKind::Coil:
            for (const coilCommentNode* node = coilCommentList.head; node != nullptr; node = node->next)
                rows.push_back({std::to_string(node->stepNo),
                                ownerLabel(node->commentId, &stLadderBlock::idCC),
                                commentForDisplay(node->text.data())});
            break;
    }
    return rows;
}

int findCommentRow(const std::vector<CommentListRow>& rows, std::string_view text, int from) {
    if (text.empty() || rows.empty()) return -1;
    const std::string wanted = upperCase(text);
    const int count = static_cast<int>(rows.size());
    const int start = from < 0 || from >= count ? 0 : from;
    for (int i = 0; i < count; ++i) {
        const CommentListRow& row = rows[static_cast<std::size_t>((start + i) % count)];
        for (const std::string* field : {&row.key, &row.owner, &row.comment})
            if (upperCase(*field).find(wanted) != std::string::npos) return (start + i) % count;
    }
    return -1;
}

bool changeListedComment(CommentKind kind, std::size_t row, const std::string& key, const std::string& text) {
    TypedComment typed;
    typed.kind = kind;
    typed.text = text;
    if (keyedByDevice(kind)) {
        const deviceCommentNode* node = deviceListOf(kind).head;
        for (std::size_t i = 0; node != nullptr && i < row; ++i) node = node->next;
        if (node == nullptr && text.empty()) return false;
        typed.device = node != nullptr ? std::string(node->deviceText.data()) : key;
    } else {
        const std::vector<std::uint16_t> ids = commentIds(kind);
        if (row >= ids.size()) return false;
        typed.commentId = ids[row];
    }
    const std::optional<std::vector<PreparedComment>> prepared = prepareComments({typed});
    return prepared && applyComments(*prepared);
}

}  // namespace kestrion
