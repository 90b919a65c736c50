#include "model/instructions/DeviceRanges.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "support/Fixture.h"
#include "support/ShownBoxes.h"

namespace kestrion {
namespace {

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
            fakes.messages.shown.clear();
            EXPECT_EQ(check(c.plcType, c.number), c.text == nullptr ? 0 : 1);
            const std::string box =
                c.text == nullptr ? "" : std::string(c.text) + " | " + c.caption + " | error";
            EXPECT_EQ(test::shownBoxes(fakes.messages), c.text == nullptr ? test::Boxes{} : test::Boxes{box});
        }
    }
};

constexpr const char* kOk = nullptr;

TEST_F(DeviceRangesTest, XY) {
    // clang-format off
    expectCases(checkXYRange, {
        {1, 8, "*PLcTypeError-q3", "Error2015112870..."}, {6, 18, "*PLcTypeError-q1", "Error2015112870..."},
        {7, 177, kOk, ""}, {5, 79, "*PLcTypeError-q3", "Error2015112870..."}, {4, 178, "*PLcTypeError-q3", "Error2015112870..."},
        {2, 177, kOk, ""}, {2, 178, "*PLcTypeError-q5", "Error2015112870..."}, {2, 9, "*PLcTypeError-q5", "Error2015112870..."},
        {0, 0, "*PLcTypeError", "Error2015112870..."}, {8, 0, "*PLcTypeError", "Error2015112870..."},
    });
    // clang-format on
}

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

