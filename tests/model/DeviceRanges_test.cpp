#include "model/DeviceRanges.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "support/Fixture.h"

namespace kestrion {
namespace {

using platform::MsgButtons;
using platform::MsgIcon;

// text == nullptr: the number is valid and no box is shown.
struct RangeCase {
    std::int32_t plcType;
    std::int32_t number;
    const char* text;
    const char* caption;
};

class DeviceRangesTest : public test::CoreTest {
protected:
    void expectCases(std::int32_t (*check)(std::int32_t, std::int32_t), const std::vector<RangeCase>& cases) {
        for (const RangeCase& c : cases) {
            SCOPED_TRACE(::testing::Message() << "type " << c.plcType << ", number " << c.number);
            fakes.messages.shown.clear();
            const std::int32_t result = check(c.plcType, c.number);
            if (c.text == nullptr) {
                EXPECT_EQ(result, 0);
                EXPECT_TRUE(fakes.messages.shown.empty());
                continue;
            }
            EXPECT_EQ(result, 1);
            ASSERT_EQ(fakes.messages.shown.size(), 1u);
            EXPECT_EQ(fakes.messages.shown[0].text, c.text);
            EXPECT_EQ(fakes.messages.shown[0].caption, c.caption);
            EXPECT_EQ(fakes.messages.shown[0].icon, MsgIcon::Error);
            EXPECT_EQ(fakes.messages.shown[0].buttons, MsgButtons::Ok);
        }
    }
};

constexpr const char* kOk = nullptr;

TEST_F(DeviceRangesTest, XY) {
    // clang-format off
    expectCases(checkXYRange, {
        // which numbers types 1 and 6 take is the next test's; here the box of each type
        {1, 8, "*PLcTypeError-q3", "Error2015112870..."}, {6, 18, "*PLcTypeError-q1", "Error2015112870..."},
        // types 7, 5 and 4 as type 1
        {7, 177, kOk, ""}, {7, 178, "*PLcTypeError-q3", "Error2015112870..."},
        {5, 177, kOk, ""}, {5, 79, "*PLcTypeError-q3", "Error2015112870..."},
        {4, 177, kOk, ""}, {4, 178, "*PLcTypeError-q3", "Error2015112870..."},
        // type 2
        {2, 177, kOk, ""}, {2, 178, "*PLcTypeError-q5", "Error2015112870..."},
        {2, 9, "*PLcTypeError-q5", "Error2015112870..."},
        // other types
        {0, 0, "*PLcTypeError", "Error2015112870..."}, {3, 0, "*PLcTypeError", "Error2015112870..."},
        {8, 0, "*PLcTypeError", "Error2015112870..."},
    });
    // clang-format on
}

// Every number from -1 to 300 against the listed rejections.
TEST_F(DeviceRangesTest, XYRejectsExactlyTheNumbersWithDigitsEightAndNine) {
    std::vector<std::int32_t> rejected = {8,   9,   18,  19,  28,  29,  38,  39,  48,  49,
                                          58,  59,  68,  69,  108, 109, 118, 119, 128, 129,
                                          138, 139, 148, 149, 158, 159, 168, 169};
    for (std::int32_t n = 78; n <= 99; ++n) rejected.push_back(n);
    for (std::int32_t n = -1; n <= 300; ++n) {
        const bool expectRejected = n < 0 || n > 177 || std::count(rejected.begin(), rejected.end(), n) > 0;
        EXPECT_EQ(checkXYRange(1, n), expectRejected ? 1 : 0) << n;
        EXPECT_EQ(checkXYRange(6, n), n < 0 || n > 17 || n == 8 || n == 9 ? 1 : 0) << n;
    }
}

// R and U are valid on type 2 only.
TEST_F(DeviceRangesTest, EveryDeviceAcceptsItsRangeAndRefusesTheNumbersAroundIt) {
    using Check = std::int32_t (*)(std::int32_t, std::int32_t);
    // clang-format off
    const std::pair<Check, std::vector<RangeCase>> devices[] = {
        {checkMRange, {
        {1, -5, kOk, ""}, {1, 511, kOk, ""}, {1, 8000, kOk, ""}, {1, 8255, kOk, ""},
        {1, 512, "*mDeviceNoRange-q0", "Error2015112884..."}, {1, 7999, "*mDeviceNoRange-q0", "Error2015112884..."},
        {1, 8256, "*mDeviceNoRange-q0", "Error2015112884..."},
        {6, 1535, kOk, ""}, {6, 8255, kOk, ""},
        {6, 1536, "*mDeviceNoRange-q1", "Error2015112884..."}, {6, 8256, "*mDeviceNoRange-q1", "Error2015112884..."},
        {7, 1535, kOk, ""}, {7, 1536, "*mDeviceNoRange-q2", "Error2015112883..."},
        {5, 3071, kOk, ""}, {5, 3072, "*mDeviceNoRange-q3", "Error2015112882..."},
        {5, 8256, "*mDeviceNoRange-q3", "Error2015112882..."},
        {4, 3071, kOk, ""}, {4, 3072, "*mDeviceNoRange-q3", "Error2015112882..."},
        {2, 7679, kOk, ""}, {2, 8511, kOk, ""},
        {2, 7680, "*mDeviceNoRange-q5", "Error2015112881..."}, {2, 8512, "*mDeviceNoRange-q5", "Error2015112881..."},
        {3, 0, "PLcTypeError", "Error2015112880..."}, {0, 0, "PLcTypeError", "Error2015112880..."},
        }},
        {checkSRange, {
        {1, 127, kOk, ""}, {1, -1, kOk, ""}, {1, 128, "*sDeviceNoRange-q0", "Error2015112891..."},
        {6, 999, kOk, ""}, {6, 1000, "*sDeviceNoRange-q1", "Error2015112892..."},
        {7, 999, kOk, ""}, {7, 1000, "*sDeviceNoRange-q3", "Error2015112894..."},
        {5, 999, kOk, ""}, {5, 1000, "*sDeviceNoRange-q3", "Error2015112894..."},
        {4, 999, kOk, ""}, {4, 1000, "*sDeviceNoRange-q3", "Error2015112894..."},
        {2, 4095, kOk, ""}, {2, 4096, "*sDeviceNoRange-q5", "Error2015112893..."},
        {3, 0, "PLcTypeError", "Error2015112890..."},
        }},
        {checkTRange, {
        {1, 63, kOk, ""}, {1, 200, kOk, ""}, {1, 255, kOk, ""},
        {1, 64, "*tDeviceNoRange ", "Error2015112861..."}, {1, 100, "*tDeviceNoRange ", "Error2015112861..."},
        {1, 199, "*tDeviceNoRange ", "Error2015112861..."}, {1, 256, "*tDeviceNoRange ", "Error2015112861..."},
        {6, 255, kOk, ""}, {6, 256, "*tDeviceNoRange ", "Error2015112862..."},
        {7, 255, kOk, ""}, {7, 256, "*tDeviceNoRange ", "Error2015112864..."},
        {5, 255, kOk, ""}, {5, 256, "*tDeviceNoRange ", "Error2015112864..."},
        {4, 255, kOk, ""}, {4, 256, "*tDeviceNoRange ", "Error2015112864..."},
        {2, 511, kOk, ""}, {2, 512, "*tDeviceNoRange ", "Error2015112863..."},
        {9, 0, "PLcTypeError", "Error2015112860..."},
        }},
        {checkCRange, {
        {1, 31, kOk, ""}, {1, 235, kOk, ""}, {1, 255, kOk, ""},
        {1, 32, "*cDeviceNoRange ", "Error2015112851..."}, {1, 234, "*cDeviceNoRange ", "Error2015112851..."},
        {1, 256, "*cDeviceNoRange ", "Error2015112851..."},
        {6, 255, kOk, ""}, {6, 256, "*cDeviceNoRange ", "Error2015112852..."},
        {7, 255, kOk, ""}, {7, 256, "*cDeviceNoRange ", "Error2015112854..."},
        {5, 255, kOk, ""}, {5, 256, "*cDeviceNoRange ", "Error2015112854..."},
        {4, 255, kOk, ""}, {4, 256, "*cDeviceNoRange ", "Error2015112854..."},
        {2, 255, kOk, ""}, {2, 256, "*cDeviceNoRange ", "Error2015112853..."},
        {3, 0, "PLcTypeError", "Error2015112850..."},
        }},
        {checkDRange, {
        {1, 255, kOk, ""}, {1, 8000, kOk, ""}, {1, 8255, kOk, ""},
        {1, 256, "*dDeviceNoRange ", "Error2015112846..."}, {1, 8256, "*dDeviceNoRange ", "Error2015112846..."},
        {6, 3999, kOk, ""}, {6, 4000, "*dDeviceNoRange ", "Error2015112841..."},
        {7, 7999, kOk, ""}, {7, 8255, kOk, ""}, {7, 8256, "*dDeviceNoRange ", "Error2015112843..."},
        {5, 7999, kOk, ""}, {5, 8256, "*dDeviceNoRange ", "Error2015112844..."},
        {4, 999, kOk, ""}, {4, 1000, "*dDeviceNoRange ", "Error2015112845..."},
        {2, 8510, kOk, ""}, {2, 8511, "*dDeviceNoRange ", "Error2015112842..."},
        {3, 0, "PLcTypeError", "Error2015112840..."},
        }},
        {checkRRange, {
        {1, 0, "*dDeviceNoRange ", "Error2018112846..."}, {1, -1, "*dDeviceNoRange ", "Error2018112846..."},
        {6, 0, "*rDeviceNoRange ", "Error2018112841..."},
        {7, 0, "*rDeviceNoRange ", "Error2018112843..."},
        {5, 0, "*rDeviceNoRange ", "Error2018112844..."},
        {4, 0, "*rDeviceNoRange ", "Error2018112845..."},
        {2, 0, kOk, ""}, {2, 32767, kOk, ""}, {2, 32768, "*rDeviceNoRange ", "Error2018112842..."},
        {3, 0, "PLcTypeError", "Error2018112840..."},
        }},
        {checkURange, {
        {1, 0, "*uDeviceNoRange ", "Error2019112846..."},
        {6, 0, "*uDeviceNoRange ", "Error2019112841..."},
        {7, 0, "*uDeviceNoRange ", "Error2019112843..."},
        {5, 0, "*uDeviceNoRange ", "Error2019112844..."},
        {4, 0, "*uDeviceNoRange ", "Error2019112845..."},
        {2, 32767, kOk, ""}, {2, 32768, "*uDeviceNoRange ", "Error2019112842..."},
        {3, 0, "PLcTypeError", "Error2019112840..."},
        }},
        {checkVZRange, {
        {1, 0, kOk, ""}, {1, -1, kOk, ""}, {1, 1, "*dDeviceNoRange ", "Error2015112831..."},
        {6, 7, kOk, ""}, {6, 8, "*dDeviceNoRange ", "Error2015112833..."},
        {7, 7, kOk, ""}, {7, 8, "*dDeviceNoRange ", "Error2015112833..."},
        {5, 7, kOk, ""}, {5, 8, "*dDeviceNoRange ", "Error2015112833..."},
        {4, 7, kOk, ""}, {4, 8, "*dDeviceNoRange ", "Error2015112833..."},
        {2, 7, kOk, ""}, {2, 8, "*dDeviceNoRange ", "Error2015112832..."},
        {3, 0, "PLcTypeError", "Error2015112830..."},
        }},
        {checkNRange, {
        {1, 7, kOk, ""}, {1, 8, "*dDeviceNoRange ", "Error2015112821..."},
        {6, 7, kOk, ""}, {6, 8, "*dDeviceNoRange ", "Error2015112823..."},
        {7, 7, kOk, ""}, {7, 8, "*dDeviceNoRange ", "Error2015112823..."},
        {5, 7, kOk, ""}, {5, 8, "*dDeviceNoRange ", "Error2015112823..."},
        {4, 7, kOk, ""}, {4, 8, "*dDeviceNoRange ", "Error2015112823..."},
        {2, 7, kOk, ""}, {2, 8, "*dDeviceNoRange ", "Error2015112822..."},
        {3, 0, "PLcTypeError", "Error2015112820..."},
        }},
        {checkPRange, {
        {1, 63, kOk, ""}, {1, 64, "*pDeviceNoRange ", "Error2015112811..."},
        {6, 127, kOk, ""}, {6, 128, "*pDeviceNoRange ", "Error2015112812..."},
        {7, 127, kOk, ""}, {7, 128, "*pDeviceNoRange ", "Error2015112814..."},
        {5, 127, kOk, ""}, {5, 128, "*pDeviceNoRange ", "Error2015112814..."},
        {4, 127, kOk, ""}, {4, 128, "*pDeviceNoRange ", "Error2015112814..."},
        {2, 4095, kOk, ""}, {2, 4096, "*pDeviceNoRange ", "Error2015112813..."},
        {3, 0, "PLcTypeError", "Error2015112810..."},
        }},
        {checkIRange, {
        {1, 801, kOk, ""}, {1, 10, "*iDeviceNoRange ", "Error2015112801..."},
        {6, 701, kOk, ""}, {6, 10, "*iDeviceNoRange ", "Error2015112802..."},
        {7, 10, kOk, ""}, {7, 70, "*iDeviceNoRange ", "Error2015112804..."},
        {5, 801, kOk, ""}, {5, 800, "*iDeviceNoRange ", "Error2015112805..."},
        {5, 10, "*iDeviceNoRange ", "Error2015112805..."},
        {4, 60, kOk, ""}, {4, 800, "*iDeviceNoRange ", "Error2015112804..."},
        {2, 10, kOk, ""}, {2, 900, "*iDeviceNoRange ", "Error2015112803..."},
        {3, 0, "PLcTypeError", "Error2015112808..."},
        }},
    };
    // clang-format on
    for (const auto& [check, cases] : devices) expectCases(check, cases);
}

// Every number from -1 to 1000 against the two interrupt sets.
TEST_F(DeviceRangesTest, IAcceptsExactlyItsInterruptSet) {
    std::vector<std::int32_t> setA = {0,   1,   100, 101, 200, 201, 300, 301,
                                      400, 401, 500, 501, 600, 601, 700, 701};
    for (std::int32_t n = 801; n <= 899; ++n) setA.push_back(n);
    std::vector<std::int32_t> setB = setA;
    setB.insert(setB.end(), {10, 20, 30, 40, 50, 60});
    auto in = [](const std::vector<std::int32_t>& set, std::int32_t n) {
        return std::count(set.begin(), set.end(), n) > 0;
    };
    for (std::int32_t n = -1; n <= 1000; ++n) {
        for (std::int32_t type : {1, 6, 5})
            EXPECT_EQ(checkIRange(type, n), in(setA, n) ? 0 : 1) << type << ": " << n;
        for (std::int32_t type : {7, 4, 2})
            EXPECT_EQ(checkIRange(type, n), in(setB, n) ? 0 : 1) << type << ": " << n;
    }
}

// The inner side of every boundary of every device and type is accepted without a box (N7 on
// type 4 among them); the outer sides are in the tests above.
TEST_F(DeviceRangesTest, TheInnerSideOfEveryBoundaryIsAccepted) {
    using Check = std::int32_t (*)(std::int32_t, std::int32_t);
    struct Inner {
        const char* device;
        Check check;
        std::vector<std::int32_t> types;
        std::vector<std::int32_t> accepted;
    };
    // clang-format off
    const Inner cases[] = {
        {"XY", checkXYRange, {1, 7, 5, 4, 2}, {0, 7, 10, 77, 100, 177}}, {"XY", checkXYRange, {6}, {0, 7, 10, 17}},
        {"M", checkMRange, {1}, {0, 511, 8000, 8255}}, {"M", checkMRange, {6, 7}, {0, 1535, 8000, 8255}},
        {"M", checkMRange, {5, 4}, {0, 3071, 8000, 8255}}, {"M", checkMRange, {2}, {0, 7679, 8000, 8511}},
        {"S", checkSRange, {1}, {0, 127}}, {"S", checkSRange, {6, 7, 5, 4}, {0, 999}}, {"S", checkSRange, {2}, {0, 4095}},
        {"T", checkTRange, {1}, {0, 63, 200, 255}}, {"T", checkTRange, {6, 7, 5, 4}, {0, 255}},
        {"T", checkTRange, {2}, {0, 511}},
        {"C", checkCRange, {1}, {0, 31, 235, 255}}, {"C", checkCRange, {6, 7, 5, 4, 2}, {0, 255}},
        {"D", checkDRange, {1}, {0, 255, 8000, 8255}}, {"D", checkDRange, {6}, {0, 3999, 8000, 8255}},
        {"D", checkDRange, {7, 5}, {0, 7999, 8000, 8255}}, {"D", checkDRange, {4}, {0, 999, 8000, 8255}},
        {"D", checkDRange, {2}, {0, 7999, 8000, 8510}},
        {"R", checkRRange, {2}, {0, 32767}}, {"U", checkURange, {2}, {0, 32767}},
        {"VZ", checkVZRange, {1}, {0}}, {"VZ", checkVZRange, {6, 7, 5, 4, 2}, {0, 7}},
        {"N", checkNRange, {1, 6, 7, 5, 4, 2}, {0, 7}},
        {"P", checkPRange, {1}, {0, 63}}, {"P", checkPRange, {6, 7, 5, 4}, {0, 127}}, {"P", checkPRange, {2}, {0, 4095}},
    };
    // clang-format on
    for (const Inner& c : cases)
        for (std::int32_t type : c.types)
            for (std::int32_t number : c.accepted) {
                fakes.messages.shown.clear();
                EXPECT_EQ(c.check(type, number), 0) << c.device << number << " on type " << type;
                EXPECT_TRUE(fakes.messages.shown.empty()) << c.device << number << " on type " << type;
            }
}

// ---- Constants --------------------------------------------------------------------------------

struct ConstantCase {
    std::int32_t plcType;
    double value;
    std::int32_t max;
    std::int32_t min;
    std::vector<const char*> captions;  // the boxes in order; none when the value is valid
};

class ConstantRangesTest : public DeviceRangesTest {
protected:
    template <typename Check>
    void expectConstantCases(Check check, const char* text, const std::vector<ConstantCase>& cases) {
        for (const ConstantCase& c : cases) {
            SCOPED_TRACE(::testing::Message() << "type " << c.plcType << ", value " << c.value << " in ["
                                              << c.min << ", " << c.max << "]");
            fakes.messages.shown.clear();
            EXPECT_EQ(check(c), c.captions.empty() ? 0 : 1);
            ASSERT_EQ(fakes.messages.shown.size(), c.captions.size());
            for (std::size_t i = 0; i < c.captions.size(); ++i) {
                EXPECT_EQ(fakes.messages.shown[i].text, text);
                EXPECT_EQ(fakes.messages.shown[i].caption, c.captions[i]);
                EXPECT_EQ(fakes.messages.shown[i].icon, MsgIcon::Error);
            }
        }
    }
};

TEST_F(ConstantRangesTest, K) {
    std::vector<ConstantCase> cases;
    for (std::int32_t type : {1, 6, 7, 5, 4}) {
        cases.push_back({type, 0, 32767, -32768, {}});
        cases.push_back({type, 32767, 32767, -32768, {}});
        cases.push_back({type, -32768, 32767, -32768, {}});
        cases.push_back({type, 32768, 32767, -32768, {"Error2015112891..."}});
        cases.push_back({type, -32769, 32767, -32768, {"Error2015112892..."}});
    }
    cases.push_back({2, 10, 10, 1, {}});
    cases.push_back({2, 11, 10, 1, {"Error2015112893..."}});
    cases.push_back({2, 0, 10, 1, {"Error2015112894..."}});
    // Both bounds are tested, so limits the wrong way round give two boxes.
    cases.push_back({1, 5, 0, 10, {"Error2015112891...", "Error2015112892..."}});
    cases.push_back({2, 5, 0, 10, {"Error2015112893...", "Error2015112894..."}});
    // Any other type refuses every value.
    cases.push_back({3, 0, 10, -10, {"Error2015112895..."}});
    cases.push_back({0, 0, 10, -10, {"Error2015112895..."}});
    expectConstantCases(
        [](const ConstantCase& c) {
            return checkKRange(c.plcType, static_cast<std::int32_t>(c.value), c.max, c.min);
        },
        "*kDeviceNoRange ", cases);
}

TEST_F(ConstantRangesTest, DK) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    std::vector<ConstantCase> cases;
    for (std::int32_t type : {1, 6, 7, 5, 4}) {
        cases.push_back({type, 10.0, 10, 0, {}});
        cases.push_back({type, 0.0, 10, 0, {}});
        cases.push_back({type, 10.5, 10, 0, {"Error2015112896..."}});
        cases.push_back({type, -0.5, 10, 0, {"Error2015112897..."}});
    }
    cases.push_back({2, 2147483647.0, kMax, kMin, {}});
    cases.push_back({2, 2147483647.5, kMax, kMin, {"Error2015112898..."}});
    cases.push_back({2, -2147483648.5, kMax, kMin, {"Error2015112899..."}});
    cases.push_back({1, 5.0, 0, 10, {"Error2015112896...", "Error2015112897..."}});
    cases.push_back({4, 0.0, 10, -10, {}});
    cases.push_back({3, 0.0, 10, -10, {"Error2015112895..."}});
    // A value that is no number is refused rather than slipping past both comparisons.
    cases.push_back({1, std::nan(""), 10, 0, {"Error2015112896..."}});
    cases.push_back({2, std::nan(""), 10, 0, {"Error2015112898..."}});
    expectConstantCases([](const ConstantCase& c) { return checkDKRange(c.plcType, c.value, c.max, c.min); },
                        "*dkDeviceNoRange ", cases);
}

}  // namespace
}  // namespace kestrion
