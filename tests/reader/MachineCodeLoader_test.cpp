#include "reader/MachineCodeLoader.h"

#include <algorithm>

#include "model/core/ConversionError.h"
#include "model/instructions/InstructionCodes.h"
#include "model/ladder/VirtualCanvas.h"
#include "reader/LoaderTestSupport.h"
#include "support/ShownBoxes.h"

namespace kestrion {
namespace {

using test::Words;

class MachineCodeLoaderTest : public test::LoaderTest {
protected:
    test::Boxes boxes() const { return test::shownBoxes(fakes.messages); }
    stLadderBlock& at(std::size_t i) const {
        stLadderBlock* o = ldrHead;
        while (i-- > 0) o = o->next;
        return *o;
    }
    // Objects linked by hand in front of END: code, x, block id, kind.
    stLadderBlock& add(std::uint16_t code, std::uint32_t x, std::uint32_t id,
                       std::uint32_t end = kEndContact) {
        EXPECT_TRUE(ReallocLadderMemory(kLinkBeforeEnd, 0));
        ldrNow->iCode = code;
        ldrNow->xAddr = x;
        ldrNow->objLbc = id;
        ldrNow->end = end;
        return *ldrNow;
    }
};

Words series(int contacts) {
    Words words{0x2400};
    for (int i = 1; i < contacts; ++i) words.push_back(static_cast<std::uint16_t>(0x4400 + i));
    words.insert(words.end(), {0xC500, 0x000F});
    return words;
}

TEST_F(MachineCodeLoaderTest, AWordNoProgramMayHoldStopsTheLoadAndTheLadderComesBack) {
    const std::uint32_t busEnd = draw.iBusLineEnd;
    const std::pair<Words, const char*> cases[] = {
        {{0x2400, 0xC500, 0x8000, 0x000F}, "Error2015092809 | Instruction Code Error | information"},
        {{0x0400, 0x000F},
         "Error2018051090... | NoThisInstructionError...Ladder Conversion... | information"},
        {{0xF800, 0x000F},
         "Error2018051090... | NoThisInstructionError...Ladder Conversion... | information"},
        {{0x2400, 0x8000, 0xC500, 0x000F}, "Error2014122006... | *SubConvMachineCodeToLadderDiagram | error"},
        {{0x2400, 0x0001, 0xC500, 0x000F}, "Error2014122007... | *SubConvMachineCodeToLadderDiagram | error"},
        {series(24), "*[AND]SeriesContactDeviceTooMuchError...SystemExit | *Error2018031202... | error"},
        // a set (two cells) after contacts that reach the last cell: no place is left for it
        {{0x2400, 0x4401, 0x4402, 0x4403, 0x4404, 0x4405, 0x4406, 0x4407, 0x4410, 0x4411, 0x4412, 0x4413,
          0xD500, 0x000F},
         "Error2015092809 | Instruction Code Error | information"},
        // a reset after twelve steps side by side: the cells left are taken, none is free before the bus
        {{0xF000, 0xF001, 0xF002, 0xF003, 0xF004, 0xF005, 0xF006, 0xF007, 0xF008, 0xF009, 0xF00A, 0xF00B,
          0xE100, 0x000F},
         "Error2015092809 | Instruction Code Error | information"},
        // an output at the node of a branch that fills every column, with a further branch after it
        {{0x2400, 0xFFFA, 0x4401, 0xC502, 0xFFFB, 0x4402, 0x4403, 0x4404, 0x4405, 0x4406, 0x4407,
          0x4410, 0x4411, 0x4412, 0x4413, 0x4414, 0xC503, 0xC504, 0xFFFC, 0x4415, 0xC505, 0x000F},
         "Error2015092809 | Instruction Code Error | information"},
        // a contact that goes on from the node a further timer stands at: no link could reach it
        {{0x2400, 0x4401, 0x4402, 0x4403, 0x4404, 0x4405, 0x4406, 0x4407, 0x4410, 0x4411,
          0x4412, 0x0600, 0x800A, 0x8000, 0x0601, 0x800A, 0x8000, 0x4414, 0xC502, 0x000F},
         "Error2015092809 | Instruction Code Error | information"},
        // contacts with no LD before them, objects pushed past the right bus and above the ladder
        {{0xC500, 0x4A01, 0x4A4A, 0x4A4A, 0x4A4A, 0x4A4A, 0x4A4A, 0x4A4A, 0x4A4A, 0x4A4A, 0x4A4A, 0xB03B,
          0xDEB6, 0xC5EB, 0x4A4A, 0x4A4A, 0x4A4A, 0x4A4A, 0xB03B, 0xDEB6, 0xC5EB, 0xBF02, 0x000F},
         "Error2015092809 | Instruction Code Error | information"},
        {{0xEA00, 0x7606, 0xC532, 0xB00A, 0x2402, 0xC501, 0x000F},
         "Error2015092809 | Instruction Code Error | information"},
        // an AND and an OR with no LD before them
        {{0x4401, 0xC501, 0x000F}, "Error2015092809 | Instruction Code Error | information"},
        {{0x6401, 0xC501, 0x000F}, "Error2015092809 | Instruction Code Error | information"},
        // an OR right after a coil; an STL with nothing after it, left on END's line
        {{0x2400, 0xC500, 0x6401, 0xC501, 0x000F}, "Error2015092809 | Instruction Code Error | information"},
        {{0xF000, 0x000F}, "Error2015092809 | Instruction Code Error | information"},
        // a join right after an output, which would join blocks across it
        {{0x2400, 0x2401, 0x2402, 0xFFF9, 0xC500, 0xFFF9, 0xC501, 0x000F},
         "Error2015092809 | Instruction Code Error | information"},
        // contacts that go on from an output and lead to no other: before END, before a new rung
        {{0x2400, 0xFFFA, 0x4401, 0xC500, 0xFFFC, 0x2402, 0x6403, 0xFFF8, 0xC501, 0x5401, 0x000F},
         "Error2015092809 | Instruction Code Error | information"},
        {{0x2400, 0x4401, 0xC500, 0x5402, 0x2405, 0xC505, 0x000F},
         "Error2015092809 | Instruction Code Error | information"},
        {{0x2400, 0xFFFA, 0x4401, 0xC500, 0xFFFC, 0x2402, 0xC501, 0x000F},
         "Error2015092809 | Instruction Code Error | information"},
        // contacts right before RET: after a step, after a coil in a step, an AND on the step's bus
        {{0xF000, 0x3BC5, 0xF7FF, 0x000F}, "Error2015092809 | Instruction Code Error | information"},
        {{0xF000, 0xC500, 0x4401, 0xF7FF, 0x000F}, "Error2015092809 | Instruction Code Error | information"},
        {{0xF000, 0x4400, 0xF7FF, 0x000F}, "Error2015092809 | Instruction Code Error | information"},
        // and right before the next step: on the step's bus, as a block of their own, after a coil
        {{0xF000, 0x524F, 0xF001, 0x2400, 0xC500, 0xF7FF, 0x000F},
         "Error2015092809 | Instruction Code Error | information"},
        {{0xF000, 0x324F, 0xF001, 0x2400, 0xC500, 0xF7FF, 0x000F},
         "Error2015092809 | Instruction Code Error | information"},
        {{0x2400, 0xC500, 0x4401, 0xF000, 0x2401, 0xC501, 0xF7FF, 0x000F},
         "Error2015092809 | Instruction Code Error | information"},
        // a parallel join around a branch point (an OR or ORB taking in the node an MPS, MRD or MPP
        // or an output left from), an ANB putting a branch point of a sub-block behind other contacts
        {{0x2400, 0xFFFA, 0x4401, 0x7B7B, 0x7B7B, 0x4405, 0xC505, 0xFFFC, 0xC505, 0x000F},
         "Error2015092809 | Instruction Code Error | information"},
        {{0x2400, 0xFFFA, 0x4401, 0xC500, 0xFFFB, 0x4402, 0x6403, 0xC501, 0xFFFC, 0xC502, 0x000F},
         "Error2015092809 | Instruction Code Error | information"},
        {{0x2400, 0xFFFA, 0x4401, 0xC500, 0xFFFC, 0x4402, 0x6403, 0xC501, 0x000F},
         "Error2015092809 | Instruction Code Error | information"},
        {{0x2400, 0xFFFA, 0x4401, 0x2402, 0x4403, 0xFFF9, 0xC500, 0xFFFC, 0xC501, 0x000F},
         "Error2015092809 | Instruction Code Error | information"},
        {{0x2400, 0x2401, 0xFFFA, 0x4402, 0xFFF9, 0xC500, 0xFFFC, 0xC501, 0x000F},
         "Error2015092809 | Instruction Code Error | information"},
        {{0x2400, 0x2401, 0xFFFA, 0x4402, 0xFFF8, 0xC500, 0xFFFC, 0xC501, 0x000F},
         "Error2015092809 | Instruction Code Error | information"},
        {{0x2400, 0xC500, 0x4401, 0x6402, 0xC501, 0x000F},
         "Error2015092809 | Instruction Code Error | information"},
        {{0x2400, 0xC500, 0x2401, 0x4402, 0xFFF9, 0xC501, 0x000F},
         "Error2015092809 | Instruction Code Error | information"},
        // INV right after a step, with no contact to invert
        {{0xF300, 0xFFFD, 0x4401, 0xC500, 0xF7FF, 0x000F},
         "Error2015092809 | Instruction Code Error | information"},
        // a branch whose contacts lead to no output before the next leaves the branch point
        {{0x2400, 0xFFFA, 0x4401, 0xC501, 0xFFFB, 0x4502, 0xFFFC, 0x4403, 0x4403, 0xC503, 0x000F},
         "Error2015092809 | Instruction Code Error | information"},
        {{0x2400, 0xFFFA, 0x4401, 0xFFFC, 0x4402, 0xC502, 0x000F},
         "Error2015092809 | Instruction Code Error | information"},
        // a new rung while an MPS of the rung before is open (its MPP would read across the start)
        {{0x2400, 0xFFFA, 0x4401, 0xC501, 0x2CFB, 0xC502, 0xFFFC, 0xC503, 0x000F},
         "Error2015092809 | Instruction Code Error | information"},
        {{0x2400, 0xFFFA, 0x4401, 0xC501, 0x2402, 0xC502, 0x000F},
         "Error2015092809 | Instruction Code Error | information"},
        {Words(13, 0x2400), "AnbOrb Error | *backwordAnbOrbInstrCheck | information"},
        {{0x2400, 0x2401, 0xC500, 0x000F}, "AnbOrb Error | *backwordAnbOrbInstrCheck | information"},
        {{0x2400, 0xC500, 0xFFF8, 0xC501, 0x000F}, nullptr},  // a join with no sub-block left
        {{0x2400, 0xFFFC, 0xFFFC, 0xC500, 0x000F}, nullptr},  // MPP with no branch point
    };
    for (const auto& [words, box] : cases) {
        fakes.messages.shown.clear();
        EXPECT_FALSE(load(words)) << words[1];
        if (box != nullptr) {
            EXPECT_EQ(boxes().back(), box);
        }
        EXPECT_FALSE(boxes().empty());
        EXPECT_EQ(ldrHead, ldrTail) << "the END-only ladder from before the load";
        EXPECT_EQ(draw.iBusLineEnd, busEnd);
        EXPECT_FALSE(fakes.progress.visible);
    }
    EXPECT_FALSE(load({0x2400, 0xC500, 0x9001, 0x000F}));
    EXPECT_EQ(fakes.statusBar.panelText(13), "9000 machine code error...9001");
}

// An application instruction read from the words carries the D flag of its 32-bit form and the P flag
// of its pulse form, no other: the monitor and the value display read them.
TEST_F(MachineCodeLoaderTest, ApplicationInstructionsCarryTheFlagsOfTheirForm) {
    const std::tuple<Words, bool, bool> cases[] = {
        {{0x2400, 0x0028, 0x8001, 0x8000, 0x8600, 0x8600, 0x000F}, false, false},  // MOV K1 D0
        {{0x2400, 0x0029, 0x8001, 0x8000, 0x8000, 0x8000, 0x8600, 0x8600, 0x8000, 0x8000, 0x000F},
         true,
         false},
        {{0x2400, 0x1028, 0x8001, 0x8000, 0x8600, 0x8600, 0x000F}, false, true},  // MOVP
        {{0x2400, 0x1029, 0x8001, 0x8000, 0x8000, 0x8000, 0x8600, 0x8600, 0x8000, 0x8000, 0x000F},
         true,
         true},
        {{0x2400, 0x0040, 0x8600, 0x8600, 0x000F}, false, false},  // INC D0
    };
    for (const auto& [words, wide, pulse] : cases) {
        ASSERT_TRUE(load(words, 8)) << words[1];
        EXPECT_EQ(at(1).dFlag(), wide) << words[1];
        EXPECT_EQ(at(1).pFlag(), pulse) << words[1];
    }
}

// Words whose ladder would not be the program stop the load at their step with the box every such
// shape gives; panel 13 names the word and what cannot be shown.
TEST_F(MachineCodeLoaderTest, WordsNoLadderShowsStopTheLoadAndSayWhy) {
    const Words twelve = {0x2400, 0x4401, 0x4402, 0x4403, 0x4404, 0x4405,
                          0x4406, 0x4407, 0x4410, 0x4411, 0x4412, 0x4413};
    const auto after = [](Words head, std::initializer_list<std::uint16_t> tail) {
        head.insert(head.end(), tail);
        return head;
    };
    const std::pair<Words, const char*> cases[] = {
        // a rung that goes on past a label: the label begins a rung, the ANB joins the one before it
        {{0x2401, 0xC5E4, 0xB00A, 0x2400, 0xFFF8, 0xC500, 0x000F},
         "2400 ladder position error...a join with no block of its rung before it"},
        {{0x2401, 0xC5E4, 0xB10A, 0xB201, 0x2400, 0xFFF8, 0xC500, 0x000F},
         "2400 ladder position error...a join with no block of its rung before it"},
        // a contact, a join, an output after MCR, MC or RET with no LD in front of it
        {{0x2400, 0x000A, 0x8000, 0x8864, 0x2401, 0xC500, 0x000B, 0x8000, 0x4402, 0xC501, 0x000F},
         "4402 ladder position error...a contact with no rung to go on from"},
        {{0x2400, 0xC500, 0xB001, 0xFFF8, 0xC501, 0x000F},
         "FFF8 ladder position error...a join with no contacts before it"},
        {{0x2400, 0x000A, 0x8000, 0x8864, 0xFFF8, 0xC500, 0x000F},
         "FFF8 ladder position error...a join with no block of its rung to join"},
        {{0xF000, 0x2400, 0xC500, 0xF7FF, 0xC501, 0x000F},
         "C501 ladder position error...an output with no contacts in front of it"},
        {{0xC500, 0x000F}, "C500 ladder position error...an output with no contacts in front of it"},
        // an OR or a branch point on a step's bus, with no contacts of the step in front of it
        {{0xF000, 0x6400, 0xC500, 0xF7FF, 0x000F},
         "6400 ladder position error...an OR with no contacts of its rung before it"},
        {{0xF000, 0xFFFA, 0xC500, 0xFFFC, 0xC501, 0xF7FF, 0x000F},
         "FFFA ladder position error...a branch point with no rung"},
        // an ORB of the only block of a step's rung (it would join the step's bus)
        {{0xF014, 0x2404, 0xFFF9, 0xC500, 0xF7FF, 0x000F},
         "FFF9 ladder position error...a join with no block of its rung to join"},
        // INV with nothing of its rung to invert, and INV inside a block joined in series
        {{0xF000, 0xC500, 0xFFFD, 0xC501, 0xF7FF, 0x000F},
         "FFFD ladder position error...INV with no contact in front of it"},
        {{0x2400, 0x2401, 0xFFFD, 0xFFF8, 0xC500, 0x000F},
         "FFFD ladder position error...INV in a block joined in series"},
        {{0x2400, 0x6405, 0x2401, 0x6402, 0xFFFD, 0xFFF8, 0xC500, 0x000F},
         "FFFD ladder position error...INV in a block joined in series"},
        // contacts or a branch point where their rung ends: END, a label, MCR, FEND
        {{0x2400, 0x000F}, "000F ladder position error...contacts that lead to no output"},
        {{0x2400, 0xC500, 0x4401, 0xB001, 0x2402, 0xC501, 0x000F},
         "B001 ladder position error...contacts that lead to no output"},
        {{0x2400, 0xFFFA, 0x4401, 0xC500, 0x000F},
         "000F ladder position error...a branch point left open where its rung ends"},
        {{0x2400, 0xFFFA, 0x4401, 0xC500, 0x001C, 0x000F},
         "001C ladder position error...a branch point left open where its rung ends"},
        // labels that share a rung, or stand inside a step; a master control inside a step
        {{0xB001, 0xB002, 0x2400, 0xC500, 0x000F},
         "B002 ladder position error...a label right after a label"},
        {{0xF000, 0x2400, 0xC500, 0xB001, 0x2401, 0xC501, 0xF7FF, 0x000F},
         "B001 ladder position error...a label inside a step"},
        {{0xF000, 0x2400, 0x000A, 0x8000, 0x8864, 0x2401, 0xC500, 0x000B, 0x8000, 0xF7FF, 0x000F},
         "000A ladder position error...a master control inside a step"},
        // an LD in the last column, a wide branch after an output of a branch point
        {after(twelve, {0x2414, 0xFFF8, 0xC500, 0x000F}),
         "2414 ladder position error...an LD in the output column"},
        {after(Words(twelve.begin(), twelve.end() - 1),
               {0xFFFA, 0x4413, 0x4414, 0xC500, 0xFFFC, 0x4415, 0xC501, 0x4416, 0x4417, 0xC502, 0x000F}),
         "4417 ladder position error...contacts of a branch after an output that reach past the bus"},
        // an output that stands at its node with more outputs below
        {after(Words(twelve.begin(), twelve.end() - 2),
               {0xC501, 0x0028, 0x8001, 0x8000, 0x8600, 0x8600, 0xC503, 0xC504, 0x000F}),
         "C000 ladder position error...an output under an output that stands at its node"},
    };
    for (const auto& [words, reason] : cases) {
        fakes.messages.shown.clear();
        EXPECT_FALSE(load(words, 8)) << reason;
        ASSERT_FALSE(boxes().empty()) << reason;
        EXPECT_EQ(boxes().back(), "Error2015092809 | Instruction Code Error | information") << reason;
        EXPECT_EQ(fakes.statusBar.panelText(13), reason);
        EXPECT_EQ(ldrHead, ldrTail) << reason;
    }
}

// The shapes next to those: each opens.
TEST_F(MachineCodeLoaderTest, TheShapesBesideThoseStillOpen) {
    const Words cases[] = {
        {0x2400, 0xC500, 0x2401, 0xFFF8, 0xC501, 0x000F},  // a rung that goes on from an output
        {0x2407, 0xC507, 0xF000, 0xC501, 0x2400, 0xFFF8, 0xC500, 0xF7FF, 0x000F},  // ... a step's output
        {0x2400, 0x2401, 0xFFFD, 0x6402, 0xFFF8, 0xC500, 0x000F},  // INV in a block an OR puts in parallel
        {0x2400, 0x2401, 0xFFFD, 0xFFF9, 0xC500, 0x000F},          // INV in a block joined in parallel
        {0x2407, 0xC507, 0xF000, 0x2400, 0xC500, 0xF7FF, 0xB001, 0x2401, 0xC501,
         0x000F},  // a label after a step
        // a label and a step right after MCR, on the first free line
        {0x2400, 0x000A, 0x8000, 0x8864, 0x2401, 0xC500, 0x000B, 0x8000, 0xB001, 0x2402, 0xC501, 0x000F},
        {0x2400, 0x000A, 0x8000, 0x8864, 0x2401, 0xC500, 0x000B, 0x8000, 0xF000, 0x2402, 0xC501, 0xF7FF,
         0x000F},
        {0x0014, 0x000F},  // an instruction that stands alone
    };
    for (const Words& words : cases) {
        fakes.messages.shown.clear();
        EXPECT_TRUE(load(words, 8)) << words.size() << " words: " << fakes.statusBar.panelText(13);
        EXPECT_TRUE(boxes().empty()) << words.size() << " words";
    }
}

TEST_F(MachineCodeLoaderTest, ARungWiderThanTheBusWidensItAndLeavesNothingForConvertToRefuse) {
    ASSERT_TRUE(load(series(14)));
    EXPECT_EQ(draw.iBusLineEnd, 1280u);
    EXPECT_EQ(ldrTail->prev->Xend, 1280u);
    EXPECT_EQ(editModeFlags & kEditOutputsToRightBus, 0);
}

// Past the columns cleared when the load began, the cells of a bus widened that far read blank as the
// others do, on every line of the ladder.
TEST_F(MachineCodeLoaderTest, TheColumnsAWidenedBusReachesReadBlank) {
    Words words = series(20);
    words.insert(words.end() - 1, {0x2401, 0xC501});
    ASSERT_TRUE(load(words));
    ASSERT_EQ(draw.iBusLineEnd, 1760u);
    std::string cells;
    for (std::int64_t row = 0; row <= 4; ++row)
        for (std::int64_t column = 40; column <= std::int64_t{virtualArrayColumns}; ++column)
            if (VirtualArray.at(column, row) == '\0')
                cells += "(" + std::to_string(column) + "," + std::to_string(row) + ")";
    EXPECT_EQ(cells, "");
}

// Twelve contacts end where the output column begins, on END's line below: END moves away from the
// further outputs rather than pushing them past the bus.
TEST_F(MachineCodeLoaderTest, ARungFillingEveryColumnTakesItsFurtherOutputsUnderTheFirstAtTheBus) {
    Words words = series(12);
    words.insert(words.end() - 1, {0xC501, 0xC502});
    ASSERT_TRUE(load(words));
    EXPECT_EQ(draw.iBusLineEnd, 1120u);
    EXPECT_TRUE(boxes().empty());
    std::vector<std::pair<std::uint32_t, std::uint32_t>> outputs;
    for (const stLadderBlock* o = ldrHead; o != ldrTail; o = o->next)
        if (o->end == kEndOutput) outputs.emplace_back(o->xAddr, o->yAddr);
    EXPECT_EQ(outputs,
              (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{1040, 0}, {1040, 64}, {1040, 128}}));
    EXPECT_EQ(ldrTail->yAddr, 192u);

