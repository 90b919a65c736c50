// The logic the ladder view draws: power from the left bus through what it paints (contacts, the
// wire between them and into each output, the vertical links of the canvas) for every output, and
// the order of the outputs, labels and steps. Convert holds the ladder it read back against the one
// drawn before it with this, and the instruction box's trial does the same with the rung a line
// changed: one rule decides both.
//
// A condition is an expression over the contacts: series joins by AND, parallel by OR, an INV
// inverts the power that reaches it, an edge contact without a device (MEP, MEF) takes the edge of
// that power. Expressions are kept once each in a pool, so that the same logic drawn with other wire
// lengths is the same expression; two expressions that differ in form are compared by their truth
// tables.
#pragma once

#include <array>
#include <cstdint>
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
    // A contact by the identity of what it reads (its kind, device or comparison).
    Condition literal(std::uint64_t identity);
    Condition both(Condition a, Condition b);
    Condition either(Condition a, Condition b);
    Condition inverted(Condition a);
    Condition edgeOf(Condition a, bool rising);

    // Whether the two compute the same for every value of their contacts (for many contacts: for
    // 4096 values drawn for them).
    bool sameLogic(Condition a, Condition b);

private:
    enum class Op : std::uint8_t { Off, On, Literal, And, Or, Not, Rising, Falling };
    struct Term {
        Op op;
        std::uint32_t first;  // kids in kids_ (a literal's number for a literal)
        std::uint32_t count;
        std::uint64_t hash;
    };
    Condition intern(Op op, const std::vector<Condition>& kids);
    Condition joined(Op op, Condition a, Condition b);
    void appendKids(Op op, Condition c);
    const Condition* kidsOf(Condition c) const { return kids_.data() + terms_[c].first; }
    std::vector<Condition> termsBelow(Condition a, Condition b) const;

    std::vector<Term> terms_;
    std::vector<Condition> kids_;
    void grow();
    std::vector<Condition> slots_;  // open addressing over the terms by hash; kOff marks a free slot
    std::unordered_map<std::uint64_t, Condition> literals_;
    std::vector<Condition> scratch_;
};

// An instruction as the user reads it: its mnemonic and operands, kept as the object held them.
struct DrawnName {
    std::array<char, 12> mnemonic{};
    std::array<std::array<char, 16>, 5> operands{};
    bool contact = false;  // a contact is named by its device
    std::string text() const;
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
