// The instruction view's lines: the program words as the loader's decoders write them, and the
// register panel's cells and typed values.
#include "reader/InstructionList.h"

#include <functional>
#include <map>

#include "app/MainView.h"
#include "link/transfer/RegisterView.h"
#include "model/image/CommentLists.h"
#include "model/image/DmwImage.h"
#include "model/image/ModeData.h"
#include "model/image/ProgramImage.h"
#include "model/image/StepCount.h"
#include "model/ladder/LadderObject.h"
#include "reader/LoadState.h"
#include "support/Fixture.h"
#include "support/ShownBoxes.h"

namespace kestrion::test {
namespace {

using Texts = std::vector<std::string>;

class InstructionListTest : public CoreTest {
protected:
    InstructionListTest() {
        pmw.setMemSizeCode(8);
        pmw.program.fill(kEmptyWord);
    }
    static void program(const std::vector<std::uint16_t>& words) {
        std::copy(words.begin(), words.end(), pmw.program.begin());
    }
    static Texts lines() {
        refreshInstructionList();
        Texts shown;
        for (std::size_t row = 0; row < instructionLineCount(); ++row) {
            const InstructionLine line = instructionLine(row);
            shown.push_back(std::to_string(line.step) + " " + line.mnemonic +
                            (line.operands.empty() ? "" : " " + line.operands) +
                            (line.comment.empty() ? "" : " ; " + line.comment));
        }
        return shown;
    }
};

TEST_F(InstructionListTest, EachInstructionIsALineAtItsStepUpToEnd) {
    const std::pair<std::vector<std::uint16_t>, Texts> cases[] = {
        {{0x2400, 0x0028, 0x800A, 0x8000, 0x8600, 0x8600, 0xC500, 0x000F, 0x2401},
         {"0 LD X000", "1 MOV K10 D0", "6 OUT Y000", "7 END"}},
        {{0xB003, 0x3500, 0xFFFA, 0x0600, 0x800A, 0x8000, 0xFFFC, 0xFFFF, 0xB80A, 0xF7FF, 0x000F},
         {"0 P3", "1 LDI Y000", "2 MPS", "3 OUT T0 K10", "6 MPP", "7 NOP", "8 I10", "9 RET", "10 END"}},
        {{0xB12C, 0xB201, 0x8123, 0x000F}, {"0 P300", "2 ? H8123", "3 END"}},
    };
    for (const auto& [words, expected] : cases) {
        program(words);
        EXPECT_EQ(lines(), expected);
    }
}

// Listing decodes on the side: a load in progress and the ladder are left as they were.
TEST_F(InstructionListTest, ListingLeavesTheLoadAndTheLadderAlone) {
    program({0x2400, 0x0028, 0x800A, 0x8000, 0x8600, 0x8600, 0xC500, 0x000F});
    initLadderList(1040, 0);
    ldrNow = ldrTail;
    convStepNo = 17;
    conv = {160, 64};
    const std::string end = textOf(ldrTail->mnemonic);
    lines();
    EXPECT_TRUE(ldrNow == ldrTail && convStepNo == 17 && conv.X == 160 && conv.Y == 64);
    EXPECT_EQ(textOf(ldrTail->mnemonic), end);
}

TEST_F(InstructionListTest, ChangedWordsAreListedAgainAndStepsFindTheirLine) {
    program({0x2400, 0x0028, 0x800A, 0x8000, 0x8600, 0x8600, 0xC500, 0x000F});
    EXPECT_TRUE(refreshInstructionList());
    EXPECT_FALSE(refreshInstructionList());
    EXPECT_EQ(std::make_tuple(instructionRowOfStep(0), instructionRowOfStep(3), instructionRowOfStep(6)),
              std::make_tuple(std::size_t{0}, std::size_t{1}, std::size_t{2}));
    pmw.program[6] = 0xC501;
    EXPECT_TRUE(refreshInstructionList());
    EXPECT_EQ(instructionLine(2).operands, "Y001");
    EXPECT_EQ(instructionLine(9).mnemonic, "");  // past the end
    pmw.program.fill(kEmptyWord);                // no END: the whole program area, NOP after NOP
    EXPECT_EQ(lines().size(), 8000u);
}

TEST_F(InstructionListTest, DeviceCommentsStandBesideTheLinesWhileTheyAreShown) {
    program({0x2400, 0x0028, 0x800A, 0x8000, 0x8600, 0x8600, 0x000F});
    for (const auto& [device, text] : {std::pair{"X000", "Start button"}, {"D0", "Batch count"}}) {
        addDeviceComment();
        setText(deviceCommentList.newest->deviceText, device);
        setText(deviceCommentList.newest->text, text);
    }
    EXPECT_EQ(lines()[0], "0 LD X000");
    ModeData.viewFlags = kViewDeviceComments;
    EXPECT_EQ(lines(), (Texts{"0 LD X000 ; Start button", "1 MOV K10 D0 ; Batch count", "6 END"}));
}

class RegisterViewTest : public CoreTest {
protected:
    static Texts row(int r) {
        Texts cells;
        for (int c = 0; c < regViewColumnCount(); ++c) cells.push_back(regViewCellText(r, c));
        return cells;
    }
};

TEST_F(RegisterViewTest, RowsFollowThePlcTypeAndType1BlanksPastD255) {
    const std::tuple<int, int, Texts> cases[] = {
        {5, 801, {"D7990", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}},
        {6, 401, {"D3990", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}},
        {1, 27, {"D250", "0", "0", "0", "0", "0", "0", " ", " ", " ", " "}},
    };
    for (const auto& [type, rows, last] : cases) {
        pmw.setPlcType(static_cast<std::uint16_t>(type));
        RegisterView1Click();
        EXPECT_EQ(regViewRowCount(), rows);
        EXPECT_EQ(row(rows - 1), last) << type;
        LadderView1Click();
    }
    EXPECT_EQ(row(0), (Texts{"", "+0", "+1", "+2", "+3", "+4", "+5", "+6", "+7", "+8", "+9"}));
    btnRegView32bitsClick();
    EXPECT_EQ(row(26), (Texts{"D250", "0", "0", "0", " ", " "}));
    EXPECT_EQ(row(0), (Texts{"", "+0", "+2", "+4", "+6", "+8"}));
}

TEST_F(RegisterViewTest, CellsShowTheRegistersInTheLayoutAndFormatChosen) {
    pmw.setPlcType(5);
    setDmwRegister(0, 1);
    setDmwRegister(1, 2);
    setDmwRegister(10, 0xFFFF);
    setDmwRegister(11, 0xFFFF);
    RegisterView1Click();
    const std::tuple<void (*)(), void (*)(), std::string, std::string> cases[] = {
        {btnRegView16bitsClick, btnRegViewDecimalClick, "1", "65535"},
        {btnRegView16bitsClick, btnRegViewHexadecimalClick, "0001", "FFFF"},
        {btnRegView32bitsClick, btnRegViewDecimalClick, "131073", "-1"},
        {btnRegView32bitsClick, btnRegViewHexadecimalClick, "00020001", "FFFFFFFF"},
        {btnRegView32bitsClick, btnRegViewFloatingClick, " ", " "},
    };
    for (const auto& [layout, format, d0, d10] : cases) {
        layout();
        format();
        EXPECT_EQ(regViewCellText(1, 1) + "|" + regViewCellText(2, 1), d0 + "|" + d10);
    }
    RegisterView1Click();  // already shown: the layout and format stay
    EXPECT_EQ(regViewCellText(1, 1), " ");
}

using Typed = std::map<std::pair<int, int>, std::string>;

// The grid as the panel hands it over: the typed texts over the shown ones.
std::function<std::string(int, int)> gridOf(const Typed& typed) {
    return [typed](int r, int c) {
        const auto found = typed.find({r, c});
        return found != typed.end() ? found->second : regViewCellText(r, c);
    };
}

TEST_F(RegisterViewTest, EnterWritesACellAsItsFormatShowsItOrRefusesItNamingTheCell) {
    struct Case {
        void (*layout)();
        void (*format)();
        int row, column;
        const char* typed;
        std::vector<std::pair<std::uint32_t, std::uint16_t>> registers;  // after the Enter
        const char* box;                                                 // "" for none
    };
    const Case cases[] = {
        {btnRegView16bitsClick, btnRegViewDecimalClick, 2, 3, "123", {{12, 123}, {11, 7}, {13, 7}}, ""},
        {btnRegView16bitsClick, btnRegViewDecimalClick, 1, 3, "65535", {{2, 0xFFFF}}, ""},
        {btnRegView16bitsClick, btnRegViewDecimalClick, 1, 3, " 0 ", {{2, 0}}, ""},
        {btnRegView16bitsClick,
         btnRegViewDecimalClick,
         1,
         1,
         "70000",
         {{0, 7}},
         "D0: \"70000\" is not written; the cell takes 0 ~ 65535"},
        {btnRegView16bitsClick,
         btnRegViewDecimalClick,
         1,
         2,
         "-5",
         {{1, 7}},
         "D1: \"-5\" is not written; the cell takes 0 ~ 65535"},
        {btnRegView16bitsClick,
         btnRegViewDecimalClick,
         1,
         2,
         "12x",
         {{1, 7}},
         "D1: \"12x\" is not written; the cell takes 0 ~ 65535"},
        {btnRegView16bitsClick,
         btnRegViewDecimalClick,
         1,
         2,
         "",
         {{1, 7}},
         "D1: \"\" is not written; the cell takes 0 ~ 65535"},
        {btnRegView16bitsClick, btnRegViewHexadecimalClick, 1, 1, "00FF", {{0, 0xFF}}, ""},
        {btnRegView16bitsClick, btnRegViewHexadecimalClick, 1, 10, "ab", {{9, 0xAB}, {8, 7}}, ""},
        {btnRegView16bitsClick,
         btnRegViewHexadecimalClick,
         1,
         2,
         "1FFFF",
         {{1, 7}},
         "D1: \"1FFFF\" is not written; the cell takes 0000 ~ FFFF"},
        {btnRegView16bitsClick,
         btnRegViewHexadecimalClick,
         1,
         2,
         "G1",
         {{1, 7}},
         "D1: \"G1\" is not written; the cell takes 0000 ~ FFFF"},
        {btnRegView32bitsClick, btnRegViewDecimalClick, 1, 1, "131073", {{0, 1}, {1, 2}}, ""},
        {btnRegView32bitsClick, btnRegViewDecimalClick, 1, 5, "-1", {{8, 0xFFFF}, {9, 0xFFFF}, {7, 7}}, ""},
        {btnRegView32bitsClick, btnRegViewDecimalClick, 2, 5, "-2147483648", {{18, 0}, {19, 0x8000}}, ""},
        {btnRegView32bitsClick,
         btnRegViewDecimalClick,
         1,
         2,
         "2147483648",
         {{2, 7}, {3, 7}},
         "D2: \"2147483648\" is not written; the cell takes -2147483648 ~ 2147483647"},
        {btnRegView32bitsClick, btnRegViewHexadecimalClick, 1, 5, "12345678", {{8, 0x5678}, {9, 0x1234}}, ""},
        {btnRegView32bitsClick,
         btnRegViewHexadecimalClick,
         1,
         1,
         "123456789",
         {{0, 7}, {1, 7}},
         "D0: \"123456789\" is not written; the cell takes 00000000 ~ FFFFFFFF"},
    };
    pmw.setPlcType(5);
    RegisterView1Click();
    for (const Case& c : cases) {
        for (std::uint32_t k = 0; k < 20; ++k) setDmwRegister(k, 7);
        fakes.messages.shown.clear();
        c.layout();
        c.format();
        const auto refused = btnRegViewUpdateClick(gridOf({{{c.row, c.column}, c.typed}}));
        for (const auto& [k, value] : c.registers) EXPECT_EQ(dmwRegister(k), value) << c.typed << " D" << k;
        EXPECT_EQ(shownBoxes(fakes.messages),
                  *c.box == '\0' ? Boxes{} : Boxes{std::string(c.box) + " | Ladder Editor | error"})
            << c.typed;
        EXPECT_EQ(refused.size(), *c.box == '\0' ? 0u : 1u) << c.typed;
    }
}

TEST_F(RegisterViewTest, ARefusedCellDoesNotKeepTheOthersFromBeingWritten) {
    pmw.setPlcType(5);
    RegisterView1Click();
    const auto refused =
        btnRegViewUpdateClick(gridOf({{{1, 1}, "abc"}, {{1, 2}, "5"}, {{2, 1}, "x"}, {{3, 1}, "9"}}));
    EXPECT_EQ(refused, (std::vector<std::pair<int, int>>{{1, 1}, {2, 1}}));
    EXPECT_EQ(std::make_tuple(dmwRegister(0), dmwRegister(1), dmwRegister(10), dmwRegister(20)),
              std::make_tuple(std::uint16_t{0}, std::uint16_t{5}, std::uint16_t{0}, std::uint16_t{9}));
    EXPECT_EQ(shownBoxes(fakes.messages),
              Boxes{"D0: \"abc\" is not written; the cell takes 0 ~ 65535\n"
                    "D10: \"x\" is not written; the cell takes 0 ~ 65535 | Ladder Editor | error"});
    // The next Enter (the panel has dropped the refused texts) writes what is typed then.
    fakes.messages.shown.clear();
    EXPECT_TRUE(btnRegViewUpdateClick(gridOf({{{1, 3}, "6"}})).empty());
    EXPECT_EQ(dmwRegister(2), 6);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(RegisterViewTest, OnlyTheRegisterCellsOfATypableFormatTakeTyping) {
    pmw.setPlcType(1);
    RegisterView1Click();
    const std::tuple<void (*)(), bool> formats[] = {
        {btnRegViewBinaryClick, false}, {btnRegViewDecimalClick, true},   {btnRegViewHexadecimalClick, true},
        {btnRegViewAsciiClick, false},  {btnRegViewFloatingClick, false},
    };
    for (const auto& [format, typable] : formats) {
        format();
        EXPECT_EQ(regViewCellEditable(1, 1), typable);
        EXPECT_EQ(regViewCellEditable(26, 6), typable);  // D255
        EXPECT_FALSE(regViewCellEditable(26, 7));        // blank past D255
        EXPECT_FALSE(regViewCellEditable(0, 1) || regViewCellEditable(1, 0) || regViewCellEditable(0, 0));
        EXPECT_FALSE(regViewCellEditable(27, 1) || regViewCellEditable(1, 11));
    }
    // In a format that takes no typing Enter writes nothing, whatever the grid holds.
    btnRegViewBinaryClick();
    EXPECT_TRUE(btnRegViewUpdateClick(gridOf({{{1, 1}, "5"}, {{1, 2}, "abc"}})).empty());
    EXPECT_EQ(dmwRegister(0), 0);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

}  // namespace
}  // namespace kestrion::test
