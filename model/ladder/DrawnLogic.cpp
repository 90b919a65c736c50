#include "model/ladder/DrawnLogic.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <iterator>
#include <numeric>
#include <utility>

#include "model/image/ModeData.h"
#include "model/instructions/InstructionCodes.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/DrawnSymbols.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/VirtualCanvas.h"

namespace kestrion {

// ---- The pool of conditions ------------------------------------------------------------------------

namespace {

std::uint64_t mixed(std::uint64_t h, std::uint64_t v) {
    h ^= v + 0x9E3779B97F4A7C15ULL + (h << 6) + (h >> 2);
    return h * 0xBF58476D1CE4E5B9ULL;
}

}  // namespace

ConditionPool::ConditionPool() : slots_(1024, kOff) {
    terms_.push_back({Kind::Off, 0, 0, 0});
    terms_.push_back({Kind::On, 0, 0, 0});
}

void ConditionPool::grow() {
    std::vector<Condition> bigger(slots_.size() * 2, kOff);
    const std::size_t mask = bigger.size() - 1;
    for (const Condition c : slots_) {
        if (c == kOff) continue;
        std::size_t at = terms_[c].hash & mask;
        while (bigger[at] != kOff) at = (at + 1) & mask;
        bigger[at] = c;
    }
    slots_.swap(bigger);
}

Condition ConditionPool::intern(Kind kind, const std::vector<Condition>& kids) {
    std::uint64_t h = static_cast<std::uint64_t>(kind) + 1;
    for (const Condition k : kids) h = mixed(h, k);
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = h & mask;
    for (; slots_[at] != kOff; at = (at + 1) & mask) {
        const Term& t = terms_[slots_[at]];
        if (t.hash == h && t.kind == kind && t.count == kids.size() &&
            std::equal(kids.begin(), kids.end(), kidsOf(slots_[at])))
            return slots_[at];
    }
    const auto made = static_cast<Condition>(terms_.size());
    terms_.push_back(
        {kind, static_cast<std::uint32_t>(kids_.size()), static_cast<std::uint32_t>(kids.size()), h});
    kids_.insert(kids_.end(), kids.begin(), kids.end());
    slots_[at] = made;
    if (2 * terms_.size() > slots_.size()) grow();
    return made;
}

Condition ConditionPool::literal(std::uint64_t identity, const stLadderBlock& named, bool contact) {
    const auto found = literals_.find(identity);
    if (found != literals_.end()) return found->second;
    scratch_.assign(1, static_cast<Condition>(literals_.size()));
    const Condition made = intern(Kind::Contact, scratch_);
    literals_.emplace(identity, made);
    DrawnName& name = names_.emplace_back();
    name.mnemonic = named.mnemonic;
    name.operands = named.operands;
    name.contact = contact;
    return made;
}

void ConditionPool::appendKids(Kind kind, Condition c) {
    if (terms_[c].kind == kind)
        scratch_.insert(scratch_.end(), kidsOf(c), kidsOf(c) + terms_[c].count);
    else
        scratch_.push_back(c);
}

// OR is kept flat, its terms ordered and each once: the same branches in parallel are one condition
// in whatever order the lines join them.
Condition ConditionPool::joined(Kind kind, Condition a, Condition b) {
    scratch_.clear();
    appendKids(kind, a);
    appendKids(kind, b);
    std::sort(scratch_.begin(), scratch_.end());
    scratch_.erase(std::unique(scratch_.begin(), scratch_.end()), scratch_.end());
    if (scratch_.size() == 1) return scratch_.front();
    return intern(kind, scratch_);
}

Condition ConditionPool::both(Condition a, Condition b) {
    if (a == kOff || b == kOff) return kOff;
    if (a == kOn) return b;
    if (b == kOn) return a;
    if (a == b) return a;
    // A series is kept as it runs, two terms at a time: a line's contacts give the same terms in
    // the same order however long the wire between them; other groupings of the same contacts
    // meet in the exact comparison.
    scratch_.assign({std::min(a, b), std::max(a, b)});
    return intern(Kind::And, scratch_);
}

Condition ConditionPool::either(Condition a, Condition b) {
    if (a == kOn || b == kOn) return kOn;
    if (a == kOff) return b;
    if (b == kOff) return a;
    if (a == b) return a;
    return joined(Kind::Or, a, b);
}

Condition ConditionPool::inverted(Condition a) {
    if (a == kOff) return kOn;
    if (a == kOn) return kOff;
    if (terms_[a].kind == Kind::Not) return *kidsOf(a);
    scratch_.assign(1, a);
    return intern(Kind::Not, scratch_);
}

Condition ConditionPool::edgeOf(Condition a, bool rising) {
    scratch_.assign(1, a);
    return intern(rising ? Kind::Rising : Kind::Falling, scratch_);
}

std::span<const Condition> ConditionPool::partsOf(Condition c) const {
    const Term& t = terms_[c];
    if (t.kind == Kind::Contact) return {};
    return {kidsOf(c), t.count};
}

// ---- The exact comparison ----------------------------------------------------------------------------

namespace {

constexpr std::uint32_t kNoLevel = 0xFFFFFFFFU;
constexpr std::uint32_t kFalse = 0, kTrue = 1;
enum : std::uint32_t { kAnd = 1, kOr, kNot };

}  // namespace

std::uint32_t ConditionPool::growNodes() {
    std::vector<Slot> bigger(std::max<std::size_t>(256, nodeSlots_.size() * 2));
    const std::size_t mask = bigger.size() - 1;
    for (std::uint32_t n = 2; n < nodes_.size(); ++n) {
        const Node& v = nodes_[n];
        std::size_t at = mixed(mixed(v.level, v.low), v.high) & mask;
        while (bigger[at].pair == pair_) at = (at + 1) & mask;
        bigger[at] = {pair_, n};
    }
    nodeSlots_.swap(bigger);
    return static_cast<std::uint32_t>(mask);
}

std::uint32_t ConditionPool::node(std::uint32_t level, std::uint32_t low, std::uint32_t high) {
    if (low == high) return low;
    std::size_t mask = nodeSlots_.size() - 1;
    if (2 * nodes_.size() + 2 > nodeSlots_.size()) mask = growNodes();
    std::size_t at = mixed(mixed(level, low), high) & mask;
    for (; nodeSlots_[at].pair == pair_; at = (at + 1) & mask) {
        const Node& v = nodes_[nodeSlots_[at].node];
        if (v.level == level && v.low == low && v.high == high) return nodeSlots_[at].node;
    }
    const auto made = static_cast<std::uint32_t>(nodes_.size());
    nodes_.push_back({level, low, high});
    nodeSlots_[at] = {pair_, made};
    return made;
}

// Both diagrams walked together, a variable at a time; a pair of nodes met again is looked up in a
// cache that may forget, never answer wrong.
std::uint32_t ConditionPool::join(bool both, std::uint32_t f, std::uint32_t g) {
    const std::uint32_t dominant = both ? kFalse : kTrue;
    if (f == dominant || g == dominant) return dominant;
    if (f == (dominant ^ 1U) || f == g) return g;
    if (g == (dominant ^ 1U)) return f;
    if (f > g) std::swap(f, g);
    const std::uint32_t op = both ? kAnd : kOr;
    Cached& cached = cache_[mixed(mixed(op, f), g) & (cache_.size() - 1)];
    if (cached.pair == pair_ && cached.op == op && cached.f == f && cached.g == g) return cached.result;
    const Node a = nodes_[f], b = nodes_[g];
    const std::uint32_t level = std::min(a.level, b.level);
    const std::uint32_t low = join(both, a.level == level ? a.low : f, b.level == level ? b.low : g);
    const std::uint32_t high = join(both, a.level == level ? a.high : f, b.level == level ? b.high : g);
    const std::uint32_t result = node(level, low, high);
    cache_[mixed(mixed(op, f), g) & (cache_.size() - 1)] = {pair_, op, f, g, result};
    return result;
}

std::uint32_t ConditionPool::negation(std::uint32_t f) {
    if (f <= kTrue) return f ^ 1U;
    Cached& cached = cache_[mixed(kNot, f) & (cache_.size() - 1)];
    if (cached.pair == pair_ && cached.op == kNot && cached.f == f) return cached.result;
    const Node a = nodes_[f];
    const std::uint32_t low = negation(a.low), high = negation(a.high);
    const std::uint32_t result = node(a.level, low, high);
    cache_[mixed(kNot, f) & (cache_.size() - 1)] = {pair_, kNot, f, 0, result};
    return result;
}

std::uint32_t ConditionPool::variable() {
    return node(levels_++, kFalse, kTrue);
}

// The diagram of a condition, its parts first: a contact is a variable the first time the walk meets
// it, an edge one for each logic that rises (a falling edge's logic inverted).
std::uint32_t ConditionPool::diagramOf(Condition c) {
    walk_.assign(1, c);
    while (!walk_.empty()) {
        const Condition t = walk_.back();
        const Term& term = terms_[t];
        if (termPair_[t] == pair_) {
            walk_.pop_back();
            continue;
        }
        bool ready = true;
        for (std::uint32_t k = term.count; term.kind != Kind::Contact && k-- > 0;)
            if (termPair_[kidsOf(t)[k]] != pair_) {
                walk_.push_back(kidsOf(t)[k]);
                ready = false;
            }
        if (!ready) continue;
        walk_.pop_back();
        std::uint32_t d = term.kind == Kind::On ? kTrue : kFalse;
        switch (term.kind) {
            case Kind::Off:
            case Kind::On: break;
            case Kind::Contact: d = variable(); break;
            case Kind::And:
            case Kind::Or:
                d = termDiagram_[kidsOf(t)[0]];
                for (std::uint32_t k = 1; k < term.count; ++k)
                    d = join(term.kind == Kind::And, d, termDiagram_[kidsOf(t)[k]]);
                break;
            case Kind::Not: d = negation(termDiagram_[kidsOf(t)[0]]); break;
            case Kind::Rising:
            case Kind::Falling: {
                // a falling edge is the rising edge of the logic inverted
                const std::uint32_t of = termDiagram_[kidsOf(t)[0]];
                const std::uint32_t key = term.kind == Kind::Rising ? of : negation(of);
                const auto known = std::find_if(edgeLevels_.begin(), edgeLevels_.end(),
                                                [key](const auto& edge) { return edge.first == key; });
                if (known != edgeLevels_.end()) {
                    d = node(known->second, kFalse, kTrue);
                } else {
                    edgeLevels_.emplace_back(key, levels_);
                    d = variable();
                }
                break;
            }
        }
        termPair_[t] = pair_;
        termDiagram_[t] = d;
    }
    return termDiagram_[c];
}

bool ConditionPool::sameLogic(Condition a, Condition b) {
    if (a == b) return true;
    ++pair_;
    if (nodes_.empty()) {
        nodes_ = {{kNoLevel, kFalse, kFalse}, {kNoLevel, kTrue, kTrue}};
        cache_.resize(4096);
    }
    nodes_.resize(2);
    levels_ = 0;
    edgeLevels_.clear();
    if (termPair_.size() < terms_.size()) {
        termPair_.resize(terms_.size(), 0);
        termDiagram_.resize(terms_.size(), 0);
    }
    const std::uint32_t first = diagramOf(a);
    return diagramOf(b) == first;
}

// ---- What the view draws ---------------------------------------------------------------------------

namespace {

std::string fieldText(const char* field, std::size_t size) {
    std::string text(field, strnlen(field, size));
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

template <std::size_t N>
bool present(const std::array<char, N>& operand) {
    return operand[0] != '\0' && operand[0] != ' ';
}

// What an object is compared by: its kind (a contact by its symbol, so LD, AND and OR alike; a
// compare contact by its comparison, "!=" as "<>"; anything else by its mnemonic) and its operands
// in capitals without the leading zeros of their numbers ("X010" and "X10" alike).
class IdentityHash {
public:
    void byte(char c) { h_ = (h_ ^ static_cast<unsigned char>(c)) * 0x100000001B3ULL; }
    void text(const char* from, const char* to) {
        for (; from != to; ++from) byte(*from);
    }
    void operand(const char* field, std::size_t size) {
        byte('|');
        bool inNumber = false;
        for (std::size_t i = 0; i < size && field[i] != '\0'; ++i) {
            const char c =
                field[i] >= 'a' && field[i] <= 'z' ? static_cast<char>(field[i] - 'a' + 'A') : field[i];
            if (c == ' ') continue;
            const bool digit = c >= '0' && c <= '9';
            const bool nextDigit = i + 1 < size && field[i + 1] >= '0' && field[i + 1] <= '9';
            if (digit && !inNumber && c == '0' && nextDigit) continue;  // a leading zero
            inNumber = digit;
            byte(c);
        }
    }
    std::uint64_t value() const { return h_; }

private:
    std::uint64_t h_ = 0xCBF29CE484222325ULL;
};

std::uint64_t identityOf(const stLadderBlock& o, SymbolKind kind) {
    IdentityHash h;
    h.byte(static_cast<char>(kind));
    const char* m = o.mnemonic.data();
    const char* end = m + strnlen(m, o.mnemonic.size());
    while (end != m && end[-1] == ' ') --end;
    if (kind == SymbolKind::CompareContact) {
        for (const char* family : {"AND", "LD", "OR"}) {
            const std::size_t n = std::strlen(family);
            if (static_cast<std::size_t>(end - m) >= n && std::strncmp(m, family, n) == 0) {
                m += n;
                break;
            }
        }
        for (const char* c = m; c != end; ++c) {
            if (c[0] == '!' && c + 1 != end && c[1] == '=') {
                h.byte('<');
                h.byte('>');
                ++c;
            } else {
                h.byte(*c);
            }
        }
    } else if (kind != SymbolKind::Contact && kind != SymbolKind::NegatedContact &&
               kind != SymbolKind::RisingContact && kind != SymbolKind::FallingContact) {
        h.text(m, end);
    }
    for (const auto& operand : o.operands)
        if (present(operand)) h.operand(operand.data(), operand.size());
    return h.value();
}

bool isContactKind(SymbolKind kind) {
    return kind == SymbolKind::Contact || kind == SymbolKind::NegatedContact ||
           kind == SymbolKind::RisingContact || kind == SymbolKind::FallingContact;
}

DrawnName nameOf(const stLadderBlock& o, SymbolKind kind) {
    DrawnName name;
    name.mnemonic = o.mnemonic;
    name.operands = o.operands;
    name.contact = isContactKind(kind);
    return name;
}

// SRET, FEND, NEXT and the like stand at the bus in every form (pulse and 32-bit ones too).
bool needsContact(std::uint16_t code) {
    constexpr std::uint16_t kPulseAndWide = 0x1001;
    return !isUnconditionalInstrCode(code) && !isUnconditionalInstrCode(code & ~kPulseAndWide & 0xFFFF);
}

// One piece of a line as the view paints it: from x0 to x1, wire, a contact or an INV.
struct Piece {
    enum class Kind : std::uint8_t { Wire, Contact, Invert, Edge };
    Kind kind = Kind::Wire;
    bool rising = false;
    std::uint32_t line = 0;
    std::uint32_t x0 = 0, x1 = 0;
    Condition literal = ConditionPool::kOn;
    const stLadderBlock* object = nullptr;
};

struct Edge {
    std::uint32_t from;
    std::uint32_t piece;
};

std::uint64_t pointKey(std::uint32_t line, std::uint32_t x) {
    return (std::uint64_t{line} << 32) | x;
}

// The sums of a ladder's instruction identities, whatever their order.
void sumObjects(DrawnLadder& ladder) {
    ladder.objectSum = {};
    for (const DrawnObject& o : ladder.objects) {
        ladder.objectSum[0] += mixed(o.identity, 0x9E3779B97F4A7C15ULL);
        ladder.objectSum[1] += mixed(o.identity, 0xD1B54A32D192ED03ULL);
    }
}

// Reads the lines from `top` up to (not including) `end`: the whole ladder, or lines no link joins to
// the lines around them.
class LadderReading {
public:
    LadderReading(ConditionPool& pool, std::uint32_t top = 0, std::uint32_t end = UINT32_MAX)
        : pool_(pool), top_(top), end_(end) {}

    DrawnLadder read() {
        DrawnLadder ladder;
        h_ = ModeData.ySizeSymble;
        cw_ = ModeData.xSizeSymble;
        if (h_ == 0 || cw_ == 0 || ldrHead == nullptr) return ladder;
        collect(ladder);
        buildNodes();
        if (sections_) prepareSections();
        sweep();
        findBypass(ladder);
        for (const Output& output : outputs_) {
            DrawnItem& item = ladder.items[output.item];
            item.condition = value_[nodeAt(output.line, output.object->xAddr)];
            if (!ladder.fault && item.conditional && item.condition == ConditionPool::kOn)
                ladder.fault = LadderVerdict::at(
                    LadderVerdict::Kind::Refused, output.object->xAddr, output.object->yAddr,
                    lineReason(
                        output.object->yAddr,
                        item.name.text() + " is fed by wire alone; it needs a contact in front of it."));
        }
        const auto drawnOrder = [](const DrawnItem& a, const DrawnItem& b) {
            return a.y != b.y ? a.y < b.y : a.x < b.x;
        };
        if (!std::is_sorted(ladder.items.begin(), ladder.items.end(), drawnOrder))
            std::stable_sort(ladder.items.begin(), ladder.items.end(), drawnOrder);
        sumObjects(ladder);
        return ladder;
    }

private:
    struct Output {
        const stLadderBlock* object;
        std::uint32_t line;
        std::size_t item;
    };
    struct OnLine {
        std::uint32_t line;
        SymbolKind kind;
        std::uint64_t identity;
        const stLadderBlock* object;
    };

    // What a contact passes: its device, that device inverted, or the edge of it; a comparison.
    Condition contactCondition(const stLadderBlock& o, SymbolKind kind, std::uint64_t identity) {
        if (kind == SymbolKind::Contact || kind == SymbolKind::CompareContact)
            return pool_.literal(identity, o, kind == SymbolKind::Contact);
        const Condition device = pool_.literal(identityOf(o, SymbolKind::Contact), o, true);
        if (kind == SymbolKind::NegatedContact) return pool_.inverted(device);
        return pool_.edgeOf(device, kind == SymbolKind::RisingContact);
    }

    void piece(Piece::Kind kind, std::uint32_t line, std::uint32_t x0, std::uint32_t x1,
               const stLadderBlock* o, Condition literal = ConditionPool::kOn, bool rising = false) {
        if (x1 <= x0) return;
        pieces_.push_back({kind, rising, line, x0, x1, literal, o});
        linePoints_.push_back(x0);
        linePoints_.push_back(x1);
    }

    void collect(DrawnLadder& ladder) {
        std::size_t count = 0;
        for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) ++count;
        std::vector<OnLine> drawn;
        drawn.reserve(count);
        ladder.objects.reserve(count);
        pieces_.reserve(2 * count);
        points_.reserve(3 * count);
        for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
            const std::uint32_t line = o->yAddr / h_;
            if (line < top_ || line >= end_) continue;
            const SymbolKind kind = symbolKindOf(*o);
            if (kind == SymbolKind::None || kind == SymbolKind::End) continue;
            const std::uint64_t identity = kind == SymbolKind::Wire ? 0 : identityOf(*o, kind);
            if (kind != SymbolKind::Wire)
                ladder.objects.push_back(
                    {identity, o->mnemonic, o->operands[0], isContactKind(kind), o->xAddr, o->yAddr});
            if (kind == SymbolKind::Label) {
                ladder.items.push_back(
                    {identity, nameOf(*o, kind), false, ConditionPool::kOff, o->xAddr, o->yAddr});
                continue;
            }
            drawn.push_back({line - top_, kind, identity, o});
        }
        // by line, in list order on each line (a count of each line's objects, then each in its place)
        const auto byLine = [](const OnLine& a, const OnLine& b) { return a.line < b.line; };
        if (!std::is_sorted(drawn.begin(), drawn.end(), byLine)) {
            std::uint32_t last = 0;
            for (const OnLine& at : drawn) last = std::max(last, at.line);
            std::vector<std::uint32_t> first(std::size_t{last} + 2, 0);
            for (const OnLine& at : drawn) ++first[at.line + 1];
            for (std::size_t l = 0; l <= last; ++l) first[l + 1] += first[l];
            std::vector<OnLine> sorted(drawn.size());
            for (const OnLine& at : drawn) sorted[first[at.line]++] = at;
            drawn.swap(sorted);
        }
        lines_ = drawn.empty() ? 0 : drawn.back().line + 1;
        // Line by line, the points of each (ends of what it paints, the links above and below it)
        // in order: the nodes come out in (line, x) order with no sort of the whole.
        std::vector<const stLadderBlock*> row;
        auto from = drawn.begin();
        lineFirst_.assign(lines_ + 2, 0);
        for (std::uint32_t l = 0; l <= lines_; ++l) {
            row.clear();
            const auto first = from;
            for (; from != drawn.end() && from->line == l; ++from) row.push_back(from->object);
            linePoints_.clear();
            lineLinks_.clear();
            addLinks(l);
            for (auto at = first; at != from; ++at) pieceOf(*at, row, ladder);
            std::sort(linePoints_.begin(), linePoints_.end());
            linePoints_.erase(std::unique(linePoints_.begin(), linePoints_.end()), linePoints_.end());
            lineFirst_[l] = static_cast<std::uint32_t>(points_.size());
            for (const std::uint32_t x : linePoints_) points_.push_back(pointKey(l, x));
        }
        lineFirst_[lines_ + 1] = static_cast<std::uint32_t>(points_.size());
    }

