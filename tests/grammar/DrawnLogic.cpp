#include "DrawnLogic.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <utility>

#include "ProgramGrammar.h"
#include "editor/LadderLayout.h"
#include "model/image/ModeData.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/VirtualCanvas.h"

namespace kestrion::grammar {

namespace {

std::string trimmed(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// The instruction line an object shows: its mnemonic and the operands the view writes.
std::string lineOf(const stLadderBlock& o) {
    std::string line = trimmed(textOf(o.mnemonic));
    for (const auto& operand : o.operands) {
        const std::string word = trimmed(textOf(operand));
        if (!word.empty() && word[0] != ' ') line += " " + word;
    }
    return line;
}

std::string placeOf(const stLadderBlock& o) {
    return std::to_string(o.xAddr) + "," + std::to_string(o.yAddr);
}

// What an object is for the logic: the view's symbol and, for what names an instruction, the
// instruction its text reads as.
struct ObjectMeaning {
    SymbolKind symbol = SymbolKind::None;
    DecodedInstruction instruction;
    std::string error;  // not empty: its text is no instruction the logic reads
};

ObjectMeaning meaningOf(const stLadderBlock& o, Operands operands) {
    ObjectMeaning m;
    m.symbol = symbolKindOf(o);
    switch (m.symbol) {
        case SymbolKind::None:
        case SymbolKind::Wire:
        case SymbolKind::Invert:
        case SymbolKind::End: return m;
        default: break;
    }
    const std::string line = lineOf(o);
    const Words words = assemble(line);
    if (words.empty()) {
        m.error = "the object at " + placeOf(o) + " (" + line + ") is no instruction";
        return m;
    }
    m.instruction = decodeInstruction(words, 0, operands);
    const bool contactSymbol = m.symbol == SymbolKind::Contact || m.symbol == SymbolKind::NegatedContact ||
                               m.symbol == SymbolKind::RisingContact ||
                               m.symbol == SymbolKind::FallingContact ||
                               m.symbol == SymbolKind::CompareContact;
    const bool contact = m.instruction.kind == InstructionKind::Contact;
    if (contactSymbol != contact || m.instruction.kind == InstructionKind::Invalid)
        m.error = "the object at " + placeOf(o) + " (" + line + ") is drawn as another kind of instruction";
    return m;
}

// One cell's part in a line: a contact, wire, or an INV, covering the cell from `cell` (the
// boundary left of it, in cells from x 0) to the next boundary.
struct Piece {
    std::int64_t line = 0;
    std::int64_t cell = 0;
    enum class Kind { Wire, Contact, Invert, StepBus } kind = Kind::Wire;
    const Signal* input = nullptr;
    bool negated = false;
};

// Where a conditional step takes its power: the node of a line at a boundary.
struct Sink {
    std::size_t step = 0;
    std::int64_t line = 0;
    std::int64_t boundary = 0;
};

struct Reading {
    CoilLogic logic;
    std::vector<std::string> places;  // of each step's object
};

// The power of every node of a range of lines, linked to each other and to no other line.
class LineGroup {
public:
    LineGroup(std::int64_t first, std::int64_t count, std::int64_t boundaries, std::int64_t bus)
        : first_(first),
          count_(count),
          boundaries_(boundaries),
          bus_(bus),
          gate_(static_cast<std::size_t>(count * boundaries)),
          any_(static_cast<std::size_t>(count * boundaries), false),
          invert_(static_cast<std::size_t>(count * boundaries), false),
          stepBus_(static_cast<std::size_t>(count * boundaries), false),
          link_(static_cast<std::size_t>(count * boundaries), false),
          power_(static_cast<std::size_t>(count * boundaries)) {}

    void add(const Piece& piece) {
        if (piece.cell < 0 || piece.cell + 1 >= boundaries_) return;
        const std::size_t at = index(piece.line - first_, piece.cell);
        any_[at] = true;
        switch (piece.kind) {
            case Piece::Kind::Wire:
            case Piece::Kind::StepBus: gate_[at] = ones(); break;
            case Piece::Kind::Contact:
                gate_[at] = gate_[at] | (piece.negated ? ~*piece.input : *piece.input);
                break;
            case Piece::Kind::Invert: invert_[at] = true; break;
        }
        if (piece.kind == Piece::Kind::StepBus) stepBus_[index(piece.line - first_, piece.cell + 1)] = true;
    }
    // A link at a boundary between a line and the line below it.
    void addLink(std::int64_t line, std::int64_t boundary) {
        if (boundary >= 0 && boundary < boundaries_ && line - first_ + 1 < count_)
            link_[index(line - first_, boundary)] = true;
    }

    void run() {
        for (std::int64_t k = 0; k < boundaries_; ++k) {
            for (std::int64_t l = 0; l < count_; ++l) {
                Signal& p = power_[index(l, k)];
                if (k == bus_) p = ones();
                if (k == 0 || k <= bus_) continue;
                const std::size_t cell = index(l, k - 1);
                if (!any_[cell]) continue;
                const Signal& in = power_[cell];
                p = in & gate_[cell];
                if (invert_[cell]) p = p | (entryPower(l, k - 1) & ~in);
            }
            joinLinked(k);
        }
    }

    const Signal& power(std::int64_t line, std::int64_t boundary) const {
        static const Signal none{};
        if (boundary < 0 || boundary >= boundaries_) return none;
        return power_[index(line - first_, boundary)];
    }

private:
    std::size_t index(std::int64_t l, std::int64_t k) const {
        return static_cast<std::size_t>(l * boundaries_ + k);
    }
    bool drawn(std::int64_t l, std::int64_t cell) const {
        return l >= 0 && l < count_ && cell >= 0 && cell < boundaries_ && any_[index(l, cell)];
    }

    // The lines linked at a boundary, as runs from a line down.
    void joinLinked(std::int64_t k) {
        for (std::int64_t l = 0; l < count_;) {
            std::int64_t last = l;
            while (last + 1 < count_ && link_[index(last, k)]) ++last;
            if (last > l) {
                Signal joined{};
                for (std::int64_t m = l; m <= last; ++m) joined = joined | power_[index(m, k)];
                for (std::int64_t m = l; m <= last; ++m) power_[index(m, k)] = joined;
            }
            l = last + 1;
        }
    }

    // The lines linked to line l at boundary b: from top to bottom.
    std::pair<std::int64_t, std::int64_t> linkedAt(std::int64_t l, std::int64_t b) const {
        std::int64_t top = l, bottom = l;
        while (top > 0 && link_[index(top - 1, b)]) --top;
        while (bottom + 1 < count_ && link_[index(bottom, b)]) ++bottom;
        return {top, bottom};
    }
    bool linkedTo(std::int64_t l, std::int64_t b, std::int64_t other) const {
        const auto [top, bottom] = linkedAt(l, b);
        return top <= other && other <= bottom;
    }

    // Whether line l comes into boundary j from the left, as another line that comes in from the left
    // does and is linked to it there: the two meet (a join), where a line that only leaves j to the
    // right (a joint in front of an output) does not.
    bool meets(std::int64_t l, std::int64_t j, std::int64_t other) const {
        if (!drawn(l, j - 1) || !linkedTo(l, j, other)) return false;
        const auto [top, bottom] = linkedAt(l, j);
        for (std::int64_t u = top; u <= bottom; ++u)
            if (u != l && drawn(u, j - 1)) return true;
        return false;
    }

    // Where a line that leaves boundary b to the right first meets line l again, both running on
    // from b without a gap (the two sides of one parallel group); 0 when it does not.
    std::int64_t firstMeeting(std::int64_t m, std::int64_t b, std::int64_t l) const {
        for (std::int64_t j = b + 1; j < boundaries_ && drawn(m, j - 1) && drawn(l, j - 1); ++j)
            if (meets(m, j, l)) return j;
        return 0;
    }

    // Whether a line that begins at boundary b, where lines top to bottom are linked, first joins
    // one of those that come from the left of b again right of boundary `reach` (a branch of a
    // parallel group around the INV), not (a branch of a branch point, ending at an output, or a
    // branch that joins before the INV).
    bool rejoins(std::int64_t l, std::int64_t b, std::int64_t reach, std::int64_t top,
                 std::int64_t bottom) const {
        std::int64_t first = 0;
        for (std::int64_t t = top; t <= bottom; ++t) {
            if (t == l || !drawn(t, b - 1)) continue;
            const std::int64_t j = firstMeeting(l, b, t);
            if (j > 0 && (first == 0 || j < first)) first = j;
        }
        return first > reach;
    }

    // The power where the parallel section of an INV in cell k of line l begins: walking left, the
    // first boundary where its branch of a parallel group begins, a step's bus ends, or another line
    // leaves to the right that joins this one again right of the INV (a parallel group around it);
    // the left bus when none. A branch of a branch point (ending at an output) goes on along the
    // line it leaves.
    Signal entryPower(std::int64_t l, std::int64_t k) const {
        std::int64_t reach = k;  // how far right the INV's path goes along line l
        for (std::int64_t b = k; b > bus_; --b) {
            const auto [top, bottom] = linkedAt(l, b);
            const auto opensAround = [&, top = top, bottom = bottom] {
                for (std::int64_t m = top; m <= bottom; ++m)
                    if (m != l && drawn(m, b) && firstMeeting(m, b, l) > reach) return true;
                return false;
            };
            if (stepBus_[index(l, b)] || opensAround()) return power_[index(l, b)];
            if (drawn(l, b - 1)) continue;
            if (rejoins(l, b, reach, top, bottom)) return power_[index(l, b)];
            // A branch of a branch point, or of a group that joins before the INV: the path goes on
            // along the line it leaves, up to where the two meet again, or up to b where they do not
            // (a group that opens at b on that line lies beside the branch, not around it).
            std::int64_t trunk = top;
            while (trunk <= bottom && !drawn(trunk, b - 1)) ++trunk;
            if (trunk > bottom) return power_[index(l, b)];
            const std::int64_t met = firstMeeting(l, b, trunk);
            l = trunk;
            reach = met > 0 ? met : b;
            if (stepBus_[index(l, b)]) return power_[index(l, b)];
        }
        return ones();
    }

    std::int64_t first_, count_, boundaries_, bus_;
    std::vector<Signal> gate_;
    std::vector<bool> any_, invert_, stepBus_, link_;
    std::vector<Signal> power_;
};

Reading readLadder(const Inputs& inputs, Operands operands) {
    Reading reading;
    CoilLogic& logic = reading.logic;
    const std::uint32_t width = ModeData.xSizeSymble, height = ModeData.ySizeSymble;
    if (width == 0 || height == 0 || !canvasGeometryReady()) {
        logic.error = "no drawing geometry";
        return reading;
    }
    const std::int64_t bus = draw.iBusLineStart / width;
    const auto cellOf = [width](std::uint32_t x) { return static_cast<std::int64_t>(x / width); };
    const auto lineOfY = [height](std::uint32_t y) { return static_cast<std::int64_t>(y / height); };

    std::map<std::uint32_t, std::vector<const stLadderBlock*>> rows;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) rows[o->yAddr].push_back(o);

    std::vector<Piece> pieces;
    std::vector<Sink> sinks;
    std::int64_t lastLine = 0, lastBoundary = static_cast<std::int64_t>(draw.iBusLineEnd / width) + 1;
    const auto addSpan = [&](std::int64_t line, std::int64_t from, std::int64_t to, Piece piece) {
        for (std::int64_t c = from; c < to; ++c) {
            piece.line = line;
            piece.cell = c;
            pieces.push_back(piece);
        }
        lastBoundary = std::max(lastBoundary, to + 1);
    };

    // The steps in ladder order with the contexts of steps and master controls, as the words have them.
    struct Pending {
        InstructionKind kind;
        std::string name;
        int level;
    };
    std::vector<Pending> order;
    // The picture's order: top to bottom, left to right (the list may hold a typed object anywhere).
    std::vector<const stLadderBlock*> drawn;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) drawn.push_back(o);
    std::stable_sort(drawn.begin(), drawn.end(), [](const stLadderBlock* a, const stLadderBlock* b) {
        return a->yAddr != b->yAddr ? a->yAddr < b->yAddr : a->xAddr < b->xAddr;
    });
    for (const stLadderBlock* o : drawn) {
        const ObjectMeaning m = meaningOf(*o, operands);
        if (!m.error.empty()) {
            logic.error = m.error;
            return reading;
        }
        if (m.symbol == SymbolKind::None) continue;
        const std::int64_t line = lineOfY(o->yAddr);
        lastLine = std::max(lastLine, line);
        const std::int64_t x0 = cellOf(o->xAddr);
        const std::int64_t xe = std::max(cellOf(std::max(o->Xend, o->xAddr + width)), x0 + 1);
        Piece piece;
        switch (m.symbol) {
            case SymbolKind::Wire: addSpan(line, x0, xe, piece); break;
            case SymbolKind::Invert:
                piece.kind = Piece::Kind::Invert;
                addSpan(line, x0, x0 + 1, piece);
                addSpan(line, x0 + 1, xe, Piece{});
                break;
            case SymbolKind::Contact:
            case SymbolKind::NegatedContact:
            case SymbolKind::RisingContact:
            case SymbolKind::FallingContact:
            case SymbolKind::CompareContact:
                piece.kind = Piece::Kind::Contact;
                piece.input = &inputs.of(m.instruction.name);
                piece.negated = m.instruction.negated;
                addSpan(line, x0, x0 + 1, piece);
                addSpan(line, x0 + 1, xe, Piece{});
                break;
            case SymbolKind::Coil:
            case SymbolKind::Box:
            case SymbolKind::End: {
                // The wire the view draws into an output, and the cells of a coil in front of its symbol.
                std::int64_t symbol = m.symbol == SymbolKind::Coil ? std::max(x0, xe - 1) : x0;
                if (m.instruction.kind == InstructionKind::Stl) {
                    piece.kind = Piece::Kind::StepBus;
                    addSpan(line, x0, xe, piece);
                }
                if (o->end == kEndOutput) {
                    const std::int64_t start = cellOf(outputWireStart(*o, rows[o->yAddr]));
                    if (start < x0) addSpan(line, start, x0, Piece{});
                }
                if (symbol > x0) addSpan(line, x0, symbol, Piece{});
                if (m.symbol == SymbolKind::End) break;
                const InstructionKind kind = m.instruction.kind;
                if (kind == InstructionKind::Output || kind == InstructionKind::Mc)
                    sinks.push_back({logic.steps.size(), line, symbol});
                logic.steps.push_back(
                    {m.instruction.name, kind == InstructionKind::Output || kind == InstructionKind::Mc, {}});
                reading.places.push_back(placeOf(*o));
                order.push_back({kind, m.instruction.name, m.instruction.level});
                break;
            }
            case SymbolKind::Label:
                logic.steps.push_back({m.instruction.name, false, {}});
                reading.places.push_back(placeOf(*o));
                order.push_back({m.instruction.kind, m.instruction.name, m.instruction.level});
                break;
            case SymbolKind::None: break;
        }
    }

