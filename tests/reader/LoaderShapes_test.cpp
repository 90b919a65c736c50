// Programs whose shapes decide whether the load opens them and where it puts their objects, opened
// through File > Open and converted twice: each opens and keeps through Convert what every output
// computes, or the load refuses it with its message.
#include "grammar/ConvertProperty.h"
#include "reader/LoaderTestSupport.h"
#include "support/Fixture.h"

namespace kestrion::test {
namespace {

using grammar::Words;

class LoaderShapes : public CoreTest {
protected:
    grammar::PropertyResult check(const Words& words) {
        fakes.messages.shown.clear();
        fakes.statusBar.forgetHistory();
        return grammar::checkConvertProperty(
            words,
            {[this] { return static_cast<int>(fakes.messages.shown.size()); },
             [this](int index) { return fakes.messages.shown.at(static_cast<std::size_t>(index)).text; }});
    }
    // The program opens, Convert writes the words given (the same function of the contacts for
    // every output), and a second Convert writes them again.
    void expectOpensAndConvertsTo(const Words& words, const Words& written, const char* what) {
        const grammar::PropertyResult result = check(words);
        EXPECT_TRUE(result.opened) << what << ": " << fakes.statusBar.panelText(13);
        EXPECT_EQ(result.broken, "") << what;
        EXPECT_EQ(result.converted, written) << what << ": " << grammar::hexWords(result.converted);
        EXPECT_EQ(grammar::compareLogic(words, written), "") << what;
        EXPECT_TRUE(fakes.messages.shown.empty()) << what;
    }
    void expectRefused(const Words& words, const std::string& reason) {
        const grammar::PropertyResult result = check(words);
        EXPECT_FALSE(result.opened) << reason;
        EXPECT_EQ(result.broken, "") << reason;
        ASSERT_FALSE(fakes.messages.shown.empty()) << reason;
        EXPECT_EQ(fakes.messages.shown.back().text, "Error2015092809") << reason;
        EXPECT_EQ(fakes.messages.shown.back().caption, "Instruction Code Error") << reason;
        EXPECT_EQ(fakes.statusBar.panelText(13), reason);
    }
};

// INV in a block the ANB after it joins in series would invert the block in front as well; it
// stands where the ladder shows it when a later block is joined with it in parallel first (the
// blocks opened after INV are joined among themselves before that).
TEST_F(LoaderShapes, InvInABlockJoinedInSeriesOpensWhenALaterBlockIsPutInParallelWithIt) {
    // LD X0, LD X1, INV, LD X2, ORB, ANB, OUT Y0: Y0 = X0 & (!X1 | X2)
    expectOpensAndConvertsTo({0x2400, 0x2401, 0xFFFD, 0x2402, 0xFFF9, 0xFFF8, 0xC500, 0x000F},
                             {0x2400, 0x2401, 0xFFFD, 0x6402, 0xFFF8, 0xC500, 0x000F}, "an ORB right after");
    // LD X0, LD X1, INV, LD X2, LD X3, ORB, ORB, ANB, OUT Y0: Y0 = X0 & (!X1 | X2 | X3)
    expectOpensAndConvertsTo({0x2400, 0x2401, 0xFFFD, 0x2402, 0x2403, 0xFFF9, 0xFFF9, 0xFFF8, 0xC500, 0x000F},
                             {0x2400, 0x2401, 0xFFFD, 0x6402, 0x6403, 0xFFF8, 0xC500, 0x000F},
                             "two blocks joined by ORB first");
    // LD X0, LD X1, INV, LD X2, LD X3, ANB, ORB, ANB, OUT Y0: Y0 = X0 & (!X1 | X2 & X3)
    expectOpensAndConvertsTo({0x2400, 0x2401, 0xFFFD, 0x2402, 0x2403, 0xFFF8, 0xFFF9, 0xFFF8, 0xC500, 0x000F},
                             {0x2400, 0x2401, 0xFFFD, 0x2402, 0x4403, 0xFFF9, 0xFFF8, 0xC500, 0x000F},
                             "two blocks joined by ANB first");
}

TEST_F(LoaderShapes, InvInABlockJoinedInSeriesIsRefusedWhenNothingPutsItInParallel) {
    // LD X0, LD X1, INV, LD X2, ANB, ANB, OUT Y0: both joins in series
    expectRefused({0x2400, 0x2401, 0xFFFD, 0x2402, 0xFFF8, 0xFFF8, 0xC500, 0x000F},
                  "FFFD ladder position error...INV in a block joined in series");
}

// A branch point belongs to its rung: a rung that begins before its MPP would have the branch read
// across its start, which no ladder shows.
TEST_F(LoaderShapes, ARungThatBeginsWhileABranchPointIsOpenIsRefused) {
    // LD X0, MPS, AND X1, OUT Y0, LD X2, OUT Y1, MPP, AND X3, OUT Y2
    expectRefused({0x2400, 0xFFFA, 0x4401, 0xC500, 0x2402, 0xC501, 0xFFFC, 0x4403, 0xC502, 0x000F},
                  "2402 ladder position error...a new rung while a branch point is open");
    // the same rungs with the branch point closed first open
    expectOpensAndConvertsTo({0x2400, 0xFFFA, 0x4401, 0xC500, 0xFFFC, 0x4403, 0xC502, 0x2402, 0xC501, 0x000F},
                             {0x2400, 0xFFFA, 0x4401, 0xC500, 0xFFFC, 0x4403, 0xC502, 0x2402, 0xC501, 0x000F},
                             "MPP before the next rung");
}

// On a bus the first branch widened, an OR of a later branch may stand right of END's column, on
// END's row. The cells left of it are filled up to the branch point all the same, so the last branch
// takes the row below instead of being drawn through the OR, which Convert then refused.
TEST_F(LoaderShapes, AnOrRightOfEndOnAWidenedBusKeepsItsRowFromTheNextBranch) {
    // LD X0, MPS, AND X1 ... AND X15, OUT Y0, MRD, AND X1 ... AND X14, LD X14, OR X15, ANB, OUT Y1,
    // MPP, OUT Y2
    const Words words{0x2400, 0xFFFA, 0x4401, 0x4402, 0x4403, 0x4404, 0x4405, 0x4406, 0x4407,
                      0x4408, 0x4409, 0x440A, 0x440B, 0x440C, 0x440D, 0xC500, 0xFFFB, 0x4401,
                      0x4402, 0x4403, 0x4404, 0x4405, 0x4406, 0x4407, 0x4408, 0x4409, 0x440A,
                      0x440B, 0x440C, 0x240C, 0x640D, 0xFFF8, 0xC501, 0xFFFC, 0xC502, 0x000F};
    const grammar::PropertyResult result = check(words);
    EXPECT_TRUE(result.opened);
    EXPECT_EQ(result.broken, "");
    EXPECT_EQ(result.converted, words) << grammar::hexWords(result.converted);
    // the only boxes are the load's warnings as it widens the bus
    for (const auto& shown : fakes.messages.shown)
        EXPECT_EQ(shown.text, "*[AND]SeriesContactDeviceTooMuchError...Can't convert...");
}

using LoadedObjects = LoaderTest;

// MPS, MRD and MPP objects begin as every new object of the load does (the left bus as their ORB
// x, no texts), then take their place left of their branch.
TEST_F(LoadedObjects, StackObjectsBeginAsNewObjectsAndStandLeftOfTheirBranch) {
    // LD X0, MPS, AND X1, OUT Y0, MRD, AND X3, OUT Y3, MPP, AND X2, OUT Y1
    ASSERT_TRUE(
        load({0x2400, 0xFFFA, 0x4401, 0xC500, 0xFFFB, 0x4403, 0xC503, 0xFFFC, 0x4402, 0xC501, 0x000F}, 8));
    std::vector<std::string> stack;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
        if (isStackJoint(o->iCode))
            stack.push_back(textOf(o->mnemonic) + " " + std::to_string(o->xAddr) + "," +
                            std::to_string(o->yAddr) + " orb=" + std::to_string(o->orbXaddr) + " [" +
                            textOf(o->operands[0]) + textOf(o->operand6) + "]");
    EXPECT_EQ(stack, (std::vector<std::string>{"MPS 120,0 orb=80 []", "MRD 120,64 orb=80 []",
                                               "MPP 120,128 orb=80 []"}));
}

// A label is neither the 32-bit nor the pulse form of anything, also after a DMOVP in front of it.
TEST_F(LoadedObjects, LabelsCarryNeitherTheDNorThePFlag) {
    // LD X0, DMOVP D10 D10, P0, LD X1, OUT Y1, I0, LD X2, OUT Y2
    ASSERT_TRUE(load({0x2400, 0x1029, 0x8614, 0x8600, 0x8000, 0x8000, 0x8614, 0x8600, 0x8000, 0x8000, 0xB000,
                      0x2401, 0xC501, 0xB800, 0x2402, 0xC502, 0x000F},
                     8));
    std::vector<std::string> flags;
    for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
        if (isLabelCode(o->iCode) || o->iCode == 0x1029)
            flags.push_back(textOf(o->mnemonic) + " D" + std::to_string(o->dFlag()) + " P" +
                            std::to_string(o->pFlag()));
    EXPECT_EQ(flags, (std::vector<std::string>{"DMOVP D1 P1", "P0 D0 P0", "I0 D0 P0"}));
}

// MC in its four-word form (0x20A) opens a block of its own, as MCR does; the one-word form (0x00A)
// stays in the block of the contacts in front of it.
TEST_F(LoadedObjects, TheFourWordMcOpensABlockOfItsOwn) {
    // LD X0, MC N1 M3840, LD X1, OUT Y0, MCR N1
    ASSERT_TRUE(load({0x2400, 0x020A, 0x8001, 0x8400, 0x8031, 0x2401, 0xC500, 0x000B, 0x8001, 0x000F}, 8));
    EXPECT_EQ(objectListDetailRows(),
              (std::vector<std::string>{
                  "80,0 LD X000 code=2000 end=10 id=1", "880,0 MC N1 M3840 code=020A end=11 id=2",
                  "80,64 LD X001 code=2000 end=10 id=3", "1040,64 OUT Y000 code=C000 end=11 id=3",
                  "960,128 MCR N1 code=000B end=11 id=4", "1040,192 END code=000F end=11 id=5"}));
    // LD X0, MC N0 M100, LD X1, OUT Y0, MCR N0
    ASSERT_TRUE(load({0x2400, 0x000A, 0x8000, 0x8864, 0x2401, 0xC500, 0x000B, 0x8000, 0x000F}, 8));
    EXPECT_EQ(objectListDetailRows(),
              (std::vector<std::string>{
                  "80,0 LD X000 code=2000 end=10 id=1", "880,0 MC N0 M100 code=000A end=11 id=1",
                  "80,64 LD X001 code=2000 end=10 id=2", "1040,64 OUT Y000 code=C000 end=11 id=2",
                  "960,128 MCR N0 code=000B end=11 id=3", "1040,192 END code=000F end=11 id=4"}));
}

}  // namespace
}  // namespace kestrion::test
