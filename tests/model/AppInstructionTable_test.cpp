#include "model/AppInstructionTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kestrion {
namespace {

struct Form {
    bool wide;
    bool pulse;
};
constexpr Form kForms[] = {{false, false}, {true, false}, {false, true}, {true, true}};

// ---- Consistency over every row: what the loader writes, the box finds, the check measures and
// the emitter writes ------------------------------------------------------------------------------

TEST(AppInstructionTable, RowsAreInFncOrderAndFoundByNumber) {
    int previous = -1;
    for (const AppInstruction& row : appInstructions()) {
        EXPECT_GT(row.fnc, previous) << row.mnemonic;
        previous = row.fnc;
        EXPECT_EQ(findAppInstruction(row.fnc), &row);
    }
    EXPECT_EQ(findAppInstruction(89), nullptr);
    EXPECT_EQ(findAppInstruction(227), nullptr);
    EXPECT_EQ(findAppInstruction(503), nullptr);
    EXPECT_FALSE(carriesForm(89, false, false));
    EXPECT_TRUE(carriesForm(12, true, true));
}

TEST(AppInstructionTable, EveryCarriedFormHasOneWrittenNameThatLeadsBackToIt) {
    std::set<std::string> names;
    for (const AppInstruction& row : appInstructions()) {
        for (const Form form : kForms) {
            if (!carriesForm(row, form.wide, form.pulse)) continue;
            const std::string name = writtenMnemonic(row, form.wide, form.pulse);
            EXPECT_TRUE(names.insert(name).second) << name << " names two forms";
            EXPECT_LE(name.size(), 10u) << name << " does not fit the mnemonic field with its blank";
            const auto found = findWrittenMnemonic(name);
            ASSERT_TRUE(found.has_value()) << name;
            EXPECT_EQ(found->row, &row) << name;
            EXPECT_EQ(found->wide, form.wide) << name;
            EXPECT_EQ(found->pulse, form.pulse) << name;
        }
    }
}

TEST(AppInstructionTable, EveryCarriedCodeHasTheLengthOfItsOperandsAndNoOtherCodeHasOne) {
    for (int fnc = 0; fnc <= 503; ++fnc) {
        const AppInstruction* row = findAppInstruction(fnc);
        for (const Form form : kForms) {
            const std::uint16_t code = appCode(fnc, form.wide, form.pulse);
            const bool carried = row != nullptr && carriesForm(*row, form.wide, form.pulse);
            const int expected = carried ? 1 + (form.wide ? 4 : 2) * row->operands : 0;
            EXPECT_EQ(instructionWords(code), expected) << std::hex << code;
            const auto split = splitAppCode(code);
            ASSERT_TRUE(split.has_value());
            EXPECT_EQ(split->fnc, fnc);
            EXPECT_EQ(split->wide, form.wide);
            EXPECT_EQ(split->pulse, form.pulse);
        }
    }
}

TEST(AppInstructionTable, BoxEntryAndRefusalsAgree) {
    for (const AppInstruction& row : appInstructions()) {
        const bool accepted = row.box == BoxEntry::Accepted;
        EXPECT_EQ(row.forms == 0, row.kind == AppKind::Refused) << row.mnemonic;
        EXPECT_FALSE(accepted && row.kind == AppKind::Refused) << row.mnemonic;
        EXPECT_EQ(accepted, !row.boxOperands.empty()) << row.mnemonic;
        // What the box enters is carried in its plain form, except EMOV (32-bit only).
        EXPECT_TRUE(!accepted || row.fnc == 112 || carriesForm(row, false, false)) << row.mnemonic;
    }
}

// ---- The rows decided where the sources differ ----------------------------------------------------

TEST(AppInstructionTable, WordsOfTheDecidedRows) {
    // clang-format off
    const std::pair<std::uint16_t, int> cases[] = {
        // MOV in all four forms; CJ and CALL without 32-bit forms; FOR 16-bit only
        {0x0028, 5}, {0x0029, 9}, {0x1028, 5}, {0x1029, 9}, {0x0010, 3}, {0x0011, 0}, {0x1012, 3}, {0x1013, 0},
        {0x0020, 3}, {0x1020, 0}, {0x0021, 0},
        // SRET..NEXT one word in the plain form only; WDT also pulsed
        {0x0014, 1}, {0x0015, 0}, {0x1014, 0}, {0x0022, 1}, {0x101E, 1}, {0x001F, 0},
        // ANS and ANR carried; IST, TTMR, STMR and HOUR refused in every form
        {0x006C, 7}, {0x006D, 13}, {0x006E, 1}, {0x106F, 1}, {0x0088, 0}, {0x0090, 0}, {0x0092, 0}, {0x0162, 0},
        {0x1163, 0},
        // ASC eleven words in the 16-bit form only; RMMN, BLK, ZPUSH/ZPOP
        {0x00A8, 11}, {0x00A9, 0}, {0x10A8, 0}, {0x00D0, 7}, {0x10D0, 0}, {0x00D1, 0}, {0x10D2, 7}, {0x10D3, 0},
        {0x00DC, 3}, {0x10DE, 3}, {0x00DD, 0},
        // EMOV 32-bit only; strings 202-209 16-bit and pulse
        {0x00F0, 0}, {0x10F0, 0}, {0x00F1, 9}, {0x10F1, 9}, {0x01A4, 7}, {0x01A5, 0}, {0x11A6, 5}, {0x01B0, 9},
        {0x11B1, 0}, {0x01B2, 5},
        // compare contacts without pulse forms, 227 no instruction; DABIN, BINDA in all four forms
        {0x01D0, 5}, {0x01D1, 9}, {0x11D0, 0}, {0x11D1, 0}, {0x01D6, 0}, {0x01FD, 9}, {0x0218, 5}, {0x0219, 9},
        {0x121A, 5}, {0x121B, 9},
        // ADPRW 16-bit only, HSCT 16 and 32-bit; no instruction, outside the spaces
        {0x0238, 11}, {0x1238, 0}, {0x0239, 0}, {0x0240, 11}, {0x0241, 21}, {0x1240, 0}, {0x00C2, 0}, {0x03FE, 0},
        {0x03FF, 0}, {0x000F, 0}, {0x1400, 0}};
    // clang-format on
    for (const auto& [code, words] : cases) EXPECT_EQ(instructionWords(code), words) << std::hex << code;
}

// ---- Written names -----------------------------------------------------------------------------------

struct Lookup {
    const char* text;
    int fnc;  // -1: not found
    bool wide;
    bool pulse;
};

TEST(AppInstructionTable, WrittenNamesOfTheLoaderAndTheBox) {
    const Lookup cases[] = {
        {"DMOVP", 12, true, true},       {"CALLP", 1, false, true},    {"FOR", 8, false, false},
        {"WDTP", 7, false, true},        {"DANRP", 47, true, true},    {"LDD<=", 229, true, false},
        {"ORD>=", 246, true, false},     {"ADPRW", 276, false, false}, {"BK+", 192, false, false},
        {"DI", 5, false, false},         {"DIV", 23, false, false},    {"DDIV", 23, true, false},
        {"DEC", 25, false, false},       {"DECOP", 41, false, true},   {"DDABIN", 260, true, false},
        {"BKCMPGEQP", 199, false, true}, {"BKADD", 192, false, false}, {"$ADDP", 202, false, true},
        {"LD<>", 228, false, false},     {"ANDD<>", 236, true, false}, {"DEMOVP", 112, true, true},
        {"EMOV", -1, false, false},      {"DCALL", -1, false, false},  {"CALLD", -1, false, false},
        {"LD=P", -1, false, false},      {"ASCP", -1, false, false},   {"ADPRWP", -1, false, false},
        {"IST", -1, false, false},       {"HOUR", -1, false, false},   {"MOVX", -1, false, false}};
    for (const Lookup& l : cases) {
        const auto found = findWrittenMnemonic(l.text);
        ASSERT_EQ(found.has_value(), l.fnc >= 0) << l.text;
        if (!found) continue;
        EXPECT_EQ(found->row->fnc, l.fnc) << l.text;
        EXPECT_EQ(found->wide, l.wide) << l.text;
        EXPECT_EQ(found->pulse, l.pulse) << l.text;
    }
}

TEST(AppInstructionTable, ExtraCellsFollowTheOperandsButAscAlwaysTakesTwo) {
    EXPECT_EQ(extraCells(*findAppInstruction(12), false), 2);
    EXPECT_EQ(extraCells(*findAppInstruction(12), true), 4);
    EXPECT_EQ(extraCells(*findAppInstruction(76), false), 2);
    EXPECT_EQ(extraCells(*findAppInstruction(76), true), 2);
    EXPECT_EQ(extraCells(*findAppInstruction(6), false), 0);
}

TEST(AppInstructionTable, RefusedInstructionsNameTheirWarning) {
    EXPECT_EQ(std::string(appRefusalText(60)) + appRefusalText(64).data() + appRefusalText(65).data(),
              "Fnc60 ErrorFnc64 ErrorFnc65 Error");
    EXPECT_EQ(appRefusalText(169), "");
}

}  // namespace
}  // namespace kestrion