    void pieceOf(const OnLine& at, const std::vector<const stLadderBlock*>& row, DrawnLadder& ladder) {
        const stLadderBlock& o = *at.object;
        const SymbolKind kind = at.kind;
        const std::uint32_t l = at.line;
        const std::uint32_t x0 = o.xAddr, end = paintedEnd(o), cellEnd = x0 + cw_;
        switch (kind) {
            case SymbolKind::Wire: piece(Piece::Kind::Wire, l, x0, end, &o); return;
            case SymbolKind::Contact:
            case SymbolKind::NegatedContact:
            case SymbolKind::RisingContact:
            case SymbolKind::FallingContact:
            case SymbolKind::CompareContact:
                if (!present(o.operands[0])) {  // MEP, MEF: the edge of their section
                    piece(Piece::Kind::Edge, l, x0, cellEnd, &o, ConditionPool::kOn,
                          kind == SymbolKind::RisingContact);
                    sections_ = true;
                } else {
                    piece(Piece::Kind::Contact, l, x0, cellEnd, &o, contactCondition(o, kind, at.identity));
                }
                piece(Piece::Kind::Wire, l, cellEnd, end, &o);
                return;
            case SymbolKind::Invert:
                piece(Piece::Kind::Invert, l, x0, cellEnd, &o);
                piece(Piece::Kind::Wire, l, cellEnd, end, &o);
                sections_ = true;
                return;
            case SymbolKind::Box:
                if (o.end != kEndOutput) {
                    // a step (STL) and the like: drawn in the line, power runs through it
                    const std::uint64_t identity = at.identity;
                    ladder.items.push_back(
                        {identity, nameOf(o, kind), false, ConditionPool::kOff, o.xAddr, o.yAddr});
                    piece(Piece::Kind::Contact, l, x0, cellEnd, &o, pool_.literal(identity, o, false));
                    piece(Piece::Kind::Wire, l, cellEnd, end, &o);
                    // a section that begins on a step's bus begins at its end
                    if (isStlWord(o.iCode))
                        stepEnds_.insert(stepEnds_.end(), {pointKey(l, cellEnd), pointKey(l, end)});
                    return;
                }
                [[fallthrough]];
            case SymbolKind::Coil: {
                outputs_.push_back({&o, l, ladder.items.size()});
                ladder.items.push_back({at.identity, nameOf(o, kind), needsContact(o.iCode),
                                        ConditionPool::kOff, o.xAddr, o.yAddr});
                piece(Piece::Kind::Wire, l, outputWireStartAmong(o, row, lineLinks_), x0, &o);
                linePoints_.push_back(x0);
                return;
            }
            default: return;
        }
    }

