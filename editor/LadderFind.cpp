#include "editor/LadderFind.h"

#include <cctype>

#include "editor/EditorDialogs.h"
#include "editor/EditorViewState.h"
#include "editor/LadderLayout.h"
#include "entry/InstructionBox.h"
#include "lang/CodePage.h"
#include "lang/Texts.h"
#include "model/core/TextBuffers.h"
#include "model/image/CommentLists.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

std::string upperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::uint64_t deviceKey(const DeviceName& device) {
    return (std::uint64_t{static_cast<unsigned char>(device.letter)} << 32) | device.number;
}

// A text holds the wanted one (already upper case) somewhere, letters compared in either case.
bool holds(std::string_view text, std::string_view wanted) {
    const std::string upper = upperCase(text);
    for (std::size_t at = 0; at + wanted.size() <= upper.size(); ++at)
        if (compareAnsiPrefix(wanted.size(), std::string_view(upper).substr(at), wanted)) return true;
    return false;
}

// The objects a technician sees: not the block and stack joints, the placeholders, nor the wires.
bool findable(const stLadderBlock& object) {
    const SymbolKind kind = symbolKindOf(object);
    return kind != SymbolKind::None && kind != SymbolKind::Wire;
}

// The devices an object names: its operands, and a label's own name.
template <class Visit>
void forEachDevice(const stLadderBlock& object, Visit&& visit) {
    if (symbolKindOf(object) == SymbolKind::Label) {
        if (const auto label = operandDevice(textOf(object.mnemonic))) visit(*label);
        return;
    }
    for (const auto& operand : object.operands)
        if (const auto device = operandDevice(textOf(operand))) visit(*device);
    if (const auto device = operandDevice(textOf(object.operand6))) visit(*device);
}

const std::string* commentFor(const FindMatcher::CommentIndex& comments, const DeviceName& device) {
    const auto found = comments.find(deviceKey(device));
    return found != comments.end() ? &found->second : nullptr;
}

std::string deviceComments(const stLadderBlock& object, const FindMatcher::CommentIndex& index) {
    std::string comments;
    forEachDevice(object, [&](const OperandDevice& operand) {
        if (operand.groupBits != 0) return;
        if (const std::string* comment = commentFor(index, operand.device))
            comments += (comments.empty() ? "" : "  ") + *comment;
    });
    return comments;
}

template <class List>
std::string stepComment(const List& list, std::uint16_t id) {
    if (id == 0) return {};
    for (const auto* node = list.head; node != nullptr; node = node->next)
        if (node->commentId == id) return textFromCodePage(textOf(node->text));
    return {};
}

// (y, x) reading order of a place.
bool before(const stLadderBlock& object, std::uint32_t x, std::uint32_t y) {
    return object.yAddr < y || (object.yAddr == y && object.xAddr < x);
}

// Where the walk starts: the first object it tests.
stLadderBlock* firstTested(FindDirection direction, std::uint32_t x, std::uint32_t y) {
    const bool down = direction == FindDirection::Down;
    if (searchLadderObject(kSearchMain, x, y)) return down ? ldrSearch->next : ldrSearch->prev;
    if (down) {
        for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
            if (!before(*o, x, y)) return o;
        return nullptr;
    }
    for (stLadderBlock* o = ldrTail; o != nullptr; o = o->prev)
        if (before(*o, x, y)) return o;
    return nullptr;
}

struct KeptFind {
    FindQuery query;
    FindDirection direction = FindDirection::Down;
};

KeptFind keptFind() {
    return {{static_cast<FindKind>(editorView.findKind), editorView.findText},
            static_cast<FindDirection>(editorView.findDirection)};
}

void keepFind(const FindQuery& query, FindDirection direction) {
    editorView.findKind = static_cast<int>(query.kind);
    editorView.findText = query.text;
    editorView.findDirection = static_cast<int>(direction);
    editorView.findKept = true;
}

}  // namespace

