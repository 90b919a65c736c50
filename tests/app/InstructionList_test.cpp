// The instruction view's lines: the program words as the loader's decoders write them, and the
// register panel's cells and typed values.
#include "app/InstructionList.h"

#include "app/MainView.h"
#include "app/RegisterView.h"
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

TEST_F(RegisterViewTest, EnterWritesTypedDecimalValuesAndStopsAtOneThatIsNotANumber) {
    pmw.setPlcType(5);
    RegisterView1Click();
    std::map<std::pair<int, int>, std::string> typed = {{{2, 3}, "123"}, {{1, 1}, "70000"}, {{1, 2}, "-1"}};
    const auto grid = [&typed](int r, int c) {
        const auto found = typed.find({r, c});
        return found != typed.end() ? found->second : regViewCellText(r, c);
    };
    btnRegViewHexadecimalClick();
    btnRegViewUpdateClick(grid);
    EXPECT_EQ(dmwRegister(12), 0);  // nothing is written in hexadecimal
    btnRegViewDecimalClick();
    btnRegViewUpdateClick(grid);
    EXPECT_EQ(std::make_tuple(dmwRegister(12), dmwRegister(0), dmwRegister(1)),
              std::make_tuple(std::uint16_t{123}, std::uint16_t{4464}, std::uint16_t{0xFFFF}));
    btnRegView32bitsClick();
    typed = {{{1, 1}, "131073"}, {{1, 3}, "12x"}, {{1, 4}, "9"}};
    btnRegViewUpdateClick(grid);
    EXPECT_EQ(std::make_tuple(dmwRegister(0), dmwRegister(1), dmwRegister(6)),
              std::make_tuple(std::uint16_t{1}, std::uint16_t{2}, std::uint16_t{0}));
    EXPECT_EQ(shownBoxes(fakes.messages),
              Boxes{"'12x' is not a valid integer value | Ladder Editor | error"});
}

}  // namespace
}  // namespace kestrion::test
