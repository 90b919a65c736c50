#include "model/ladder/LadderObject.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_set>
#include <utility>

#include "model/core/ByteImage.h"
#include "model/core/LinkedList.h"
#include "model/core/MemoryNotEnough.h"
#include "model/image/ClipboardBlock.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

// ---- Trace labels ------------------------------------------------------------------------------

namespace {

struct LabelHash {
    std::size_t operator()(const TraceLabel::Bytes& bytes) const {
        return std::hash<std::string_view>()(std::string_view(bytes.data(), bytes.size()));
    }
};

// Every text a label has held, kept for the life of the program (they are few: the operations'
// names, and what a pasted image brought).
const TraceLabel::Bytes* keptLabel(const TraceLabel::Bytes& bytes) {
    static std::unordered_set<TraceLabel::Bytes, LabelHash> kept;
    return &*kept.insert(bytes).first;
}

const TraceLabel::Bytes kNoLabel{};

}  // namespace

TraceLabel::TraceLabel(const Bytes& bytes) : kept_(bytes == kNoLabel ? nullptr : keptLabel(bytes)) {}

const TraceLabel::Bytes& TraceLabel::bytes() const {
    return kept_ != nullptr ? *kept_ : kNoLabel;
}

void setText(TraceLabel& label, std::string_view text) {
    // Labels are set object by object from a few texts, taking turns: the last few set are asked
    // first, and of them the one found last before the others (a run of objects takes one text).
    struct Recent {
        bool used = false;
        std::string text;
        TraceLabel label;
    };
    static std::array<Recent, 4> recent;
    static std::size_t oldest = 0;
    static std::size_t lastFound = 0;
    const auto holds = [text](const Recent& r) { return r.used && r.text == text; };
    if (!holds(recent[lastFound])) {
        std::size_t found = 0;
        while (found < recent.size() && !holds(recent[found])) ++found;
        if (found == recent.size()) {
            TraceLabel::Bytes bytes{};
            setText(bytes, text);
            found = oldest;
            recent[found] = {true, std::string(text), TraceLabel(bytes)};
            oldest = (oldest + 1) % recent.size();
        }
        lastFound = found;
    }
    label = recent[lastFound].label;
}

// ---- The 288-byte image -----------------------------------------------------------------------

namespace {

// The u32 fields of bytes 0..47, one every four bytes.
constexpr std::uint32_t stLadderBlock::*kImageWords[] = {
    &stLadderBlock::objLbc,   &stLadderBlock::stepNo,     &stLadderBlock::xAddr,
    &stLadderBlock::yAddr,    &stLadderBlock::Xend,       &stLadderBlock::xMaxi,
    &stLadderBlock::orbXaddr, &stLadderBlock::xBlockAddr, &stLadderBlock::unsettled32,
    &stLadderBlock::yTopPos,  &stLadderBlock::end,        &stLadderBlock::unsettled44,
};

struct HalfWordField {
    std::size_t offset;
    std::uint16_t stLadderBlock::*field;
};
constexpr HalfWordField kImageHalfWords[] = {
    {48, &stLadderBlock::idBC},  {50, &stLadderBlock::idCC},  {52, &stLadderBlock::LinkNo},
    {60, &stLadderBlock::iCode}, {62, &stLadderBlock::rCode}, {276, &stLadderBlock::unsettled276},
};

// Every field but the links, in both directions: the image's fixed offsets in one place.
template <class Image, class Object, class Word, class Bytes>
void visitImageFields(Image& image, Object& object, Word word, Bytes bytes) {
    for (std::size_t i = 0; i < std::size(kImageWords); ++i) word(image, 4 * i, object.*kImageWords[i]);
    for (const HalfWordField& half : kImageHalfWords) word(image, half.offset, object.*half.field);
    word(image, 54, object.flagByte1);
    word(image, 55, object.flagByte2);
    bytes(image, 56, object.unsettled56);
    bytes(image, 64, object.mnemonic);
    for (std::size_t i = 0; i < object.operands.size(); ++i) bytes(image, 76 + 16 * i, object.operands[i]);
    bytes(image, 156, object.operand6);
    word(image, 160, object.objNo);
    bytes(image, 164, object.traceLabel);
    bytes(image, 212, object.unsettled212);
    bytes(image, 216, object.ID);
    for (std::size_t i = 0; i < object.ItemNo.size(); ++i) word(image, 220 + 2 * i, object.ItemNo[i]);
    for (std::size_t i = 0; i < object.monValue.size(); ++i) word(image, 232 + 8 * i, object.monValue[i]);
    word(image, 272, object.monMark);
    word(image, 273, object.monState);
    bytes(image, 274, object.unsettled274);
}

}  // namespace

LadderObjectImage ladderObjectImage(const stLadderBlock& object) {
    LadderObjectImage image{};  // the alignment gap and both link words stay zero
    visitImageFields(
        image, object,
        [](LadderObjectImage& out, std::size_t offset, auto value) {
            byteimage::put(out, offset, static_cast<std::make_unsigned_t<decltype(value)>>(value));
        },
        [](LadderObjectImage& out, std::size_t offset, const auto& field) {
            if constexpr (std::is_same_v<std::decay_t<decltype(field)>, TraceLabel>)
                byteimage::putField(out, offset, field.bytes());
            else
                byteimage::putField(out, offset, field);
        });
    return image;
}