    // The links between line l and the lines above and below it; those below are noted for the joins.
    void addLinks(std::uint32_t l) {
        if (!canvasGeometryReady()) return;
        const std::int64_t row = 2 * (static_cast<std::int64_t>(l) + top_);
        for (const std::int64_t gap : {row - 1, row + 1}) {
            const char* cells = gap < 0 ? nullptr : VirtualArray.rowCells(gap);
            if (cells == nullptr) continue;
            for (const char* at = cells;
                 (at = static_cast<const char*>(std::memchr(
                      at, kCellLink, static_cast<std::size_t>(cells + kCanvasColumns - at)))) != nullptr;
                 ++at) {
                const std::int64_t c = at - cells;
                if ((c & 1) == 0) continue;
                const auto x = static_cast<std::uint32_t>((c + 1) * symbleHalfWidth);
                linePoints_.push_back(x);
                lineLinks_.push_back(x);
                if (gap > row && l < lines_) links_.emplace_back(l, x);
            }
        }
    }

    std::uint32_t nodeAt(std::uint32_t l, std::uint32_t x) const {
        const auto begin = points_.begin() + lineFirst_[l], end = points_.begin() + lineFirst_[l + 1];
        return static_cast<std::uint32_t>(std::lower_bound(begin, end, pointKey(l, x)) - points_.begin());
    }

