#include "model/ladder/DrawnLogic.h"

#include <algorithm>
#include <cctype>
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

std::size_t ConditionPool::KeyHash::operator()(const std::vector<std::uint32_t>& key) const {
    std::uint64_t h = 0x9E3779B97F4A7C15ULL;
    for (const std::uint32_t v : key) h = (h ^ v) * 0x100000001B3ULL + (h >> 29);
    return static_cast<std::size_t>(h);
}

ConditionPool::ConditionPool() {
    terms_.push_back({Op::Off, {}});
    terms_.push_back({Op::On, {}});
}

Condition ConditionPool::intern(Op op, std::vector<Condition> kids) {
    std::vector<std::uint32_t> key;
    key.reserve(kids.size() + 1);
    key.push_back(static_cast<std::uint32_t>(op));
    key.insert(key.end(), kids.begin(), kids.end());
    const auto [it, added] = index_.try_emplace(std::move(key), static_cast<Condition>(terms_.size()));
    if (added) terms_.push_back({op, std::move(kids)});
    return it->second;
}

Condition ConditionPool::literal(const std::string& name) {
    const auto found = literals_.find(name);
    if (found != literals_.end()) return found->second;
    const Condition made = intern(Op::Literal, {static_cast<Condition>(literals_.size())});
    literals_.emplace(name, made);
    return made;
}

// AND and OR are kept flat, their terms ordered and each once: the same contacts in series or in
// parallel are one condition however the wire between them runs.
Condition ConditionPool::joined(Op op, Condition a, Condition b) {
    std::vector<Condition> kids;
    for (const Condition c : {a, b}) {
        if (terms_[c].op == op)
            kids.insert(kids.end(), terms_[c].kids.begin(), terms_[c].kids.end());
        else
            kids.push_back(c);
    }
    std::sort(kids.begin(), kids.end());
    kids.erase(std::unique(kids.begin(), kids.end()), kids.end());
    if (kids.size() == 1) return kids.front();
    return intern(op, std::move(kids));
}

Condition ConditionPool::both(Condition a, Condition b) {
    if (a == kOff || b == kOff) return kOff;
    if (a == kOn) return b;
    if (b == kOn) return a;
    return joined(Op::And, a, b);
}

Condition ConditionPool::either(Condition a, Condition b) {
    if (a == kOn || b == kOn) return kOn;
    if (a == kOff) return b;
    if (b == kOff) return a;
    return joined(Op::Or, a, b);
}

Condition ConditionPool::inverted(Condition a) {
    if (a == kOff) return kOn;
    if (a == kOn) return kOff;
    if (terms_[a].op == Op::Not) return terms_[a].kids.front();
    return intern(Op::Not, {a});
}

Condition ConditionPool::edgeOf(Condition a, bool rising) {
    return intern(rising ? Op::Rising : Op::Falling, {a});
}

std::vector<Condition> ConditionPool::conjuncts(Condition a) const {
    if (terms_[a].op == Op::And) return terms_[a].kids;
    if (a == kOn) return {};
    return {a};
}

// The variables of a condition: its literals, and each edge taken of a condition (an edge is a
// value of its own from one scan to the next).
void ConditionPool::literalsOf(Condition a, std::vector<Condition>& out) const {
    std::vector<Condition> open{a};
    std::vector<bool> seen(terms_.size(), false);
    while (!open.empty()) {
        const Condition c = open.back();
        open.pop_back();
        if (seen[c]) continue;
        seen[c] = true;
        const Term& t = terms_[c];
        if (t.op == Op::Literal || t.op == Op::Rising || t.op == Op::Falling)
            out.push_back(c);
        else
            open.insert(open.end(), t.kids.begin(), t.kids.end());
    }
}

