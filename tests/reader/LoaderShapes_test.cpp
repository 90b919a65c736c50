// Programs whose shapes decide whether the load opens them and where it puts their objects, opened
// through File > Open and converted twice: each opens and keeps through Convert what every output
// computes, or the load refuses it with its message.
#include "grammar/ConvertProperty.h"
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
            words, {[this] { return static_cast<int>(fakes.messages.shown.size()); },
                    [this] {
                        return fakes.messages.shown.empty() ? std::string{}
                                                            : fakes.messages.shown.back().text;
                    }});
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

}  // namespace
}  // namespace kestrion::test