    std::uint32_t rootOf(std::uint32_t n) {
        while (parent_[n] != n) {
            parent_[n] = parent_[parent_[n]];
            n = parent_[n];
        }
        return n;
    }
    void join(std::uint32_t a, std::uint32_t b) {
        a = rootOf(a);
        b = rootOf(b);
        if (a != b) parent_[std::max(a, b)] = std::min(a, b);
    }

    void buildNodes() {
        const std::size_t nodes = points_.size();
        // the edges into each node, gathered by node
        std::vector<std::pair<std::uint32_t, Edge>> edges;
        for (std::size_t p = 0; p < pieces_.size(); ++p) {
            const Piece& piece = pieces_[p];
            const std::uint32_t from = nodeAt(piece.line, piece.x0), to = nodeAt(piece.line, piece.x1);
            if (piece.kind == Piece::Kind::Wire)
                for (std::uint32_t n = from; n < to; ++n)
                    edges.push_back({n + 1, {n, static_cast<std::uint32_t>(p)}});
            else
                edges.push_back({to, {from, static_cast<std::uint32_t>(p)}});
        }
        firstIn_.assign(nodes + 1, 0);
        for (const auto& [to, edge] : edges) ++firstIn_[to + 1];
        for (std::size_t n = 0; n < nodes; ++n) firstIn_[n + 1] += firstIn_[n];
        incoming_.resize(edges.size());
        {
            std::vector<std::uint32_t> filled(firstIn_.begin(), firstIn_.end() - 1);
            for (const auto& [to, edge] : edges) incoming_[filled[to]++] = edge;
        }
        parent_.resize(nodes);
        for (std::uint32_t n = 0; n < nodes; ++n) parent_[n] = n;
        // the left bus joins the start of every line; a vertical link the lines it stands between
        std::uint32_t bus = UINT32_MAX;
        for (std::uint32_t n = 0; n < nodes; ++n) {
            if (xOf(n) != draw.iBusLineStart) continue;
            if (bus == UINT32_MAX)
                bus = n;
            else
                join(bus, n);
        }
        for (const auto& [l, x] : links_) join(nodeAt(l, x), nodeAt(l + 1, x));
    }