    // The rung after it is a rung of its own, also one that begins without a contact.
    for (const Words& next : {Words{0x001C}, Words{0x2401, 0xC503}, Words{0x0014}}) {
        words = series(12);
        words.insert(words.end() - 1, {0xC501, 0xC502});
        words.insert(words.end() - 1, next.begin(), next.end());
        fakes.messages.shown.clear();
        EXPECT_TRUE(load(words)) << next[0] << ": " << fakes.statusBar.panelText(13);
        EXPECT_TRUE(boxes().empty()) << next[0];
    }
}

// An application instruction under an output whose node stands right of the place that would end it
// at the bus begins at the node, narrower, where the same instruction after MPP at that node stands
// (from the bus it was drawn left of its node and the load stopped on the words Convert wrote).
TEST_F(MachineCodeLoaderTest, AWideOutputUnderOneAtItsNodeBeginsAtTheNode) {
    const Words daddp = {0x1039, 0x8648, 0x8601, 0x8000, 0x8000, 0x8001, 0x8000,
                         0x8000, 0x8000, 0x8648, 0x8601, 0x8000, 0x8000};
    const auto placeOfLastOutput = [&](Words between) {
        Words words = series(9);
        words.resize(words.size() - 2);  // without its output and END
        words.insert(words.end(), between.begin(), between.end());
        words.insert(words.end(), daddp.begin(), daddp.end());
        words.push_back(0x000F);
        EXPECT_TRUE(load(words)) << fakes.statusBar.panelText(13);
        EXPECT_TRUE(boxes().empty());
        const stLadderBlock* o = ldrTail->prev;
        return std::make_tuple(o->xAddr, o->yAddr, o->Xend, o->xMaxi);
    };
    EXPECT_EQ(placeOfLastOutput({0xC500}), std::make_tuple(800u, 64u, 1120u, 800u));
    EXPECT_EQ(placeOfLastOutput({0xFFFA, 0xC500, 0xFFFC}), std::make_tuple(800u, 64u, 1120u, 800u));
}

TEST_F(MachineCodeLoaderTest, OnlyEndGivesTheEndObjectItsStepBlockKindAndOneRowBelow) {
    put({0x000F});
    ladderBottomY = 999;  // from the program before
    convMachineCodeToLadder("New1C");
    EXPECT_EQ(ldrHead, ldrTail);
    EXPECT_EQ(ldrTail->stepNo, 0u);
    EXPECT_EQ(ldrTail->objLbc, 1u);
    EXPECT_EQ(ldrTail->end, kEndOutput);
    EXPECT_EQ(ladderBottomY, 64u);
    EXPECT_EQ(pmw.sumCheck(), 0xF840);
    EXPECT_EQ(fakes.progress.caption, "Convert Progress...");
    EXPECT_FALSE(fakes.progress.visible);
    EXPECT_EQ(fakes.statusBar.history(0).front(), "jm=4416iCheckSumF830,0");
}

TEST_F(MachineCodeLoaderTest, TheProgressBarFollowsTheWordsAndNeverMovesBack) {
    Words words(1990, 0xFFFF);
    words.insert(words.begin(), {0x2400, 0xC500});
    words.push_back(0x000F);
    ASSERT_TRUE(load(words));
    const std::vector<int>& shown = fakes.progress.positions;
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));
    EXPECT_EQ(std::adjacent_find(shown.begin() + 1, shown.end()), shown.end());
    EXPECT_EQ(shown.back(), 99);  // the bar stands at (offset - 348) x 100 / 2000 of the last word
}

