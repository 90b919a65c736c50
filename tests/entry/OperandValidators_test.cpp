#include "entry/OperandValidators.h"

#include <functional>
#include <string>
#include <vector>

#include "entry/EntryState.h"
#include "model/image/ProgramImage.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

using platform::Memo;
using platform::MsgIcon;

struct Case {
    std::string text;
    int expected;
    const char* box = nullptr;
    const char* caption = nullptr;
};

class ValidatorTest : public test::CoreTest {
protected:
    void setUp(std::uint16_t type, bool doubleWord = false) {
        pmw.setPlcType(type);
        editInstrFlags = doubleWord ? kInstrDoubleWord : 0;
    }
    void expectCases(const std::function<int(std::string_view)>& validator, const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            fakes.messages.shown.clear();
            EXPECT_EQ(validator(c.text), c.expected);
            if (c.box == nullptr) {
                EXPECT_TRUE(fakes.messages.shown.empty());
                continue;
            }
            ASSERT_EQ(fakes.messages.shown.size(), 1u);
            EXPECT_EQ(fakes.messages.shown[0].text, c.box);
            EXPECT_EQ(fakes.messages.shown[0].caption, c.caption);
        }
    }
    std::function<int(std::string_view)> word(int mode) {
        return [mode](std::string_view t) { return isErrorWordOperand(mode, t); };
    }
    std::function<int(std::string_view)> bit(int mode) {
        return [mode](std::string_view t) { return isErrorBitOperand(mode, t); };
    }
};

constexpr const char* kK = "*kDeviceNoRange ";
constexpr const char* kDK = "*dkDeviceNoRange ";

// clang-format off
TEST_F(ValidatorTest, DecimalConstants) {
    setUp(5);
    expectCases(word(0), {{"K", 1}, {"K ", 1}, {"K32767", 0}, {"K-32768", 0}, {"K0", 0}, {"K10Z7", 0},
                          {"K32768", 1, kK, "Error2015112891..."}, {"K-32769", 1, kK, "Error2015112892..."},
                          {"K99999999999", 1}, {"K-", 1}, {"K1-", 1}, {"K12A", 1}});
    setUp(2);
    expectCases(word(3), {{"K32768", 1, kK, "Error2015112893..."}, {"K-32769", 1, kK, "Error2015112894..."},
                          {"K1Z0", 1}, {"K12", 0}});  // a digit or the end after the first digit
    setUp(5, true);
    expectCases(word(0), {{"K2147483647", 0}, {"K-2147483648", 0}, {"K32768", 0},
                          {"K2147483648", 1, kDK, "Error2015112896..."},
                          {"K-2147483649", 1, kDK, "Error2015112897..."}});
    setUp(2, true);
    expectCases(word(3), {{"K2147483648", 1, kDK, "Error2015112898..."}});
}

TEST_F(ValidatorTest, HexConstants) {
    setUp(5);
    expectCases(word(0), {{"H7FFF", 0}, {"H8000", 0}, {"HFFFF", 0}, {"H10000", 0}, {"H0", 0}, {"H10V", 0},
                          {"H1FFFF", 1, kK, "Error2015112891..."}, {"H123456", 1}, {"H", 1}, {"HV", 1}, {"HZ1", 1}, {"H1G", 1}});
    expectCases([](std::string_view t) { return isErrorConstOperand(t, 32767, -32768); },
                {{"H8000", 1, kK, "Error2015112891..."}, {"H7FFF", 0}});
    setUp(5, true);  // up to nine digits, no folding
    expectCases(word(3), {{"H123456", 0}, {"H7FFFFFFF", 0}, {"HFFFFFFFF", 0}, {"H000000001", 0},
                          {"H1234567890", 1}, {"H123456789", 1}});
}

TEST_F(ValidatorTest, DigitGroupsByMode) {
    setUp(5);
    const std::pair<std::string, const char*> cases[] = {
        {"K4Y0", "0001"}, {"K4X0", "0101"}, {"K2M100", "0001"}, {"K1S10", "0001"}, {"K5Y0", "1111"},
        {"K0Y0", "1111"}, {"K9Y0", "1111"}, {"K4Y", "1111"},     {"K4Y ", "1111"}, {"K4T0", "1111"},
        {"K4Y0V2", "0001"}, {"K4Y0V9", "1111"}, {"K10", "0110"},  {"K4YA", "1111"},
    };
    for (const auto& [text, byMode] : cases) {
        for (int mode = 0; mode <= 3; ++mode) {
            EXPECT_EQ(isErrorWordOperand(mode, text), byMode[mode] - '0');
        }
    }
    expectCases(word(1), {{"K4Y8", 1, "*PLcTypeError-q3", "Error2015112870..."}});
    setUp(5, true);
    expectCases(word(1), {{"K5Y0", 0}, {"K8M0", 0}, {"K9M0", 1}});
}

