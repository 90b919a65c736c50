// The logic the ladder view draws: power from the left bus through what it paints (contacts, the
// wire between them and into each output, the vertical links of the canvas) for every output, and
// the order of the outputs, labels and steps. Convert holds the ladder it read back against the one
// drawn before it with this, and the instruction box's trial does the same with the rung a line
// changed: one rule decides both.
//
// A condition is an expression over the contacts: series joins by AND, parallel by OR. INV, MEP and
// MEF act on the section they close, as the PLC runs them: from where its branch begins (a vertical
// link that opens a parallel group around it, a step's bus or the left bus), INV passes that
// section's power inverted and an edge contact without a device the edge of it. Expressions are kept
// once each in a pool, so that the same logic drawn with other wire lengths is the same expression;
// two expressions that differ in form are compared exactly, as decision diagrams.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/core/LadderVerdict.h"

namespace kestrion {

struct stLadderBlock;

using Condition = std::uint32_t;

// An instruction as the user reads it: its mnemonic and operands, kept as the object held them.
struct DrawnName {
    std::array<char, 12> mnemonic{};
    std::array<std::array<char, 16>, 5> operands{};
    bool contact = false;  // a contact is named by its device
    std::string text() const;
};

// Every condition of the ladders one check compares.
class ConditionPool {
public:
    static constexpr Condition kOff = 0;  // no power reaches it
    static constexpr Condition kOn = 1;   // the left bus, or wire alone from it

    // What a condition is: a contact (a device read, a comparison or a step) is a variable, and so is
    // the edge of a condition (its value from one scan to the next).
    enum class Kind : std::uint8_t { Off, On, Contact, And, Or, Not, Rising, Falling };

    ConditionPool();
    // A contact by the identity of what it reads (its device, comparison or step), named by the
    // object it is first read from (`contact`: named by its device).
    Condition literal(std::uint64_t identity, const stLadderBlock& named, bool contact);
    // The contact of that identity a reading met already; off when none did.
    Condition knownLiteral(std::uint64_t identity) const {
        const auto found = literals_.find(identity);
        return found == literals_.end() ? kOff : found->second;
    }
    Condition both(Condition a, Condition b);
    Condition either(Condition a, Condition b);
    Condition inverted(Condition a);
    Condition edgeOf(Condition a, bool rising);

    // Whether the two compute the same for every value of their contacts and edges, however many. An
    // edge is the same wherever it is taken of the same logic (and a falling edge is the rising edge
    // of the logic inverted).
    bool sameLogic(Condition a, Condition b);

    // A condition's kind, its parts (of And, Or, Not and the edges), and a contact's name: for a
    // reader of its own.
    Kind kindOf(Condition c) const { return terms_[c].kind; }
    std::span<const Condition> partsOf(Condition c) const;
    const DrawnName& contactName(Condition contact) const { return names_[*kidsOf(contact)]; }

private:
    struct Term {
        Kind kind;
        std::uint32_t first;  // parts in kids_ (for a contact, its number)
        std::uint32_t count;
        std::uint64_t hash;
    };
    Condition intern(Kind kind, const std::vector<Condition>& kids);
    Condition joined(Kind kind, Condition a, Condition b);
    void appendKids(Kind kind, Condition c);
    const Condition* kidsOf(Condition c) const { return kids_.data() + terms_[c].first; }

    std::vector<Term> terms_;
    std::vector<Condition> kids_;
    void grow();
    std::vector<Condition> slots_;  // open addressing over the terms by hash; kOff marks a free slot
    std::unordered_map<std::uint64_t, Condition> literals_;
    std::vector<DrawnName> names_;  // of each contact, by its number
    std::vector<Condition> scratch_;

    // The exact comparison: each condition as a reduced ordered decision diagram over its variables,
    // in the order a walk of the two conditions first meets them, made afresh for each pair that
    // differs in form. A table is marked with the pair it belongs to (`pair_`), so that nothing is
    // cleared from one pair to the next.
    struct Node {
        std::uint32_t level;  // the variable's place in the order; the two ends have none
        std::uint32_t low, high;
    };
    struct Slot {
        std::uint32_t pair = 0;
        std::uint32_t node = 0;
    };
    struct Cached {
        std::uint32_t pair = 0;
        std::uint32_t op = 0;
        std::uint32_t f = 0, g = 0, result = 0;
    };
    std::uint32_t node(std::uint32_t level, std::uint32_t low, std::uint32_t high);
    std::uint32_t growNodes();
    std::uint32_t join(bool both, std::uint32_t f, std::uint32_t g);
    std::uint32_t negation(std::uint32_t f);
    std::uint32_t variable();
    std::uint32_t diagramOf(Condition c);
    std::vector<Node> nodes_;  // 0 off, 1 on
    std::vector<Slot> nodeSlots_;
    std::vector<Cached> cache_;
    std::vector<std::uint32_t> termPair_, termDiagram_;  // each term's diagram for the pair marked
    std::vector<std::pair<std::uint32_t, std::uint32_t>> edgeLevels_;  // (the logic that rises, level)
    std::vector<Condition> walk_;
    std::uint32_t pair_ = 0, levels_ = 0;
};

// An output, label or step of the drawn ladder, in the order the ladder draws them (top to bottom,
// left to right), with the condition power reaches it by.
struct DrawnItem {
    std::uint64_t identity = 0;  // instruction and operands as compared: "OUT Y1" and "OUT Y001" alike
    DrawnName name;
    bool conditional = false;
    Condition condition = ConditionPool::kOff;
    std::uint32_t x = 0;
    std::uint32_t y = 0;
};

// An instruction of the multiset, named short: a contact by its device, anything else by its
// mnemonic and first operand.
struct DrawnObject {
    std::uint64_t identity = 0;
    std::array<char, 12> mnemonic{};
    std::array<char, 16> operand{};
    bool contact = false;
    std::uint32_t x = 0;
    std::uint32_t y = 0;
    std::string text() const;
};

struct DrawnLadder {
    std::vector<DrawnItem> items;
    std::vector<DrawnObject> objects;          // every drawn instruction, in list order
    std::array<std::uint64_t, 2> objectSum{};  // two sums of their identities, whatever their order
    // A picture no program can be: a contact a bare wire runs beside, or an output that needs a
    // contact fed by wire alone. Its verdict names the place.
    std::optional<LadderVerdict> fault;
    // Each line's picture: a fingerprint of what stands on it (every object's code, ends, mnemonic
    // and operands) and of the links down from it, and whether a link joins it to the line below.
    std::vector<std::uint64_t> linePictures;
    std::vector<bool> linkedBelow;
};

// The ladder in the editor now (the main list and the canvas).
DrawnLadder drawnLadder(ConditionPool& pool);

// Converts when the ladder read back draws what the ladder drawn before did: the same outputs,
// labels and steps in the same order, each under the same logic, and the same instructions. Else
// OtherLogic, placed on the drawn ladder and said in words.
LadderVerdict compareDrawnLadders(const DrawnLadder& drawn, const DrawnLadder& back, ConditionPool& pool);

// compareDrawnLadders of `drawn` and the ladder in the editor now, with only the lines that differ
// read again: from the first line whose picture differs to the last, widened to the whole rungs their
// links join. The lines alike above and below draw the same logic in both.
LadderVerdict compareWithLadderNow(const DrawnLadder& drawn, ConditionPool& pool);

// "Line 3: ..." for a place of the ladder.
std::string lineReason(std::uint32_t y, const std::string& what);

}  // namespace kestrion