TEST_F(MachineCodeLoaderTest, PanelZeroShowsEachWordReadWithItsStepAndCodeInFourHexDigits) {
    // Six hundred rungs of a contact and an output, then a NOP (no step of its own) before END.
    Words words;
    for (int rung = 0; rung < 600; ++rung) words.insert(words.end(), {0x2400, 0xC500});
    words.insert(words.end(), {0xFFFF, 0x000F});
    ASSERT_TRUE(load(words));
    std::vector<std::string> steps;
    for (const std::string& text : fakes.statusBar.history(0))
        if (text.starts_with("Step")) steps.push_back(text);
    ASSERT_EQ(steps.size(), 1201u);
    EXPECT_EQ(steps[0], "Step0:2400");
    EXPECT_EQ(steps[1], "Step1:C500");
    EXPECT_EQ(steps[10], "Step10:2400");
    EXPECT_EQ(steps[1199], "Step1199:C500");
    EXPECT_EQ(steps.back(), "Step1200:FFFF");
}

TEST_F(MachineCodeLoaderTest, StackObjectsStandHalfACellRoundedToEightLeftOfTheirBranch) {
    for (const auto& [width, offset] : {std::pair{80u, 40u}, std::pair{56u, 24u}}) {
        ModeData.xSizeSymble = width;
        setupDrawGeometry();
        ASSERT_TRUE(load({0x2400, 0xFFFA, 0x4401, 0xC501, 0xFFFC, 0x4403, 0xC503, 0x000F}));
        EXPECT_EQ(at(1).xAddr, at(2).xAddr - offset);
        EXPECT_EQ(at(4).xAddr, at(2).xAddr - offset);
    }
}

