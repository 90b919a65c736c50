#include "editor/DeviceReplace.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "editor/CommentEdit.h"
#include "editor/EditorDialogs.h"
#include "editor/EditorViewState.h"
#include "editor/LadderFind.h"
#include "entry/EntryDriver.h"
#include "entry/InstructionBox.h"
#include "entry/InstructionRecogniser.h"
#include "lang/Texts.h"
#include "model/core/CommandTransaction.h"
#include "model/image/CommentLists.h"
#include "model/image/ModeData.h"
#include "model/image/ProgramImage.h"
#include "model/instructions/DeviceRanges.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/EditMarks.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/VirtualCanvas.h"
#include "platform/Box.h"
#include "platform/MessagesStandIn.h"
#include "platform/Services.h"

namespace kestrion {

// The device comments and device names, which a replace carries with their devices.
struct DeviceTexts {
    DeviceCommentList comments;
    DeviceCommentList names;
    std::uint16_t commentCount = 0;
    std::uint16_t nameCount = 0;
};

// The device comments and names on the other side of the last replace, for Undo to swap in: valid
// while the undo copy is the one that replace took and the texts are as it left them.
struct ReplacedComments {
    std::uint32_t undoGeneration = 0;
    DeviceTexts other;
    DeviceTexts expected;  // the texts as they are while the record holds
};

namespace {

bool isLabel(char letter) {
    return letter == 'P' || letter == 'I';
}

// A nesting level of MC and MCR typed alone (N0, n7): an operand of its own kind, not a device.
bool namesNestingLevel(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text.size() >= 2 && (text[0] == 'N' || text[0] == 'n') &&
           text.find_first_not_of("0123456789", 1) == std::string_view::npos;
}

std::optional<std::uint32_t> stepNumber(const std::string& text) {
    std::uint32_t value = 0;
    const char* const last = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), last, value);
    if (text.empty() || error != std::errc{} || stop != last) return std::nullopt;
    return value;
}

// The boxes the instruction box's checkers show while the replace judges its lines: kept, not
// shown, so that one box tells which line does not fit.
class HeldBoxes : public platform::MessagesStandIn {
public:
    platform::MsgAnswer show(const std::string& text, const std::string& caption, platform::MsgIcon,
                             platform::MsgButtons) override {
        if (first.empty()) first = text + (caption.empty() ? "" : " (" + caption + ")");
        return platform::MsgAnswer::Ok;
    }
    std::string first;
};

using Texts = std::array<std::string, kOperandCount>;

Texts operandTexts(const stLadderBlock& object) {
    Texts texts;
    for (std::size_t i = 0; i < 5; ++i) texts[i] = textOf(object.operands[i]);
    texts[5] = textOf(object.operand6);
    return texts;
}

void writeOperands(stLadderBlock& object, const Texts& texts) {
    for (std::size_t i = 0; i < 5; ++i) setText(object.operands[i], texts[i]);
    setText(object.operand6, texts[5]);
}

// The new device as the load writes it in that place: an input or output standing alone as an
// operand in three digits at least (X000, Y017), as the load writes contacts and coils; every other
// device, and an input or output in a digit group or with an index register, in its number alone
// (D733, K4X10, X10Z0). Numbers have at most six digits, so an operand (K8S999999Z7 at the longest)
// always fits its field.
std::string deviceText(const DeviceName& device, bool standsAlone) {
    return standsAlone ? device.commentKey() : device.text();
}

// One device of an operand and what it becomes.
struct DevicePair {
    DeviceName from;
    DeviceName to;
};

// One object whose operands change.
struct Change {
    stLadderBlock* object = nullptr;
    Texts texts;
    std::size_t operands = 0;
};

