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

// One value for each of 4096 assignments of the inputs, a bit each.
constexpr std::size_t kSignalWords = 64;
using Signal = std::array<std::uint64_t, kSignalWords>;

// Every assignment on, and the signals joined bit by bit.
inline Signal ones() {
    Signal s;
    s.fill(~std::uint64_t{0});
    return s;
}
inline Signal operator&(Signal a, const Signal& b) {
    for (std::size_t i = 0; i < kSignalWords; ++i) a[i] &= b[i];
    return a;
}
inline Signal operator|(Signal a, const Signal& b) {
    for (std::size_t i = 0; i < kSignalWords; ++i) a[i] |= b[i];
    return a;
}
inline Signal operator~(Signal a) {
    for (std::uint64_t& w : a) w = ~w;
    return a;
}

// A value for every input: all 4096 assignments when there are at most 12 inputs (input i is bit i
// of the assignment's number), otherwise 4096 drawn at random from the input's name, so that two
// programs with the same inputs see the same values.
class Inputs {
public:
    explicit Inputs(const std::vector<std::string>& names);
    const Signal& of(const std::string& name) const;
    bool exhaustive() const { return exhaustive_; }

private:
    std::map<std::string, Signal> values_;
    bool exhaustive_ = true;
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