TEST_F(MachineCodeLoaderTest, ProgramsOfNopsEndAtTheirFirstEndOrTheAreaEnd) {
    const std::pair<Words, bool> cases[] = {
        {{0xFFFF, 0xFFFF, 0x000F, 0x2400}, true},
        {{0x000F}, true},
        {{0xFFFF, 0x2400, 0x000F}, false},
        {{}, true},  // 0xFFFF up to the end of the program area
    };
    for (const auto& [words, onlyNops] : cases) {
        put(words);
        EXPECT_EQ(isOnlyNopUntilEnd(348), onlyNops);
    }
    put({0xFFFF, 0x2400}, 2);
    EXPECT_TRUE(isOnlyNopUntilEnd(4348)) << "the first byte past the area of size 2";
    // Without END the words are read up to the area end only, and the ladder is END alone.
    EXPECT_TRUE(load(Words(2000, 0xFFFF)));
    EXPECT_EQ(fakes.statusBar.panelText(13), "i,jm=4348,4416,68");
    EXPECT_EQ(ldrHead, ldrTail);
    EXPECT_EQ(pmw.sumCheck(), 0xF830);
}

TEST_F(MachineCodeLoaderTest, BlockEdgesFollowTheOpenLdOfEachJoin) {
    // LD a, AND b, OR c, OUT: c joins b (the AND replaced the LD on top); the OUT takes c's.
    add(0x2000, 80, 1);
    add(0x4000, 160, 1);
    add(0x6000, 80, 1);
    add(0xC000, 1040, 1, kEndOutput);
    Modify_xBlockAddr();
    EXPECT_EQ(at(2).xBlockAddr, 160u);
    EXPECT_EQ(at(3).xBlockAddr, 160u);
    clearLadderKeepEnd();
    // LD a, LD b, ORB at 180: both get 180 - 20. Then LD, LD, ANB at 250: the top gets 240.
    for (const std::uint16_t join : {kCodeOrb, kCodeAnb}) {
        add(0x2000, 80, 1);
        add(0x2000, 160, 1);
        add(join, join == kCodeOrb ? 180 : 250, 1);
        Modify_xBlockAddr();
        EXPECT_EQ(at(0).xBlockAddr, join == kCodeOrb ? 160u : 80u);
        EXPECT_EQ(at(1).xBlockAddr, join == kCodeOrb ? 160u : 240u);
        clearLadderKeepEnd();
    }
}

