// The emitter: worked words of every instruction form and the refusals that leave the program image
// as it was. Every application form is written back by the round trip of ConvertRoundTrip_test.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "compiler/CommentStepCarry.h"
#include "compiler/MachineCodeEmission.h"
#include "model/LadderTestSupport.h"
#include "model/core/CommandTransaction.h"
#include "model/core/ConversionError.h"
#include "model/image/CommentLists.h"
#include "model/image/ModeData.h"
#include "model/image/ProgramImage.h"
#include "model/instructions/AppInstructionTable.h"
#include "reader/MachineWords.h"
#include "reader/OperandWords.h"
#include "support/ShownBoxes.h"

namespace kestrion::test {
namespace {

using Words = std::vector<std::uint16_t>;

struct Instr {
    std::uint16_t code;
    const char* mnemonic;
    const char* op1;
    const char* op2;
};

class EmissionTest : public LadderTest {
protected:
    void fresh(std::int16_t n = 8) {
        initLadderList(1040, 640);
        initPmwImageByType(5);
        (void)initPmwImageForTypeAndSize(5, n);
        fakes.messages.shown.clear();
    }
    static stLadderBlock* add(const Instr& in, std::uint32_t y = 0) {
        stLadderBlock* o = addBeforeEnd(0, y, in.code);
        setText(o->mnemonic, in.mnemonic);
        setText(o->operands[0], in.op1);
        setText(o->operands[1], in.op2);
        return o;
    }
    // The words written in front of END.
    Words emit(std::initializer_list<Instr> list) {
        fresh();
        for (const Instr& in : list) add(in);
        convLadderToMachineCode();
        return Words(pmw.program.begin(), pmw.program.begin() + ldrTail->stepNo);
    }
    Boxes boxes() const { return shownBoxes(fakes.messages); }
};

struct Worked {
    Instr in;
    Words words;
};

TEST_F(EmissionTest, WorkedWordsOfEveryForm) {
    const std::vector<Worked> table = {
        {{0xC000, "OUT", "T5", "K100"}, {0x0605, 0x8064, 0x8000}},
        {{0x0E00, "OUT", "C200", "K100000"}, {0x0EC8, 0x80A0, 0x8086, 0x8001, 0x8000}},
        {{0xC000, "OUT", "M2000", ""}, {0x0002, 0xA9D0}},
        {{0xD000, "SET", "S1500", ""}, {0x0006, 0x95DC}},
        {{0xC000, "OUT", "S1500", ""}, {0x0005, 0x95DC}},
        {{0xE000, "RST", "T3", ""}, {0x000C, 0x8603}},
        {{0xE000, "RST", "Z0", ""}, {0x000D, 0x8638, 0x8000}},
        {{0xE000, "RST", "V1", ""}, {0x000D, 0x866E, 0x8001}},
        {{0x03C2, "LD", "M4000", ""}, {0x03C2, 0x84A0, 0x8031}},
        {{0x03C2, "LD", "D10.A", ""}, {0x03C2, 0x8614, 0x9680}},
        {{0x0203, "SET", "M4000", ""}, {0x0203, 0x84A0, 0x8031}},
        {{0x020A, "MC", "N0", "M4000"}, {0x020A, 0x8000, 0x84A0, 0x8031}},
        {{0xB100, "P256", "", ""}, {0xB100, 0xB201}},
        {{0x0028, "MOV", "K100", "D10"}, {0x0028, 0x8064, 0x8000, 0x8614, 0x8600}},
        {{0x0010, "CJ", "P10", ""}, {0x0010, 0x8814, 0x8000}},
        {{0x0010, "CJ", "P5Z1", ""}, {0x0010, 0xA80A, 0x8040}},
        {{0x001C, "FEND", "", ""}, {0x001C}},
        {{0x101E, "WDTP", "", ""}, {0x101E}},
        {{0x0022, "NEXT", "", ""}, {0x0022}},
        {{0x00A8, "ASC", "ABCDEFGH", "D0"},
         {0x00A8, 0x8A41, 0x8042, 0x8A43, 0x8044, 0x8A45, 0x8046, 0x8A47, 0x8048, 0x8600, 0x8600}},
        {{0x2000, "LD", "X017", ""}, {0x240F}},
        {{0xC000, "OUT", "Y000", ""}, {0xC500}},
        {{0x2000, "LD", "M8002", ""}, {0x2F02}},
        {{0x01C2, "LD", "M2000", ""}, {0x01C2, 0xA9D0}},
        {{0x0008, "PLS", "M0", ""}, {0x0008, 0x8800}},
        {{0x000A, "MC", "N7", "Y001"}, {0x000A, 0x8007, 0x8501}},
        {{0xF000, "STL", "S20", ""}, {0xF014}},
        {{0xB000, "I100", "", ""}, {0xB864}},
        {{0xC000, "OUT", "T5", "D3"}, {0x0605, 0x8606, 0x8600}},
        {{0xC000, "OUT", "C200", "D0"}, {0x0EC8, 0x8600, 0x8600, 0x8000, 0x8000}},
        {{0x2000, "LD", "M1535", ""}, {0x2DFF}},
        {{0xD000, "SET", "M0", ""}, {0xD800}},
        {{0x0028, "MOV", "K4Y000", "D0"}, {0x0028, 0x8400, 0x8805, 0x8600, 0x8600}},
        {{0x0029, "DMOV", "K100", "D10"},
         {0x0029, 0x8064, 0x8000, 0x8000, 0x8000, 0x8614, 0x8600, 0x8000, 0x8000}},
    };
    for (const Worked& row : table) {
        EXPECT_EQ(emit({row.in}), row.words) << row.in.mnemonic << " " << row.in.op1;
        EXPECT_TRUE(boxes().empty()) << row.in.op1;
    }
}

TEST_F(EmissionTest, OnlyEndWritesItsWordAndSixteen) {
    fresh();
    const std::uint16_t before = pmw.sumCheck();
    convLadderToMachineCode();
    EXPECT_EQ(pmw.program[0], 0x000F);
    EXPECT_EQ(pmw.program[1], 0xFFFF);
    EXPECT_EQ(ldrTail->stepNo, 0u);
    EXPECT_EQ(pmw.sumCheck(), static_cast<std::uint16_t>(before + 16));
    EXPECT_EQ(pmw.sumCheck(), programCheckCode(pmw.program, 8));
}

TEST_F(EmissionTest, NopsTakeNoStepAndStepsFollowTheWords) {
    fresh();
    stLadderBlock* nop = add({kCodeNop, "NOP", "", ""});
    nop->stepNo = 77;
    stLadderBlock* out = add({0xC000, "OUT", "M2000", ""});
    stLadderBlock* ld = add({0x2000, "LD", "X000", ""});
    convLadderToMachineCode();
    EXPECT_EQ(nop->stepNo, 77u);
    EXPECT_EQ(out->stepNo, 0u);
    EXPECT_EQ(ld->stepNo, 2u);
    EXPECT_EQ(ldrTail->stepNo, 3u);
}

struct Refusal {
    Instr in;
    const char* box;
};

TEST_F(EmissionTest, RefusedObjectsShowTheirBoxAndLeaveTheImage) {
    const std::vector<Refusal> table = {
        {{0x0088, "IST", "X0", "S20"}, "Fnc60 Error | SubLToM02 | warning"},
        {{0x0090, "TTMR", "D0", "K0"}, "Fnc64 Error | SubLToM02 | warning"},
        {{0x0092, "STMR", "T0", "K10"}, "Fnc65 Error | SubLToM02 | warning"},
        {{0x0162, "HOUR", "K1", "D0"}, "Error2014121605... | SubLToM02 | warning"},
        {{0x10D3, "DBLKP", "K1", ""}, "No This FncCode... system halt... | SubLToM02 | warning"},
        {{0x03FC, "BAD", "", ""}, "No This FncCode... system halt... | SubLToM02 | warning"},
        {{0x0028, "MOV", "D0", "K5"}, "Error2015101602.OpCode2 Error | SubLToM02 | warning"},
        {{0x0028, "MOV", "D0", "H5"}, "Error2015101603.OpCode2 Error | SubLToM02 | warning"},
        {{0x0028, "MOV", "X0", "D0"}, "Error2015101601.OpCode1 Error | SubLToM02 | warning"},
        {{0x0028, "MOV", "D0", "Y0"}, "Error2015101604.OpCode2 Error | SubLToM02 | warning"},
        {{0x0028, "MOV", "KM0", "D0"}, "LToM FNC(nn) opCode Error | Error2015101880... | warning"},
        {{0x00F1, "EMOV", "D0", "K5"}, "Error2015101607.OpCode2 Error | SubLToM02 | warning"},
        {{0x00F1, "EMOV", "T0", "D0"}, "Error2015101606.OpCode1 Error | SubLToM02 | warning"},
        {{0x2000, "LD", "M1536", ""}, "Error20180511.200 m1536 | SubLToM02 | warning"},
        {{0x2000, "LD", "S1024", ""}, "Error20180511.200 s1024 | SubLToM02 | warning"},
        {{0x2000, "LD", "M8256", ""}, "Error2018051320 | SubLToM02 | warning"},
        {{0x2000, "LD", "T512", ""}, "Error2018051320 | SubLToM02 | warning"},
        {{0x2000, "LD", "D0", ""}, "Error2018051320 | SubLToM02 | warning"},
        {{0x2000, "LD", "X0.1", ""}, "Error2018051320 | SubLToM02 | warning"},
        {{0x01C2, "LD", "M3584", ""}, "Error20180511.200 m3584 | SubLToM02 | warning"},
        {{0xC000, "OUT", "D0", ""}, "OUT opCode Error | SubLToM02 | warning"},
        {{0xC000, "OUT", "T5", "X1"}, "OUT opCode Error | SubLToM02 | warning"},
        {{0xC000, "OUT", "T5", "D32768"}, "OUT opCode Error | SubLToM02 | warning"},
        {{0xC000, "OUT", "M4000", ""}, "Error20180511.200 m3584 | SubLToM02 | warning"},
        {{0xD000, "SET", "T3", ""}, "Error2018051360.opCode Error | SubLToM02 | warning"},
        {{0xD000, "SET", "C3", ""}, "Error2018051360.opCode Error | SubLToM02 | warning"},
        {{0xD000, "SET", "D3", ""}, "Error2018051360.opCode Error | SubLToM02 | warning"},
        {{0xD000, "SET", "M4000", ""}, "Error20180511.200 m3584 | SubLToM02 | warning"},
        {{0x0008, "PLS", "X0", ""}, "Error2018051361.opCode Error | SubLToM02 | warning"},
        {{0x0008, "PLS", "M3584", ""}, "Error20180511.200 m3584 | SubLToM02 | warning"},
        {{0x000A, "MC", "N0", "X0"}, "Error2018051320 | SubLToM02 | warning"},
        {{0x000A, "MC", "N8", "M0"}, "Error2018051320 | SubLToM02 | warning"},
        {{0x03C2, "LD", "X0", ""}, "Error2018051320 | SubLToM02 | warning"},
        {{0x0202, "OUT", "D0.G", ""}, "Error2018051320 | SubLToM02 | warning"},
        {{0xF000, "STL", "S1024", ""}, "Error2018051320 | SubLToM02 | warning"},
        {{0xB000, "P256", "", ""}, "Error2018051320 | SubLToM02 | warning"},
        {{0xE000, "RST", "K5", ""}, "Error2018051360.opCode Error | SubLToM02 | warning"},
    };
    for (const Refusal& row : table) {
        fresh();
        add({0x2000, "LD", "X000", ""});
        stLadderBlock* refused = add(row.in);
        const PmwImage image = pmw;
        {
            // The command's transaction, not the emitter, puts the words back.
            const CommandTransaction transaction;
            try {
                convLadderToMachineCode();
                ADD_FAILURE() << row.in.mnemonic << " " << row.in.op1 << " was written";
            } catch (const ConversionError& error) {
                EXPECT_EQ(fakes.statusBar.panelText(13), error.what());
                EXPECT_NE(std::string(error.what()).find(" at step 1"), std::string::npos) << error.what();
                EXPECT_NE(std::string(error.what()).find(row.in.mnemonic), std::string::npos) << error.what();
            }
            EXPECT_EQ(refused->stepNo, 1u);
        }
        EXPECT_EQ(boxes(), Boxes{row.box}) << row.in.mnemonic << " " << row.in.op1;
        EXPECT_TRUE(pmw == image) << row.in.mnemonic << " " << row.in.op1;
    }
}

TEST_F(EmissionTest, ProgramPastTheAreaIsRefusedWithoutWritingPastIt) {
    for (const int outputs : {1999, 2000}) {  // END is the 2000th word, or the 2001st
        fresh(2);
        for (int i = 0; i < outputs; ++i) add({0xC000, "OUT", "Y000", ""});
        const PmwImage image = pmw;
        if (outputs < 2000) {
            EXPECT_NO_THROW(convLadderToMachineCode());
            EXPECT_EQ(pmw.program[1999], 0x000F);
            continue;
        }
        EXPECT_FALSE(runCommand(convLadderToMachineCode));
        EXPECT_EQ(boxes(), Boxes{"Error2026120601...program too large | SubLToM02 | warning"});
        EXPECT_TRUE(pmw == image);
    }
}

TEST_F(EmissionTest, EmptyListStops) {
    fresh();
    FreeLadderMemory(kListMain);
    EXPECT_THROW(convLadderToMachineCode(), ConversionError);
    EXPECT_EQ(boxes(), Boxes{"Error2014122301... | * | error"});
}

TEST_F(EmissionTest, ObjectBeforeEndOnItsRowIsRemoved) {
    fresh();
    stLadderBlock* above = add({0x2000, "LD", "X0", ""}, 0);
    add({0x2000, "LD", "X1", ""}, 640);
    EXPECT_EQ(deleteObjectBeforeEnd(), 3);
    EXPECT_EQ(ldrTail->prev, above);
    EXPECT_EQ(deleteObjectBeforeEnd(), 2);  // now on another row: kept
    EXPECT_EQ(ldrTail->prev, above);
    ldrTail->iCode = 0x2000;
    EXPECT_EQ(deleteObjectBeforeEnd(), -1);
    EXPECT_EQ(ldrTail->prev, above);
}

}  // namespace
}  // namespace kestrion::test

namespace kestrion::test {
namespace {

class CommentStepTest : public LadderTest {};

TEST_F(CommentStepTest, CommentsFollowTheirObjectByUnsignedIdOrGo) {
    initLadderList(1040, 640);
    stLadderBlock* o = addBeforeEnd(0, 0, 0x2000);
    o->idBC = 40000;  // beyond the signed range
    o->stepNo = 12;
    addBlockComment(0, 3);
    blockCommentList.newest->commentId = 40000;
    addBlockComment(0, 4);
    blockCommentList.newest->commentId = 7;  // no object carries it
    addBlockComment(0, 5);
    blockCommentList.newest->commentId = 0;  // kept as it is
    ModeData.blockCommentCount = 3;
    updateBlockCommentSteps();
    ASSERT_NE(blockCommentList.head, nullptr);
    EXPECT_EQ(blockCommentList.head->stepNo, 12);
    ASSERT_NE(blockCommentList.head->next, nullptr);
    EXPECT_EQ(blockCommentList.head->next->stepNo, 5);
    EXPECT_EQ(blockCommentList.head->next->next, nullptr);
    EXPECT_EQ(ModeData.blockCommentCount, 2);
}

}  // namespace
}  // namespace kestrion::test
