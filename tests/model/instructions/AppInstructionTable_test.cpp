#include "model/instructions/AppInstructionTable.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace kestrion {
namespace {

TEST(AppInstructionTable, RowsAreInFncOrderAndFoundByNumber) {
    int previous = -1;
    for (const AppInstruction& row : appInstructions()) {
        EXPECT_GT(row.fnc, previous) << row.mnemonic;
        previous = row.fnc;
        EXPECT_EQ(findAppInstruction(row.fnc), &row);
        // What the box accepts, Convert must be able to write.
        EXPECT_EQ(row.boxForms & ~row.forms, 0) << row.mnemonic;
    }
    for (int fnc : {89, 227, 503}) EXPECT_EQ(findAppInstruction(fnc), nullptr) << fnc;
}

// The worked examples of the application instruction table and of the word check.
TEST(AppInstructionTable, WorkedExamplesOfNamesAndLengths) {
    const std::tuple<std::uint16_t, const char*, int> cases[] = {
        {0x0028, "MOV", 5},   {0x0029, "DMOV", 9},   {0x1028, "MOVP", 5},  {0x1029, "DMOVP", 9},
        {0x0014, "SRET", 1},  {0x0015, "SRET", 1},   {0x0013, "CALL", 5},  {0x11D1, "LDD=P", 9},
        {0x1238, "", 0},      {0x0238, "ADPRW", 11}, {0x00C2, "", 0},      {0x002F, "DBMOV", 13},
        {0x10A8, "ASCP", 11}, {0x00F0, "", 0},       {0x00F1, "DEMOV", 9}, {0x10D3, "", 0},
        {0x0088, "", 0},      {0x0162, "", 0},
    };
    for (const auto& [code, name, words] : cases) {
        EXPECT_EQ(instructionWords(code), words) << std::hex << code;
        const std::optional<AppCode> split = splitAppCode(code);
        ASSERT_TRUE(split.has_value());
        const AppInstruction* row = findAppInstruction(split->fnc);
        if (words > 0) {
            EXPECT_EQ(writtenMnemonic(*row, split->wide, split->pulse), name);
        }
    }
    EXPECT_FALSE(splitAppCode(0x0400).has_value());
    EXPECT_EQ(appCode(12, true, true), 0x1029);
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