void loadLadderObjectImage(const LadderObjectImage& image, stLadderBlock& dest) {
    visitImageFields(
        image, dest,
        [](const LadderObjectImage& in, std::size_t offset, auto& value) {
            using T = std::remove_reference_t<decltype(value)>;
            value = static_cast<T>(byteimage::get<std::make_unsigned_t<T>>(in, offset));
        },
        [](const LadderObjectImage& in, std::size_t offset, auto& field) {
            if constexpr (std::is_same_v<std::decay_t<decltype(field)>, TraceLabel>) {
                TraceLabel::Bytes bytes{};
                byteimage::getField(in, offset, bytes);
                field = TraceLabel(bytes);
            } else {
                byteimage::getField(in, offset, field);
            }
        });
}

int srcObjectCopyToDestObject(const stLadderBlock* source, stLadderBlock* dest) {
    const auto fail = [] {
        platform::say({"Error201501180912", "srcObjectCopyToDestObject", platform::MsgIcon::None});
        return 1;
    };
    if (source == nullptr || dest == nullptr) return fail();
    noteObjectChange(dest);
    // The bytes of the fields before the ID text are the whole of them.
    const auto* from = reinterpret_cast<const unsigned char*>(source) + kLadderObjectFieldsBegin;
    auto* to = reinterpret_cast<unsigned char*>(dest) + kLadderObjectFieldsBegin;
    if (source != dest) std::memcpy(to, from, kLadderObjectContentSize);
    if (std::memcmp(to, from, kLadderObjectContentSize) != 0) return fail();
    return 0;
}

// ---- The packed ladder -------------------------------------------------------------------------

// An object is packed as the eight-byte words of its fields that are not zero, behind a mask of
// which words they are. The bytes of the fields before the snapshots' count are the whole of them
// (a trace label names a text kept for the life of the program); they stay in memory, in no file.
namespace {

constexpr std::size_t kPackedFieldBytes = offsetof(stLadderBlock, heldBySnapshots) - kLadderObjectFieldsBegin;
constexpr std::size_t kWordBytes = 8;
constexpr std::size_t kPackedWords = (kPackedFieldBytes + kWordBytes - 1) / kWordBytes;
constexpr std::size_t kMaskBytes = (kPackedWords + 7) / 8;
static_assert(kPackedWords <= 64);

// The last word is cut at the snapshots' count. Every copy is of a length known when compiling:
// a copy of a length found at run time is a call, and packing makes one per word.
constexpr std::size_t kLastWord = kPackedWords - 1;
constexpr std::size_t kLastWordBytes = kPackedFieldBytes - kWordBytes * kLastWord;

template <std::size_t Bytes>
void copyWord(void* to, const void* from) {
    std::memcpy(to, from, Bytes);
}
void copyWordAt(std::size_t i, void* to, const void* from) {
    if (i < kLastWord)
        copyWord<kWordBytes>(to, from);
    else
        copyWord<kLastWordBytes>(to, from);
}

// The bytes go into chunks of a fixed size taken whole: nothing is moved as they fill, and at
// most the room of one object is left unused at the end of each.
constexpr std::size_t kChunkBytes = std::size_t{1} << 16;
constexpr std::size_t kMostPackedBytes = kMaskBytes + kPackedFieldBytes;

template <class Chunks, class Visit>
void visitPacked(const Chunks& chunks, Visit visit) {
    stLadderBlock object;
    for (const auto& chunk : chunks)
        for (const std::uint8_t* at = chunk.bytes.get(); at != chunk.bytes.get() + chunk.used;) {
            std::uint64_t mask = 0;
            std::memcpy(&mask, at, kMaskBytes);
            at += kMaskBytes;
            object = stLadderBlock{};
            auto* fields = reinterpret_cast<unsigned char*>(&object) + kLadderObjectFieldsBegin;
            for (; mask != 0; mask &= mask - 1) {
                const auto i = static_cast<std::size_t>(std::countr_zero(mask));
                copyWordAt(i, fields + kWordBytes * i, at);
                at += i < kLastWord ? kWordBytes : kLastWordBytes;
            }
            visit(object);
        }
}

// The words of one object being packed. Each word is its own step, its place and length known when
// compiling: a word that is zero, as most are, costs a load and a test, where a loop over the
// words paid its count, its place and a length found at run time for each of them.
struct PackedWords {
    std::uint8_t* packed;
    std::size_t length = kMaskBytes;
    std::uint64_t mask = 0;

