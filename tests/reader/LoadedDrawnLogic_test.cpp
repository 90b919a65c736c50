// Every program the load opens is drawn as it runs: for every output, label, step and jump, power
// from the left bus through the contacts, the wire and the links the view paints gives what the
// words compute, read by the tests' evaluator and by the product's own reading (Convert's check). The
// further outputs of a full rung, and the programs the grammar builds: a few thousand seeds here;
// KESTRION_LOADED_DRAWN_SEEDS=first-last (say 1-300000) runs others, by hand.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <string>

#include "compiler/ConvertCommand.h"
#include "grammar/ConvertProperty.h"
#include "grammar/DrawnLogic.h"
#include "grammar/ProgramGrammar.h"
#include "model/core/CommandTransaction.h"
#include "model/ladder/DrawnLogic.h"
#include "model/ladder/LadderObject.h"
#include "support/Fixture.h"

namespace kestrion::test {
namespace {

struct SeedRange {
    std::uint32_t first = 1;
    std::uint32_t last = 4000;
};

SeedRange seedsFromEnvironment() {
    SeedRange range;
    const char* value = std::getenv("KESTRION_LOADED_DRAWN_SEEDS");
    if (value == nullptr) return range;
    char* end = nullptr;
    range.first = static_cast<std::uint32_t>(std::strtoul(value, &end, 10));
    range.last = *end == '-' ? static_cast<std::uint32_t>(std::strtoul(end + 1, nullptr, 10)) : range.first;
    return range;
}

class LoadedDrawnLogic : public CoreTest {};

grammar::Words program(std::initializer_list<const char*> lines) {
    grammar::Words words;
    for (const char* line : lines) {
        const grammar::Words one = grammar::assemble(line);
        words.insert(words.end(), one.begin(), one.end());
    }
    words.push_back(0x000F);
    return words;
}

// A condition of the drawn logic (model/ladder/DrawnLogic) in the words' terms: a contact as the input
// the words read for its line, a step as its step, and an edge of a device as the words' edge of it.
// Anything else (an edge of a section) the words have no name for: `error` says so.
class InWordsTerms {
public:
    InWordsTerms(const ConditionPool& pool, const grammar::Inputs& inputs) : pool_(pool), inputs_(inputs) {}

    grammar::Signal of(Condition c, std::string& error) {
        if (const auto known = done_.find(c); known != done_.end()) return known->second;
        grammar::Signal s;
        const std::span<const Condition> parts = pool_.partsOf(c);
        switch (pool_.kindOf(c)) {
            case ConditionPool::Kind::Off: break;
            case ConditionPool::Kind::On: s = grammar::ones(); break;
            case ConditionPool::Kind::Contact: s = inputs_.of(inputOf(c, error)); break;
            case ConditionPool::Kind::And:
            case ConditionPool::Kind::Or:
                s = of(parts[0], error);
                for (std::size_t k = 1; k < parts.size(); ++k)
                    s = pool_.kindOf(c) == ConditionPool::Kind::And ? s & of(parts[k], error)
                                                                    : s | of(parts[k], error);
                break;
            case ConditionPool::Kind::Not: s = ~of(parts[0], error); break;
            case ConditionPool::Kind::Rising:
            case ConditionPool::Kind::Falling:
                if (pool_.kindOf(parts[0]) != ConditionPool::Kind::Contact ||
                    !pool_.contactName(parts[0]).contact) {
                    error = "an edge of a section";
                    break;
                }
                s = inputs_.of((pool_.kindOf(c) == ConditionPool::Kind::Rising ? "rise " : "fall ") +
                               inputOf(parts[0], error));
                break;
        }
        return done_[c] = s;
    }

private:
    std::string inputOf(Condition contact, std::string& error) const {
        const DrawnName& name = pool_.contactName(contact);
        const std::string line = (name.contact ? "LD " : "") + name.text();
        const grammar::Words words = grammar::assemble(line);
        if (words.empty()) error = "no words for " + line;
        return words.empty() ? "" : grammar::decodeInstruction(words, 0).name;
    }