// The operand with its device replaced, and the devices it moved; none when it names no device of
// the range.
std::optional<std::string> replacedOperand(const std::string& text, const DeviceReplacement& replacement,
                                           std::vector<DevicePair>& moved) {
    const std::optional<OperandDevice> operand = operandDevice(text);
    if (!operand || isLabel(operand->device.letter)) return std::nullopt;
    const std::optional<DeviceName> becomes = replacement.replacementOf(operand->device);
    if (!becomes) return std::nullopt;
    const std::uint32_t bits = std::max<std::uint32_t>(operand->groupBits, 1);
    for (std::uint32_t i = 0; i < bits; ++i) {
        const auto from = deviceAtIndex(operand->device.letter, operand->device.index() + i);
        const auto to = deviceAtIndex(becomes->letter, becomes->index() + i);
        if (from && to) moved.push_back({*from, *to});
    }
    const std::string_view rest = std::string_view(text).substr(operand->end);
    const bool standsAlone = operand->groupBits == 0 && rest.find_first_not_of(' ') == std::string_view::npos;
    return text.substr(0, operand->begin) + deviceText(*becomes, standsAlone) + std::string(rest);
}

std::vector<Change> changesOf(const DeviceReplacement& replacement, std::vector<DevicePair>& moved) {
    std::vector<Change> changes;
    std::uint32_t step = 0;  // the step of the last object that has one
    for (stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        if (const std::optional<std::uint32_t> own = knownStep(*o)) step = *own;
        if (!replacement.wholeProgram && (step < replacement.firstStep || step > replacement.lastStep))
            continue;
        if (o->iCode == kCodeNop || o->iCode == kCodeEnd) continue;
        Change change{o, operandTexts(*o), 0};
        for (std::string& text : change.texts) {
            if (const auto replaced = replacedOperand(text, replacement, moved)) {
                text = *replaced;
                ++change.operands;
            }
        }
        if (change.operands != 0) changes.push_back(std::move(change));
    }
    return changes;
}

std::string lineText(const stLadderBlock& object, const Texts& texts) {
    stLadderBlock shown;
    shown.mnemonic = object.mnemonic;
    writeOperands(shown, texts);
    return objectEntryText(shown);
}

std::string placeText(const stLadderBlock& object) {
    const std::string line =
        std::to_string(object.yAddr / std::max<std::uint32_t>(ModeData.ySizeSymble, 1) + 1);
    const std::optional<std::uint32_t> step = knownStep(object);
    return step ? textWith("ReplaceAtStepLine", {std::to_string(*step), line})
                : textWith("ReplaceAtLine", {line});
}

// The code the box gives the line with these operands; 0 when it refuses it. The mnemonic is
// written as the box splits a typed line: a blank after it when operands follow.
std::uint32_t boxCode(const stLadderBlock& object, const Texts& texts) {
    stLadderBlock scratch;
    std::string mnemonic = textOf(object.mnemonic);
    while (!mnemonic.empty() && mnemonic.back() == ' ') mnemonic.pop_back();
    const bool operands = std::any_of(texts.begin(), texts.end(),
                                      [](const std::string& t) { return !t.empty() && t.front() != ' '; });
    setText(scratch.mnemonic, operands ? mnemonic + " " : mnemonic);
    writeOperands(scratch, texts);
    return recheckLadderLine(object.xAddr, object.yAddr, scratch.mnemonic, operandTextsOf(scratch));
}

// Every changed line judged; the codes the changed lines take (0: the code stays). False, after
// the box that names the first line that does not fit.
bool judged(const std::vector<Change>& changes, std::vector<std::uint16_t>& codes) {
    for (const Change& change : changes) {
        const stLadderBlock& object = *change.object;
        std::uint32_t code = 0;
        std::uint32_t old = 0;
        std::string why;
        {
            HeldBoxes held;
            code = boxCode(object, change.texts);
            why = held.first;
        }
        if (code == 0) {
            platform::say({textWith("ReplaceRefused", {lineText(object, change.texts), placeText(object),
                                                       std::to_string(pmw.plcType())}) +
                               (why.empty() ? "" : "\n" + why),
                           textOf("ReplaceCaption"), platform::MsgIcon::Warning});
            return false;
        }
        {
            const HeldBoxes held;
            old = boxCode(object, operandTexts(object));
        }
        // A contact or coil whose device now needs another form (M0 -> M2000) takes the code the
        // box gives that form.
        codes.push_back(old != 0 && old != code ? static_cast<std::uint16_t>(code) : 0);
    }
    return true;
}

