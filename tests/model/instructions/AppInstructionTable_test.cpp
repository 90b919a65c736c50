#include "model/instructions/AppInstructionTable.h"

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

TEST(AppInstructionTable, RowsAreInFncOrderAndFoundByNumber) {
    int previous = -1;
    for (const AppInstruction& row : appInstructions()) {
        EXPECT_GT(row.fnc, previous) << row.mnemonic;
        previous = row.fnc;
        EXPECT_EQ(findAppInstruction(row.fnc), &row);
    }
    for (int fnc : {89, 227, 503}) EXPECT_EQ(findAppInstruction(fnc), nullptr) << fnc;
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
    for (const char* text : {"EMOV", "CALLD", "LD=P", "ASCP", "HOUR", "MOVX"})
        EXPECT_FALSE(findWrittenMnemonic(text).has_value()) << text;
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
        EXPECT_TRUE(!accepted || row.fnc == 112 || carriesForm(row, false, false)) << row.mnemonic;
    }
}

TEST(AppInstructionTable, ExtraCellsFollowTheOperandsButAscAlwaysTakesTwo) {
    const AppInstruction &mov = *findAppInstruction(12), &asc = *findAppInstruction(76);
    EXPECT_EQ(std::make_tuple(extraCells(mov, false), extraCells(mov, true), extraCells(asc, true)),
              std::make_tuple(2, 4, 2));
    EXPECT_EQ(extraCells(*findAppInstruction(6), false), 0);
}

TEST(AppInstructionTable, RefusedInstructionsNameTheirWarning) {
    EXPECT_EQ(std::string(appRefusalText(60)) + appRefusalText(64).data() + appRefusalText(65).data(),
              "Fnc60 ErrorFnc64 ErrorFnc65 Error");
    EXPECT_EQ(appRefusalText(169), "");
}

}  // namespace
}  // namespace kestrion