std::optional<FindMatcher> FindMatcher::prepare(const FindQuery& query) {
    FindMatcher matcher;
    matcher.query_ = query;
    const std::string text = trimBlanks(query.text);
    if (text.empty()) {
        platform::say({textOf("FindNothingTyped"), textOf("FindCaption"), platform::MsgIcon::Warning});
        return std::nullopt;
    }
    matcher.upper_ = upperCase(text);
    switch (query.kind) {
        case FindKind::Device: {
            const std::optional<DeviceName> device = typedDevice(text);
            if (!device) {
                platform::say(
                    {textWith("FindNoDevice", {text}), textOf("FindCaption"), platform::MsgIcon::Warning});
                return std::nullopt;
            }
            matcher.device_ = *device;
            break;
        }
        case FindKind::Instruction: break;
        case FindKind::Comment:
            for (const deviceCommentNode* node = deviceCommentList.head; node != nullptr; node = node->next) {
                const auto device = typedDevice(textOf(node->deviceText));
                if (device && holds(textFromCodePage(textOf(node->text)), matcher.upper_))
                    matcher.commentedDevices_.insert(deviceKey(*device));
            }
            for (const deviceNameNode* node = deviceNameList.head; node != nullptr; node = node->next) {
                const auto device = typedDevice(textOf(node->deviceText));
                const std::string name = textFromCodePage(textOf(node->text));
                if (!device || !holds(name, matcher.upper_)) continue;
                matcher.commentedDevices_.insert(deviceKey(*device));
                matcher.names_.emplace(deviceKey(*device), name);
            }
            for (const blockCommentNode* node = blockCommentList.head; node != nullptr; node = node->next)
                if (holds(textFromCodePage(textOf(node->text)), matcher.upper_))
                    matcher.blockIds_.insert(node->commentId);
            for (const coilCommentNode* node = coilCommentList.head; node != nullptr; node = node->next)
                if (holds(textFromCodePage(textOf(node->text)), matcher.upper_))
                    matcher.coilIds_.insert(node->commentId);
            break;
    }
    return matcher;
}

bool FindMatcher::matches(const stLadderBlock& object) const {
    if (!findable(object)) return false;
    switch (query_.kind) {
        case FindKind::Device: {
            bool found = false;
            forEachDevice(object, [&](const OperandDevice& operand) {
                found = found || operandCovers(operand, device_);
            });
            return found;
        }
        case FindKind::Instruction: {
            const std::string mnemonic = trimBlanks(textOf(object.mnemonic));
            return compareAnsiPrefix(upper_.size(), mnemonic, upper_);
        }
        case FindKind::Comment: {
            if ((object.idBC != 0 && blockIds_.count(object.idBC) != 0) ||
                (object.idCC != 0 && coilIds_.count(object.idCC) != 0))
                return true;
            if (commentedDevices_.empty()) return false;
            bool found = false;
            forEachDevice(object, [&](const OperandDevice& operand) {
                const std::uint32_t bits = std::max<std::uint32_t>(operand.groupBits, 1);
                for (std::uint32_t i = 0; i < bits && !found; ++i) {
                    const auto device = deviceAtIndex(operand.device.letter, operand.device.index() + i);
                    found = device && commentedDevices_.count(deviceKey(*device)) != 0;
                }
            });
            return found;
        }
    }
    return false;
}

FindMatcher::CommentIndex FindMatcher::deviceCommentIndex() {
    CommentIndex index;
    for (const deviceCommentNode* node = deviceCommentList.head; node != nullptr; node = node->next)
        if (const auto device = typedDevice(textOf(node->deviceText)))
            index.emplace(deviceKey(*device), textFromCodePage(textOf(node->text)));
    return index;
}

std::string FindMatcher::commentOf(const stLadderBlock& object, const CommentIndex& index) const {
    if (query_.kind != FindKind::Comment) return deviceComments(object, index);
    std::string comments;
    const auto add = [&](const std::string& text) {
        if (!text.empty() && holds(text, upper_)) comments += (comments.empty() ? "" : "  ") + text;
    };
    forEachDevice(object, [&](const OperandDevice& operand) {
        const std::uint32_t bits = std::max<std::uint32_t>(operand.groupBits, 1);
        for (std::uint32_t i = 0; i < bits; ++i)
            if (const auto device = deviceAtIndex(operand.device.letter, operand.device.index() + i)) {
                if (const std::string* name = commentFor(names_, *device)) add(*name);
                if (const std::string* comment = commentFor(index, *device)) add(*comment);
            }
    });
    add(stepComment(blockCommentList, object.idBC));
    add(stepComment(coilCommentList, object.idCC));
    return comments;
}

std::optional<std::uint32_t> knownStep(const stLadderBlock& object) {
    if (object.stepNo >= kStepNoPlaceholder) return std::nullopt;
    return object.stepNo;
}

FindOutcome findFrom(const FindMatcher& matcher, FindDirection direction, std::uint32_t x, std::uint32_t y) {
    const bool down = direction == FindDirection::Down;
    stLadderBlock* const start = firstTested(direction, x, y);
    for (stLadderBlock* o = start; o != nullptr; o = down ? o->next : o->prev)
        if (matcher.matches(*o)) return {o, false};
    // Round the end: from the other end up to where the walk began (the framed object included).
    for (stLadderBlock* o = down ? ldrHead : ldrTail; o != nullptr && o != start;
         o = down ? o->next : o->prev)
        if (matcher.matches(*o)) return {o, true};
    return {};
}

std::vector<FoundPlace> findAll(const FindMatcher& matcher) {
    const FindMatcher::CommentIndex comments = FindMatcher::deviceCommentIndex();
    std::vector<FoundPlace> places;
    for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        if (!matcher.matches(*o)) continue;
        const std::optional<std::uint32_t> step = knownStep(*o);
        places.push_back(
            {o, step ? std::to_string(*step) : "-", objectEntryText(*o), matcher.commentOf(*o, comments)});
    }
    return places;
}