    std::uint32_t xOf(std::size_t n) const { return static_cast<std::uint32_t>(points_[n] & 0xFFFFFFFFU); }

    // Power runs left to right: every node is worked out after every node left of it, and the nodes a
    // vertical link joins (all at one x) share what reaches any of them.
    void sweep() {
        const std::size_t nodes = points_.size();
        // the nodes by x: the ladder has a few dozen columns of points, each a bucket
        // (the points stand on half cells: a half cell's number is its bucket, where they all do)
        const std::uint32_t half = symbleHalfWidth;
        std::uint32_t widest = 0;
        bool onHalfCells = half > 0;
        for (std::size_t n = 0; n < nodes; ++n) {
            widest = std::max(widest, xOf(n));
            onHalfCells = onHalfCells && xOf(n) % half == 0;
        }
        std::vector<std::uint32_t> xs;
        if (onHalfCells) {
            for (std::uint32_t x = 0; x <= widest; x += half) xs.push_back(x);
        } else {
            for (std::size_t n = 0; n < nodes; ++n) xs.push_back(xOf(n));
            std::sort(xs.begin(), xs.end());
            xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
        }
        std::vector<std::uint32_t> bucketStart(xs.size() + 1, 0), order(nodes), bucketOf(nodes);
        for (std::size_t n = 0; n < nodes; ++n) {
            bucketOf[n] =
                onHalfCells
                    ? xOf(n) / half
                    : static_cast<std::uint32_t>(std::lower_bound(xs.begin(), xs.end(), xOf(n)) - xs.begin());
            ++bucketStart[bucketOf[n] + 1];
        }
        for (std::size_t b = 0; b < xs.size(); ++b) bucketStart[b + 1] += bucketStart[b];
        {
            std::vector<std::uint32_t> filled(bucketStart.begin(), bucketStart.end() - 1);
            for (std::uint32_t n = 0; n < nodes; ++n) order[filled[bucketOf[n]]++] = n;
        }
        value_.assign(nodes, ConditionPool::kOff);
        std::vector<Condition> groupValue(nodes, ConditionPool::kOff);
        for (std::size_t b = 0; b < xs.size(); ++b) {
            const std::uint32_t x = xs[b], i = bucketStart[b], j = bucketStart[b + 1];
            for (std::uint32_t k = i; k < j; ++k) groupValue[rootOf(order[k])] = ConditionPool::kOff;
            for (std::uint32_t k = i; k < j; ++k) {
                const std::uint32_t n = order[k];
                Condition v = x == draw.iBusLineStart ? ConditionPool::kOn : ConditionPool::kOff;
                for (std::uint32_t e = firstIn_[n]; e < firstIn_[n + 1]; ++e)
                    v = pool_.either(v, through(incoming_[e]));
                Condition& group = groupValue[rootOf(n)];
                group = pool_.either(group, v);
            }
            for (std::uint32_t k = i; k < j; ++k) value_[order[k]] = groupValue[rootOf(order[k])];
        }
    }

    Condition through(const Edge& e) {
        const Condition in = value_[e.from];
        const Piece& piece = pieces_[e.piece];
        if (in == ConditionPool::kOff) return in;
        switch (piece.kind) {
            case Piece::Kind::Wire: return in;
            case Piece::Kind::Contact: return pool_.both(in, piece.literal);
            case Piece::Kind::Invert: return pool_.both(powerAt(sectionStart(e)), pool_.inverted(in));
            case Piece::Kind::Edge: return pool_.both(powerAt(sectionStart(e)), edgeTerm(e));
        }
        return in;
    }

    // ---- Sections: where the section an INV, MEP or MEF closes begins ----

    static constexpr std::uint32_t kLeftBus = UINT32_MAX;
    static constexpr std::uint32_t kNotYet = UINT32_MAX - 1;

    std::uint32_t lineOf(std::uint32_t n) const { return static_cast<std::uint32_t>(points_[n] >> 32); }
    bool comesIn(std::uint32_t n) const {
        return firstIn_[n + 1] > firstIn_[n];
    }  // from the left, on its line
    Condition powerAt(std::uint32_t n) const { return n == kLeftBus ? ConditionPool::kOn : value_[n]; }

