#include "CoilLogic.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <unordered_map>

#include "reader/MachineWords.h"

namespace kestrion::grammar {

namespace {

std::string hex(std::uint32_t value) {
    char text[12];
    std::snprintf(text, sizeof text, "%04X", value);
    return text;
}

using Kind = InstructionKind;
using Family = ContactFamily;
using Instruction = DecodedInstruction;

std::string deviceName(std::uint32_t code) {
    return "dev " + hex(code);
}

// The two ways the load reads the bit device of an operand pair: a contact takes the whole of both
// words past their bases (0x8400, 0x8000), an output only their low bytes.
enum class PairRead { Contact, Output };

// The device of an operand pair: a bit device by its code, or a bit of a data register, named as the
// load names it, so that the words Convert writes for what the ladder shows name the same input.
// A word bit is named by the register and bit the ladder shows for its words: the load reads past an
// odd value and the high bits of the second word, and Convert writes the one form of what it shows.
std::string pairName(std::uint16_t first, std::uint16_t second, PairRead read) {
    if ((first >> 8) < 0x86) {
        if (read == PairRead::Output) return deviceName((first & 0xFFu) + 256u * (second & 0xFFu));
        return deviceName((std::uint32_t{first} - 0x8400u) + 256u * (std::uint32_t{second} - 0x8000u));
    }
    const std::uint32_t value = (std::uint32_t{first} - 0x8600u) + 256u * (std::uint32_t{second} - 0x9400u);
    return "D" + std::to_string((value & 0x3FFFu) >> 1) + "." + std::to_string((second & 0x3C0u) >> 6);
}

// The device of MC's four-word form: the load reads it from the low bytes of its pair, whatever
// the high bytes say.
std::string masterControlDevice(std::uint16_t first, std::uint16_t second) {
    return deviceName((first & 0xFFu) + 256u * (second & 0xFFu));
}

std::string wordsText(const Words& words, std::size_t at, std::size_t length) {
    std::string text;
    for (std::size_t i = at; i < at + length && i < words.size(); ++i)
        text += (i == at ? "" : " ") + hex(words[i]);
    return text;
}

Family familyOfNibble(std::uint32_t n) {
    return n <= 3 ? Family::Ld : n <= 5 ? Family::And : Family::Or;
}

Instruction contact(Family family, bool negated, std::string name, std::size_t length) {
    Instruction i;
    i.kind = Kind::Contact;
    i.family = family;
    i.negated = negated;
    i.name = std::move(name);
    i.length = length;
    return i;
}

Instruction simple(Kind kind, std::string name, std::size_t length) {
    Instruction i;
    i.kind = kind;
    i.name = std::move(name);
    i.length = length;
    return i;
}

std::uint16_t wordAt(const Words& words, std::size_t at) {
    return at < words.size() ? words[at] : 0xFFFF;
}

const char* coilKind(std::uint32_t which) {
    return which == 0 ? "OUT " : which == 1 ? "SET " : "RST ";
}

Instruction decode(const Words& words, std::size_t at, Operands operands) {
    const std::uint16_t w = words[at];
    const std::uint16_t w1 = wordAt(words, at + 1), w2 = wordAt(words, at + 2);
    const int known = instructionLength(w);
    const auto length = static_cast<std::size_t>(std::max(1, known));
    const std::size_t shown = operands == Operands::Compared ? length : 1;  // words that name it
    const std::uint32_t top = w >> 12;
    if (w == 0x000F) return simple(Kind::End, "END", 1);
    // NOP, and the two placeholders of ladder objects, which no program keeps.
    if (w == 0xFFFF || w == 0x1000 || w == 0xFFFE) return simple(Kind::Nop, "NOP", 1);
    if (w == 0xFFF8) return simple(Kind::Anb, "ANB", 1);
    if (w == 0xFFF9) return simple(Kind::Orb, "ORB", 1);
    if (w == 0xFFFA) return simple(Kind::Mps, "MPS", 1);
    if (w == 0xFFFB) return simple(Kind::Mrd, "MRD", 1);
    if (w == 0xFFFC) return simple(Kind::Mpp, "MPP", 1);
    if (w == 0xFFFD) return simple(Kind::Inv, "INV", 1);
    if (known == 0) return simple(Kind::Invalid, hex(w), 1);
    if (top >= 2 && top <= 7) return contact(familyOfNibble(top), (top & 1) != 0, deviceName(w & 0xFFFu), 1);
    if (top >= 0xC && top <= 0xE)
        return simple(Kind::Output, coilKind(top - 0xC) + deviceName(w & 0xFFFu), 1);
    if (w == 0xF7FF) return simple(Kind::Ret, "RET", 1);
    if (top == 0xF) return simple(Kind::Stl, "step " + hex(w & 0xFFFu), 1);
    if ((w >> 8) == 0xB0 || (w >> 8) >= 0xB8) return simple(Kind::Mark, "label " + hex(w), 1);
    if ((w >> 8) == 0xB1) return simple(Kind::Mark, "label " + hex(w) + hex(w1), 2);
    const std::uint32_t base = w & 0x0FFFu;
    if (base >= 0x1C2 && base <= 0x1CF && w < 0x1000) {
        const std::uint32_t k = w - 0x1C2;  // 0-5 plain, 8-13 edges
        const bool edge = k >= 8;
        const std::uint32_t form = edge ? k - 8 : k;
        const std::string device = deviceName(w1 - 0x8000u);
        const Family family = form < 2 ? Family::Ld : form < 4 ? Family::And : Family::Or;
        if (edge) return contact(family, false, ((form & 1) != 0 ? "fall " : "rise ") + device, length);
        return contact(family, (form & 1) != 0, device, length);
    }
    if (w >= 0x3C2 && w <= 0x3CF) {
        const std::uint32_t k = w - 0x3C2;
        const bool edge = k >= 8;
        const std::uint32_t form = edge ? k - 8 : k;
        const std::string device = pairName(w1, w2, PairRead::Contact);
        const Family family = form < 2 ? Family::Ld : form < 4 ? Family::And : Family::Or;
        if (edge) return contact(family, false, ((form & 1) != 0 ? "fall " : "rise ") + device, length);
        return contact(family, (form & 1) != 0, device, length);
    }
    if (base >= 0x1D0 && base <= 0x1FD) {
        const Family family = base < 0x1E0 ? Family::Ld : base < 0x1F0 ? Family::And : Family::Or;
        // The same comparison read by LD=, AND= or OR= is one input.
        const std::uint16_t relation = static_cast<std::uint16_t>(w & 0x100Fu);
        return contact(family, false, "compare " + hex(relation) + " " + wordsText(words, at + 1, shown - 1),
                       length);
    }
    if (w >= 0x002 && w <= 0x007)
        return simple(Kind::Output, coilKind((w - 2) % 3) + deviceName(w1 - 0x8000u), length);
    // RST of a timer or counter, which Convert always writes in two words.
    if (w == 0x00C) return simple(Kind::Output, coilKind(2) + deviceName(w1 - 0x8000u), length);
    if (w == 0x008 || w == 0x009)
        return simple(Kind::Output, std::string(w == 8 ? "PLS " : "PLF ") + deviceName(w1 - 0x8000u), length);
    if (w == 0x202 || w == 0x203 || w == 0x204)
        return simple(Kind::Output, coilKind(w - 0x202u) + pairName(w1, w2, PairRead::Output), length);
    if (w == 0x208 || w == 0x209)
        return simple(Kind::Output,
                      std::string(w == 0x208 ? "PLS " : "PLF ") + pairName(w1, w2, PairRead::Output), length);
    if (w == 0x00A || w == 0x20A) {
        Instruction mc = simple(
            Kind::Mc,
            "MC " + hex(w1 - 0x8000u) + " " +
                (w == 0x00A ? deviceName(w2 - 0x8000u) : masterControlDevice(w2, wordAt(words, at + 3))),
            length);
        mc.level = static_cast<int>((w1 - 0x8000u) & 7u);
        return mc;
    }
    if (w == 0x00B) {
        Instruction mcr = simple(Kind::Mcr, "MCR " + hex(w1 - 0x8000u), length);
        mcr.level = static_cast<int>((w1 - 0x8000u) & 7u);
        return mcr;
    }
    // Instructions that stand alone on their line: the end of the main program, a subroutine's or an
    // interrupt's return, interrupts on and off, a loop.
    if (w == 0x014 || w == 0x016 || w == 0x018 || w == 0x01A || w == 0x01C || w == 0x020 || w == 0x022)
        return simple(Kind::Mark, wordsText(words, at, shown), length);
    // Every other form is an output with its operand words: RST of timers, counters and registers,
    // the timer and counter coils with their settings, the application instructions.
    return simple(Kind::Output, wordsText(words, at, shown), length);
}

}  // namespace

DecodedInstruction decodeInstruction(const Words& words, std::size_t at, Operands operands) {
    return decode(words, at, operands);
}

// ---- Signals -------------------------------------------------------------------------------------

namespace {

constexpr std::uint32_t kOff = 0, kOn = 1, kNoVariable = 0xFFFFFFFFu;

struct NodeKey {
    std::uint32_t variable, low, high;
    bool operator==(const NodeKey&) const = default;
};
struct NodeKeyHash {
    std::size_t operator()(const NodeKey& k) const {
        std::uint64_t h = (std::uint64_t{k.variable} << 32 | k.low) * 0x9E3779B97F4A7C15ULL;
        return static_cast<std::size_t>((h ^ (h >> 29) ^ k.high) * 0xBF58476D1CE4E5B9ULL);
    }
};

struct Names {
    std::map<std::string, std::uint32_t> variables;
    std::vector<std::string> names;
};
Names& names() {
    static Names n;
    return n;
}

}  // namespace

std::uint32_t inputVariable(const std::string& name) {
    Names& n = names();
    const auto [at, added] = n.variables.emplace(name, static_cast<std::uint32_t>(n.names.size()));
    if (added) n.names.push_back(name);
    return at->second;
}

const std::string& inputOfVariable(std::uint32_t variable) {
    return names().names.at(variable);
}

Signal Signal::on() {
    Signal s;
    s.root_ = kOn;
    return s;
}

Signal Signal::input(std::uint32_t variable) {
    Signal s;
    s.nodes_.push_back({variable, kOff, kOn});
    s.root_ = 2;
    return s;
}

Signal operator~(Signal a) {
    const auto flip = [](std::uint32_t& n) {
        if (n < 2) n ^= 1u;
    };
    flip(a.root_);
    for (Signal::Node& node : a.nodes_) {
        flip(node.low);
        flip(node.high);
    }
    return a;
}

Signal operator&(const Signal& a, const Signal& b) {
    return Signal::joined(a, b, Signal::Join::And);
}

Signal operator|(const Signal& a, const Signal& b) {
    return Signal::joined(a, b, Signal::Join::Or);
}

// Both diagrams walked together, a variable at a time (the first of the two in the order): each pair
// of nodes met once, each node made once.
Signal Signal::joined(const Signal& a, const Signal& b, Join join) {
    const std::uint32_t dominant = join == Join::And ? kOff : kOn;
    // one side decides, or both are the same
    if (a.root_ == dominant || b.root_ == (dominant ^ 1u) || a == b) return a;
    if (b.root_ == dominant || a.root_ == (dominant ^ 1u)) return b;
    std::vector<NodeKey> made;
    std::unordered_map<NodeKey, std::uint32_t, NodeKeyHash> unique;
    std::unordered_map<std::uint64_t, std::uint32_t> done;
    const auto variableOf = [](const Signal& s, std::uint32_t n) {
        return n < 2 ? kNoVariable : s.nodes_[n - 2].variable;
    };
    const auto walk = [&](const auto& self, std::uint32_t x, std::uint32_t y) -> std::uint32_t {
        if (x == dominant || y == dominant) return dominant;
        if (x < 2 && y < 2) return dominant ^ 1u;
        const std::uint64_t pair = std::uint64_t{x} << 32 | y;
        if (const auto found = done.find(pair); found != done.end()) return found->second;
        const std::uint32_t vx = variableOf(a, x), vy = variableOf(b, y), v = std::min(vx, vy);
        const std::uint32_t low =
            self(self, vx == v ? a.nodes_[x - 2].low : x, vy == v ? b.nodes_[y - 2].low : y);
        const std::uint32_t high =
            self(self, vx == v ? a.nodes_[x - 2].high : x, vy == v ? b.nodes_[y - 2].high : y);
        std::uint32_t result = low;
        if (low != high) {
            const NodeKey key{v, low, high};
            const auto [at, added] = unique.emplace(key, static_cast<std::uint32_t>(made.size() + 2));
            if (added) made.push_back(key);
            result = at->second;
        }
        done.emplace(pair, result);
        return result;
    };
    const std::uint32_t root = walk(walk, a.root_, b.root_);
    // laid out again in the order of a walk from the root, low side first
    Signal s;
    std::vector<std::uint32_t> placed(made.size() + 2, 0);
    placed[kOff] = kOff;
    placed[kOn] = kOn;
    const auto place = [&](const auto& self, std::uint32_t n) -> std::uint32_t {
        if (n < 2 || placed[n] != 0) return placed[n];
        const NodeKey& key = made[n - 2];
        const std::uint32_t low = self(self, key.low), high = self(self, key.high);
        s.nodes_.push_back({key.variable, low, high});
        return placed[n] = static_cast<std::uint32_t>(s.nodes_.size() + 1);
    };
    s.root_ = place(place, root);
    return s;
}

std::vector<std::uint32_t> Signal::onIn(bool& found) const {
    std::vector<std::uint32_t> on;
    found = root_ != kOff;
    for (std::uint32_t n = root_; found && n >= 2;) {
        const Node& node = nodes_[n - 2];
        if (node.low != kOff) {
            n = node.low;
        } else {
            on.push_back(node.variable);
            n = node.high;
        }
    }
    return on;
}

bool Signal::holdsWith(const std::vector<std::uint32_t>& on) const {
    std::uint32_t n = root_;
    while (n >= 2) {
        const Node& node = nodes_[n - 2];
        n = std::find(on.begin(), on.end(), node.variable) != on.end() ? node.high : node.low;
    }
    return n == kOn;
}

Inputs::Inputs(const std::vector<std::string>& names) {
    for (const std::string& name : names) values_[name] = Signal::input(inputVariable(name));
}

const Signal& Inputs::of(const std::string& name) const {
    static const Signal none{};
    const auto found = values_.find(name);
    return found == values_.end() ? none : found->second;
}

std::vector<std::string> inputNames(const Words& words, Operands operands) {
    std::set<std::string> names;
    for (std::size_t at = 0; at < words.size();) {
        const Instruction i = decode(words, at, operands);
        if (i.kind == Kind::End) break;
        if (i.kind == Kind::Contact || i.kind == Kind::Stl) names.insert(i.name);
        at += i.length;
    }
    return {names.begin(), names.end()};
}

CoilLogic coilLogic(const Words& words, const Inputs& inputs, Operands operands) {
    CoilLogic logic;
    std::vector<Signal> blocks, branches;
    std::array<Signal, 8> masters;
    std::array<bool, 8> masterOn{};
    Signal acc = ones(), step = ones();
    bool stepOpen = false, previousWasStep = false;
    const auto context = [&] {
        Signal c = stepOpen ? step : ones();
        for (std::size_t n = 0; n < masters.size(); ++n)
            if (masterOn[n]) c = c & masters[n];
        return c;
    };
    const auto fail = [&](const std::string& text, std::size_t at) {
        logic.error = text + " at word " + std::to_string(at);
        return logic;
    };
    for (std::size_t at = 0; at < words.size();) {
        const Instruction i = decode(words, at, operands);
        const bool wasStep = previousWasStep;
        previousWasStep = false;
        switch (i.kind) {
            case Kind::Contact: {
                const Signal in = i.negated ? ~inputs.of(i.name) : inputs.of(i.name);
                if (i.family == Family::Ld) {
                    blocks.push_back(acc);
                    acc = in;
                } else if (i.family == Family::And) {
                    acc = acc & in;
                } else {
                    acc = acc | in;
                }
                break;
            }
            case Kind::Inv: acc = ~acc; break;
            case Kind::Anb:
            case Kind::Orb:
                if (blocks.empty()) return fail(i.name + " with no block to join", at);
                acc = i.kind == Kind::Anb ? (blocks.back() & acc) : (blocks.back() | acc);
                blocks.pop_back();
                break;
            case Kind::Mps: branches.push_back(acc); break;
            case Kind::Mrd:
            case Kind::Mpp:
                if (branches.empty()) return fail(i.name + " with no branch point", at);
                acc = branches.back();
                if (i.kind == Kind::Mpp) branches.pop_back();
                break;
            case Kind::Output: logic.steps.push_back({i.name, true, acc & context()}); break;
            case Kind::Mc:
                logic.steps.push_back({i.name, true, acc & context()});
                masters[static_cast<std::size_t>(i.level)] = acc & context();
                masterOn[static_cast<std::size_t>(i.level)] = true;
                break;
            case Kind::Mcr:
                logic.steps.push_back({i.name, false, {}});
                for (std::size_t n = static_cast<std::size_t>(i.level); n < masterOn.size(); ++n)
                    masterOn[n] = false;
                break;
            case Kind::Stl:
                // Steps written one after the other are one step bus: all of them active.
                step = (wasStep ? step : ones()) & inputs.of(i.name);
                stepOpen = true;
                previousWasStep = true;
                acc = ones();
                logic.steps.push_back({i.name, false, {}});
                break;
            case Kind::Ret:
                stepOpen = false;
                acc = ones();
                logic.steps.push_back({i.name, false, {}});
                break;
            case Kind::Mark: logic.steps.push_back({i.name, false, {}}); break;
            case Kind::End: return logic;
            case Kind::Nop: break;
            case Kind::Invalid: return fail("no instruction begins with " + i.name, at);
        }
        at += i.length;
    }
    return fail("no END", words.size());
}

std::string compareLogic(const Words& before, const Words& after, Operands operands) {
    std::vector<std::string> names = inputNames(before, operands);
    for (const std::string& name : inputNames(after, operands))
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    std::sort(names.begin(), names.end());
    const Inputs inputs(names);
    const CoilLogic was = coilLogic(before, inputs, operands), is = coilLogic(after, inputs, operands);
    if (!was.error.empty()) return {};  // a program the instruction list cannot run: nothing to keep
    if (!is.error.empty()) return "the converted program does not run: " + is.error;
    const std::size_t common = std::min(was.steps.size(), is.steps.size());
    for (std::size_t n = 0; n < common; ++n) {
        if (was.steps[n].text != is.steps[n].text)
            return "step " + std::to_string(n) + " is " + is.steps[n].text + " instead of " +
                   was.steps[n].text;
        if (was.steps[n] != is.steps[n]) return "the condition of " + was.steps[n].text + " changed";
    }
    if (was.steps.size() != is.steps.size())
        return "the converted program has " + std::to_string(is.steps.size()) +
               " outputs, labels and steps, not " + std::to_string(was.steps.size());
    return {};
}

std::string hexWords(const Words& words) {
    return wordsText(words, 0, words.size());
}

}  // namespace kestrion::grammar
