// Programs built from the grammar of the ladder's shapes, opened and converted twice: each opens and
// keeps through Convert what every output computes, and the second Convert writes it again word for
// word; or the load refuses it with its message. Every program that once broke this is kept in a
// file under regressions/: its words in hexadecimal, a note after "#".
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "grammar/ConvertProperty.h"
#include "grammar/ProgramGrammar.h"
#include "support/Fixture.h"
#include "support/SourceTree.h"

namespace kestrion::test {
namespace {

using grammar::Words;

class ConvertGrammar : public CoreTest {
protected:
    grammar::BoxCount boxes() {
        return {[this] { return static_cast<int>(fakes.messages.shown.size()); },
                [this](int index) { return fakes.messages.shown.at(static_cast<std::size_t>(index)).text; }};
    }
    grammar::PropertyResult check(const Words& words) {
        forgetRecords();
        return grammar::checkConvertProperty(words, boxes());
    }
};

// A program from a report: it opens, Convert writes the words given, which compute what the program
// computed, and a second Convert writes them again.
void expectConvertsTo(const grammar::PropertyResult& result, const Words& written) {
    EXPECT_EQ(result.broken, "");
    ASSERT_TRUE(result.opened);
    EXPECT_EQ(result.converted, written);
    EXPECT_EQ(grammar::compareLogic(result.loaded, written), "");
}

// LD X0, LD X1, LD X2, OR X3, AND X4, ORB, LD X5, LD X6, AND X7, OR X10, ORB, ANB, ORB, OUT Y0: the OR
// on the lowest line belongs to the inner group, which is joined in series only after it.
TEST_F(ConvertGrammar, AnOrOfAnInnerParallelGroupStaysInsideIt) {
    expectConvertsTo(check({0x2400, 0x2401, 0x2402, 0x6403, 0x4404, 0xFFF9, 0x2405, 0x2406, 0x4407, 0x6408,
                            0xFFF9, 0xFFF8, 0xFFF9, 0xC500, 0x000F}),
                     {0x2400, 0x2401, 0x2402, 0x6403, 0x4404, 0xFFF9, 0x2405, 0x2406, 0x4407, 0xFFF9, 0x6408,
                      0xFFF8, 0xFFF9, 0xC500, 0x000F});
}

// LD X0, LD X1, LD X2, ANB, AND X3, LD X4, AND X5, OR X6, ORB, ANB, LD X7, OR X10, AND X11, ORB, OUT
// Y40: the branch from the bus on the lowest lines joins the whole rung, not the inner group.
TEST_F(ConvertGrammar, ABranchFromTheBusJoinsTheWholeRungNotTheInnerGroup) {
    expectConvertsTo(check({0x2400, 0x2401, 0x2402, 0xFFF8, 0x4403, 0x2404, 0x4405, 0x6406, 0xFFF9, 0xFFF8,
                            0x2407, 0x6408, 0x4409, 0xFFF9, 0xC520, 0x000F}),
                     {0x2400, 0x2401, 0x4402, 0x4403, 0x2404, 0x4405, 0xFFF9, 0x6406, 0xFFF8, 0x2407, 0x6408,
                      0x4409, 0xFFF9, 0xC520, 0x000F});
}

// The first Convert wrote OR X0 inside the ANB and the second moved it to the end (X0 absorbed the
// difference): now the first writes it where the second does.
TEST_F(ConvertGrammar, ASecondConvertWritesWhatTheFirstWrote) {
    expectConvertsTo(check({0x2400, 0x2400, 0x2400, 0x2400, 0x4400, 0xFFF9, 0xFFF9, 0x2401, 0x2402, 0x4403,
                            0xFFF9, 0xFFF8, 0x2400, 0xFFF9, 0xFFF9, 0xC520, 0x000F}),
                     {0x2400, 0x2400, 0x6400, 0x2400, 0x4400, 0xFFF9, 0x2401, 0x2402, 0x4403, 0xFFF9, 0xFFF8,
                      0xFFF9, 0x6400, 0xC520, 0x000F});
}

// STL S224, OUT Y304, P266, LD X0, ANB, OUT Y0: no ladder shows a label inside a step, nor an ANB
// joining across a label; the load refuses both with its message.
TEST_F(ConvertGrammar, AnAnbJoiningAcrossALabelDoesNotOpen) {
    for (const Words& words : {Words{0xF0E0, 0xC5E4, 0xB10A, 0xB201, 0x2400, 0xFFF8, 0xC500, 0x000F},
                               Words{0x2401, 0xC5E4, 0xB10A, 0xB201, 0x2400, 0xFFF8, 0xC500, 0x000F}}) {
        const grammar::PropertyResult result = check(words);
        EXPECT_FALSE(result.opened);
        EXPECT_EQ(result.broken, "");
        ASSERT_FALSE(fakes.messages.shown.empty());
        EXPECT_EQ(fakes.messages.shown.back().text, "Error2015092809");
        EXPECT_EQ(fakes.messages.shown.back().caption, "Instruction Code Error");
    }
}

// A rung with more contacts in series than the ladder is wide opens with the load's warning that it
// cannot be converted. Convert still writes it when it can put it in order: 21 contacts in one line
// word for word, branches of a step past a branch point as a program that computes the same (the
// property checks it); otherwise it refuses with a message and leaves the program and the ladder as
// they were (the property checks both).
TEST_F(ConvertGrammar, ARungWiderThanTheLadderOpensWithItsWarning) {
    Words line;
    for (std::uint16_t x = 0; x < 21; ++x)
        line.push_back(static_cast<std::uint16_t>((x == 0 ? 0x2400 : 0x4400) + x));
    line.insert(line.end(), {0xC500, 0x000F});
    const Words branched = {0xF015, 0xF016, 0x2675, 0xFFFD, 0x2403, 0x01DA, 0x863C, 0x8600, 0x800F,
                            0x8000, 0x2404, 0x2801, 0xFFF8, 0xFFF8, 0xFFF8, 0xFFF8, 0xFFFD, 0x2405,
                            0x2802, 0xFFF8, 0xFFF8, 0xFFFA, 0x4407, 0x4804, 0x4402, 0x0038, 0x86D0,
                            0x8600, 0x8008, 0x8000, 0x86D0, 0x8600, 0xFFFB, 0x01CC, 0x8406, 0x01CA,
                            0x8805, 0x3408, 0x6409, 0xFFF8, 0xFFF8, 0xCB22, 0xFFFC, 0xC505, 0x000F};
    const Words tangled = {0xF014, 0x261B, 0xE500, 0x11E3, 0x8660, 0x8600, 0x8000, 0x8000, 0x8036, 0x8000,
                           0x8000, 0x8000, 0x4400, 0x3401, 0x4400, 0x2800, 0xFFF8, 0x01E0, 0x860E, 0x8600,
                           0x8031, 0x8000, 0x4402, 0x5400, 0x4403, 0xFFFD, 0x4404, 0x3405, 0xFFF9, 0xFFF8,
                           0x0601, 0x8082, 0x8000, 0x240C, 0x01D2, 0x8634, 0x8600, 0x8060, 0x8000, 0x11D0,
                           0x8654, 0x8600, 0x8043, 0x8000, 0x5E24, 0x4415, 0x5404, 0x01E8, 0x8644, 0x8600,
                           0x8004, 0x8000, 0x3803, 0xFFF8, 0xFFF8, 0xFFF8, 0x2E24, 0xFFF8, 0x4805, 0x4693,
                           0x5417, 0x4EA7, 0x0604, 0x80F8, 0x8000, 0x000F};
    enum class Outcome { Unchanged, Converted, Refused };
    for (const auto& [words, outcome] :
         {std::pair{line, Outcome::Unchanged}, std::pair{branched, Outcome::Converted},
          std::pair{tangled, Outcome::Refused}}) {
        const grammar::PropertyResult result = check(words);
        EXPECT_EQ(result.broken, "");
        EXPECT_TRUE(result.opened);
        EXPECT_TRUE(result.openedWarned);
        if (outcome == Outcome::Unchanged) {
            EXPECT_EQ(result.converted, words);
        }
        EXPECT_EQ(result.converted.empty(), outcome == Outcome::Refused)
            << grammar::hexWords(result.converted);
        ASSERT_FALSE(fakes.messages.shown.empty());
        EXPECT_EQ(fakes.messages.shown.front().text,
                  "*[AND]SeriesContactDeviceTooMuchError...Can't convert...");
        EXPECT_EQ(fakes.messages.shown.front().caption, "Error2015032401...");
        if (outcome == Outcome::Refused) {
            EXPECT_EQ(
                fakes.messages.shown.back().text,
                "Block 2: 3 of 24 objects are reached by its wiring; the ladder cannot be put in order.");
        }
    }
}

// Seeds from 1, 20000 of them; KESTRION_GRAMMAR_FIRST and KESTRION_GRAMMAR_PROGRAMS set others (a longer
// search, by hand, in several processes).
using grammar::fromEnvironment;

TEST_F(ConvertGrammar, GeneratedProgramsOpenAndKeepWhatEveryOutputComputesThroughTwoConverts) {
    const std::uint32_t first = fromEnvironment("KESTRION_GRAMMAR_FIRST", 1);
    const std::uint32_t count = fromEnvironment("KESTRION_GRAMMAR_PROGRAMS", 20000);
    std::uint32_t opened = 0, broken = 0;
    for (std::uint32_t seed = first; seed < first + count; ++seed) {
        grammar::RandomChoices choices(seed);
        const grammar::Program program = grammar::generateProgram(choices);
        for (const grammar::Line& line : program.lines) ASSERT_FALSE(line.words.empty()) << line.text;
        const grammar::PropertyResult result = check(program.words());
        opened += result.opened ? 1 : 0;
        if (!result.broken.empty() && ++broken <= 5)
            ADD_FAILURE() << "seed " << seed << ": " << result.broken << "\n"
                          << program.listing() << grammar::hexWords(program.words());
    }
    EXPECT_EQ(broken, 0u);
    // The grammar writes shapes the ladder shows: the load refuses few of them.
    EXPECT_GE(opened, count - count / 10);
}

TEST_F(ConvertGrammar, EveryProgramThatOnceBrokeThePropertyKeepsIt) {
    int count = 0;
    for (const auto& file :
         std::filesystem::directory_iterator(test::testSource("tests/compiler/regressions"))) {
        std::ifstream in(file.path());
        for (std::string line; std::getline(in, line);) {
            std::istringstream fields(line.substr(0, line.find('#')));
            Words words;
            for (std::string word; fields >> word;)
                words.push_back(static_cast<std::uint16_t>(std::stoul(word, nullptr, 16)));
            if (words.empty()) continue;
            ++count;
            const grammar::PropertyResult result = check(words);
            EXPECT_EQ(result.broken, "") << line;
        }
    }
    EXPECT_GE(count, 3);
}

}  // namespace
}  // namespace kestrion::test
