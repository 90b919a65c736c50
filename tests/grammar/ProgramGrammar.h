// Random valid programs built from the shapes of the ladder: series and parallel groups nested a few
// levels (LD, AND, OR, ANB, ORB, INV), branches of a branch point with outputs in each (MPS, MRD,
// MPP), several outputs to a rung, set and reset, timer and counter coils with constant and register
// settings, compare and edge contacts, application instructions, labels and jumps, steps (STL, RET),
// master control (MC, MCR), FEND and END. Each line is written as the instruction list shows it and
// put into words by the program's own device, operand and instruction tables.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "CoilLogic.h"

namespace kestrion::grammar {

// Where the generator's choices come from.
class Choices {
public:
    virtual ~Choices() = default;
    // A number below n (0 when n is 0 or 1).
    virtual std::uint32_t below(std::uint32_t n) = 0;
    bool percent(std::uint32_t p) { return below(100) < p; }
};

class RandomChoices final : public Choices {
public:
    explicit RandomChoices(std::uint32_t seed) : random_(seed) {}
    std::uint32_t below(std::uint32_t n) override { return n <= 1 ? 0 : random_() % n; }

private:
    std::mt19937 random_;
};

// The bytes of a fuzzer's input, one or two a choice; 0 once they run out, so every program ends.
class ByteChoices final : public Choices {
public:
    ByteChoices(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint32_t below(std::uint32_t n) override;

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// One instruction line ("LD X000", "OUT T0 K10", "MOV K5 D0") and its words.
struct Line {
    std::string text;
    Words words;
};

struct Program {
    std::vector<Line> lines;
    Words words() const;
    // The lines, one a line, for a failure report.
    std::string listing() const;
};

Program generateProgram(Choices& choices);

// The words of one instruction line, by the program's tables; empty for a line it cannot write.
Words assemble(const std::string& line);

// A count a long run sets by hand in the environment variable `name`; `otherwise` when it is unset.
std::uint32_t fromEnvironment(const char* name, std::uint32_t otherwise);

}  // namespace kestrion::grammar
