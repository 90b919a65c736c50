// What a program computes: every coil, set, reset, timer or counter coil, application instruction
// and MC condition as a function of the contacts, read from its instruction words with the stack
// semantics of the instruction list (LD pushes the result so far, ANB and ORB join the two last
// blocks, MPS, MRD and MPP keep and take back a branch point, INV inverts, STL and MC put the step
// and the master control in front of every output they hold), and the order of every output,
// label, step and jump. Two programs compute the same when they give the same steps in the same
// order with the same conditions.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kestrion::grammar {

using Words = std::vector<std::uint16_t>;

// A function of the inputs, exact for any number of them: a reduced ordered decision diagram over
// the inputs (in the order this process first named them), its nodes laid out in one order for one
// function, so that two signals are equal exactly when they agree on every assignment of the inputs.
class Signal {
public:
    Signal() = default;  // off for every assignment
    static Signal on();
    static Signal input(std::uint32_t variable);

    friend Signal operator&(const Signal& a, const Signal& b);
    friend Signal operator|(const Signal& a, const Signal& b);
    friend Signal operator~(Signal a);
    bool operator==(const Signal&) const = default;

    // The variables on in an assignment the signal is on for, every other variable off (the first
    // variables off where they can be); empty with `found` false when it is off for every one.
    std::vector<std::uint32_t> onIn(bool& found) const;
    // Its value with the variables `on` on and every other off.
    bool holdsWith(const std::vector<std::uint32_t>& on) const;

private:
    struct Node {
        std::uint32_t variable;
        std::uint32_t low, high;  // 0 off, 1 on, n the node nodes_[n - 2]
        bool operator==(const Node&) const = default;
    };
    enum class Join { And, Or };
    static Signal joined(const Signal& a, const Signal& b, Join join);

    std::vector<Node> nodes_;  // each after the nodes below it, in the order a walk from the root
                               // (low side first) leaves them
    std::uint32_t root_ = 0;
};

inline Signal ones() {
    return Signal::on();
}
inline Signal operator^(const Signal& a, const Signal& b) {
    return (a & ~b) | (~a & b);
}

// The variable of an input name, the same for the name throughout the process; and the name again.
std::uint32_t inputVariable(const std::string& name);
const std::string& inputOfVariable(std::uint32_t variable);

// A value for every input named: the input alone, as a variable of its own.
class Inputs {
public:
    explicit Inputs(const std::vector<std::string>& names);
    const Signal& of(const std::string& name) const;

private:
    std::map<std::string, Signal> values_;
};

// One output, label, step or jump of a program in order: its text (the instruction and its
// devices or operand words) and, for those that have one, the condition it is given.
struct LogicStep {
    std::string text;
    bool conditional = false;
    Signal condition{};
    bool operator==(const LogicStep&) const = default;
};

struct CoilLogic {
    std::vector<LogicStep> steps;
    // Not empty when the words are no program the instruction list can run (a join or a stack
    // read with nothing to take, a word no instruction begins with, no END).
    std::string error;
};

// Whether the operand words of application instructions, timer and counter settings and compare
// contacts count: they do for programs whose operands are written as the program writes them; for any
// words a program may hold, Convert writes an operand in the one form the load shows it in.
enum class Operands { Compared, Ignored };

// One instruction of the words as the logic reads it: a contact (its family, whether it reads its
// input inverted, the input's name), an output, label, step or jump (its text), a join, a stack read.
enum class InstructionKind {
    Contact,
    Inv,
    Anb,
    Orb,
    Mps,
    Mrd,
    Mpp,
    Output,
    Mc,
    Mcr,
    Stl,
    Ret,
    Mark,
    End,
    Nop,
    Invalid
};
enum class ContactFamily { Ld, And, Or };
struct DecodedInstruction {
    InstructionKind kind = InstructionKind::Invalid;
    ContactFamily family = ContactFamily::Ld;
    bool negated = false;
    std::string name;  // the input a contact reads; the text of anything else
    int level = 0;     // MC and MCR: the nesting level N
    std::size_t length = 1;
};
// The instruction that begins at word `at` (which must lie inside the words).
DecodedInstruction decodeInstruction(const Words& words, std::size_t at,
                                     Operands operands = Operands::Compared);

// The names of the inputs the words read (contacts, edges, compare contacts, steps).
std::vector<std::string> inputNames(const Words& words, Operands operands = Operands::Compared);
CoilLogic coilLogic(const Words& words, const Inputs& inputs, Operands operands = Operands::Compared);

// Empty when both programs compute the same; else what differs first, in words.
std::string compareLogic(const Words& before, const Words& after, Operands operands = Operands::Compared);

// "LD X000 ..." style listing of program words for messages: the words in hexadecimal.
std::string hexWords(const Words& words);

}  // namespace kestrion::grammar