    template <std::size_t I>
    void pack(const unsigned char* fields) {
        constexpr std::size_t bytes = I < kLastWord ? kWordBytes : kLastWordBytes;
        std::uint64_t word = 0;
        copyWord<bytes>(&word, fields + kWordBytes * I);
        if (word == 0) return;
        copyWord<bytes>(packed + length, &word);
        length += bytes;
        mask |= std::uint64_t{1} << I;
    }
    template <std::size_t First, std::size_t... I>
    void packEach(const unsigned char* fields, std::index_sequence<I...>) {
        (pack<First + I>(fields), ...);
    }
    template <std::size_t First, std::size_t End>
    void packWords(const unsigned char* fields) {
        packEach<First>(fields, std::make_index_sequence<End - First>());
    }
    // Words that are zero in most objects, asked in one test before each is asked alone.
    template <std::size_t First, std::size_t End>
    void packMostlyZero(const unsigned char* fields) {
        if (anyNonZero<First>(fields, std::make_index_sequence<End - First>())) packWords<First, End>(fields);
    }
    template <std::size_t First, std::size_t... I>
    static bool anyNonZero(const unsigned char* fields, std::index_sequence<I...>) {
        std::uint64_t any = 0;
        ((any |= wordAt<First + I>(fields)), ...);
        return any != 0;
    }
    template <std::size_t I>
    static std::uint64_t wordAt(const unsigned char* fields) {
        constexpr std::size_t bytes = I < kLastWord ? kWordBytes : kLastWordBytes;
        std::uint64_t word = 0;
        copyWord<bytes>(&word, fields + kWordBytes * I);
        return word;
    }
};

// The word that holds the byte at offset of the record.
constexpr std::size_t packedWordOf(std::size_t offset) {
    return (offset - kLadderObjectFieldsBegin) / kWordBytes;
}
// The runs of words that most objects leave zero: the trace label (of the few operations that set
// one), the unsettled words and the comment ids; the operand texts past the first few bytes of the
// first operand, the sixth operand and the object number; the monitor fields past the ID text.
constexpr std::size_t kLabelWord = packedWordOf(offsetof(stLadderBlock, traceLabel));
constexpr std::size_t kMnemonicWord = packedWordOf(offsetof(stLadderBlock, mnemonic));
constexpr std::size_t kOperandTailWord = kMnemonicWord + 2;
constexpr std::size_t kIdWord = packedWordOf(offsetof(stLadderBlock, ID));
static_assert(kLabelWord < kMnemonicWord && kOperandTailWord < kIdWord && kIdWord < kLastWord);

}  // namespace

PackedLadder::PackedLadder(const LadderList& list) {
    for (const stLadderBlock* o = list.head; o != nullptr; o = o->next) append(*o);
}

void PackedLadder::append(const stLadderBlock& object) {
    if (chunks_.empty() || chunks_.back().used + kMostPackedBytes > kChunkBytes)
        chunks_.push_back({std::make_unique_for_overwrite<std::uint8_t[]>(kChunkBytes), 0});
    Chunk& chunk = chunks_.back();
    std::uint8_t* const packed = chunk.bytes.get() + chunk.used;
    const auto* fields = reinterpret_cast<const unsigned char*>(&object) + kLadderObjectFieldsBegin;
    PackedWords words{packed};
    words.packWords<0, kLabelWord>(fields);
    words.packMostlyZero<kLabelWord, kMnemonicWord>(fields);
    words.packWords<kMnemonicWord, kOperandTailWord>(fields);
    words.packMostlyZero<kOperandTailWord, kIdWord>(fields);
    words.packWords<kIdWord, kIdWord + 1>(fields);
    words.packMostlyZero<kIdWord + 1, kPackedWords>(fields);
    const std::uint64_t mask = words.mask;
    const std::size_t length = words.length;
    std::memcpy(packed, &mask, kMaskBytes);
    wordsUsed_ |= mask;
    chunk.used += length;
    bytes_ += length;
    ++count_;
}

void PackedLadder::forEach(const std::function<void(const stLadderBlock&)>& visit) const {
    visitPacked(chunks_, [&](const stLadderBlock& object) { visit(object); });
}

void PackedLadder::unpackInto(LadderList& list) const {
    visitPacked(chunks_, [&](const stLadderBlock& object) {
        auto* twin = allocateOrHalt<stLadderBlock>("Memory not enough...system halt");
        *twin = object;
        twin->heldBySnapshots = 0;
        links::pushBack(list, twin);
    });
}

bool PackedLadder::mayHoldNonZero(std::size_t offset, std::size_t size) const {
    if (size == 0 || offset < kLadderObjectFieldsBegin) return true;
    const std::size_t first = (offset - kLadderObjectFieldsBegin) / kWordBytes;
    const std::size_t last = (offset - kLadderObjectFieldsBegin + size - 1) / kWordBytes;
    for (std::size_t word = first; word <= last; ++word)
        if (word >= kPackedWords || (wordsUsed_ >> word & 1u) != 0) return true;
    return false;
}

std::shared_ptr<const PackedLadder> PackedLadder::changed(
    const std::function<bool(stLadderBlock&)>& change) const {
    std::shared_ptr<PackedLadder> result(new PackedLadder);
    bool any = false;
    visitPacked(chunks_, [&](stLadderBlock& object) {
        any = change(object) || any;
        result->append(object);
    });
    if (!any) return nullptr;
    return result;
}

}  // namespace kestrion
