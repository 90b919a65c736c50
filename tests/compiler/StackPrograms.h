// Programs of stack groups for the Convert tests, made by a small generator, and the logic they
// compute: every output as a function of the inputs (the coil-logic evaluator of the program grammar).
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "grammar/CoilLogic.h"

namespace kestrion::test {

using Logic = std::vector<grammar::LogicStep>;

// What a program computes, output by output; empty when it breaks its stacks or has no END.
inline Logic logicOf(const std::vector<std::uint16_t>& words) {
    const grammar::CoilLogic logic = grammar::coilLogic(words, grammar::Inputs(grammar::inputNames(words)));
    return logic.error.empty() ? logic.steps : Logic{};
}

// Rungs of stack groups: up to four branches, groups nested two levels deep (in first, middle and
// last branches), branches opened by one or two contacts, by a parallel pair joined with ANB or by
// two series pairs joined with ORB, outputs straight from the branch point, and one or two outputs
// at a branch's end, the second one after a further contact or not.
class StackProgramGenerator {
public:
    explicit StackProgramGenerator(std::uint32_t seed) : random_(seed) {}

    std::vector<std::uint16_t> program() {
        x_ = 0;
        y_ = 0;
        std::vector<std::uint16_t> words;
        const std::uint32_t rungs = 1 + pick(2);
        for (std::uint32_t rung = 0; rung < rungs; ++rung) {
            words.push_back(contact(0x2000));
            if (pick(4) == 0)
                words.insert(words.end(), {contact(0x7000), contact(0x2000), contact(0x4000), 0xFFF8});
            group(words, 1);
        }
        words.push_back(0x000F);
        return words;
    }

private:
    std::uint32_t pick(std::uint32_t n) { return random_() % n; }
    std::uint16_t contact(std::uint16_t family) { return static_cast<std::uint16_t>(family + 0x400 + x_++); }
    std::uint16_t output() {
        const std::uint32_t kind = pick(8);
        return static_cast<std::uint16_t>((kind == 0 ? 0xD500 : kind == 1 ? 0xE500 : 0xC500) + y_++);
    }

    void group(std::vector<std::uint16_t>& words, int depth) {
        const std::uint32_t branches = 2 + pick(3);
        for (std::uint32_t b = 0; b < branches; ++b) {
            words.push_back(b == 0 ? 0xFFFA : b + 1 == branches ? 0xFFFC : 0xFFFB);
            branch(words, depth);
        }
    }

    void branch(std::vector<std::uint16_t>& words, int depth) {
        switch (pick(6)) {
            case 0: break;  // straight from the branch point
            case 1: words.push_back(contact(0x4000)); break;
            case 2:
                words.push_back(contact(0x4000));
                words.push_back(contact(0x5000));
                break;
            case 3: words.insert(words.end(), {contact(0x2000), contact(0x6000), 0xFFF8}); break;
            case 4:
                words.insert(words.end(), {contact(0x2000), contact(0x4000), contact(0x2000), contact(0x4000),
                                           0xFFF9, 0xFFF8});
                break;
            default:
                words.push_back(contact(0x4000));
                if (depth < 3) return group(words, depth + 1);
                break;
        }
        words.push_back(output());
        if (pick(3) == 0) {
            if (pick(2) == 0) words.push_back(contact(0x4000));
            if (depth < 3 && pick(3) == 0) return group(words, depth + 1);
            words.push_back(output());
        }
    }

    std::mt19937 random_;
    int x_ = 0;
    int y_ = 0;
};

}  // namespace kestrion::test