bool ConditionPool::sameLogic(Condition a, Condition b) {
    if (a == b) return true;
    std::vector<Condition> variables;
    literalsOf(a, variables);
    literalsOf(b, variables);
    std::sort(variables.begin(), variables.end());
    variables.erase(std::unique(variables.begin(), variables.end()), variables.end());
    // Up to 14 variables every value is tried; beyond that 4096 values drawn for each variable.
    constexpr std::size_t kExhaustive = 14;
    const bool exhaustive = variables.size() <= kExhaustive;
    const std::size_t words =
        exhaustive ? std::max<std::size_t>(1, (std::size_t{1} << variables.size()) / 64) : 64;
    using Bits = std::vector<std::uint64_t>;
    std::unordered_map<Condition, Bits> value;
    for (std::size_t i = 0; i < variables.size(); ++i) {
        Bits bits(words);
        std::uint64_t state = 0x243F6A8885A308D3ULL ^ (std::uint64_t{variables[i]} * 0x9E3779B97F4A7C15ULL);
        for (std::size_t w = 0; w < words; ++w) {
            if (!exhaustive) {
                state += 0x9E3779B97F4A7C15ULL;
                std::uint64_t z = state;
                z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
                z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
                bits[w] = z ^ (z >> 31);
            } else if (i < 6) {
                std::uint64_t pattern = 0;
                for (unsigned bit = 0; bit < 64; ++bit)
                    if (((bit >> i) & 1U) != 0) pattern |= std::uint64_t{1} << bit;
                bits[w] = pattern;
            } else {
                bits[w] = ((w >> (i - 6)) & 1U) != 0 ? ~std::uint64_t{0} : 0;
            }
        }
        value.emplace(variables[i], std::move(bits));
    }
    // Every term below a and b, its kids before it: the pool numbers a term after its kids.
    std::vector<Condition> order;
    {
        std::vector<Condition> open{a, b};
        std::vector<bool> seen(terms_.size(), false);
        while (!open.empty()) {
            const Condition c = open.back();
            open.pop_back();
            if (seen[c]) continue;
            seen[c] = true;
            order.push_back(c);
            const Term& t = terms_[c];
            if (t.op == Op::And || t.op == Op::Or || t.op == Op::Not)
                open.insert(open.end(), t.kids.begin(), t.kids.end());
        }
    }
    std::sort(order.begin(), order.end());
    for (const Condition c : order) {
        if (value.contains(c)) continue;
        const Term& t = terms_[c];
        Bits bits(words, t.op == Op::On || t.op == Op::And ? ~std::uint64_t{0} : 0);
        for (const Condition kid : t.kids) {
            const Bits& k = value.at(kid);
            for (std::size_t w = 0; w < words; ++w) {
                if (t.op == Op::And) bits[w] &= k[w];
                if (t.op == Op::Or) bits[w] |= k[w];
                if (t.op == Op::Not) bits[w] = ~k[w];
            }
        }
        value.emplace(c, std::move(bits));
    }
    return value.at(a) == value.at(b);
}

// ---- What the view draws ---------------------------------------------------------------------------

namespace {

std::string trimmedText(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// An operand as compared: capitals, and no leading zeros in a number ("X010" and "X10" alike).
std::string comparedOperand(const std::string& operand) {
    std::string out;
    for (std::size_t i = 0; i < operand.size(); ++i) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(operand[i])));
        const bool numberStart = std::isdigit(static_cast<unsigned char>(c)) != 0 &&
                                 (out.empty() || std::isdigit(static_cast<unsigned char>(out.back())) == 0);
        if (numberStart && c == '0' && i + 1 < operand.size() &&
            std::isdigit(static_cast<unsigned char>(operand[i + 1])) != 0)
            continue;
        out.push_back(c);
    }
    return out;
}

std::vector<std::string> operandsOf(const stLadderBlock& o) {
    std::vector<std::string> words;
    for (const auto& operand : o.operands) {
        const std::string word = trimmedText(textOf(operand));
        if (!word.empty() && word[0] != ' ') words.push_back(word);
    }
    return words;
}

// A compare contact by its comparison alone: "LD>=", "AND>=" and "OR>=" draw alike, "!=" is "<>".
std::string comparison(const std::string& mnemonic) {
    for (const char* family : {"AND", "LD", "OR"}) {
        const std::string prefix(family);
        if (mnemonic.rfind(prefix, 0) != 0) continue;
        std::string rest = mnemonic.substr(prefix.size());
        if (const std::size_t ne = rest.find("!="); ne != std::string::npos) rest.replace(ne, 2, "<>");
        return rest;
    }
    return mnemonic;
}