TEST_F(ValidatorTest, IndexSuffix) {
    setUp(5);
    expectCases(word(0), {{"D100V3", 0}, {"D100Z7", 0}, {"K10Z7", 0}, {"D100V8", 1}, {"D100V12", 1},
                          {std::string("D100V\0", 6), 0}, {"D100V", 0}, {"D100V ", 1}, {"D100V3X", 1}});
    EXPECT_EQ(checkIndexSuffix(1, "D1V3", 2), 1);
    EXPECT_EQ(checkIndexSuffix(0, "D1V3", 2), 0);
    EXPECT_EQ(checkIndexSuffix(0, "D1X3", 2), 0);
    EXPECT_EQ(checkIndexSuffix(0, "D1Z/", 2), 1);
}

TEST_F(ValidatorTest, IndexRegistersAndBufferMemory) {
    setUp(2);
    expectCases(word(0), {{"V", 0}, {"Z", 0}, {"V7", 0}, {"V3V1", 1}, {"U1\\G100", 0}, {"U7\\G32767", 0},
                          {"U1\\G100Z3", 0},
                          {"U8\\G100", 1}, {"U1G100", 1}, {"U1\\H100", 1}, {"U1\\G", 1},
                          {"U1\\G32768", 1, "*uDeviceNoRange ", "Error2019112842..."},
                          {"V8", 1, "*dDeviceNoRange ", "Error2015112832..."}});
    expectCases(word(5), {{"V3Z1", 0}, {"V", 0}});
    expectCases(word(2), {{"U1\\G100", 1}});
    setUp(5);
    expectCases(word(1), {{"U1\\G100", 1, "*uDeviceNoRange ", "Error2019112844..."}});
    setUp(1);
    expectCases(word(7), {{"V", 0}, {"V1", 1, "*dDeviceNoRange ", "Error2015112831..."}});
}