    const ConditionPool& pool_;
    const grammar::Inputs& inputs_;
    std::map<Condition, grammar::Signal> done_;
};

// Empty when every output, MC and jump of the ladder in the editor has, as the product reads it, the
// condition the words give it; else what differs first. The master controls put in front of what
// they hold as the words do.
std::string productAgainstWords(const grammar::Words& words) {
    ConditionPool pool;
    const DrawnLadder drawn = drawnLadder(pool);
    const grammar::Inputs inputs(grammar::inputNames(words));
    const grammar::CoilLogic logic = grammar::coilLogic(words, inputs);
    if (!logic.error.empty()) return {};
    InWordsTerms terms(pool, inputs);
    std::array<grammar::Signal, 8> masters;
    std::array<bool, 8> on{};
    auto item = drawn.items.begin();
    for (const grammar::LogicStep& step : logic.steps) {
        const auto level = [&step] {
            return static_cast<std::size_t>(
                std::stoul(step.text.substr(step.text.find(' ') + 1, 4), nullptr, 16) & 7);
        };
        if (step.text.starts_with("MCR "))
            std::fill(on.begin() + static_cast<std::ptrdiff_t>(level()), on.end(), false);
        if (!step.conditional) continue;
        while (item != drawn.items.end() && !item->conditional) ++item;
        if (item == drawn.items.end()) return "the ladder has no output for " + step.text;
        std::string error;
        grammar::Signal condition = terms.of(item->condition, error);
        if (!error.empty()) return item->name.text() + ": " + error;
        for (std::size_t n = 0; n < masters.size(); ++n)
            if (on[n]) condition = condition & masters[n];
        if (condition != step.condition)
            return "the product reads " + item->name.text() + " under other logic than the words run it";
        if (step.text.starts_with("MC ")) {
            masters[level()] = condition;
            on[level()] = true;
        }
        ++item;
    }
    return {};
}

// The outputs after the first of a rung whose contacts reach the column of its outputs (or leave
// less room than a wide output takes) stand at the rung's node, on the lines below: they are drawn
// linked to it, under the rung's contacts, and Convert writes the words back as they were.
TEST_F(LoadedDrawnLogic, FurtherOutputsOfAFullRungHangFromItsNode) {
    const grammar::Words cases[] = {
        // LD X0, AND X1 ... AND X13, OUT Y0, OUT Y1, OUT Y2, LD X14, OUT Y3
        {0x2400, 0x4401, 0x4402, 0x4403, 0x4404, 0x4405, 0x4406, 0x4407, 0x4408, 0x4409, 0x440A, 0x440B,
         0xC500, 0xC501, 0xC502, 0x240C, 0xC503, 0x000F},
        program({"LD X0", "AND X1", "AND X2", "AND X3", "AND X4", "AND X5", "AND X6", "AND X7", "OUT Y0",
                 "DMOV K1 D0"}),
        program({"STL S20", "LD X0", "AND X1", "AND X2", "AND X3", "AND X4", "AND X5", "AND X6", "OUT Y0",
                 "DMOV K1 D0"}),
        // and eleven contacts, where a joint in front of the further outputs has its cell
        program({"LD X0", "AND X1", "AND X2", "AND X3", "AND X4", "AND X5", "AND X6", "AND X7", "AND X10",
                 "AND X11", "AND X12", "OUT Y0", "OUT Y1", "OUT Y2"}),
    };
    for (const grammar::Words& words : cases) {
        SCOPED_TRACE(grammar::hexWords(words));
        grammar::startEditor();
        ASSERT_TRUE(grammar::openProgramWords(words));
        EXPECT_EQ(grammar::compareDrawnWithWords(words), "");
        ASSERT_TRUE(runCommand(LToM));
        EXPECT_EQ(grammar::imageProgramWords(), words);
        EXPECT_EQ(grammar::compareDrawnWithWords(words), "");
    }
}

TEST_F(LoadedDrawnLogic, EveryGeneratedProgramTheLoadOpensDrawsTheLogicOfItsWords) {
    const SeedRange seeds = seedsFromEnvironment();
    std::uint32_t opened = 0, broken = 0;
    for (std::uint32_t seed = seeds.first; seed <= seeds.last; ++seed) {
        grammar::RandomChoices choices(seed);
        const grammar::Program program = grammar::generateProgram(choices);
        forgetRecords();
        grammar::startEditor();
        if (!grammar::openProgramWords(program.words())) continue;
        const grammar::Words loaded = grammar::imageProgramWords();
        ++opened;
        std::string difference = grammar::compareDrawnWithWords(loaded);
        if (difference.empty()) difference = productAgainstWords(loaded);
        if (!difference.empty() && ++broken <= 5)
            ADD_FAILURE() << "seed " << seed << ": " << difference << "\n"
                          << program.listing() << grammar::hexWords(loaded);
    }
    EXPECT_EQ(broken, 0u) << "of " << opened << " opened";
    EXPECT_GE(opened, (seeds.last - seeds.first + 1) * 9 / 10);
}

// Two contacts of a generated program change places (their devices swapped), often on other lines
// of one rung, or in other rungs; or a contact in series goes in parallel, or the other way: held against the
// ladder drawn before, Convert's check reads again only the rungs whose lines differ, and says what reading
// and comparing the whole ladders says. The first quarter of the seeds the property above takes.
TEST_F(LoadedDrawnLogic, TheCheckOfTheLinesThatDifferSaysWhatTheWholeLaddersSay) {
    const SeedRange seeds = seedsFromEnvironment();
    const std::uint32_t last = std::min(seeds.last, seeds.first + (seeds.last - seeds.first) / 4);
    std::uint32_t compared = 0, refused = 0, wrong = 0;
    for (std::uint32_t seed = seeds.first; seed <= last; ++seed) {
        grammar::RandomChoices choices(seed);
        grammar::Program program = grammar::generateProgram(choices);
        std::vector<std::size_t> contacts;
        for (std::size_t i = 0; i < program.lines.size(); ++i) {
            const std::string& text = program.lines[i].text;
            const std::string mnemonic = text.substr(0, text.find(' '));
            if (text.find(' ') != std::string::npos &&
                (mnemonic == "LD" || mnemonic == "AND" || mnemonic == "OR" || mnemonic == "LDI" ||
                 mnemonic == "ANI" || mnemonic == "ORI"))
                contacts.push_back(i);
        }
        if (contacts.size() < 2) continue;
        const grammar::Words drawnWords = program.words();
        const std::uint32_t first = choices.below(static_cast<std::uint32_t>(contacts.size()));
        const std::uint32_t second = choices.below(static_cast<std::uint32_t>(contacts.size()));
        grammar::Line& a = program.lines[contacts[first]];
        grammar::Line& b = program.lines[contacts[second]];
        const std::size_t atA = a.text.find(' '), atB = b.text.find(' ');
        std::string textA = a.text.substr(0, atA) + b.text.substr(atB);
        std::string textB = b.text.substr(0, atB) + a.text.substr(atA);
        // or the first in parallel where it stood in series, or in series where it stood in parallel
        static const std::map<std::string, std::string> otherWay = {
            {"AND", "OR"}, {"OR", "AND"}, {"ANI", "ORI"}, {"ORI", "ANI"}};
        if (const auto way = otherWay.find(a.text.substr(0, atA));
            way != otherWay.end() && choices.percent(50)) {
            textA = way->second + a.text.substr(atA);
            textB = b.text;
        }
        a = {textA, grammar::assemble(textA)};
        b = {textB, grammar::assemble(textB)};
        if (a.words.empty() || b.words.empty()) continue;

        forgetRecords();
        grammar::startEditor();
        if (!grammar::openProgramWords(drawnWords)) continue;
        ConditionPool pool;
        const DrawnLadder drawn = drawnLadder(pool);
        grammar::startEditor();
        if (!grammar::openProgramWords(program.words())) continue;
        const LadderVerdict lines = compareWithLadderNow(drawn, pool);
        const LadderVerdict whole = compareDrawnLadders(drawn, drawnLadder(pool), pool);
        ++compared;
        refused += lines.converts() ? 0 : 1;
        if ((lines.converts() != whole.converts() || lines.kind != whole.kind) && ++wrong <= 5)
            ADD_FAILURE() << "seed " << seed << ": the lines that differ say \"" << lines.reason
                          << "\", the whole ladders \"" << whole.reason << "\"\n"
                          << program.listing();
    }
    EXPECT_EQ(wrong, 0u) << "of " << compared;
    // both answers come up often
    EXPECT_GE(refused, compared / 4);
    EXPECT_GE(compared - refused, compared / 10);
}

}  // namespace
}  // namespace kestrion::test