TEST_F(DeviceRangesTest, EveryDeviceAcceptsItsRangeAndRefusesTheNumbersAroundIt) {
    using Check = std::int32_t (*)(std::int32_t, std::int32_t);
    // clang-format off
    const std::pair<Check, std::vector<RangeCase>> devices[] = {
        {checkMRange, {
        {1, -5, kOk, ""}, {1, 511, kOk, ""}, {1, 8000, kOk, ""}, {1, 8255, kOk, ""},
        {1, 512, "*mDeviceNoRange-q0", "Error2015112884..."}, {1, 7999, "*mDeviceNoRange-q0", "Error2015112884..."},
        {1, 8256, "*mDeviceNoRange-q0", "Error2015112884..."},
        {6, 1535, kOk, ""}, {6, 8255, kOk, ""}, {6, 1536, "*mDeviceNoRange-q1", "Error2015112884..."},
        {7, 1535, kOk, ""}, {7, 1536, "*mDeviceNoRange-q2", "Error2015112883..."},
        {5, 3071, kOk, ""}, {5, 3072, "*mDeviceNoRange-q3", "Error2015112882..."}, {4, 8256, "*mDeviceNoRange-q3", "Error2015112882..."},
        {2, 7679, kOk, ""}, {2, 8511, kOk, ""}, {2, 7680, "*mDeviceNoRange-q5", "Error2015112881..."},
        {2, 8512, "*mDeviceNoRange-q5", "Error2015112881..."}, {3, 0, "PLcTypeError", "Error2015112880..."},
        }},
        {checkSRange, {
        {1, 127, kOk, ""}, {1, -1, kOk, ""}, {1, 128, "*sDeviceNoRange-q0", "Error2015112891..."},
        {7, 999, kOk, ""}, {7, 1000, "*sDeviceNoRange-q3", "Error2015112894..."},
        {2, 4095, kOk, ""}, {2, 4096, "*sDeviceNoRange-q5", "Error2015112893..."}, {3, 0, "PLcTypeError", "Error2015112890..."},
        }},
        {checkTRange, {
        {1, 63, kOk, ""}, {1, 200, kOk, ""}, {1, 255, kOk, ""}, {1, 64, "*tDeviceNoRange ", "Error2015112861..."},
        {1, 199, "*tDeviceNoRange ", "Error2015112861..."}, {1, 256, "*tDeviceNoRange ", "Error2015112861..."},
        {2, 511, kOk, ""}, {2, 512, "*tDeviceNoRange ", "Error2015112863..."}, {9, 0, "PLcTypeError", "Error2015112860..."},
        }},
        {checkCRange, {
        {1, 31, kOk, ""}, {1, 235, kOk, ""}, {1, 255, kOk, ""}, {1, 32, "*cDeviceNoRange ", "Error2015112851..."},
        {1, 234, "*cDeviceNoRange ", "Error2015112851..."}, {1, 256, "*cDeviceNoRange ", "Error2015112851..."},
        {7, 255, kOk, ""}, {7, 256, "*cDeviceNoRange ", "Error2015112854..."},
        {2, 255, kOk, ""}, {2, 256, "*cDeviceNoRange ", "Error2015112853..."}, {3, 0, "PLcTypeError", "Error2015112850..."},
        }},
        {checkDRange, {
        {1, 255, kOk, ""}, {1, 8000, kOk, ""}, {1, 8255, kOk, ""},
        {1, 256, "*dDeviceNoRange ", "Error2015112846..."}, {1, 8256, "*dDeviceNoRange ", "Error2015112846..."},
        {6, 3999, kOk, ""}, {6, 4000, "*dDeviceNoRange ", "Error2015112841..."},
        {7, 7999, kOk, ""}, {7, 8255, kOk, ""}, {7, 8256, "*dDeviceNoRange ", "Error2015112843..."},
        {5, 7999, kOk, ""}, {5, 8256, "*dDeviceNoRange ", "Error2015112844..."},
        {4, 999, kOk, ""}, {4, 1000, "*dDeviceNoRange ", "Error2015112845..."},
        {2, 8510, kOk, ""}, {2, 8511, "*dDeviceNoRange ", "Error2015112842..."}, {3, 0, "PLcTypeError", "Error2015112840..."},
        }},
        {checkRRange, {
        {1, 0, "*dDeviceNoRange ", "Error2018112846..."}, {6, 0, "*rDeviceNoRange ", "Error2018112841..."},
        {4, 0, "*rDeviceNoRange ", "Error2018112845..."}, {2, 0, kOk, ""}, {2, 32767, kOk, ""},
        {2, 32768, "*rDeviceNoRange ", "Error2018112842..."}, {3, 0, "PLcTypeError", "Error2018112840..."},
        }},
        {checkURange, {
        {1, 0, "*uDeviceNoRange ", "Error2019112846..."}, {5, 0, "*uDeviceNoRange ", "Error2019112844..."},
        {2, 32767, kOk, ""}, {2, 32768, "*uDeviceNoRange ", "Error2019112842..."}, {3, 0, "PLcTypeError", "Error2019112840..."},
        }},
        {checkVZRange, {
        {1, 0, kOk, ""}, {1, -1, kOk, ""}, {1, 1, "*dDeviceNoRange ", "Error2015112831..."},
        {6, 7, kOk, ""}, {4, 8, "*dDeviceNoRange ", "Error2015112833..."},
        {2, 7, kOk, ""}, {2, 8, "*dDeviceNoRange ", "Error2015112832..."}, {3, 0, "PLcTypeError", "Error2015112830..."},
        }},
        {checkNRange, {
        {1, 7, kOk, ""}, {1, 8, "*dDeviceNoRange ", "Error2015112821..."}, {4, 7, kOk, ""},
        {6, 8, "*dDeviceNoRange ", "Error2015112823..."}, {2, 7, kOk, ""}, {2, 8, "*dDeviceNoRange ", "Error2015112822..."},
        {3, 0, "PLcTypeError", "Error2015112820..."},
        }},
        {checkPRange, {
        {1, 63, kOk, ""}, {1, 64, "*pDeviceNoRange ", "Error2015112811..."},
        {7, 127, kOk, ""}, {7, 128, "*pDeviceNoRange ", "Error2015112814..."},
        {2, 4095, kOk, ""}, {2, 4096, "*pDeviceNoRange ", "Error2015112813..."}, {3, 0, "PLcTypeError", "Error2015112810..."},
        }},
        {checkIRange, {
        {1, 801, kOk, ""}, {1, 10, "*iDeviceNoRange ", "Error2015112801..."},
        {6, 701, kOk, ""}, {6, 10, "*iDeviceNoRange ", "Error2015112802..."},
        {7, 10, kOk, ""}, {7, 70, "*iDeviceNoRange ", "Error2015112804..."},
        {4, 60, kOk, ""}, {4, 800, "*iDeviceNoRange ", "Error2015112804..."},
        {2, 10, kOk, ""}, {2, 900, "*iDeviceNoRange ", "Error2015112803..."}, {3, 0, "PLcTypeError", "Error2015112808..."},
        }},
    };
    // clang-format on
    for (const auto& [check, cases] : devices) expectCases(check, cases);
}