    // The lines joined by links, a range at a time.
    std::vector<std::vector<std::int64_t>> links(static_cast<std::size_t>(lastLine + 1));
    for (std::int64_t line = 0; line < lastLine; ++line) {
        const char* cells = VirtualArray.rowCells(2 * line + 1);
        for (std::int64_t column = 1; column < kCanvasColumns; column += 2)
            if (cellOfRow(cells, column) == kCellLink)
                links[static_cast<std::size_t>(line)].push_back((column + 1) * symbleHalfWidth / width);
    }
    std::stable_sort(pieces.begin(), pieces.end(),
                     [](const Piece& a, const Piece& b) { return a.line < b.line; });
    std::stable_sort(sinks.begin(), sinks.end(),
                     [](const Sink& a, const Sink& b) { return a.line < b.line; });
    auto piece = pieces.begin();
    auto sink = sinks.begin();
    for (std::int64_t first = 0; first <= lastLine;) {
        std::int64_t last = first;
        while (last < lastLine && !links[static_cast<std::size_t>(last)].empty()) ++last;
        LineGroup group(first, last - first + 1, lastBoundary + 1, bus);
        for (; piece != pieces.end() && piece->line <= last; ++piece) group.add(*piece);
        for (std::int64_t line = first; line < last; ++line)
            for (const std::int64_t boundary : links[static_cast<std::size_t>(line)])
                group.addLink(line, boundary);
        group.run();
        for (; sink != sinks.end() && sink->line <= last; ++sink)
            logic.steps[sink->step].condition = group.power(sink->line, sink->boundary);
        first = last + 1;
    }

