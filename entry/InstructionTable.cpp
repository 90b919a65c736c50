#include "entry/InstructionTable.h"

#include <algorithm>
#include <array>
#include <deque>
#include <string>
#include <vector>

namespace kestrion {

namespace {

struct BasicRow {
    std::string_view name;
    std::uint16_t code;
    WordKind kind;
    WordEnding ending;
    bool pulseSuffix;
};

using K = WordKind;
using E = WordEnding;

// clang-format off
// Contacts and coils take their codes from the class table below.
constexpr BasicRow kBasicRows[] = {
    {"LD", 0, K::Contact, E::Blank, false},   {"LDI", 0, K::Contact, E::Blank, false},
    {"AND", 0, K::Contact, E::Blank, false},  {"ANI", 0, K::Contact, E::Blank, false},
    {"OR", 0, K::Contact, E::Blank, false},   {"ORI", 0, K::Contact, E::Blank, false},
    {"LDP", 0, K::Contact, E::Blank, false},  {"LDF", 0, K::Contact, E::Blank, false},
    {"ANDP", 0, K::Contact, E::Blank, false}, {"ANDF", 0, K::Contact, E::Blank, false},
    {"ORP", 0, K::Contact, E::Blank, false},  {"ORF", 0, K::Contact, E::Blank, false},
    {"OUT", 0, K::Coil, E::Blank, false},     {"SET", 0, K::Coil, E::Blank, false},
    {"RST", 0, K::Coil, E::Blank, false},     {"PLS", 0, K::Coil, E::Blank, false},
    {"PLF", 0, K::Coil, E::Blank, false},     {"MC", 0, K::Coil, E::Blank, false},
    {"MCR", 0x000B, K::Basic, E::Blank, false},    {"END", 0x000F, K::Basic, E::LineEnd, false},
    {"STL", 0xF000, K::Basic, E::Blank, false},    {"RET", 0xF7FF, K::Basic, E::LineEnd, false},
    {"INV", 0xFFFD, K::Basic, E::LineEnd, true},
    // The converter makes these; typed, they are recognised and refused.
    {"ANB", 0, K::StackOnly, E::LineEnd, false},   {"ORB", 0, K::StackOnly, E::LineEnd, false},
    {"MPS", 0, K::StackOnly, E::Any, false},       {"MRD", 0, K::StackOnly, E::Any, false},
    {"MPP", 0, K::StackOnly, E::Any, false},
};

// The code of a contact or coil by the class of its device, classes 0 to 5.
struct ClassCodes {
    std::string_view name;
    std::array<std::uint16_t, 6> codes;
};
constexpr ClassCodes kClassCodes[] = {
    {"LD",   {0x2000, 0x01C2, 0x03C2, 0x01C2, 0x01C2, 0x03C2}},
    {"LDI",  {0x3000, 0x01C3, 0x03C3, 0x01C3, 0x01C3, 0x03C3}},
    {"AND",  {0x4000, 0x01C4, 0x03C4, 0x01C4, 0x01C4, 0x03C4}},
    {"ANI",  {0x5000, 0x01C5, 0x03C5, 0x01C5, 0x01C5, 0x03C5}},
    {"OR",   {0x6000, 0x01C6, 0x03C6, 0x01C6, 0x01C6, 0x03C6}},
    {"ORI",  {0x7000, 0x01C7, 0x03C7, 0x01C7, 0x01C7, 0x03C7}},
    {"LDP",  {0x01CA, 0x01CA, 0x03CA, 0x01CA, 0x01CA, 0x03CA}},
    {"LDF",  {0x01CB, 0x01CB, 0x03CB, 0x01CB, 0x01CB, 0x03CB}},
    {"ANDP", {0x01CC, 0x01CC, 0x03CC, 0x01CC, 0x01CC, 0x03CC}},
    {"ANDF", {0x01CD, 0x01CD, 0x03CD, 0x01CD, 0x01CD, 0x03CD}},
    {"ORP",  {0x01CE, 0x01CE, 0x03CE, 0x01CE, 0x01CE, 0x03CE}},
    {"ORF",  {0x01CF, 0x01CF, 0x03CF, 0x01CF, 0x01CF, 0x03CF}},
    {"OUT",  {0xC000, 0x0002, 0x0202, 0x0002, 0x0005, 0x0202}},
    {"SET",  {0xD000, 0x0003, 0x0203, 0x0003, 0x0006, 0x0203}},
    {"RST",  {0xE000, 0x0004, 0x0204, 0x0004, 0x0007, 0x0204}},
    {"PLS",  {0x0008, 0x0008, 0x0208, 0x0008, 0x0008, 0x0008}},
    {"PLF",  {0x0009, 0x0009, 0x0209, 0x0009, 0x0009, 0x0009}},
    {"MC",   {0x000A, 0x000A, 0x020A, 0x000A, 0x000A, 0x000A}},
};
// clang-format on

// Spellings with the P inside the name, and the name they are the pulse form of.
struct InnerPulse {
    std::string_view written;
    std::string_view name;
};
constexpr InnerPulse kInnerPulse[] = {{"DECPO", "DECO"}, {"INCPD", "INCD"}, {"REFPF", "REFF"}};

// Of the instructions recognised only to be refused, these take a P.
constexpr std::string_view kRefusedWithPulse[] = {"SMOV", "SER"};

// Composed spellings (LDD=, AND<>) live here for as long as the vocabulary.
std::deque<std::string>& composedNames() {
    static std::deque<std::string> names;
    return names;
}

std::string_view keep(std::string text) {
    return composedNames().emplace_back(std::move(text));
}

bool hasPulseForm(const AppInstruction& row) {
    if (row.box == BoxEntry::MatchedRefused) {
        return std::find(std::begin(kRefusedWithPulse), std::end(kRefusedWithPulse), row.mnemonic) !=
               std::end(kRefusedWithPulse);
    }
    return (row.boxForms & (kFormPulse16 | kFormPulse32)) != 0;
}

InstructionWord applicationWord(const AppInstruction& row, std::string_view written) {
    InstructionWord word;
    word.written = written;
    word.checker = row.mnemonic;
    word.code = appCode(row.fnc, false, false);
    word.kind = K::Application;
    word.ending = row.operands == 0 ? E::LineEnd : E::Blank;
    word.pulseSuffix = hasPulseForm(row);
    word.refused = row.box == BoxEntry::MatchedRefused;
    word.row = &row;
    return word;
}

InstructionWord compareWord(const AppInstruction& row, std::string_view written, bool doubleWritten) {
    InstructionWord word;
    word.written = written;
    word.checker = row.mnemonic;
    word.code = appCode(row.fnc, doubleWritten, false);
    word.kind = K::Compare;
    word.doubleWritten = doubleWritten;
    word.row = &row;
    return word;
}

// The relations a compare row is written with: its own and those of its alternative names.
std::vector<std::string_view> relationsOf(const AppInstruction& row, std::size_t familyLength) {
    std::vector<std::string_view> relations{row.mnemonic.substr(familyLength)};
    for (const AppAlternateName& alternate : appAlternateNames()) {
        if (alternate.fnc == row.fnc) relations.push_back(alternate.name.substr(familyLength));
    }
    return relations;
}

// Family and relation (LDD<>), the same with the D between them, and for the LD family the relation
// alone. "Not equal" is also >< where a D comes before it or where it stands alone; "equal" alone
// may be doubled.
void addCompareWords(std::vector<InstructionWord>& words, const AppInstruction& row) {
    const std::size_t familyLength = row.mnemonic.find_first_of("=<>!");
    const std::string family(row.mnemonic.substr(0, familyLength));
    std::vector<std::string_view> relations = relationsOf(row, familyLength);
    const bool notEqual = relations.front() == "!=";
    for (const std::string_view relation : relations) {
        words.push_back(compareWord(row, keep(family + std::string(relation)), false));
        words.push_back(compareWord(row, keep(family + "D" + std::string(relation)), true));
    }
    if (notEqual) words.push_back(compareWord(row, keep(family + "D><"), true));
    if (family != "LD") return;
    if (notEqual) relations.push_back("><");
    if (relations.front() == "=") relations.push_back("==");
    for (const std::string_view relation : relations) words.push_back(compareWord(row, relation, false));
}

void addApplicationWords(std::vector<InstructionWord>& words) {
    for (const AppInstruction& row : appInstructions()) {
        if (row.box == BoxEntry::Absent) continue;
        if (row.kind == AppKind::Compare) {
            addCompareWords(words, row);
            continue;
        }
        words.push_back(applicationWord(row, row.mnemonic));
    }
    for (const AppAlternateName& alternate : appAlternateNames()) {
        const AppInstruction* row = findAppInstruction(alternate.fnc);
        if (row != nullptr && row->kind != AppKind::Compare)
            words.push_back(applicationWord(*row, alternate.name));
    }
    for (const InnerPulse& inner : kInnerPulse) {
        const auto named = std::find_if(words.begin(), words.end(),
                                        [&](const InstructionWord& w) { return w.written == inner.name; });
        if (named == words.end()) continue;
        InstructionWord word = *named;
        word.written = inner.written;
        word.pulseSuffix = false;
        word.pulseWritten = true;
        words.push_back(word);
    }
}

std::vector<InstructionWord> buildVocabulary() {
    std::vector<InstructionWord> words;
    for (const BasicRow& basic : kBasicRows) {
        InstructionWord word;
        word.written = basic.name;
        word.checker = basic.name;
        word.code = basic.code;
        word.kind = basic.kind;
        word.ending = basic.ending;
        word.pulseSuffix = basic.pulseSuffix;
        words.push_back(word);
    }
    addApplicationWords(words);
    return words;
}

const InstructionWord* exactWord(std::string_view text) {
    for (const InstructionWord& word : boxVocabulary()) {
        if (word.written == text) return &word;
    }
    return nullptr;
}

}  // namespace

std::span<const InstructionWord> boxVocabulary() {
    static const std::vector<InstructionWord> words = buildVocabulary();
    return words;
}

std::optional<WrittenForm> findWrittenForm(std::string_view text) {
    if (text.empty()) return std::nullopt;
    if (const InstructionWord* word = exactWord(text)) return WrittenForm{word, word->pulseWritten};
    if (text.back() != 'P') return std::nullopt;
    const InstructionWord* word = exactWord(text.substr(0, text.size() - 1));
    if (word == nullptr || !word->pulseSuffix) return std::nullopt;
    return WrittenForm{word, true};
}

std::optional<std::uint16_t> deviceClassCode(const InstructionWord& word, std::int32_t deviceClass) {
    if (deviceClass < 0 || deviceClass > 5) return std::nullopt;
    for (const ClassCodes& row : kClassCodes) {
        if (row.name == word.written) return row.codes[static_cast<std::size_t>(deviceClass)];
    }
    return std::nullopt;
}

}  // namespace kestrion
