// Random programs behind a valid header: the load never crashes or hangs, and afterwards the main
// list is whole and ends in END (the loaded ladder, or what was placed when the load stopped; the
// file commands take that back through their transaction). Every tenth program runs inside one and
// must leave the END-only ladder it started from.
// KESTRION_FUZZ_ITERATIONS sets the number of programs.
#include <cstdlib>
#include <random>

#include "model/core/ConversionError.h"
#include "reader/LoaderTestSupport.h"

namespace kestrion {
namespace {

// Words that begin instructions, with operand words where they take them, and now and then any
// word at all.
class ProgramGenerator {
public:
    explicit ProgramGenerator(std::uint32_t seed) : random_(seed) {}
    test::Words next() {
        test::Words words;
        const int length = pick(1, 48);
        for (int i = 0; i < length; ++i) append(words);
        if (pick(0, 9) > 0) words.push_back(0x000F);
        return words;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    std::uint16_t device() { return static_cast<std::uint16_t>(pick(0x400, 0x5FF)); }
    std::uint16_t operand() { return static_cast<std::uint16_t>(0x8000 + pick(0, 0xFF)); }
    void operands(test::Words& words, int count) {
        for (int i = 0; i < count; ++i) words.push_back(operand());
    }
    void append(test::Words& words) {
        switch (pick(0, 15)) {
            case 0:
            case 1:
                words.push_back(static_cast<std::uint16_t>(0x2000 + pick(0, 1) * 0x1000 + device()));
                break;
            case 2:
            case 3:
                words.push_back(static_cast<std::uint16_t>(0x4000 + pick(0, 3) * 0x1000 + device()));
                break;
            case 4: words.push_back(static_cast<std::uint16_t>(0xFFF8 + pick(0, 5))); break;
            case 5:
            case 6:
                words.push_back(static_cast<std::uint16_t>(0xC000 + pick(0, 2) * 0x1000 + device()));
                break;
            case 7:
                words.push_back(static_cast<std::uint16_t>(pick(0, 1) != 0 ? 0x600 + pick(0, 0x1FF)
                                                                           : 0xE00 + pick(0, 0xFF)));
                operands(words, words.back() > 0xEC7 ? 4 : 2);
                break;
            case 8:
                words.push_back(static_cast<std::uint16_t>(pick(0, 1) != 0 ? 0xF000 + pick(0, 9) : 0xF7FF));
                break;
            case 9:
                words.push_back(static_cast<std::uint16_t>(0xB000 + pick(0, 1) * 0x800 + pick(0, 0xFF)));
                break;
            case 10: words.insert(words.end(), {0xB10A, 0xB201}); break;
            case 11:
                words.push_back(static_cast<std::uint16_t>(pick(0, 1) * 0x1000 + 0x10 + pick(0, 0x3EF)));
                operands(words, pick(0, 10));
                break;
            case 12:
                words.push_back(static_cast<std::uint16_t>(0x1D0 + pick(0, 2) * 0x10 + pick(0, 13)));
                operands(words, 4 + 4 * (words.back() & 1));
                break;
            case 13:
                words.push_back(static_cast<std::uint16_t>(pick(0x1C2, 0x1CF) + pick(0, 1) * 0x200));
                break;
            case 14:
                words.push_back(static_cast<std::uint16_t>(pick(2, 13)));
                operands(words, pick(1, 3));
                break;
            default: words.push_back(static_cast<std::uint16_t>(pick(0, 0xFFFF))); break;
        }
    }
    std::mt19937 random_;
};

// The list runs from head to END both ways with every link matching.
bool wholeListEndingInEnd() {
    std::size_t forward = 0;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next, ++forward)
        if (o->next != nullptr && o->next->prev != o) return false;
    std::size_t backward = 0;
    for (const stLadderBlock* o = ldrTail; o != nullptr; o = o->prev) ++backward;
    return forward > 0 && forward == backward && ldrTail->iCode == 0x000F && ldrHead->prev == nullptr;
}

class LoaderFuzz : public test::LoaderTest {};

TEST_F(LoaderFuzz, RandomProgramsLoadOrLeaveTheEndOnlyLadder) {
    const char* configured = std::getenv("KESTRION_FUZZ_ITERATIONS");
    const int iterations = configured != nullptr ? std::atoi(configured) : 2000;
    ProgramGenerator generator(20261207);
    int loaded = 0;
    for (int i = 0; i < iterations; ++i) {
        const test::Words words = generator.next();
        fakes.messages.shown.clear();
        put(words);
        if (i % 10 == 0) {
            startLadder();
            const bool done = runCommand(loadSequence);
            loaded += done ? 1 : 0;
            ASSERT_TRUE(done || ldrHead == ldrTail) << "program " << i;
        } else {
            try {
                loadSequence();
                ++loaded;
            } catch (const ConversionError&) {
            }
        }
        ASSERT_TRUE(wholeListEndingInEnd()) << "program " << i;
        ASSERT_FALSE(fakes.progress.visible);
    }
    // Enough of the programs get through to reach every placer and pass.
    if (iterations >= 100) {
        EXPECT_GT(loaded, iterations / 40);
    }
}

}  // namespace
}  // namespace kestrion
