// The tools of the Convert property: the assembler of instruction lines, the coil-logic evaluator and
// the grammar of programs.
#include "grammar/ProgramGrammar.h"

#include <set>
#include <utility>

#include "support/Fixture.h"

namespace kestrion::grammar {
namespace {

using test::CoreTest;

TEST(ProgramAssembler, WritesEachLineWithTheWordsOfTheMachineCode) {
    const std::pair<const char*, Words> cases[] = {
        {"LD X0", {0x2400}},
        {"ANI X17", {0x540F}},
        {"OR M8002", {0x6F02}},
        {"OUT Y0", {0xC500}},
        {"SET S10", {0x0006, 0x800A}},
        {"RST M5", {0xE805}},
        {"OUT T0 K10", {0x0600, 0x800A, 0x8000}},
        {"OUT T5 D100", {0x0605, 0x86C8, 0x8600}},
        {"OUT C200 K100000", {0x0EC8, 0x80A0, 0x8086, 0x8001, 0x8000}},
        {"RST C3", {0x000C, 0x8E03}},
        {"LDP X1", {0x01CA, 0x8401}},
        {"ORF M3", {0x01CF, 0x8803}},
        {"LD= D0 K5", {0x01D0, 0x8600, 0x8600, 0x8005, 0x8000}},
        {"ANDD> D2 K1", {0x01E3, 0x8604, 0x8600, 0x8000, 0x8000, 0x8001, 0x8000, 0x8000, 0x8000}},
        {"PLS M1000", {0x0008, 0x8BE8}},
        {"MC N0 M100", {0x000A, 0x8000, 0x8864}},
        {"MCR N0", {0x000B, 0x8000}},
        {"P300", {0xB12C, 0xB201}},
        {"I5", {0xB805}},
        {"CJ P63", {0x0010, 0x887E, 0x8000}},
        {"MOVP K1 D0", {0x1028, 0x8001, 0x8000, 0x8600, 0x8600}},
        {"STL S20", {0xF014}},
        {"RET", {0xF7FF}},
        {"MPP", {0xFFFC}},
        {"INV", {0xFFFD}},
        {"END", {0x000F}},
        {"LD Q5", {}},
        {"OUT T0", {}},
        {"MC N9 M100", {}},
    };
    for (const auto& [line, words] : cases) EXPECT_EQ(assemble(line), words) << line;
}

Words assembleAll(std::initializer_list<const char*> lines) {
    Words words;
    for (const char* line : lines) {
        const Words one = assemble(line);
        words.insert(words.end(), one.begin(), one.end());
    }
    return words;
}

TEST(CoilLogic, ProgramsThatComputeTheSameCompareEqual) {
    const std::pair<Words, Words> same[] = {
        {assembleAll({"LD X0", "AND X1", "OUT Y0", "END"}),
         assembleAll({"LD X0", "LD X1", "ANB", "OUT Y0", "END"})},
        {assembleAll({"LD X0", "OR X1", "OR X2", "OUT Y0", "END"}),
         assembleAll({"LD X0", "LD X1", "LD X2", "ORB", "ORB", "OUT Y0", "END"})},
        {assembleAll({"LD X0", "MPS", "AND X1", "OUT Y0", "MPP", "AND X2", "OUT Y1", "END"}),
         assembleAll({"LD X0", "AND X1", "OUT Y0", "LD X0", "AND X2", "OUT Y1", "END"})},
        // a contact on a step's bus is read with the step
        {assembleAll({"STL S0", "LD X0", "ANB", "OUT Y0", "RET", "END"}),
         assembleAll({"STL S0", "LD X0", "OUT Y0", "RET", "END"})},
        // SET of a step relay in its one-word and two-word forms
        {Words{0x2400, 0xD00A, 0x000F}, Words{0x2400, 0x0006, 0x800A, 0x000F}},
        // RST of a timer and of a counter in their one-word and two-word forms
        {Words{0x2400, 0xE603, 0xEE07, 0x000F}, Words{0x2400, 0x000C, 0x8603, 0x000C, 0x8E07, 0x000F}},
        // a word bit in words the load reads as D6827.0, and as Convert writes that (found by the fuzz)
        {Words{0x03C2, 0x8657, 0x8035, 0xC500, 0x000F}, Words{0x03C2, 0x8656, 0x9435, 0xC500, 0x000F}},
        // a contact's bit device in words of other high bytes than Convert writes: the load reads
        // both words whole past their bases (0x157 + 256 * 0x35), Convert writes that device (found by
        // the fuzz of the coil logic)
        {Words{0x2400, 0x2401, 0x03C2, 0x8557, 0x8035, 0xFFF9, 0xFFF8, 0xC500, 0x000F},
         Words{0x2400, 0x2401, 0x03C6, 0x8457, 0x8036, 0xFFF8, 0xC500, 0x000F}},
        // NOP and the placeholders of ladder objects do nothing
        {Words{0x2400, 0xFFFF, 0x1000, 0xFFFE, 0xC500, 0x000F}, Words{0x2400, 0xC500, 0x000F}},
    };
    for (const auto& [a, b] : same) EXPECT_EQ(compareLogic(a, b), "") << hexWords(a);
}

TEST(CoilLogic, ProgramsThatComputeSomethingElseSayWhatDiffers) {
    const std::pair<Words, std::string> cases[] = {
        // the first program as Convert wrote it: OR X10 around the whole rung
        {{0x2400, 0x2401, 0x2402, 0x6403, 0x4404, 0xFFF9, 0x2405, 0x2406, 0x4407, 0xFFF9, 0xFFF8, 0xFFF9,
          0x6408, 0xC500, 0x000F},
         "the condition of OUT dev 0500 changed"},
        // INV of the whole rung instead of the block
        {assembleAll({"LD X0", "AND X1", "INV", "OUT Y0", "END"}), "the condition of OUT dev 0500 changed"},
        // the outputs in another order, one output fewer, an edge read as a level, no MPS
        {assembleAll({"LD X0", "OUT Y1", "OUT Y0", "END"}), "step 0 is OUT dev 0501 instead of OUT dev 0500"},
        {assembleAll({"LD X0", "OUT Y0", "END"}),
         "the converted program has 1 outputs, labels and steps, not 2"},
        {assembleAll({"LDP X0", "OUT Y0", "OUT Y1", "END"}), "the condition of OUT dev 0500 changed"},
        {assembleAll({"LD X0", "MPP", "OUT Y0", "END"}),
         "the converted program does not run: MPP with no branch point at word 1"},
    };
    const Words before[] = {
        {0x2400, 0x2401, 0x2402, 0x6403, 0x4404, 0xFFF9, 0x2405, 0x2406, 0x4407, 0x6408, 0xFFF9, 0xFFF8,
         0xFFF9, 0xC500, 0x000F},
        assembleAll({"LD X0", "LD X1", "INV", "ANB", "OUT Y0", "END"}),
        assembleAll({"LD X0", "OUT Y0", "OUT Y1", "END"}),
        assembleAll({"LD X0", "OUT Y0", "OUT Y1", "END"}),
        assembleAll({"LD X0", "OUT Y0", "OUT Y1", "END"}),
        assembleAll({"LD X0", "OUT Y0", "END"}),
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(compareLogic(before[i], cases[i].first), cases[i].second) << i;
}

// Twenty inputs, more than any table of their values holds: two conditions that differ for one
// assignment of them (all on) differ, and the same contacts grouped otherwise are the same.
TEST(CoilLogic, ConditionsOfManyInputsCompareExactly) {
    const auto rung = [](const std::string& last, bool grouped) {
        std::vector<std::string> lines{"LD X0"};
        for (const char* x : {"X1", "X2", "X3", "X4", "X5", "X6", "X7", "X10", "X11", "X12", "X13", "X14",
                              "X15", "X16", "X17", "X20", "X21", "X22"})
            lines.push_back(std::string(grouped && x[1] == '1' && x[2] == '0' ? "LD " : "AND ") + x);
        if (grouped) lines.emplace_back("ANB");
        lines.push_back(last + " X23");
        lines.emplace_back("OUT Y0");
        lines.emplace_back("END");
        Words words;
        for (const std::string& line : lines) {
            const Words one = assemble(line);
            words.insert(words.end(), one.begin(), one.end());
        }
        return words;
    };
    EXPECT_EQ(compareLogic(rung("AND", false), rung("ANI", false)), "the condition of OUT dev 0500 changed");
    EXPECT_EQ(compareLogic(rung("AND", false), rung("AND", true)), "");
}

// D1000 as a timer setting in two forms: the words differ, the coil does not.
TEST(CoilLogic, OperandWordsCountUnlessAskedNotTo) {
    const Words plain{0x2400, 0x0600, 0x86D0, 0x8607, 0x000F},
        written{0x2400, 0x0600, 0x8600, 0x8800, 0x000F};
    EXPECT_EQ(compareLogic(plain, written), "step 0 is 0600 8600 8800 instead of 0600 86D0 8607");
    EXPECT_EQ(compareLogic(plain, written, Operands::Ignored), "");
    EXPECT_EQ(compareLogic(plain, {0x2401, 0x0600, 0x8600, 0x8800, 0x000F}, Operands::Ignored),
              "the condition of 0600 changed");
}

TEST(CoilLogic, StepsAndMasterControlsStandInFrontOfTheirOutputs) {
    const Inputs inputs({"dev 0400", "step 0000"});
    const CoilLogic logic = coilLogic(assembleAll({"STL S0", "OUT Y0", "LD X0", "MC N0 M100", "LD X0",
                                                   "OUT Y1", "MCR N0", "RET", "LD X0", "OUT Y2", "END"}),
                                      inputs);
    ASSERT_EQ(logic.error, "");
    ASSERT_EQ(logic.steps.size(), 7u);
    const Signal step = inputs.of("step 0000"), x0 = inputs.of("dev 0400");
    EXPECT_EQ(logic.steps[1].condition, step);           // OUT Y0 on the step's bus
    EXPECT_EQ(logic.steps[2].text, "MC 0000 dev 0864");  // MC N0 M100 of the step
    EXPECT_EQ(logic.steps[3].condition, step & x0);      // OUT Y1 under it
    EXPECT_EQ(logic.steps[6].condition, x0);             // after RET, the bus
}

TEST(ProgramGrammar, EverySeedGivesOneProgramOfTheLadderShapes) {
    std::set<std::string> seen;
    for (std::uint32_t seed = 1; seed <= 400; ++seed) {
        RandomChoices once(seed), again(seed);
        const Program program = generateProgram(once);
        EXPECT_EQ(generateProgram(again).words(), program.words()) << seed;
        ASSERT_FALSE(program.lines.empty());
        EXPECT_EQ(program.lines.back().text, "END");
        for (const Line& line : program.lines) {
            ASSERT_FALSE(line.words.empty()) << line.text;
            seen.insert(line.text.substr(0, line.text.find(' ')));
        }
    }
    for (const char* kind : {"LD",  "LDI", "AND", "ANI",  "OR",   "ORI",  "LDP", "ANDF",  "ANB", "ORB",
                             "INV", "MPS", "MRD", "MPP",  "OUT",  "SET",  "RST", "PLS",   "MC",  "MCR",
                             "STL", "RET", "CJ",  "P100", "FEND", "SRET", "MOV", "DADDP", "LD=", "END"})
        EXPECT_EQ(seen.count(kind), 1u) << kind;
}

TEST(ProgramGrammar, TheFuzzersBytesAreItsChoicesAndRunningOutEndsTheProgram) {
    const std::uint8_t bytes[] = {7, 200, 13, 255, 0, 42};
    ByteChoices choices(bytes, sizeof bytes);
    EXPECT_EQ(choices.below(10), 7u);
    EXPECT_EQ(choices.below(300), (200u * 256 + 13) % 300);
    EXPECT_EQ(choices.below(1), 0u);
    ByteChoices none(nullptr, 0);
    const Program program = generateProgram(none);
    EXPECT_EQ(program.lines.back().text, "END");
}

}  // namespace
}  // namespace kestrion::grammar
