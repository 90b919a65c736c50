#include "entry/PlacementDispatch.h"

#include <sstream>
#include <string>
#include <vector>

#include "entry/EntryState.h"
#include "entry/Placement.h"
#include "model/LadderTestSupport.h"
#include "model/ladder/DrawGeometry.h"
#include "support/ShownBoxes.h"

namespace kestrion {
namespace {

enum class Placed { Refused, Label, Contact, Parallel, Compare, Out, Box, BoxToBus, End, Stl };

class DispatchTest : public test::LadderTest {
protected:
    Placed place(std::uint32_t code, std::uint32_t x = 240) {
        object = {};
        object.xAddr = x;
        object.yAddr = 64;
        setText(object.operands[0], "D0");
        setText(object.operands[1], "D1");
        iFncFlag = 0;
        if (defineInstrSymbleAddress(code, x, operandTextsOf(object), 64, object) != 0)
            return Placed::Refused;
        if (code == 0xB000 || code == 0xB100) return Placed::Label;
        if (object.end == kEndTwoLine) return Placed::Parallel;
        if (object.end == kEndContact) return object.xAddr == 80 && x != 80 ? Placed::Stl : Placed::Contact;
        if (object.end == 0) return Placed::Compare;
        if (object.Xend == 1120 && object.xAddr == 960) return Placed::Out;  // the set value widens it
        if (object.xAddr == 1040 || object.xAddr == 1120) return Placed::End;
        return object.Xend == 1120 ? Placed::BoxToBus : Placed::Box;
    }
    stLadderBlock object;
};

struct Case {
    std::uint32_t code;
    Placed placed;
    std::uint8_t fnc;
};

// clang-format off
TEST_F(DispatchTest, TheCodeChoosesThePlacementAndTheOutputFlag) {
    const std::vector<Case> cases{
        {0x2000, Placed::Contact, 0}, {0x3000, Placed::Contact, 0}, {0x4000, Placed::Contact, 0}, {0x5000, Placed::Contact, 0},
        {0x6000, Placed::Parallel, 0}, {0x7000, Placed::Parallel, 0}, {450, Placed::Contact, 0}, {963, Placed::Contact, 0},
        {454, Placed::Parallel, 0}, {967, Placed::Parallel, 0}, {458, Placed::Contact, 0}, {463, Placed::Parallel, 0},
        {975, Placed::Parallel, 0}, {464, Placed::Compare, 0}, {509, Placed::Compare, 0}, {0x00A8, Placed::Box, 1},
        {0x0028, Placed::BoxToBus, 1}, {0x1028, Placed::BoxToBus, 1}, {456, Placed::BoxToBus, 1}, {510, Placed::BoxToBus, 1},
        {0x0010, Placed::BoxToBus, 1}, {0x03FD, Placed::BoxToBus, 1}, {0x1010, Placed::BoxToBus, 1}, {0x13FE, Placed::BoxToBus, 1},
        {0x0203, Placed::BoxToBus, 1}, {0x020A, Placed::BoxToBus, 1}, {0x0014, Placed::End, 1}, {0x0016, Placed::End, 1},
        {0x000F, Placed::End, 0}, {0xF7FF, Placed::End, 0}, {0xF000, Placed::Stl, 0}, {0xFFFD, Placed::Contact, 0},
        {0xC000, Placed::Out, 1}, {0x0002, Placed::Out, 1}, {0x0005, Placed::Out, 1}, {0x0202, Placed::Out, 1},
        {0x0600, Placed::Out, 1}, {0x0700, Placed::Out, 1}, {0x0E00, Placed::Out, 1}, {0xD000, Placed::BoxToBus, 1},
        {0xE000, Placed::BoxToBus, 1}, {0x0003, Placed::BoxToBus, 1}, {0x0007, Placed::BoxToBus, 1}, {0x0008, Placed::BoxToBus, 1},
        {0x000D, Placed::BoxToBus, 1}, {0xB000, Placed::Refused, 0}, {0xB100, Placed::Refused, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(place(c.code), c.placed);
        EXPECT_EQ(iFncFlag, c.fnc);
    }
    EXPECT_TRUE(fakes.messages.shown.empty());
}
// clang-format on

// The contact forms have the placement of their family; the codes beside them in the application range
// (456 and 457, the compare contacts from 464) and the other symbols have none.
TEST_F(DispatchTest, EveryContactFormHasThePlacementOfItsFamily) {
    const std::vector<std::pair<std::uint32_t, ContactPlacement>> forms{
        {0x2000, placeLdSymble},  {0x3000, placeLdSymble},  {450, placeLdSymble},     {451, placeLdSymble},
        {458, placeLdSymble},     {459, placeLdSymble},     {962, placeLdSymble},     {971, placeLdSymble},
        {0x4000, placeAndSymble}, {0x5000, placeAndSymble}, {0xFFFD, placeAndSymble}, {452, placeAndSymble},
        {453, placeAndSymble},    {460, placeAndSymble},    {461, placeAndSymble},    {965, placeAndSymble},
        {0x6000, placeOrSymble},  {0x7000, placeOrSymble},  {454, placeOrSymble},     {455, placeOrSymble},
        {462, placeOrSymble},     {463, placeOrSymble},     {966, placeOrSymble},     {975, placeOrSymble}};
    for (const auto& [code, placement] : forms) EXPECT_EQ(contactPlacementOf(code), placement) << code;
    for (std::uint32_t code : {449u, 456u, 457u, 464u, 961u, 968u, 976u, 0x0028u, 0x2001u, 0xC000u, 0xF000u,
                               0x000Fu, 0xFFFCu, 0xB000u})
        EXPECT_EQ(contactPlacementOf(code), nullptr) << code;
}

TEST_F(DispatchTest, TheThirtyTwoBitFlagWidensBoxesButNeverSetAndResetAndLabelsTakeTheirColumn) {
    editInstrFlags = kInstrDoubleWord;
    EXPECT_EQ(place(0x0028), Placed::BoxToBus);
    EXPECT_EQ(object.xAddr, 720u);  // five cells: the box and two double operands
    EXPECT_EQ(place(0xD000), Placed::BoxToBus);
    EXPECT_EQ(object.xAddr, 880u);
    editInstrFlags = 0;
    EXPECT_EQ(place(0xB000, 0), Placed::Label);  // on the label column
    EXPECT_EQ(xOldCursor, 80u);
    EXPECT_EQ(place(0x2000, 40), Placed::Refused);  // left of the bus: reported unchanged
    EXPECT_EQ(place(0xC000, 40), Placed::Refused);
    EXPECT_EQ(iFncFlag, 1);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(DispatchTest, ACodeWithoutPlacementNamesItselfAndTheCursor) {
    const std::vector<std::pair<std::uint32_t, std::string>> cases{
        {0x000E, "000E (80,64)"}, {0x0000, "0000 (80,64)"}, {0x0001, "0001 (80,64)"},
        {0x03FE, "03FE (80,64)"}, {0x100F, "100F (80,64)"}, {0x13FF, "13FF (80,64)"},
        {0x0400, "0400 (80,64)"}};
    for (const auto& [code, status] : cases) {
        fakes.messages.shown.clear();
        EXPECT_EQ(place(code, 80), Placed::Refused);
        EXPECT_EQ(fakes.statusBar.panelText(0), status);
        EXPECT_EQ(test::shownBoxes(fakes.messages),
                  test::Boxes{"Error2015031609 | *defineInstrSymbleAddress( | warning"});
    }
}

}  // namespace
}  // namespace kestrion