    // Steps and master controls condition what they hold, as in the words.
    std::array<Signal, 8> masters;
    std::array<bool, 8> masterOn{};
    Signal step = ones();
    bool stepOpen = false, previousWasStep = false;
    for (std::size_t n = 0; n < order.size(); ++n) {
        LogicStep& s = logic.steps[n];
        const bool wasStep = previousWasStep;
        previousWasStep = false;
        Signal context = stepOpen ? step : ones();
        for (std::size_t m = 0; m < masters.size(); ++m)
            if (masterOn[m]) context = context & masters[m];
        switch (order[n].kind) {
            case InstructionKind::Output: s.condition = s.condition & context; break;
            case InstructionKind::Mc: {
                s.condition = s.condition & context;
                const auto level = static_cast<std::size_t>(order[n].level);
                masters[level] = s.condition;
                masterOn[level] = true;
                break;
            }
            case InstructionKind::Mcr:
                for (auto m = static_cast<std::size_t>(order[n].level); m < masterOn.size(); ++m)
                    masterOn[m] = false;
                break;
            case InstructionKind::Stl:
                step = (wasStep ? step : ones()) & inputs.of(order[n].name);
                stepOpen = true;
                previousWasStep = true;
                break;
            case InstructionKind::Ret: stepOpen = false; break;
            default: break;
        }
    }
    return reading;
}

// The inputs on in an assignment where two conditions differ, for a message (the first few of them
// by name).
constexpr std::size_t kNamedInputs = 8;
std::string firstDifference(const Signal& a, const Signal& b) {
    bool found = false;
    const std::vector<std::uint32_t> variables = (a ^ b).onIn(found);
    if (!found) return {};
    std::vector<std::string> names;
    for (const std::uint32_t v : variables) names.push_back(inputOfVariable(v));
    std::sort(names.begin(), names.end());
    std::string on;
    for (std::size_t n = 0; n < names.size() && n < kNamedInputs; ++n) on += (n == 0 ? "" : ", ") + names[n];
    if (names.size() > kNamedInputs) on += " and " + std::to_string(names.size() - kNamedInputs) + " more";
    const bool x = a.holdsWith(variables);
    return std::string("with ") + (on.empty() ? "no input" : on) + " on the ladder gives " +
           (x ? "on" : "off") + ", the words " + (x ? "off" : "on");
}

}  // namespace