void frameFoundObject(const stLadderBlock& object, const char* statusPhraseId) {
    xOldCursor = object.xAddr;
    yOldCursor = object.yAddr;
    setBlueFrameObject(xOldCursor, yOldCursor);
    const std::optional<std::uint32_t> step = knownStep(object);
    const std::string where = step ? textOf(statusPhraseId, Language::English) + std::to_string(*step)
                                   : textOf("StatusFoundNotConverted", Language::English);
    platform::statusBar().setPanelText(0, where + ": " + objectEntryText(object));
}

bool findOnce(const FindQuery& query, FindDirection direction) {
    keepFind(query, direction);
    if (ldrHead == nullptr) return false;
    const std::optional<FindMatcher> matcher = FindMatcher::prepare(query);
    if (!matcher) return false;
    const FindOutcome found = findFrom(*matcher, direction, BlueFrame.x1, BlueFrame.y1);
    if (found.object == nullptr) {
        platform::say({textWith("FindNotFound", {trimBlanks(query.text)}), textOf("FindCaption"),
                       platform::MsgIcon::Information});
        return false;
    }
    if (found.wrapped)
        platform::say({textOf(direction == FindDirection::Down ? "FindWrappedToStart" : "FindWrappedToEnd"),
                       textOf("FindCaption"), platform::MsgIcon::Information});
    frameFoundObject(*found.object, "StatusFoundAtStep");
    return true;
}

void findWithDialog() {
    if (ldrHead == nullptr) return;
    const KeptFind kept = keptFind();
    FindDialog dialog;
    dialog.text = kept.query.text;
    dialog.kind = kept.query.kind;
    dialog.direction = kept.direction;
    // A framed device is what a technician most often looks for next.
    if (dialog.text.empty() && searchLadderObject(kSearchMain, BlueFrame.x1, BlueFrame.y1)) {
        if (const auto device = operandDevice(textOf(ldrSearch->operands[0])))
            dialog.text = device->device.text();
    }
    editorDialogs().find(dialog);
    if (dialog.action == FindAction::Cancel) return;
    const FindQuery query{dialog.kind, dialog.text};
    if (dialog.action == FindAction::FindNext) {
        findOnce(query, dialog.direction);
        return;
    }
    keepFind(query, dialog.direction);
    const std::optional<FindMatcher> matcher = FindMatcher::prepare(query);
    if (!matcher) return;
    FindListDialog list;
    list.query = trimBlanks(query.text);
    list.places = findAll(*matcher);
    if (list.places.empty()) {
        platform::say(
            {textWith("FindNotFound", {list.query}), textOf("FindCaption"), platform::MsgIcon::Information});
        return;
    }
    editorDialogs().findList(list);
}

void findAgain(FindDirection direction) {
    if (ldrHead == nullptr) return;
    if (!editorView.findKept || trimBlanks(editorView.findText).empty()) {
        findWithDialog();
        return;
    }
    findOnce(keptFind().query, direction);
}

void FindListDialog::rowDoubleClick(std::size_t row) {
    if (row >= places.size()) return;
    frameFoundObject(*places[row].object, "StatusFoundAtStep");
}

GoToOutcome goToStep(std::uint32_t step) {
    const stLadderBlock* end = ldrTail;
    if (end == nullptr) return GoToOutcome::NoObject;
    const std::optional<std::uint32_t> endStep = knownStep(*end);
    if (endStep && step > *endStep) {
        platform::say({textWith("GoToPastEnd", {std::to_string(step), std::to_string(*endStep)}),
                       textOf("GoToStepCaption"), platform::MsgIcon::Information});
        return GoToOutcome::PastEnd;
    }
    const stLadderBlock* best = nullptr;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        const std::optional<std::uint32_t> at = knownStep(*o);
        if (!at || *at > step || !findable(*o)) continue;
        if (best == nullptr || *at > best->stepNo) best = o;
    }
    if (best == nullptr) return GoToOutcome::NoObject;
    frameFoundObject(*best, "StatusAtStep");
    return GoToOutcome::Moved;
}

void goToStepWithDialog() {
    if (ldrHead == nullptr) return;
    NumberEntryRequest request;
    request.caption = "Go to step";
    request.stepNoLabel = "Step No.";
    if (const std::optional<std::uint32_t> endStep = knownStep(*ldrTail))
        request.stringLabel = "0 - " + std::to_string(*endStep) + " (END)";
    const NumberEntryResult answer = editorDialogs().goToStep(request);
    if (answer.okFlag != 1) return;
    goToStep(static_cast<std::uint32_t>(answer.number));
}

}  // namespace kestrion
