#include "entry/InputDeviceDialog.h"

#include "support/Fixture.h"

namespace kestrion {
namespace {

class InputDeviceDialogTest : public test::CoreTest {
protected:
    InputDeviceDialog dialog;
};

TEST_F(InputDeviceDialogTest, CancelAndEscapeClearBothResults) {
    dialog.bDeviceOk = 1;
    dialog.bDeviceEmpty = 1;
    EXPECT_TRUE(dialog.InputDeviceEditKeyPress(27));
    EXPECT_EQ(dialog.bDeviceOk, 0);
    EXPECT_EQ(dialog.bDeviceEmpty, 0);
    EXPECT_TRUE(dialog.closed);
    EXPECT_FALSE(InputDeviceDialog{}.InputDeviceEditKeyPress('A'));
}

TEST_F(InputDeviceDialogTest, SymbolPictures) {
    const std::vector<SymbolStroke> open{
        {20, 25, 40, 25, 0}, {40, 15, 40, 35, 0}, {60, 15, 60, 35, 0}, {60, 25, 80, 25, 0}};
    EXPECT_EQ(inputDeviceSymbol(5), open);
    std::vector<SymbolStroke> parallel = open;
    parallel.push_back({20, 25, 20, 5, 0});
    parallel.push_back({80, 25, 80, 5, 0});
    EXPECT_EQ(inputDeviceSymbol(34), parallel);
    EXPECT_EQ(inputDeviceSymbol(6).back(), (SymbolStroke{44, 31, 56, 19, 0}));
    EXPECT_EQ(inputDeviceSymbol(33).back(), (SymbolStroke{50, 35, 55, 30, 0}));
    EXPECT_EQ(inputDeviceSymbol(7).size(), 4u);
    EXPECT_EQ(inputDeviceSymbol(8).size(), 8u);
    for (std::uint32_t none : {0u, 2u, 3u, 9u, 31u, 38u}) EXPECT_TRUE(inputDeviceSymbol(none).empty());
}

}  // namespace
}  // namespace kestrion