CoilLogic drawnLogic(const Inputs& inputs, Operands operands) {
    return readLadder(inputs, operands).logic;
}

std::vector<std::string> drawnInputNames(Operands operands) {
    std::set<std::string> names;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next) {
        const ObjectMeaning m = meaningOf(*o, operands);
        if (!m.error.empty()) continue;
        const InstructionKind kind = m.instruction.kind;
        if (m.symbol != SymbolKind::None && m.symbol != SymbolKind::Wire && m.symbol != SymbolKind::Invert &&
            m.symbol != SymbolKind::End && (kind == InstructionKind::Contact || kind == InstructionKind::Stl))
            names.insert(m.instruction.name);
    }
    return {names.begin(), names.end()};
}

namespace {

std::string compareReading(const Reading& drawn, const Words& words, const Inputs& inputs,
                           Operands operands) {
    const CoilLogic was = coilLogic(words, inputs, operands);
    const CoilLogic& is = drawn.logic;
    if (!was.error.empty()) return "the words do not run: " + was.error;
    if (!is.error.empty()) return "the ladder cannot be read: " + is.error;
    const std::size_t common = std::min(was.steps.size(), is.steps.size());
    for (std::size_t n = 0; n < common; ++n) {
        if (was.steps[n].text != is.steps[n].text)
            return "step " + std::to_string(n) + " of the ladder (at " + drawn.places[n] + ") is " +
                   is.steps[n].text + ", the words have " + was.steps[n].text;
        if (was.steps[n].conditional != is.steps[n].conditional)
            return "step " + std::to_string(n) + " (" + was.steps[n].text +
                   ") is conditional in one and not the other";
        if (was.steps[n] != is.steps[n])
            return "the ladder gives " + was.steps[n].text + " (at " + drawn.places[n] +
                   ") another condition than the words: " +
                   firstDifference(is.steps[n].condition, was.steps[n].condition);
    }
    if (was.steps.size() != is.steps.size())
        return "the ladder has " + std::to_string(is.steps.size()) +
               " outputs, labels and steps, the words " + std::to_string(was.steps.size());
    return {};
}

}  // namespace

std::string compareDrawnWithWords(const Words& words, Operands operands) {
    std::vector<std::string> names = inputNames(words, operands);
    for (const std::string& name : drawnInputNames(operands))
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    std::sort(names.begin(), names.end());
    const Inputs inputs(names);
    return compareReading(readLadder(inputs, operands), words, inputs, operands);
}

struct DrawnBefore::Kept {
    std::vector<std::string> names;
    Inputs inputs;
    Reading drawn;
};

DrawnBefore::DrawnBefore(Operands operands) : operands_(operands) {
    std::vector<std::string> names = drawnInputNames(operands);
    std::sort(names.begin(), names.end());
    Inputs inputs(names);
    Reading drawn = readLadder(inputs, operands);
    kept_ = std::make_shared<Kept>(Kept{std::move(names), std::move(inputs), std::move(drawn)});
}

std::string DrawnBefore::compareWithWords(const Words& words) const {
    for (const std::string& name : inputNames(words, operands_))
        if (!std::binary_search(kept_->names.begin(), kept_->names.end(), name))
            return "the words read " + name + ", which the ladder drawn before them did not";
    return compareReading(kept_->drawn, words, kept_->inputs, operands_);
}

}  // namespace kestrion::grammar