    void prepareSections() {
        const std::size_t nodes = points_.size();
        atStepEnd_.assign(nodes, false);
        for (const std::uint64_t key : stepEnds_) {
            const std::uint32_t l = static_cast<std::uint32_t>(key >> 32);
            atStepEnd_[nodeAt(l, static_cast<std::uint32_t>(key & 0xFFFFFFFFU))] = true;
        }
        groupStart_.assign(nodes + 1, 0);
        groupMembers_.resize(nodes);
        for (std::uint32_t n = 0; n < nodes; ++n) ++groupStart_[rootOf(n) + 1];
        for (std::size_t g = 0; g < nodes; ++g) groupStart_[g + 1] += groupStart_[g];
        std::vector<std::uint32_t> filled(groupStart_.begin(), groupStart_.end() - 1);
        for (std::uint32_t n = 0; n < nodes; ++n) groupMembers_[filled[rootOf(n)]++] = n;
        start_.assign(pieces_.size(), kNotYet);
        edgeTerms_.assign(pieces_.size(), ConditionPool::kOff);
    }

    // The nodes a link joins to n (n among them), line by line.
    std::span<const std::uint32_t> linkedTo(std::uint32_t n) {
        const std::uint32_t g = rootOf(n);
        return {groupMembers_.data() + groupStart_[g], groupStart_[g + 1] - groupStart_[g]};
    }

    // Where the line of node m, running right from m, first meets the line `other` again, both drawn
    // all the way: a node of m's line linked to `other` where another line than m's comes in from the
    // left. 0 when they do not meet.
    std::uint32_t firstMeeting(std::uint32_t m, std::uint32_t other) {
        const std::uint32_t x = xOf(m);
        std::uint32_t o = nodeAt(other, x), otherReach = x;
        for (; o + 1 < lineFirst_[other + 1] && comesIn(o + 1); ++o) otherReach = xOf(o + 1);
        for (std::uint32_t k = m + 1; k < lineFirst_[lineOf(m) + 1] && comesIn(k) && xOf(k) <= otherReach;
             ++k) {
            bool linked = false, joined = false;
            for (const std::uint32_t u : linkedTo(k)) {
                linked = linked || lineOf(u) == other;
                joined = joined || (u != k && comesIn(u));
            }
            if (linked && joined) return xOf(k);
        }
        return 0;
    }

    // The section an INV or edge contact closes begins, walking left from it along its line, at the
    // first node where a step's bus ends, where another line leaves to the right that meets this one
    // again only right of what the section reaches (a parallel group around it), or where the line
    // itself begins as a branch that first rejoins right of that; at the left bus when none. A branch
    // of a branch point (it ends at an output) or of a group that closes before the INV goes on along
    // the line it leaves, the section reaching on to where the two meet again.
    std::uint32_t sectionStart(const Edge& e) {
        std::uint32_t& known = start_[e.piece];
        if (known != kNotYet) return known;
        std::uint32_t n = e.from, reach = xOf(e.from);
        while (xOf(n) > draw.iBusLineStart) {
            const std::uint32_t line = lineOf(n);
            bool around = atStepEnd_[n];
            for (const std::uint32_t m : linkedTo(n))
                around = around || (m != n && firstMeeting(m, line) > reach);
            if (around) return known = n;
            if (comesIn(n)) {
                --n;
                continue;
            }
            std::uint32_t rejoins = 0, trunk = UINT32_MAX;
            for (const std::uint32_t t : linkedTo(n)) {
                if (t == n || !comesIn(t)) continue;
                if (trunk == UINT32_MAX) trunk = t;
                const std::uint32_t meeting = firstMeeting(n, lineOf(t));
                if (meeting > 0 && (rejoins == 0 || meeting < rejoins)) rejoins = meeting;
            }
            if (rejoins > reach || trunk == UINT32_MAX) return known = n;
            const std::uint32_t met = firstMeeting(n, lineOf(trunk));
            reach = met > 0 ? met : xOf(n);
            if (atStepEnd_[trunk]) return known = trunk;
            n = trunk - 1;
        }
        return known = kLeftBus;
    }

    // The edge an MEP or MEF takes: of its section's own power, as if the section began at the bus.
    Condition edgeTerm(const Edge& e) {
        Condition& term = edgeTerms_[e.piece];
        if (term == ConditionPool::kOff)
            term = pool_.edgeOf(powerWithin(e.from, sectionStart(e)), pieces_[e.piece].rising);
        return term;
    }

    // The power at node n with the power at node `start` taken for the left bus: the nodes that lead
    // to n from start worked out again, from left to right.
    Condition powerWithin(std::uint32_t n, std::uint32_t start) {
        if (start == kLeftBus) return value_[n];
        const std::uint32_t first = rootOf(start);
        std::unordered_map<std::uint32_t, Condition> within{{first, ConditionPool::kOn}};
        std::vector<std::uint32_t> groups, open{rootOf(n)};
        while (!open.empty()) {
            const std::uint32_t g = open.back();
            open.pop_back();
            if (within.contains(g) || xOf(g) <= xOf(start)) continue;
            within.emplace(g, ConditionPool::kOff);
            groups.push_back(g);
            for (const std::uint32_t m : linkedTo(g))
                for (std::uint32_t i = firstIn_[m]; i < firstIn_[m + 1]; ++i)
                    open.push_back(rootOf(incoming_[i].from));
        }
        const auto power = [&](std::uint32_t node) {
            if (node == kLeftBus) return ConditionPool::kOn;
            const auto found = within.find(rootOf(node));
            return found != within.end() ? found->second : value_[node];
        };
        std::sort(groups.begin(), groups.end(),
                  [this](std::uint32_t a, std::uint32_t b) { return xOf(a) < xOf(b); });
        for (const std::uint32_t g : groups) {
            Condition v = ConditionPool::kOff;
            for (const std::uint32_t m : linkedTo(g))
                for (std::uint32_t i = firstIn_[m]; i < firstIn_[m + 1]; ++i) {
                    const Edge& e = incoming_[i];
                    const Condition in = power(e.from);
                    const Piece& piece = pieces_[e.piece];
                    if (in == ConditionPool::kOff) continue;
                    switch (piece.kind) {
                        case Piece::Kind::Wire: v = pool_.either(v, in); break;
                        case Piece::Kind::Contact: v = pool_.either(v, pool_.both(in, piece.literal)); break;
                        case Piece::Kind::Invert:
                            v = pool_.either(v, pool_.both(power(sectionStart(e)), pool_.inverted(in)));
                            break;
                        case Piece::Kind::Edge:
                            v = pool_.either(v, pool_.both(power(sectionStart(e)), edgeTerm(e)));
                            break;
                    }
                }
            within[g] = v;
        }
        return within.at(rootOf(n));
    }

