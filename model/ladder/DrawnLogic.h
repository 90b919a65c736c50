// The logic the ladder view draws: power from the left bus through what it paints (contacts, the
// wire between them and into each output, the vertical links of the canvas) for every output, and
// the order of the outputs, labels and steps. Convert holds the ladder it read back against the one
// drawn before it with this, and the instruction box's trial does the same with the rung a line
// changed: one rule decides both.
//
// A condition is an expression over the contacts: series joins by AND, parallel by OR, an INV
// inverts the power that reaches it, an edge contact without a device (MEP, MEF) takes the edge of
// that power. Expressions are kept once each in a pool, flattened and ordered, so that the same
// logic drawn with other wire lengths is the same expression; two expressions that differ in form
// are compared by their truth tables.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/core/LadderVerdict.h"

namespace kestrion {

using Condition = std::uint32_t;

// Every condition of the ladders one check compares.
class ConditionPool {
public:
    static constexpr Condition kOff = 0;  // no power reaches it
    static constexpr Condition kOn = 1;   // the left bus, or wire alone from it

    ConditionPool();
    Condition literal(const std::string& name);
    Condition both(Condition a, Condition b);
    Condition either(Condition a, Condition b);
    Condition inverted(Condition a);
    Condition edgeOf(Condition a, bool rising);

    // Whether the two compute the same for every value of their contacts (for many contacts: for
    // 4096 values drawn for them).
    bool sameLogic(Condition a, Condition b);
    // The terms a condition is the AND of (itself when it is no AND).
    std::vector<Condition> conjuncts(Condition a) const;

private:
    enum class Op : std::uint8_t { Off, On, Literal, And, Or, Not, Rising, Falling };
    struct Term {
        Op op;
        std::vector<Condition> kids;  // the literal's number for a literal
    };
    struct KeyHash {
        std::size_t operator()(const std::vector<std::uint32_t>& key) const;
    };
    Condition intern(Op op, std::vector<Condition> kids);
    Condition joined(Op op, Condition a, Condition b);
    void literalsOf(Condition a, std::vector<Condition>& out) const;

    std::vector<Term> terms_;
    std::unordered_map<std::vector<std::uint32_t>, Condition, KeyHash> index_;
    std::map<std::string, Condition> literals_;
};

// An output, label or step of the drawn ladder, in the order the ladder draws them (top to bottom,
// left to right), with the condition power reaches it by.
struct DrawnItem {
    std::string identity;  // instruction and operands as compared: "OUT Y1" and "OUT Y001" alike
    std::string text;      // as the user reads it
    bool conditional = false;
    Condition condition = ConditionPool::kOff;
    std::uint32_t x = 0;
    std::uint32_t y = 0;
};

struct DrawnObject {
    std::string identity;
    std::string text;
    std::uint32_t x = 0;
    std::uint32_t y = 0;
};

struct DrawnLadder {
    std::vector<DrawnItem> items;
    std::vector<DrawnObject> objects;  // every drawn instruction, by identity
    // A picture no program can be: a contact a bare wire runs beside, or an output that needs a
    // contact fed by wire alone. Its verdict names the place.
    std::optional<LadderVerdict> fault;
};

// The ladder in the editor now (the main list and the canvas).
DrawnLadder drawnLadder(ConditionPool& pool);

// Converts when the ladder read back draws what the ladder drawn before did: the same outputs,
// labels and steps in the same order, each under the same logic, and the same instructions. Else
// OtherLogic, placed on the drawn ladder and said in words.
LadderVerdict compareDrawnLadders(const DrawnLadder& drawn, const DrawnLadder& back, ConditionPool& pool);

// "Line 3: ..." for a place of the ladder.
std::string lineReason(std::uint32_t y, const std::string& what);

}  // namespace kestrion