TEST_F(ValidatorTest, LettersTakenByEachWordMode) {
    setUp(2);
    const std::vector<std::string> operands = {"K10", "K4X0", "H10", "T1", "C1", "D1", "R1", "U0\\G1",
                                               "V1",  "X1",   "Y1",  "M1", "S1", "P1", "N1", "E1"};
    const char* kAccepted[] = {
        "0000000001111111",  // mode 0
        "1110000001111111",  // mode 1: every K is a Y, M or S group
        "1010000101111111",  // mode 2: no constant, no U
        "0101100111111111",  // mode 3
        "1111111111111111",  // mode 4
        "1110000100000111",  // mode 5
        "1111111110000111",  // mode 6
        "1110000101111111",  // mode 7
        "1111111111111011",  // mode 8
        "1111100111111111",  // mode 9
    };
    for (int mode = 0; mode <= 9; ++mode) {
        for (std::size_t i = 0; i < operands.size(); ++i) {
            EXPECT_EQ(isErrorWordOperand(mode, operands[i]), kAccepted[mode][i] - '0');
        }
    }
    EXPECT_EQ(isErrorWordOperand(11, "D0"), 1);
    EXPECT_EQ(isErrorWordOperand(-1, "D0"), 1);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(ValidatorTest, EightCharacterTextAndFloatConstants) {
    setUp(5);
    expectCases(word(10), {{"ABCDEFGH", 0}, {"AB CD EF", 0}, {"ABCDEFG", 1}, {"ABCDEFGHI", 1}, {"", 1}});
    expectCases(isErrorFloatOperand, {{"E", 1}, {"E ", 1}, {"E1.5", 0}, {"E-3", 0}, {"K1", 1}});
}

TEST_F(ValidatorTest, BitOperands) {
    setUp(5);
    expectCases(bit(0), {{"D100.F", 0}, {"D100.9", 0}, {"D100", 1}, {"D100.G", 1}, {"D100.", 1}, {"D.1", 1}, {"D1.1x", 1},
                         {"X1A", 1}, {"X", 1}, {"X0", 0}, {"X0000001", 0}, {"X0000001X", 1}, {"X00000537", 1}, {"T0", 0}, {"X8", 1, "*PLcTypeError-q3", "Error2015112870..."},
                         {"D8000.1", 0}, {"D9000.1", 1, "*dDeviceNoRange ", "Error2015112844..."}, {"R0", 1}});
    expectCases(bit(3), {{"V", 1}, {"V1", 0}, {"Z0", 0}, {"D100", 0}, {"R0", 1, "*rDeviceNoRange ", "Error2018112844..."}});
    expectCases(bit(1), {{"X0", 1}, {"Y0", 0}, {"D1.A", 0}});
    expectCases(bit(2), {{"T0", 1}, {"S0", 0}, {"D1.1", 0}});
    expectCases(bit(4), {{"Y0", 0}, {"M0", 0}, {"S0", 1}, {"D0.1", 1}});
    expectCases(bit(6), {{"N7", 0}, {"N8", 1, "*dDeviceNoRange ", "Error2015112823..."}, {"M0", 1}});
    expectCases(bit(9), {{"S10", 0}, {"X0", 1}});
    for (int mode : {5, 7, 8, 10}) EXPECT_EQ(isErrorBitOperand(mode, "M0"), 1);
}

TEST_F(ValidatorTest, ConstantsWithLimits) {
    setUp(5);
    const auto k0to16 = [](std::string_view t) { return isErrorConstOperand(t, 16, 0); };
    expectCases(k0to16, {{"K16", 0}, {"K0", 0}, {"H10", 0}, {"K5Z1", 0}, {"K0000016X", 0}, {"K17", 1, kK, "Error2015112891..."},
                         {"H11", 1, kK, "Error2015112891..."}, {"K-1", 1}, {"K", 1}, {"KV", 1}, {"D5", 1}});
    const auto k2to256 = [](std::string_view t) { return isErrorConstOperand(t, 256, 2); };
    expectCases(k2to256, {{"K2", 0}, {"K1", 1, kK, "Error2015112892..."}});
    const auto kd1to64 = [](std::string_view t) { return isErrorConstOrRegOperand(t, 64, 1); };
    expectCases(kd1to64, {{"K64", 0}, {"D10", 0}, {"D10V1", 1}, {"D", 1}, {"H40", 0}, {"H012345", 1},
                          {"K65", 1, kK, "Error2015112891..."}, {"R1", 1, "*rDeviceNoRange ", "Error2018112844..."}});
    setUp(2, true);
    expectCases(kd1to64, {{"H000040", 0}, {"R1", 0}});
}


TEST_F(ValidatorTest, OutputCoilTraceLines) {
    struct OutCase {
        std::uint16_t type;
        std::string device;
        std::string setValue;
        std::vector<std::string> traceIds;  // empty: accepted unless refused is set
        bool refused = false;
    };
    const std::vector<OutCase> cases = {
        {5, "Y0", "", {}}, {5, "Y", "", {"Error2015022885-1"}}, {5, "Y1A", "", {"Error2015022885-2"}},
        {5, "Y8", "", {"Error2015022885-3"}}, {5, "M3072", "", {"Error2015022885-4"}},
        {5, "S1000", "", {"Error2015022885-5"}},
        {5, "T0", "K0", {}}, {5, "T0", "K32767", {}}, {5, "T0", "", {"Error2015022886-3"}},
        {5, "T1A", "K1", {"Error2015022886-1"}}, {5, "T256", "K1", {"Error2015022886-2"}},
        {5, "T0", "K1A2", {"Error2015022886-4"}}, {5, "T0", "K-1", {"Error2015022886-4"}},
        {5, "T0", "K32768", {"Error2015022886-5"}}, {5, "T0", "D7999", {}}, {5, "T0", "D9000", {"Error2015022886-7"}},
        {5, "T0", "R10", {"Error2015022886-8"}}, {2, "T0", "R10", {}}, {5, "T0", "X10", {"Error2015022886-8"}},
        {5, "T", "K1", {}, true},
        {5, "C0", "K-1", {"Error2015022887-5"}}, {5, "C199", "K32767", {}}, {5, "C0", "K32768", {"Error2015022887-6"}},
        {5, "C200", "K-1", {}}, {5, "C200", "K-2147483648", {}}, {5, "C200", "K2147483648", {"Error2015022887-7"}},
        {5, "C0", "K", {}, true}, {5, "C", "K1", {"Error2015022887-1"}}, {5, "CX", "K1", {"Error2015022887-2"}},
        {5, "C256", "K1", {"Error2015022887-3"}}, {5, "C0", "K1A", {"Error2015022887-4"}}, {5, "C0", "D5", {}},
        {5, "C0", "D-5", {"Error2015022887-8"}}, {5, "C0", "R5", {"Error2015022887-9"}}, {2, "C0", "R5", {}},
        {5, "C0", "X5", {"Error2015022887-9"}},
        {5, "D", "", {"Error2015022888-1"}}, {5, "D100.F", "", {}}, {5, "D1X", "", {}, true},
        // what Convert could not write: a register without its bit, a bit of two digits, a set value
        // longer than the field the box reads
        {5, "D100", "", {}, true}, {5, "D100.15", "", {}, true}, {5, "C100", "K000000000000p", {"Error2015022887-4"}},
        {5, "X0", "", {"Error2015022889"}},
    };
    fakes.trace.setVisible(Memo::Debug6, true);
    for (const OutCase& c : cases) {
        pmw.setPlcType(c.type);
        fakes.trace.clear(Memo::Debug6);
        const bool refused = c.refused || !c.traceIds.empty();
        EXPECT_EQ(isErrorOutOpCode(c.device, c.setValue), refused ? 1 : 0);
        std::vector<std::string> expected;
        for (const std::string& id : c.traceIds) expected.push_back(id + ", *isErrorOutOpCode(");
        EXPECT_EQ(fakes.trace.lines(Memo::Debug6), expected);
    }
}

TEST_F(ValidatorTest, WordBitKinds) {
    setUp(5);
    const auto kind = [](std::string_view t) {
        std::int32_t stored = -1;
        const std::int32_t result = getBitOperandKind(t, stored);
        return result == stored ? result : -1;
    };
    const char* over = "Msg2019032060-8";
    const char* caption = "Dm.n OverRange";
    expectCases(kind, {{"D7999.7", 5}, {"D100.F", 5}, {"D100", 5}, {"D0.15", 5}, {"X0", 0}, {"T0", 0},
                       {"D7999.8", 0, over, caption}, {"D8000.0", 0, over, caption}, {"D7999.A", 0, over, caption},
                       {"D100.16", 0, over, caption}});
    EXPECT_EQ(fakes.messages.shown[0].icon, MsgIcon::Error);
}

TEST_F(ValidatorTest, ExtendedRelayKindsFollowTheDeviceMapOnEveryType) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"M1535", 0}, {"M1536", 1}, {"M3583", 1}, {"M3584", 2}, {"M7679", 2}, {"M7680", 0}, {"M8255", 0},
        {"M8256", 3}, {"M8511", 3}, {"M8512", 0}, {"S1023", 0}, {"S1024", 4}, {"S4095", 4},
    };
    for (const std::uint16_t type : std::initializer_list<std::uint16_t>{1, 2, 4, 5, 6, 7}) {
        pmw.setPlcType(type);
        for (const auto& [text, expected] : cases) {
            std::int32_t stored = -1;
            EXPECT_EQ(getBitOperandKind(text, stored), expected) << text << " on type " << type;
            EXPECT_EQ(stored, expected);
        }
    }
}

TEST_F(ValidatorTest, Labels) {
    setUp(2);
    expectCases(isErrorPointerLabel, {{"P0", 0}, {"P4095", 0}, {"P", 1}, {"P1A", 1}, {"P0000001", 0},
                                      {"P00000001", 1}, {"I0", 1}, {"P4096", 1, "*pDeviceNoRange ", "Error2015112813..."}});
    expectCases(isErrorInterruptLabel, {{"I10", 0}, {"I", 1}, {"I801", 0}, {"P10", 1}});
    expectCases(getPointerLabelKind, {{"P255", 0}, {"P256", 1}, {"P4095", 1}, {"P", 0}, {"P25X", 0}});
    setUp(5);
    expectCases(getPointerLabelKind, {{"P100", 0}, {"P256", 0, "*pDeviceNoRange ", "Error2015112814..."}});
    expectCases(isErrorPointerLabel, {{"P127", 0}, {"P256", 1, "*pDeviceNoRange ", "Error2015112814..."}});
    setUp(1);
    expectCases(isErrorInterruptLabel, {{"I10", 1, "*iDeviceNoRange ", "Error2015112801..."}, {"I100", 0}});
}

// clang-format on

}  // namespace
}  // namespace kestrion