    // Whether bare wire runs from group `from` to group `to`, never left of `left`: looked for
    // backwards from `to`, along wire and through the links.
    bool wireGoesRound(std::uint32_t from, std::uint32_t to, std::uint32_t left,
                       const std::vector<std::uint32_t>& start, const std::vector<std::uint32_t>& members,
                       std::vector<std::uint32_t>& stamp, std::uint32_t walk) {
        std::vector<std::uint32_t> open{to};
        stamp[to] = walk;
        while (!open.empty()) {
            const std::uint32_t group = open.back();
            open.pop_back();
            for (std::uint32_t m = start[group]; m < start[group + 1]; ++m)
                for (std::uint32_t b = firstIn_[members[m]]; b < firstIn_[members[m] + 1]; ++b) {
                    const Edge& back = incoming_[b];
                    if (pieces_[back.piece].kind != Piece::Kind::Wire || xOf(back.from) < left) continue;
                    const std::uint32_t g = rootOf(back.from);
                    if (g == from) return true;
                    if (stamp[g] == walk) continue;
                    stamp[g] = walk;
                    open.push_back(g);
                }
        }
        return false;
    }

    // A contact with a path of bare wire beside it, from the point before it to the point after it,
    // counts for nothing: the wire goes round it. The path is looked for backwards from the point
    // after the contact, along wire and through the links, never left of the point before it.
    void findBypass(DrawnLadder& ladder) {
        const std::size_t nodes = points_.size();
        // the ways into each group: a contact into a group no other way enters is bypassed by nothing
        std::vector<std::uint32_t> waysIn(nodes, 0);
        for (std::uint32_t n = 0; n < nodes; ++n) waysIn[rootOf(n)] += firstIn_[n + 1] - firstIn_[n];
        // the nodes of each group, gathered by root, when a search needs them
        std::vector<std::uint32_t> start, members;
        const auto gather = [&] {
            start.assign(nodes + 1, 0);
            members.resize(nodes);
            for (std::uint32_t n = 0; n < nodes; ++n) ++start[rootOf(n) + 1];
            for (std::size_t g = 0; g < nodes; ++g) start[g + 1] += start[g];
            std::vector<std::uint32_t> filled(start.begin(), start.end() - 1);
            for (std::uint32_t n = 0; n < nodes; ++n) members[filled[rootOf(n)]++] = n;
        };
        std::vector<std::uint32_t> stamp(nodes, 0);
        std::uint32_t walk = 0;
        for (std::uint32_t n = 0; n < nodes; ++n) {
            for (std::uint32_t i = firstIn_[n]; i < firstIn_[n + 1]; ++i) {
                const Edge& e = incoming_[i];
                const Piece& contact = pieces_[e.piece];
                if (contact.kind != Piece::Kind::Contact || value_[e.from] == ConditionPool::kOff) continue;
                const std::uint32_t from = rootOf(e.from), to = rootOf(n);
                if (waysIn[to] < 2) continue;
                if (start.empty()) gather();
                if (!wireGoesRound(from, to, xOf(e.from), start, members, stamp, ++walk)) continue;
                const stLadderBlock& o = *contact.object;
                ladder.fault = LadderVerdict::at(
                    LadderVerdict::Kind::Refused, o.xAddr, o.yAddr,
                    lineReason(o.yAddr, "a bare wire runs beside " + nameOf(o, symbolKindOf(o)).text() +
                                            " and bypasses it."));
                return;
            }
        }
    }

    ConditionPool& pool_;
    std::uint32_t top_, end_;  // the lines read; lines_ and the lines of the nodes count from top_
    std::uint32_t h_ = 0, cw_ = 0, lines_ = 0;
    std::vector<Piece> pieces_;
    std::vector<std::uint64_t> points_;  // the nodes: (line, x), in order
    std::vector<std::uint32_t> linePoints_;
    std::vector<std::uint32_t> lineLinks_;  // the links beside the line being read
    std::vector<std::uint32_t> lineFirst_;  // the first node of each line
    std::vector<Output> outputs_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> links_;
    std::vector<std::uint32_t> firstIn_;
    std::vector<Edge> incoming_;
    std::vector<std::uint32_t> parent_;
    std::vector<Condition> value_;
    // the sections of INV, MEP and MEF, worked out only for a ladder that holds one
    bool sections_ = false;
    std::vector<std::uint64_t> stepEnds_;  // (line, x) where a step's bus ends
    std::vector<bool> atStepEnd_;          // by node
    std::vector<std::uint32_t> groupStart_, groupMembers_;
    std::vector<std::uint32_t> start_;  // by piece: where its section begins
    std::vector<Condition> edgeTerms_;
};

// What an object is and where it stands on its line, as far as the reading looks: its code and
// ends, its mnemonic and operands.
std::uint64_t objectPrint(const stLadderBlock& o) {
    std::uint64_t h = mixed(o.iCode | (std::uint64_t{o.end} << 16), o.xAddr | (std::uint64_t{o.Xend} << 32));
    const auto words = [&h](const char* bytes, std::size_t size) {
        for (std::size_t at = 0; at < size; at += sizeof(std::uint64_t)) {
            std::uint64_t word = 0;
            std::memcpy(&word, bytes + at, std::min(sizeof word, size - at));
            h = mixed(h, word);
        }
    };
    words(o.mnemonic.data(), o.mnemonic.size());
    for (const auto& operand : o.operands) words(operand.data(), operand.size());
    return h;
}

// The odd columns of a gap row holding a link, one bit a link.
std::uint32_t linksIn(const char* cells) {
    std::uint32_t mask = 0;
    for (const char* at = cells;
         (at = static_cast<const char*>(
              std::memchr(at, kCellLink, static_cast<std::size_t>(cells + kCanvasColumns - at)))) != nullptr;
         ++at) {
        const std::int64_t c = at - cells;
        if ((c & 1) != 0) mask |= std::uint32_t{1} << (c / 2);
    }
    return mask;
}

// Each line of the ladder in the editor now, with the line below its last object.
void picturesNow(DrawnLadder& ladder) {
    const std::uint32_t h = ModeData.ySizeSymble;
    ladder.linePictures.clear();
    ladder.linkedBelow.clear();
    if (h == 0) return;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        const std::uint32_t line = o->yAddr / h;
        if (line + 2 > ladder.linePictures.size()) ladder.linePictures.resize(line + 2, 0);
        ladder.linePictures[line] += mixed(objectPrint(*o), 0xD1B54A32D192ED03ULL);  // in any order
    }
    ladder.linkedBelow.assign(ladder.linePictures.size(), false);
    if (!canvasGeometryReady()) return;
    for (std::size_t l = 0; l < ladder.linePictures.size(); ++l) {
        const char* cells = VirtualArray.rowCells(2 * static_cast<std::int64_t>(l) + 1);
        const std::uint32_t links = cells == nullptr ? 0 : linksIn(cells);
        ladder.linePictures[l] = mixed(ladder.linePictures[l], links);
        ladder.linkedBelow[l] = links != 0;
    }
}