bool usedAnywhere(const DeviceName& device) {
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        for (const std::string& text : operandTexts(*o)) {
            const std::optional<OperandDevice> operand = operandDevice(text);
            if (operand && operandCovers(*operand, device)) return true;
        }
    }
    return false;
}

// Only an input or output of the PLC type takes a name: a name whose device becomes another letter
// stays where it is.
bool takesName(const DeviceName& device) {
    return (device.letter == 'X' || device.letter == 'Y') &&
           xyNumberValid(pmw.plcType(), static_cast<std::int32_t>(device.number));
}

// The device comments (or names) after the replace, and how many the devices that take the place
// kept. Each moved device's text goes to the device it became (taken from the texts before the
// replace, so overlapping ranges move each once), unless that device keeps another text of its own:
// one that stays because the device does not move, or whose own text cannot go over in turn. The
// moved device then keeps its text too. A moved device whose text went over and that no operand names
// any more loses its text.
struct CommentMoves {
    std::vector<PreparedComment> prepared;
    std::size_t kept = 0;
};

CommentMoves commentMoves(const std::vector<DevicePair>& moved, CommentKind kind) {
    const bool names = kind == CommentKind::Name;
    const auto textOfDevice = [names](const std::string& key) {
        const deviceCommentNode* node = names ? findDeviceName(key) : findDeviceComment(key);
        return node == nullptr ? std::optional<std::string>()
                               : std::optional<std::string>(textOf(node->text));
    };
    std::map<std::string, DevicePair> pairs;   // source key -> the move of a text
    std::map<std::string, std::string> texts;  // the texts of those sources and targets before
    for (const DevicePair& pair : moved) {
        const std::string key = pair.from.commentKey();
        const std::optional<std::string> text = textOfDevice(key);
        if (!text || pair.from == pair.to || (names && !takesName(pair.to))) continue;
        pairs.emplace(key, pair);
        texts[key] = *text;
        if (const std::optional<std::string> own = textOfDevice(pair.to.commentKey()))
            texts[pair.to.commentKey()] = *own;
    }
    std::set<std::string> going;
    for (const auto& [key, pair] : pairs) going.insert(key);
    const auto keepsOther = [&](const std::string& from, const std::string& to) {
        const auto own = texts.find(to);
        return own != texts.end() && own->second != texts.at(from) && going.count(to) == 0;
    };
    // A text that cannot go over leaves its device's place taken, which can stop the text before it.
    for (bool changed = true; changed;) {
        changed = false;
        for (const auto& [key, pair] : pairs) {
            if (going.count(key) == 0 || !keepsOther(key, pair.to.commentKey())) continue;
            going.erase(key);
            changed = true;
        }
    }
    std::map<std::string, std::pair<DeviceName, std::string>> becoming;  // target key -> target, text
    for (const std::string& key : going) {
        const DeviceName& to = pairs.at(key).to;
        becoming.emplace(to.commentKey(), std::make_pair(to, texts.at(key)));
    }
    CommentMoves moves;
    moves.kept = pairs.size() - going.size();
    const auto prepare = [&](const DeviceName& device, const std::string& bytes) {
        PreparedComment c;
        c.kind = kind;
        c.device = {device.letter, static_cast<std::uint16_t>(device.number), device.commentKey()};
        c.bytes = bytes;
        moves.prepared.push_back(std::move(c));
    };
    for (const auto& [key, target] : becoming) prepare(target.first, target.second);
    for (const DevicePair& pair : moved) {
        const std::string key = pair.from.commentKey();
        if (going.count(key) == 0 || becoming.count(key) != 0 || usedAnywhere(pair.from)) continue;
        going.erase(key);
        prepare(pair.from, "");
    }
    return moves;
}