// SRET, FEND, NEXT and the like stand at the bus in every form (pulse and 32-bit ones too).
bool needsContact(std::uint16_t code) {
    constexpr std::uint16_t kPulseAndWide = 0x1001;
    return !isUnconditionalInstrCode(code) && !isUnconditionalInstrCode(code & ~kPulseAndWide & 0xFFFF);
}

struct Identity {
    std::string compared;
    std::string text;
};

Identity identityOf(const stLadderBlock& o, SymbolKind kind) {
    const std::string mnemonic = trimmedText(textOf(o.mnemonic));
    const std::vector<std::string> operands = operandsOf(o);
    std::string compared;
    switch (kind) {
        case SymbolKind::Contact: compared = "-| |-"; break;
        case SymbolKind::NegatedContact: compared = "-|/|-"; break;
        case SymbolKind::RisingContact: compared = "-|P|-"; break;
        case SymbolKind::FallingContact: compared = "-|F|-"; break;
        case SymbolKind::CompareContact: compared = comparison(mnemonic); break;
        default: compared = mnemonic; break;
    }
    std::string text = mnemonic;
    for (const std::string& operand : operands) {
        compared += " " + comparedOperand(operand);
        text += " " + operand;
    }
    if (kind != SymbolKind::Label && kind != SymbolKind::Box && kind != SymbolKind::Coil &&
        kind != SymbolKind::End && !operands.empty())
        text = operands.front();
    if (kind == SymbolKind::CompareContact)
        text = mnemonic + (operands.empty() ? "" : " ") + [&] {
            std::string all;
            for (const std::string& operand : operands) all += (all.empty() ? "" : " ") + operand;
            return all;
        }();
    return {compared, text};
}

// One piece of a line as the view paints it: from x0 to x1, wire, a contact or an INV.
struct Piece {
    enum class Kind : std::uint8_t { Wire, Contact, Invert, Edge };
    Kind kind = Kind::Wire;
    std::uint32_t x0 = 0, x1 = 0;
    Condition literal = ConditionPool::kOn;
    bool rising = false;
    const stLadderBlock* object = nullptr;
};

struct Line {
    std::vector<const stLadderBlock*> objects;
    std::vector<Piece> pieces;
    std::vector<std::uint32_t> points;
    std::size_t firstNode = 0;
};

struct Edge {
    std::size_t from;
    Piece piece;
};

std::size_t rootOf(std::vector<std::size_t>& parent, std::size_t n) {
    while (parent[n] != n) {
        parent[n] = parent[parent[n]];
        n = parent[n];
    }
    return n;
}

class LadderReading {
public:
    explicit LadderReading(ConditionPool& pool) : pool_(pool) {}

