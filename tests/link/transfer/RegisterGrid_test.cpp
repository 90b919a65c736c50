#include "link/transfer/RegisterGrid.h"

#include "model/image/DmwImage.h"
#include "support/Fixture.h"

namespace kestrion::test {
namespace {

class RegisterGridTest : public CoreTest {
protected:
    static std::vector<std::string> row(const RegisterGrid& grid, int r) {
        return {grid.cells.begin() + r * grid.columns, grid.cells.begin() + (r + 1) * grid.columns};
    }
};

TEST_F(RegisterGridTest, RowsAndLabelsFollowTheTypeAndLayout) {
    for (std::uint32_t k = 250; k < 260; ++k) setDmwRegister(k, static_cast<std::uint16_t>(k));
    const RegisterGrid type1 = registerPanelGrid(1, false, kRegViewDecimal);
    EXPECT_EQ(type1.rows, 27);
    EXPECT_EQ(row(type1, 0),
              (std::vector<std::string>{"", "+0", "+1", "+2", "+3", "+4", "+5", "+6", "+7", "+8", "+9"}));
    EXPECT_EQ(row(type1, 26), (std::vector<std::string>{"D250", "250", "251", "252", "253", "254", "255", " ",
                                                        " ", " ", " "}));
    const RegisterGrid type1Wide = registerPanelGrid(1, true, kRegViewDecimal);
    EXPECT_EQ(row(type1Wide, 0), (std::vector<std::string>{"", "+0", "+2", "+4", "+6", "+8"}));
    EXPECT_EQ(type1Wide.cell(3, 26), std::to_string(254 + (255 << 16)));
    EXPECT_EQ(type1Wide.cell(4, 26), " ");

    const std::pair<int, int> rows[] = {{6, 401}, {2, 801}, {4, 801}, {5, 801}, {7, 801}, {3, 27}};
    for (const auto& [type, count] : rows) EXPECT_EQ(registerPanelGrid(type, false, 1).rows, count) << type;
    const std::pair<int, int> dialogRows[] = {{6, 27}, {1, 27}, {4, 101}, {2, 801}, {5, 801}, {7, 801}};
    for (const auto& [type, count] : dialogRows) EXPECT_EQ(registerDialogGrid(type).rows, count) << type;
    EXPECT_EQ(registerDialogGrid(1).cell(7, 26), "256");  // the dialog blanks nothing
    EXPECT_EQ(registerPanelGrid(6, false, 1).cell(0, 400), "D3990");
}

TEST_F(RegisterGridTest, EachFormatShowsItsTextOrABlank) {
    setDmwRegister(0, 1);
    setDmwRegister(1, 2);
    setDmwRegister(2, 0xFFFF);
    setDmwRegister(3, 0xFFFF);
    struct Case {
        bool layout32;
        int format;
        const char* first;
        const char* second;
    };
    const Case cases[] = {
        {true, kRegViewDecimal, "131073", "-1"}, {true, kRegViewHexadecimal, "00020001", "FFFFFFFF"},
        {false, kRegViewDecimal, "1", "2"},      {false, kRegViewHexadecimal, "0001", "0002"},
        {false, kRegViewBinary, " ", " "},       {true, kRegViewAscii, " ", " "},
        {false, kRegViewFloating, " ", " "}};
    for (const Case& c : cases) {
        const RegisterGrid grid = registerPanelGrid(2, c.layout32, c.format);
        EXPECT_EQ(grid.cell(1, 1), c.first) << c.layout32 << c.format;
        EXPECT_EQ(grid.cell(2, 1), c.second) << c.layout32 << c.format;
    }
    EXPECT_EQ(registerPanelGrid(2, false, kRegViewDecimal).cell(3, 1), "65535");
    EXPECT_EQ(registerPanelGrid(2, false, kRegViewHexadecimal).cell(3, 1), "FFFF");
}

TEST_F(RegisterGridTest, TypedDecimalsGoIntoTheRegistersTheirCellsShow) {
    RegisterGrid grid = registerPanelGrid(1, false, kRegViewDecimal);
    grid.cell(3, 2) = "123";
    grid.cell(1, 1) = " ";  // a blank cell shifts nothing
    grid.cell(2, 1) = "70000";
    grid.cell(3, 1) = "-1";
    grid.cell(4, 1) = "";
    EXPECT_TRUE(updateRegistersFromGrid(grid, false, kRegViewDecimal).written);
    EXPECT_EQ(dmwRegister(12), 123);
    EXPECT_EQ(dmwRegister(1), 4464);
    EXPECT_EQ(dmwRegister(2), 0xFFFF);
    EXPECT_EQ(dmwRegister(0), 0);
    EXPECT_EQ(dmwRegister(3), 0);

    RegisterGrid wide = registerPanelGrid(1, true, kRegViewDecimal);
    wide.cell(2, 1) = " -2 ";
    EXPECT_TRUE(updateRegistersFromGrid(wide, true, kRegViewDecimal).written);
    EXPECT_EQ(dmwRegister(2), 0xFFFE);
    EXPECT_EQ(dmwRegister(3), 0xFFFF);

    const RegisterImage before = DmwImage;
    RegisterGrid hex = registerPanelGrid(1, false, kRegViewHexadecimal);
    hex.cell(1, 1) = "99";
    EXPECT_TRUE(updateRegistersFromGrid(hex, false, kRegViewHexadecimal).written);
    EXPECT_EQ(DmwImage, before);

    for (const char* bad : {"12a", "+", "4294967296", "0x10"}) {
        RegisterGrid typed = registerPanelGrid(1, false, kRegViewDecimal);
        typed.cell(1, 1) = "5";
        typed.cell(2, 3) = bad;
        const RegisterUpdate update = updateRegistersFromGrid(typed, false, kRegViewDecimal);
        EXPECT_FALSE(update.written) << bad;
        EXPECT_EQ(update.badText, bad);
        EXPECT_EQ(std::make_pair(update.column, update.row), std::make_pair(2, 3));
        EXPECT_EQ(DmwImage, before) << bad;  // not even the cells before it
    }
}

}  // namespace
}  // namespace kestrion::test