// The items and objects of `ladder` on the lines from `top` up to `end`.
DrawnLadder linesOf(const DrawnLadder& ladder, std::uint32_t top, std::uint32_t end) {
    const std::uint32_t h = ModeData.ySizeSymble;
    const auto inside = [&](const auto& at) { return at.y / h >= top && at.y / h < end; };
    DrawnLadder part;
    std::copy_if(ladder.items.begin(), ladder.items.end(), std::back_inserter(part.items), inside);
    std::copy_if(ladder.objects.begin(), ladder.objects.end(), std::back_inserter(part.objects), inside);
    sumObjects(part);
    return part;
}

}  // namespace

std::string DrawnName::text() const {
    std::string words;
    for (const auto& operand : operands)
        if (present(operand)) words += (words.empty() ? "" : " ") + fieldText(operand.data(), operand.size());
    if (contact && !words.empty()) return words;
    const std::string m = fieldText(mnemonic.data(), mnemonic.size());
    return words.empty() ? m : m + " " + words;
}

std::string DrawnObject::text() const {
    DrawnName name;
    name.mnemonic = mnemonic;
    name.operands[0] = operand;
    name.contact = contact;
    return name.text();
}

std::string lineReason(std::uint32_t y, const std::string& what) {
    const std::uint32_t h = ModeData.ySizeSymble;
    return "Line " + std::to_string(h == 0 ? 1 : y / h + 1) + ": " + what;
}

DrawnLadder drawnLadder(ConditionPool& pool) {
    DrawnLadder ladder = LadderReading(pool).read();
    picturesNow(ladder);
    return ladder;
}

LadderVerdict compareWithLadderNow(const DrawnLadder& drawn, ConditionPool& pool) {
    DrawnLadder now;
    picturesNow(now);
    const std::vector<std::uint64_t>&a = drawn.linePictures, &b = now.linePictures;
    if (a == b) return {};
    if (ModeData.ySizeSymble == 0) return compareDrawnLadders(drawn, drawnLadder(pool), pool);
    // the lines alike at the top and at the bottom
    std::size_t top = 0, bottom = 0;
    while (top < a.size() && top < b.size() && a[top] == b[top]) ++top;
    while (bottom < a.size() - top && bottom < b.size() - top &&
           a[a.size() - 1 - bottom] == b[b.size() - 1 - bottom])
        ++bottom;
    // widened to whole rungs: up while the line above links down into them, down while the last line
    // of either links down (the lines taken below are alike in both)
    while (top > 0 && drawn.linkedBelow[top - 1]) --top;
    std::size_t endA = a.size() - bottom, endB = b.size() - bottom;
    while (bottom > 0 &&
           ((endA > top && drawn.linkedBelow[endA - 1]) || (endB > top && now.linkedBelow[endB - 1]))) {
        ++endA;
        ++endB;
        --bottom;
    }
    const auto line = [](std::size_t l) { return static_cast<std::uint32_t>(l); };
    return compareDrawnLadders(linesOf(drawn, line(top), line(endA)),
                               LadderReading(pool, line(top), line(endB)).read(), pool);
}

LadderVerdict compareDrawnLadders(const DrawnLadder& drawn, const DrawnLadder& back, ConditionPool& pool) {
    const auto other = [](const auto& at, const std::string& what) {
        return LadderVerdict::at(LadderVerdict::Kind::OtherLogic, at.x, at.y, lineReason(at.y, what));
    };
    const std::size_t common = std::min(drawn.items.size(), back.items.size());
    for (std::size_t i = 0; i < common; ++i) {
        const DrawnItem& a = drawn.items[i];
        const DrawnItem& b = back.items[i];
        if (a.identity != b.identity)
            return other(a,
                         "Convert would write " + b.name.text() + " where " + a.name.text() + " is drawn.");
        if (a.condition != b.condition && !pool.sameLogic(a.condition, b.condition))
            return other(a, "Convert would run " + a.name.text() + " under other contacts than those drawn.");
    }
    if (drawn.items.size() > common)
        return other(drawn.items[common], "Convert would leave out " + drawn.items[common].name.text() + ".");
    if (back.items.size() > common) {
        const DrawnItem& extra = back.items[common];
        return other(drawn.items.empty() ? extra : drawn.items.back(),
                     "Convert would add " + extra.name.text() + ".");
    }
    // the instructions as a multiset (two sums of their identities tell it; where they differ, the
    // identities in order tell the first one held more often by one than by the other)
    if (drawn.objectSum == back.objectSum) return {};
    const auto idsOf = [](const DrawnLadder& ladder) {
        std::vector<std::uint64_t> ids;
        for (const DrawnObject& o : ladder.objects) ids.push_back(o.identity);
        std::sort(ids.begin(), ids.end());
        return ids;
    };
    const auto named = [](const DrawnLadder& ladder, std::uint64_t identity) -> const DrawnObject& {
        return *std::find_if(ladder.objects.begin(), ladder.objects.end(),
                             [identity](const DrawnObject& o) { return o.identity == identity; });
    };
    const std::vector<std::uint64_t> a = idsOf(drawn), b = idsOf(back);
    for (std::size_t i = 0, j = 0; i < a.size() || j < b.size();) {
        if (i < a.size() && j < b.size() && a[i] == b[j]) {
            ++i;
            ++j;
            continue;
        }
        if (j == b.size() || (i < a.size() && a[i] < b[j])) {
            const DrawnObject& lost = named(drawn, a[i]);
            return other(lost, "Convert would not keep " + lost.text() + " as drawn.");
        }
        const DrawnObject& added = named(back, b[j]);
        return other(drawn.objects.empty() ? added : drawn.objects.back(),
                     "Convert would add " + added.text() + ".");
    }
    return {};
}

}  // namespace kestrion