    DrawnLadder read() {
        DrawnLadder ladder;
        h_ = ModeData.ySizeSymble;
        cw_ = ModeData.xSizeSymble;
        if (h_ == 0 || cw_ == 0 || ldrHead == nullptr) return ladder;
        collect(ladder);
        addLinks();
        buildNodes();
        sweep();
        findBypass(ladder);
        for (Output& output : outputs_) {
            DrawnItem& item = ladder.items[output.item];
            item.condition = value_[nodeAt(output.line, output.object->xAddr)];
            if (!ladder.fault && item.conditional && item.condition == ConditionPool::kOn)
                ladder.fault = LadderVerdict::at(
                    LadderVerdict::Kind::Refused, output.object->xAddr, output.object->yAddr,
                    lineReason(output.object->yAddr,
                               item.text + " is fed by wire alone; it needs a contact in front of it."));
        }
        std::stable_sort(
            ladder.items.begin(), ladder.items.end(),
            [](const DrawnItem& a, const DrawnItem& b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
        std::sort(ladder.objects.begin(), ladder.objects.end(),
                  [](const DrawnObject& a, const DrawnObject& b) {
                      return a.identity != b.identity ? a.identity < b.identity
                                                      : (a.y != b.y ? a.y < b.y : a.x < b.x);
                  });
        return ladder;
    }

private:
    struct Output {
        const stLadderBlock* object;
        std::size_t line;
        std::size_t item;
    };

    Line& line(std::size_t index) {
        if (index >= lines_.size()) lines_.resize(index + 1);
        return lines_[index];
    }

    void collect(DrawnLadder& ladder) {
        for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
            const SymbolKind kind = symbolKindOf(*o);
            if (kind == SymbolKind::None || kind == SymbolKind::End) continue;
            const Identity identity = identityOf(*o, kind);
            if (kind != SymbolKind::Wire)
                ladder.objects.push_back({identity.compared, identity.text, o->xAddr, o->yAddr});
            if (kind == SymbolKind::Label) {
                ladder.items.push_back(
                    {identity.compared, identity.text, false, ConditionPool::kOff, o->xAddr, o->yAddr});
                continue;
            }
            line(o->yAddr / h_).objects.push_back(o);
        }
        for (std::size_t l = 0; l < lines_.size(); ++l) {
            Line& ln = lines_[l];
            for (const stLadderBlock* o : ln.objects) {
                const SymbolKind kind = symbolKindOf(*o);
                const std::uint32_t x0 = o->xAddr, end = paintedEnd(*o), cellEnd = x0 + cw_;
                const auto tail = [&] {
                    if (end > cellEnd)
                        ln.pieces.push_back({Piece::Kind::Wire, cellEnd, end, ConditionPool::kOn, false, o});
                };
                switch (kind) {
                    case SymbolKind::Wire:
                        ln.pieces.push_back({Piece::Kind::Wire, x0, end, ConditionPool::kOn, false, o});
                        break;
                    case SymbolKind::Contact:
                    case SymbolKind::NegatedContact:
                    case SymbolKind::RisingContact:
                    case SymbolKind::FallingContact:
                    case SymbolKind::CompareContact: {
                        const bool edgeOfPower = operandsOf(*o).empty();
                        if (edgeOfPower)
                            ln.pieces.push_back({Piece::Kind::Edge, x0, cellEnd, ConditionPool::kOn,
                                                 kind == SymbolKind::RisingContact, o});
                        else
                            ln.pieces.push_back({Piece::Kind::Contact, x0, cellEnd,
                                                 pool_.literal(identityOf(*o, kind).compared), false, o});
                        tail();
                        break;
                    }
                    case SymbolKind::Invert:
                        ln.pieces.push_back({Piece::Kind::Invert, x0, cellEnd, ConditionPool::kOn, false, o});
                        tail();
                        break;
                    case SymbolKind::Coil:
                    case SymbolKind::Box:
                        if (kind == SymbolKind::Box && o->end != kEndOutput) {
                            // a step (STL) and the like: drawn in the line, power runs through it
                            const Identity identity = identityOf(*o, kind);
                            ladder.items.push_back({identity.compared, identity.text, false,
                                                    ConditionPool::kOff, o->xAddr, o->yAddr});
                            ln.pieces.push_back({Piece::Kind::Contact, x0, cellEnd,
                                                 pool_.literal(identity.compared), false, o});
                            tail();
                            break;
                        }
                        {
                            const Identity identity = identityOf(*o, kind);
                            outputs_.push_back({o, l, ladder.items.size()});
                            ladder.items.push_back({identity.compared, identity.text, needsContact(o->iCode),
                                                    ConditionPool::kOff, o->xAddr, o->yAddr});
                            const std::uint32_t start = outputWireStart(*o, ln.objects);
                            if (start < x0)
                                ln.pieces.push_back(
                                    {Piece::Kind::Wire, start, x0, ConditionPool::kOn, false, o});
                            ln.points.push_back(x0);
                        }
                        break;
                    default: break;
                }
            }
            for (const Piece& p : ln.pieces) {
                ln.points.push_back(p.x0);
                ln.points.push_back(p.x1);
            }
        }
    }

    void addLinks() {
        if (!canvasGeometryReady() || lines_.empty()) return;
        const std::int64_t columns = kCanvasColumns;
        for (std::size_t l = 0; l + 1 < lines_.size() + 1; ++l) {
            const char* cells = VirtualArray.rowCells(2 * static_cast<std::int64_t>(l) + 1);
            if (cells == nullptr) break;
            for (std::int64_t c = 1; c < columns; c += 2) {
                if (CanvasGrid::cellOfRow(cells, c) != kCellLink) continue;
                const auto x = static_cast<std::uint32_t>((c + 1) * symbleHalfWidth);
                line(l).points.push_back(x);
                line(l + 1).points.push_back(x);
                links_.emplace_back(l, x);
            }
        }
    }

    std::size_t nodeAt(std::size_t l, std::uint32_t x) const {
        const Line& ln = lines_[l];
        const auto it = std::lower_bound(ln.points.begin(), ln.points.end(), x);
        return ln.firstNode + static_cast<std::size_t>(it - ln.points.begin());
    }

    void buildNodes() {
        std::size_t nodes = 0;
        for (Line& ln : lines_) {
            ln.points.push_back(draw.iBusLineStart);
            std::sort(ln.points.begin(), ln.points.end());
            ln.points.erase(std::unique(ln.points.begin(), ln.points.end()), ln.points.end());
            ln.firstNode = nodes;
            nodes += ln.points.size();
        }
        x_.resize(nodes);
        line_.resize(nodes);
        incoming_.assign(nodes, {});
        parent_.resize(nodes);
        std::iota(parent_.begin(), parent_.end(), std::size_t{0});
        for (std::size_t l = 0; l < lines_.size(); ++l) {
            const Line& ln = lines_[l];
            for (std::size_t i = 0; i < ln.points.size(); ++i) {
                x_[ln.firstNode + i] = ln.points[i];
                line_[ln.firstNode + i] = l;
            }
            for (const Piece& p : ln.pieces) {
                if (p.x1 <= p.x0) continue;
                const std::size_t from = nodeAt(l, p.x0), to = nodeAt(l, p.x1);
                if (p.kind == Piece::Kind::Wire) {
                    for (std::size_t n = from; n < to; ++n) incoming_[n + 1].push_back({n, p});
                } else {
                    incoming_[to].push_back({from, p});
                }
            }
        }
        // the left bus joins the start of every line
        for (std::size_t l = 1; l < lines_.size(); ++l) {
            const std::size_t a = rootOf(parent_, nodeAt(0, draw.iBusLineStart)),
                              b = rootOf(parent_, nodeAt(l, draw.iBusLineStart));
            if (a != b) parent_[std::max(a, b)] = std::min(a, b);
        }
        for (const auto& [l, x] : links_) {
            const std::size_t a = rootOf(parent_, nodeAt(l, x)), b = rootOf(parent_, nodeAt(l + 1, x));
            if (a != b) parent_[std::max(a, b)] = std::min(a, b);
        }
    }

    // Power runs left to right: every node is worked out after every node left of it, and the nodes a
    // vertical link joins (all at one x) share what reaches any of them.
    void sweep() {
        const std::size_t nodes = x_.size();
        std::vector<std::size_t> order(nodes);
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::stable_sort(order.begin(), order.end(),
                         [this](std::size_t a, std::size_t b) { return x_[a] < x_[b]; });
        value_.assign(nodes, ConditionPool::kOff);
        std::vector<Condition> groupValue(nodes, ConditionPool::kOff);
        std::vector<std::size_t> atX;
        for (std::size_t i = 0; i < nodes;) {
            std::size_t j = i;
            while (j < nodes && x_[order[j]] == x_[order[i]]) ++j;
            atX.assign(order.begin() + static_cast<std::ptrdiff_t>(i),
                       order.begin() + static_cast<std::ptrdiff_t>(j));
            for (const std::size_t n : atX) groupValue[rootOf(parent_, n)] = ConditionPool::kOff;
            for (const std::size_t n : atX) {
                Condition v = x_[n] == draw.iBusLineStart ? ConditionPool::kOn : ConditionPool::kOff;
                for (const Edge& e : incoming_[n]) v = pool_.either(v, through(e));
                const std::size_t root = rootOf(parent_, n);
                groupValue[root] = pool_.either(groupValue[root], v);
            }
            for (const std::size_t n : atX) value_[n] = groupValue[rootOf(parent_, n)];
            i = j;
        }
    }

    Condition through(const Edge& e) {
        const Condition in = value_[e.from];
        switch (e.piece.kind) {
            case Piece::Kind::Wire: return in;
            case Piece::Kind::Contact: return pool_.both(in, e.piece.literal);
            case Piece::Kind::Invert:
                return in == ConditionPool::kOff ? ConditionPool::kOff : pool_.inverted(in);
            case Piece::Kind::Edge:
                return in == ConditionPool::kOff ? ConditionPool::kOff : pool_.edgeOf(in, e.piece.rising);
        }
        return in;
    }

    // A contact with a path of bare wire beside it, from the point before it to the point after it,
    // counts for nothing: the wire goes round it.
    void findBypass(DrawnLadder& ladder) {
        const std::size_t nodes = x_.size();
        std::vector<std::vector<std::size_t>> members(nodes);
        for (std::size_t n = 0; n < nodes; ++n) members[rootOf(parent_, n)].push_back(n);
        std::vector<std::vector<std::size_t>> wireOut(nodes);
        for (std::size_t n = 0; n < nodes; ++n)
            for (const Edge& e : incoming_[n])
                if (e.piece.kind == Piece::Kind::Wire) wireOut[e.from].push_back(n);
        std::vector<std::size_t> stamp(nodes, 0);
        std::size_t walk = 0;
        for (std::size_t n = 0; n < nodes; ++n) {
            for (const Edge& e : incoming_[n]) {
                if (e.piece.kind != Piece::Kind::Contact || value_[e.from] == ConditionPool::kOff) continue;
                const std::size_t from = rootOf(parent_, e.from), to = rootOf(parent_, n);
                ++walk;
                std::vector<std::size_t> open{from};
                stamp[from] = walk;
                bool round = false;
                while (!open.empty() && !round) {
                    const std::size_t group = open.back();
                    open.pop_back();
                    for (const std::size_t member : members[group])
                        for (const std::size_t next : wireOut[member]) {
                            const std::size_t g = rootOf(parent_, next);
                            if (g == to) round = true;
                            if (stamp[g] == walk || x_[next] > x_[n]) continue;
                            stamp[g] = walk;
                            open.push_back(g);
                        }
                }
                if (!round) continue;
                const stLadderBlock& contact = *e.piece.object;
                ladder.fault = LadderVerdict::at(
                    LadderVerdict::Kind::Refused, contact.xAddr, contact.yAddr,
                    lineReason(contact.yAddr, "a bare wire runs beside " +
                                                  identityOf(contact, symbolKindOf(contact)).text +
                                                  " and bypasses it."));
                return;
            }
        }
    }

    ConditionPool& pool_;
    std::uint32_t h_ = 0, cw_ = 0;
    std::vector<Line> lines_;
    std::vector<Output> outputs_;
    std::vector<std::pair<std::size_t, std::uint32_t>> links_;
    std::vector<std::uint32_t> x_;
    std::vector<std::size_t> line_;
    std::vector<std::vector<Edge>> incoming_;
    std::vector<std::size_t> parent_;
    std::vector<Condition> value_;
};

}  // namespace

