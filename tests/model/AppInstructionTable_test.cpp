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
        const bool refused = row.kind == AppKind::Refused;
        EXPECT_EQ(row.forms == 0, refused) << row.mnemonic;
        if (refused) {
            EXPECT_NE(row.box, BoxEntry::Accepted) << row.mnemonic;
        }
        if (row.box == BoxEntry::Accepted) {
            EXPECT_FALSE(row.boxOperands.empty()) << row.mnemonic;
        }
        // Every instruction the box enters is carried in its plain form, except EMOV (32-bit only).
        if (row.box == BoxEntry::Accepted && row.fnc != 112) {
            EXPECT_TRUE(carriesForm(row, false, false)) << row.mnemonic;
        }
    }
}

// ---- The rows decided where the sources differ ----------------------------------------------------

struct CodeWords {
    std::uint16_t code;
    int words;
};

class DecidedLength : public ::testing::TestWithParam<CodeWords> {};

TEST_P(DecidedLength, WordsOfCode) { EXPECT_EQ(instructionWords(GetParam().code), GetParam().words); }

INSTANTIATE_TEST_SUITE_P(
    Rows, DecidedLength,
    ::testing::Values(
        // MOV in all four forms; CJ and CALL without 32-bit forms; FOR 16-bit only
        CodeWords{0x0028, 5}, CodeWords{0x0029, 9}, CodeWords{0x1028, 5}, CodeWords{0x1029, 9},
        CodeWords{0x0010, 3}, CodeWords{0x0011, 0}, CodeWords{0x1012, 3}, CodeWords{0x1013, 0},
        CodeWords{0x0020, 3}, CodeWords{0x1020, 0}, CodeWords{0x0021, 0},
        // SRET..NEXT one word in the plain form only; WDT also pulsed
        CodeWords{0x0014, 1}, CodeWords{0x0015, 0}, CodeWords{0x1014, 0}, CodeWords{0x0022, 1},
        CodeWords{0x101E, 1}, CodeWords{0x001F, 0},
        // ANS and ANR carried; IST, TTMR, STMR and HOUR refused in every form
        CodeWords{0x006C, 7}, CodeWords{0x006D, 13}, CodeWords{0x006E, 1}, CodeWords{0x106F, 1},
        CodeWords{0x0088, 0}, CodeWords{0x0090, 0}, CodeWords{0x0092, 0}, CodeWords{0x0162, 0}, CodeWords{0x1163, 0},
        // ASC eleven words in the 16-bit form only
        CodeWords{0x00A8, 11}, CodeWords{0x00A9, 0}, CodeWords{0x10A8, 0},
        // RMMN, BLK, ZPUSH/ZPOP
        CodeWords{0x00D0, 7}, CodeWords{0x10D0, 0}, CodeWords{0x00D1, 0}, CodeWords{0x10D2, 7}, CodeWords{0x10D3, 0},
        CodeWords{0x00DC, 3}, CodeWords{0x10DE, 3}, CodeWords{0x00DD, 0},
        // EMOV 32-bit only
        CodeWords{0x00F0, 0}, CodeWords{0x10F0, 0}, CodeWords{0x00F1, 9}, CodeWords{0x10F1, 9},
        // strings 202-209 16-bit and pulse
        CodeWords{0x01A4, 7}, CodeWords{0x01A5, 0}, CodeWords{0x11A6, 5}, CodeWords{0x01B0, 9}, CodeWords{0x11B1, 0},
        CodeWords{0x01B2, 5},
        // compare contacts without pulse forms; 227 is no instruction
        CodeWords{0x01D0, 5}, CodeWords{0x01D1, 9}, CodeWords{0x11D0, 0}, CodeWords{0x11D1, 0}, CodeWords{0x01D6, 0},
        CodeWords{0x01FD, 9},
        // DABIN, BINDA in all four forms
        CodeWords{0x0218, 5}, CodeWords{0x0219, 9}, CodeWords{0x121A, 5}, CodeWords{0x121B, 9},
        // ADPRW 16-bit only, HSCT 16 and 32-bit
        CodeWords{0x0238, 11}, CodeWords{0x1238, 0}, CodeWords{0x0239, 0}, CodeWords{0x0240, 11},
        CodeWords{0x0241, 21}, CodeWords{0x1240, 0},
        // numbers without an instruction and words outside the spaces
        CodeWords{0x00C2, 0}, CodeWords{0x03FE, 0}, CodeWords{0x03FF, 0}, CodeWords{0x000F, 0},
        CodeWords{0x1400, 0}));