TEST_F(MachineCodeLoaderTest, BlockEdgesSkipLonelyJoinsStopAtLonelyOrsAndWaitForAPaste) {
    add(kCodeAnb, 250, 1).xBlockAddr = 7;
    add(kCodeOrb, 260, 1).xBlockAddr = 7;
    add(0xC000, 1040, 1, kEndOutput);
    add(0x6000, 80, 2).xBlockAddr = 7;  // an OR opening a block: the walk ends here
    add(0x2000, 80, 2).xBlockAddr = 7;
    Modify_xBlockAddr();
    EXPECT_EQ(at(2).xBlockAddr, 7u) << "the output takes the predecessor's edge";
    EXPECT_EQ(at(4).xBlockAddr, 7u);
    at(0).iCode = 0x2000;  // an LD now, whose edge a paste leaves alone
    editModeFlags |= 0x10;
    Modify_xBlockAddr();
    EXPECT_EQ(at(0).xBlockAddr, 7u);
    // ANB is of the 0xF000 group; nothing is shown while the paste runs.
    EXPECT_EQ(boxes(), test::Boxes{"First Instruction is STL... | *Modify_xBlockAddr | error"});
}

TEST_F(MachineCodeLoaderTest, BlockEdgesWarnOfAFirstStlAndOfSixteenOpenLds) {
    add(0xF000, 80, 1);
    for (int i = 0; i < 16; ++i) add(0x2000, 160, 1);
    Modify_xBlockAddr();
    EXPECT_EQ(boxes(), (test::Boxes{"First Instruction is STL... | *Modify_xBlockAddr | error",
                                    "Error2014122002...[LD]TooMuch... | *Modify_xBlockAddr | error"}));
    EXPECT_EQ(fakes.statusBar.panelText(13), "StackOverflow...system halt");
}

}  // namespace
}  // namespace kestrion