std::string lineReason(std::uint32_t y, const std::string& what) {
    const std::uint32_t h = ModeData.ySizeSymble;
    return "Line " + std::to_string(h == 0 ? 1 : y / h + 1) + ": " + what;
}

DrawnLadder drawnLadder(ConditionPool& pool) {
    return LadderReading(pool).read();
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
            return other(a, "Convert would write " + b.text + " where " + a.text + " is drawn.");
        if (a.condition != b.condition && !pool.sameLogic(a.condition, b.condition))
            return other(a, "Convert would run " + a.text + " under other contacts than those drawn.");
    }
    if (drawn.items.size() > common)
        return other(drawn.items[common], "Convert would leave out " + drawn.items[common].text + ".");
    if (back.items.size() > common) {
        const DrawnItem& extra = back.items[common];
        return other(drawn.items.empty() ? extra : drawn.items.back(),
                     "Convert would add " + extra.text + ".");
    }
    const std::size_t objects = std::min(drawn.objects.size(), back.objects.size());
    for (std::size_t i = 0; i < objects; ++i)
        if (drawn.objects[i].identity != back.objects[i].identity) {
            const bool lost = drawn.objects[i].identity < back.objects[i].identity;
            return other(lost ? drawn.objects[i] : back.objects[i],
                         lost ? "Convert would not keep " + drawn.objects[i].text + " as drawn."
                              : "Convert would add " + back.objects[i].text + ".");
        }
    if (drawn.objects.size() > objects)
        return other(drawn.objects[objects],
                     "Convert would not keep " + drawn.objects[objects].text + " as drawn.");
    if (back.objects.size() > objects)
        return other(back.objects[objects], "Convert would add " + back.objects[objects].text + ".");
    return {};
}

}  // namespace kestrion
