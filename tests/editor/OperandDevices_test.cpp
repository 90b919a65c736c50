#include "editor/OperandDevices.h"

#include <gtest/gtest.h>

namespace kestrion {
namespace {

// "letter number [begin,end) group bit", or "none".
std::string read(const std::string& text) {
    const auto d = operandDevice(text);
    if (!d) return "none";
    return std::string(1, d->device.letter) + " " + std::to_string(d->device.number) + " [" +
           std::to_string(d->begin) + "," + std::to_string(d->end) + ") " + std::to_string(d->groupBits) +
           " " + std::to_string(d->bit);
}

TEST(OperandDevices, AnOperandTextNamesItsDevice) {
    const std::pair<std::string, std::string> cases[] = {
        {"X000", "X 0 [0,4) 0 -1"},
        {"X10", "X 10 [0,3) 0 -1"},
        {"Y177", "Y 177 [0,4) 0 -1"},
        {"D100", "D 100 [0,4) 0 -1"},
        {"D100.3", "D 100 [0,4) 0 3"},
        {"D8000.F", "D 8000 [0,5) 0 15"},
        {"D10Z1", "D 10 [0,3) 0 -1"},
        {"D10V", "D 10 [0,3) 0 -1"},
        {"K4M0", "M 0 [2,4) 16 -1"},
        {"K1X10", "X 10 [2,5) 4 -1"},
        {"K8S20Z3", "S 20 [2,5) 32 -1"},
        {"T0", "T 0 [0,2) 0 -1"},
        {"C235", "C 235 [0,4) 0 -1"},
        {"R32767", "R 32767 [0,6) 0 -1"},
        {"V1", "V 1 [0,2) 0 -1"},
        {"P10", "P 10 [0,3) 0 -1"},
        {"I001", "I 1 [0,4) 0 -1"},
        {"M0 ", "M 0 [0,2) 0 -1"},
        {" M7", "M 7 [1,3) 0 -1"},
        // No device: constants, buffer memory, octal digits 8 and 9, a bit of anything but D, too
        // many digits, a group of a word device or of size 9, a label with an index.
        {"K10", "none"},
        {"H1F", "none"},
        {"E1.5", "none"},
        {"U1\\G10", "none"},
        {"X8", "none"},
        {"X19", "none"},
        {"M0.1", "none"},
        {"D1.G", "none"},
        {"D1234567", "none"},
        {"K4D0", "none"},
        {"K9M0", "none"},
        {"P10Z1", "none"},
        {"", "none"},
        {"M", "none"},
        {"D10Q", "none"},
        {"D10Z12", "none"},
        {"ABCDEFGH", "none"},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(read(text), expected) << text;
}

TEST(OperandDevices, ATypedDeviceStandsAlone) {
    const std::pair<std::string, std::string> cases[] = {
        {"x10", "X10"}, {" d100 ", "D100"}, {"X010", "X10"},    {"t5", "T5"},
        {"p3", "P3"},   {"K4M0", "none"},   {"D100.3", "none"}, {"D10Z1", "none"},
        {"X8", "none"}, {"", "none"},       {"LD X0", "none"},
    };
    for (const auto& [text, expected] : cases) {
        const auto device = typedDevice(text);
        EXPECT_EQ(device ? device->text() : "none", expected) << text;
    }
}

// X and Y count in octal at any length; the other letters as written.
TEST(OperandDevices, IndexAndCommentKeyOfADevice) {
    struct Case {
        DeviceName device;
        std::uint32_t index;
        std::string key;
    };
    const Case cases[] = {
        {{'X', 0}, 0, "X000"},        {{'X', 7}, 7, "X007"},     {{'X', 17}, 15, "X017"},
        {{'Y', 100}, 64, "Y100"},     {{'X', 177}, 127, "X177"}, {{'X', 200}, 128, "X200"},
        {{'X', 7777}, 4095, "X7777"}, {{'M', 100}, 100, "M100"}, {{'D', 8000}, 8000, "D8000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.device.index(), c.index) << c.device.text();
        EXPECT_EQ(c.device.commentKey(), c.key);
        EXPECT_EQ(deviceAtIndex(c.device.letter, c.index), std::optional(c.device)) << c.device.text();
    }
    EXPECT_FALSE(deviceAtIndex('M', 1'000'000));
    EXPECT_FALSE(deviceAtIndex('X', 262144));  // 8^6: seven octal digits
    EXPECT_EQ(deviceAtIndex('X', 262143)->text(), "X777777");
}

TEST(OperandDevices, AGroupCoversItsBitsAndNoOthers) {
    const auto k4m0 = operandDevice("K4M0");
    const auto k2x10 = operandDevice("K2X10");
    const auto d100bit = operandDevice("D100.3");
    ASSERT_TRUE(k4m0 && k2x10 && d100bit);
    const std::tuple<const OperandDevice*, DeviceName, bool> cases[] = {
        {&*k4m0, {'M', 0}, true},       {&*k4m0, {'M', 15}, true},  {&*k4m0, {'M', 16}, false},
        {&*k4m0, {'S', 0}, false},      {&*k2x10, {'X', 10}, true}, {&*k2x10, {'X', 17}, true},
        {&*k2x10, {'X', 20}, false},    {&*k2x10, {'X', 7}, false}, {&*d100bit, {'D', 100}, true},
        {&*d100bit, {'D', 101}, false},
    };
    for (const auto& [operand, device, covered] : cases)
        EXPECT_EQ(operandCovers(*operand, device), covered) << device.text();
}

}  // namespace
}  // namespace kestrion