bool sameComments(const DeviceCommentList& a, const DeviceCommentList& b) {
    const deviceCommentNode* x = a.head;
    const deviceCommentNode* y = b.head;
    for (; x != nullptr && y != nullptr; x = x->next, y = y->next)
        if (textOf(x->deviceText) != textOf(y->deviceText) || textOf(x->text) != textOf(y->text))
            return false;
    return x == nullptr && y == nullptr;
}

DeviceTexts deviceTexts() {
    return {deviceCommentList, deviceNameList, ModeData.deviceCommentCount, ModeData.deviceNameCount};
}

bool sameTexts(const DeviceTexts& a, const DeviceTexts& b) {
    return sameComments(a.comments, b.comments) && sameComments(a.names, b.names);
}

// The closing box names its counts in the singular where they are one; every instruction changed
// has an operand changed, so one operand means one instruction.
const char* replaceDoneId(const ReplaceOutcome& outcome) {
    if (outcome.operands == 1) return "ReplaceDoneOne";
    return outcome.objects == 1 ? "ReplaceDoneInOne" : "ReplaceDone";
}

}  // namespace

std::optional<DeviceName> DeviceReplacement::replacementOf(const DeviceName& device) const {
    if (device.letter != first.letter) return std::nullopt;
    const std::uint32_t at = device.index();
    if (at < first.index() || at - first.index() >= count) return std::nullopt;
    return deviceAtIndex(target.letter, target.index() + (at - first.index()));
}

std::optional<DeviceReplacement> readReplacement(const std::string& from, const std::string& to,
                                                 bool wholeProgram, const std::string& firstStep,
                                                 const std::string& lastStep) {
    const std::size_t dash = from.find('-');
    const std::optional<DeviceName> first = typedDevice(from.substr(0, dash));
    const std::optional<DeviceName> last =
        dash == std::string::npos ? first : typedDevice(from.substr(dash + 1));
    const std::optional<DeviceName> target = typedDevice(to);
    if (namesNestingLevel(from.substr(0, dash)) ||
        (dash != std::string::npos && namesNestingLevel(from.substr(dash + 1))) || namesNestingLevel(to)) {
        platform::say({textOf("ReplaceNesting"), textOf("ReplaceCaption"), platform::MsgIcon::Warning});
        return std::nullopt;
    }
    if (!first || !last || !target) {
        platform::say({textOf("ReplaceNoDevices"), textOf("ReplaceCaption"), platform::MsgIcon::Warning});
        return std::nullopt;
    }
    if (isLabel(first->letter) || isLabel(target->letter)) {
        platform::say({textOf("ReplaceLabels"), textOf("ReplaceCaption"), platform::MsgIcon::Warning});
        return std::nullopt;
    }
    if (last->letter != first->letter || last->index() < first->index()) {
        platform::say({textOf("ReplaceRangeOrder"), textOf("ReplaceCaption"), platform::MsgIcon::Warning});
        return std::nullopt;
    }
    DeviceReplacement replacement;
    replacement.first = *first;
    replacement.count = last->index() - first->index() + 1;
    replacement.target = *target;
    if (*first == *target) {
        platform::say(
            {textWith("ReplaceSame", {first->text()}), textOf("ReplaceCaption"), platform::MsgIcon::Warning});
        return std::nullopt;
    }
    if (!deviceAtIndex(target->letter, target->index() + replacement.count - 1)) {
        platform::say({textOf("ReplaceNoDevices"), textOf("ReplaceCaption"), platform::MsgIcon::Warning});
        return std::nullopt;
    }
    replacement.wholeProgram = wholeProgram;
    if (!wholeProgram) {
        const std::optional<std::uint32_t> low = stepNumber(firstStep);
        const std::optional<std::uint32_t> high = stepNumber(lastStep);
        if (!low || !high || *low > *high) {
            platform::say({textOf("ReplaceSteps"), textOf("ReplaceCaption"), platform::MsgIcon::Warning});
            return std::nullopt;
        }
        replacement.firstStep = *low;
        replacement.lastStep = *high;
    }
    return replacement;
}