struct ConstantCase {
    std::int32_t plcType;
    double value;
    std::int32_t max, min;
    std::vector<const char*> captions;  // the boxes in order; none when the value is valid
};

class ConstantRangesTest : public DeviceRangesTest {
protected:
    template <typename Check>
    void expectConstantCases(Check check, const char* text, const std::vector<ConstantCase>& cases) {
        for (const ConstantCase& c : cases) {
            fakes.messages.shown.clear();
            EXPECT_EQ(check(c), c.captions.empty() ? 0 : 1) << c.plcType << " " << c.value;
            test::Boxes expected;
            for (const char* caption : c.captions)
                expected.push_back(std::string(text) + " | " + caption + " | error");
            EXPECT_EQ(test::shownBoxes(fakes.messages), expected) << c.plcType << " " << c.value;
        }
    }
};

TEST_F(ConstantRangesTest, K) {
    const auto k = [](const ConstantCase& c) {
        return checkKRange(c.plcType, static_cast<std::int32_t>(c.value), c.max, c.min);
    };
    // clang-format off
    expectConstantCases(k, "*kDeviceNoRange ", {
        {1, 32767, 32767, -32768, {}}, {4, -32768, 32767, -32768, {}}, {6, 32768, 32767, -32768, {"Error2015112891..."}},
        {7, -32769, 32767, -32768, {"Error2015112892..."}}, {2, 10, 10, 1, {}}, {2, 11, 10, 1, {"Error2015112893..."}},
        {2, 0, 10, 1, {"Error2015112894..."}}, {3, 0, 10, -10, {"Error2015112895..."}},  // other types refuse all
        {1, 5, 0, 10, {"Error2015112891...", "Error2015112892..."}}, {2, 5, 0, 10, {"Error2015112893...", "Error2015112894..."}},
    });
    // clang-format on
}

TEST_F(ConstantRangesTest, DK) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    const auto dk = [](const ConstantCase& c) { return checkDKRange(c.plcType, c.value, c.max, c.min); };
    // clang-format off
    expectConstantCases(dk, "*dkDeviceNoRange ", {
        {1, 10.0, 10, 0, {}}, {4, 0.0, 10, 0, {}}, {6, 10.5, 10, 0, {"Error2015112896..."}}, {5, -0.5, 10, 0, {"Error2015112897..."}},
        {2, 2147483647.0, kMax, kMin, {}}, {2, 2147483647.5, kMax, kMin, {"Error2015112898..."}},
        {2, -2147483648.5, kMax, kMin, {"Error2015112899..."}}, {1, 5.0, 0, 10, {"Error2015112896...", "Error2015112897..."}},
        {3, 0.0, 10, -10, {"Error2015112895..."}},
        {1, std::nan(""), 10, 0, {"Error2015112896..."}}, {2, std::nan(""), 10, 0, {"Error2015112898..."}},
    });
    // clang-format on
}

// Each device letter has its own check (X and Y one, V and Z one); a letter that names no device
// has none, lower case included.
TEST_F(DeviceRangesTest, EveryDeviceLetterFindsItsCheck) {
    const std::pair<char, DeviceRangeCheck> letters[] = {
        {'X', checkXYRange}, {'Y', checkXYRange}, {'M', checkMRange}, {'S', checkSRange},
        {'T', checkTRange},  {'C', checkCRange},  {'D', checkDRange}, {'R', checkRRange},
        {'V', checkVZRange}, {'Z', checkVZRange}, {'N', checkNRange}, {'P', checkPRange},
        {'I', checkIRange}};
    for (const auto& [letter, check] : letters) EXPECT_EQ(deviceRangeCheckOf(letter), check) << letter;
    for (char other : {'K', 'H', 'E', 'U', 'x', 'd', '0', ' ', '\0'})
        EXPECT_EQ(deviceRangeCheckOf(other), nullptr) << int(other);
}

}  // namespace
}  // namespace kestrion