// ---- Written names -----------------------------------------------------------------------------------

struct Written {
    int fnc;
    bool wide;
    bool pulse;
    const char* text;
};

class WrittenName : public ::testing::TestWithParam<Written> {};

TEST_P(WrittenName, LoaderTextAndBoxLookup) {
    const Written& w = GetParam();
    EXPECT_EQ(writtenMnemonic(*findAppInstruction(w.fnc), w.wide, w.pulse), w.text);
}

INSTANTIATE_TEST_SUITE_P(Rows, WrittenName,
                         ::testing::Values(Written{12, true, true, "DMOVP"}, Written{12, false, true, "MOVP"},
                                           Written{1, true, false, "CALL"}, Written{1, false, true, "CALLP"},
                                           Written{8, true, true, "FOR"}, Written{2, false, true, "SRET"},
                                           Written{7, false, true, "WDTP"}, Written{47, true, true, "DANRP"},
                                           Written{229, true, false, "LDD<="}, Written{246, true, true, "ORD>=P"},
                                           Written{276, false, true, "ADPRW"}, Written{192, false, false, "BK+"}));

struct Lookup {
    const char* text;
    int fnc;  // -1: not found
    bool wide;
    bool pulse;
};

class FindWritten : public ::testing::TestWithParam<Lookup> {};

TEST_P(FindWritten, Mnemonic) {
    const Lookup& l = GetParam();
    const auto found = findWrittenMnemonic(l.text);
    if (l.fnc < 0) {
        EXPECT_FALSE(found.has_value()) << l.text;
        return;
    }
    ASSERT_TRUE(found.has_value()) << l.text;
    EXPECT_EQ(found->row->fnc, l.fnc);
    EXPECT_EQ(found->wide, l.wide);
    EXPECT_EQ(found->pulse, l.pulse);
}

INSTANTIATE_TEST_SUITE_P(
    Names, FindWritten,
    ::testing::Values(Lookup{"DI", 5, false, false}, Lookup{"DIV", 23, false, false}, Lookup{"DDIV", 23, true, false},
                      Lookup{"DEC", 25, false, false}, Lookup{"DECOP", 41, false, true},
                      Lookup{"DDABIN", 260, true, false}, Lookup{"BKCMPGEQP", 199, false, true},
                      Lookup{"BKADD", 192, false, false}, Lookup{"$ADDP", 202, false, true},
                      Lookup{"LD<>", 228, false, false}, Lookup{"ANDD<>", 236, true, false},
                      Lookup{"DEMOVP", 112, true, true}, Lookup{"EMOV", -1, false, false},
                      Lookup{"DCALL", -1, false, false}, Lookup{"LD=P", -1, false, false},
                      Lookup{"ASCP", -1, false, false}, Lookup{"ADPRWP", -1, false, false},
                      Lookup{"IST", -1, false, false}, Lookup{"HOUR", -1, false, false},
                      Lookup{"MOVX", -1, false, false}));

TEST(AppInstructionTable, ExtraCellsFollowTheOperandsButAscAlwaysTakesTwo) {
    EXPECT_EQ(extraCells(*findAppInstruction(12), false), 2);
    EXPECT_EQ(extraCells(*findAppInstruction(12), true), 4);
    EXPECT_EQ(extraCells(*findAppInstruction(76), false), 2);
    EXPECT_EQ(extraCells(*findAppInstruction(76), true), 2);
    EXPECT_EQ(extraCells(*findAppInstruction(6), false), 0);
}

TEST(AppInstructionTable, CodesOutsideTheSpacesAreNoApplicationCodes) {
    EXPECT_FALSE(splitAppCode(0x000F).has_value());
    EXPECT_FALSE(splitAppCode(0x0400).has_value());
    EXPECT_FALSE(splitAppCode(0x100F).has_value());
    EXPECT_FALSE(splitAppCode(0x1400).has_value());
    EXPECT_TRUE(splitAppCode(0x0010).has_value());
    EXPECT_TRUE(splitAppCode(0x13FF).has_value());
}

TEST(AppInstructionTable, RefusedInstructionsNameTheirWarning) {
    EXPECT_EQ(appRefusalText(60), "Fnc60 Error");
    EXPECT_EQ(appRefusalText(64), "Fnc64 Error");
    EXPECT_EQ(appRefusalText(65), "Fnc65 Error");
    EXPECT_EQ(appRefusalText(169), "");
}

}  // namespace
}  // namespace kestrion