ReplaceOutcome replaceDevices(const DeviceReplacement& replacement) {
    if (ldrHead == nullptr || refuseEditInMonitorMode()) return {};
    std::vector<DevicePair> moved;
    const std::vector<Change> changes = changesOf(replacement, moved);
    const std::string named =
        replacement.count == 1
            ? replacement.first.text()
            : replacement.first.text() + "-" +
                  deviceAtIndex(replacement.first.letter, replacement.first.index() + replacement.count - 1)
                      ->text();
    if (changes.empty()) {
        platform::say({textWith("ReplaceNoneFound", {named}), textOf("ReplaceCaption"),
                       platform::MsgIcon::Information});
        return {};
    }
    std::vector<std::uint16_t> codes;
    if (!judged(changes, codes)) return {};

    ReplaceOutcome outcome;
    DeviceTexts before = deviceTexts();
    const bool committed = runCommand([&] {
        backupLadderDiagramMemory(1);
        backupVirtualCanvas(1);
        for (std::size_t i = 0; i < changes.size(); ++i) {
            stLadderBlock& object = *changes[i].object;
            writeOperands(object, changes[i].texts);
            if (codes[i] != 0) object.iCode = codes[i];
            addGrayMaskRow(object.yAddr);
            outcome.operands += changes[i].operands;
        }
        CommentMoves comments = commentMoves(moved, CommentKind::Device);
        const CommentMoves names = commentMoves(moved, CommentKind::Name);
        std::vector<PreparedComment>& prepared = comments.prepared;
        prepared.insert(prepared.end(), names.prepared.begin(), names.prepared.end());
        if (!prepared.empty() && (!roomForComments(prepared) || !applyComments(prepared))) return false;
        outcome.kept = comments.kept + names.kept;
        editModeFlags |= kEditLadderNotConverted | kEditModifiedSinceSave;
        requestLadderRedraw();
        canvasState.editCancelMenuEnabled = true;
        return true;
    });
    if (!committed) return {};
    outcome.replaced = true;
    outcome.objects = changes.size();
    editorView.replacedComments.reset();
    DeviceTexts after = deviceTexts();
    if (!sameTexts(before, after)) {
        auto record = std::make_shared<ReplacedComments>();
        record->undoGeneration = canvasState.undoCopyGeneration;
        record->other = std::move(before);
        record->expected = std::move(after);
        editorView.replacedComments = std::move(record);
    }
    std::string done =
        textWith(replaceDoneId(outcome), {std::to_string(outcome.operands), std::to_string(outcome.objects)});
    if (outcome.kept != 0)
        done += "\n" + textWith(outcome.kept == 1 ? "ReplaceKeptOne" : "ReplaceKept",
                                {std::to_string(outcome.kept)});
    platform::say({done, textOf("ReplaceCaption"), platform::MsgIcon::Information});
    return outcome;
}

void swapReplacedComments() {
    const std::shared_ptr<ReplacedComments> record = editorView.replacedComments;
    if (record == nullptr || record->undoGeneration != canvasState.undoCopyGeneration) return;
    DeviceTexts now = deviceTexts();
    if (!sameTexts(record->expected, now)) return;
    deviceCommentList = record->other.comments;
    deviceNameList = record->other.names;
    ModeData.deviceCommentCount = record->other.commentCount;
    ModeData.deviceNameCount = record->other.nameCount;
    record->expected = std::move(record->other);
    record->other = std::move(now);
}

bool ReplaceDialog::btnOkClick() {
    checked = readReplacement(from, to, wholeProgram, firstStep, lastStep);
    return checked && replaceDevices(*checked).replaced;
}

void replaceWithDialog() {
    if (ldrHead == nullptr) return;
    ReplaceDialog dialog;
    if (editorView.findKept && static_cast<FindKind>(editorView.findKind) == FindKind::Device)
        dialog.from = editorView.findText;
    editorDialogs().replace(dialog);
}

}  // namespace kestrion
