#include "model/instructions/DeviceRanges.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

// An inclusive range of valid numbers. Where a row gives no lower bound none is tested, so a
// negative number passes; X and Y numbers start at 0.
struct Span {
    std::int32_t low;
    std::int32_t high;
};

constexpr std::int32_t kNoLowerBound = std::numeric_limits<std::int32_t>::min();

// clang-format off
constexpr Span upTo(std::int32_t high) { return {kNoLowerBound, high}; }
constexpr Span below(std::int32_t limit) { return {kNoLowerBound, limit - 1}; }
constexpr Span span(std::int32_t low, std::int32_t high) { return {low, high}; }
constexpr Span only(std::int32_t number) { return {number, number}; }
// clang-format on

struct TypeRow {
    std::int32_t plcType;
    std::vector<Span> valid;
    const char* text;
    const char* caption;
};

struct DeviceCheck {
    std::vector<TypeRow> types;  // one row per PLC type
    const char* otherText;       // shown for any other type code
    const char* otherCaption;
    bool octalWritten = false;  // numbers with a digit 8 or 9 are invalid
};

std::vector<Span> interruptSetA() {
    return {span(0, 1),     span(100, 101), span(200, 201), span(300, 301), span(400, 401),
            span(500, 501), span(600, 601), span(700, 701), span(801, 899)};
}

std::vector<Span> interruptSetB() {
    std::vector<Span> set = interruptSetA();
    for (std::int32_t number : {10, 20, 30, 40, 50, 60}) set.push_back(only(number));
    return set;
}

const std::vector<Span> kNoneValid;

// clang-format off
// ---- The tables: one row per PLC type in the order 1, 6, 7, 5, 4, 2 ---------------------------

const DeviceCheck kXYCheck = {
    {
        {1, {span(0, 177)}, "*PLcTypeError-q3", "Error2015112870..."},
        {6, {span(0, 17)}, "*PLcTypeError-q1", "Error2015112870..."},
        {7, {span(0, 177)}, "*PLcTypeError-q3", "Error2015112870..."},
        {5, {span(0, 177)}, "*PLcTypeError-q3", "Error2015112870..."},
        {4, {span(0, 177)}, "*PLcTypeError-q3", "Error2015112870..."},
        {2, {span(0, 177)}, "*PLcTypeError-q5", "Error2015112870..."},
    },
    "*PLcTypeError",
    "Error2015112870...",
    true,
};

const DeviceCheck kMCheck = {
    {
        {1, {below(512), span(8000, 8255)}, "*mDeviceNoRange-q0", "Error2015112884..."},
        {6, {below(1536), span(8000, 8255)}, "*mDeviceNoRange-q1", "Error2015112884..."},
        {7, {below(1536), span(8000, 8255)}, "*mDeviceNoRange-q2", "Error2015112883..."},
        {5, {below(3072), span(8000, 8255)}, "*mDeviceNoRange-q3", "Error2015112882..."},
        {4, {below(3072), span(8000, 8255)}, "*mDeviceNoRange-q3", "Error2015112882..."},
        {2, {below(7680), span(8000, 8511)}, "*mDeviceNoRange-q5", "Error2015112881..."},
    },
    "PLcTypeError",
    "Error2015112880...",
};

const DeviceCheck kSCheck = {
    {
        {1, {below(128)}, "*sDeviceNoRange-q0", "Error2015112891..."},
        {6, {upTo(999)}, "*sDeviceNoRange-q1", "Error2015112892..."},
        {7, {upTo(999)}, "*sDeviceNoRange-q3", "Error2015112894..."},
        {5, {upTo(999)}, "*sDeviceNoRange-q3", "Error2015112894..."},
        {4, {upTo(999)}, "*sDeviceNoRange-q3", "Error2015112894..."},
        {2, {upTo(4095)}, "*sDeviceNoRange-q5", "Error2015112893..."},
    },
    "PLcTypeError",
    "Error2015112890...",
};

const DeviceCheck kTCheck = {
    {
        {1, {upTo(63), span(200, 255)}, "*tDeviceNoRange ", "Error2015112861..."},
        {6, {upTo(255)}, "*tDeviceNoRange ", "Error2015112862..."},
        {7, {upTo(255)}, "*tDeviceNoRange ", "Error2015112864..."},
        {5, {upTo(255)}, "*tDeviceNoRange ", "Error2015112864..."},
        {4, {upTo(255)}, "*tDeviceNoRange ", "Error2015112864..."},
        {2, {upTo(511)}, "*tDeviceNoRange ", "Error2015112863..."},
    },
    "PLcTypeError",
    "Error2015112860...",
};

const DeviceCheck kCCheck = {
    {
        {1, {upTo(31), span(235, 255)}, "*cDeviceNoRange ", "Error2015112851..."},
        {6, {upTo(255)}, "*cDeviceNoRange ", "Error2015112852..."},
        {7, {upTo(255)}, "*cDeviceNoRange ", "Error2015112854..."},
        {5, {upTo(255)}, "*cDeviceNoRange ", "Error2015112854..."},
        {4, {upTo(255)}, "*cDeviceNoRange ", "Error2015112854..."},
        {2, {upTo(255)}, "*cDeviceNoRange ", "Error2015112853..."},
    },
    "PLcTypeError",
    "Error2015112850...",
};

const DeviceCheck kDCheck = {
    {
        {1, {upTo(255), span(8000, 8255)}, "*dDeviceNoRange ", "Error2015112846..."},
        {6, {upTo(3999), span(8000, 8255)}, "*dDeviceNoRange ", "Error2015112841..."},
        {7, {upTo(7999), span(8000, 8255)}, "*dDeviceNoRange ", "Error2015112843..."},
        {5, {upTo(7999), span(8000, 8255)}, "*dDeviceNoRange ", "Error2015112844..."},
        {4, {upTo(999), span(8000, 8255)}, "*dDeviceNoRange ", "Error2015112845..."},
        {2, {upTo(7999), span(8000, 8510)}, "*dDeviceNoRange ", "Error2015112842..."},
    },
    "PLcTypeError",
    "Error2015112840...",
};

const DeviceCheck kRCheck = {
    {
        {1, kNoneValid, "*dDeviceNoRange ", "Error2018112846..."},
        {6, kNoneValid, "*rDeviceNoRange ", "Error2018112841..."},
        {7, kNoneValid, "*rDeviceNoRange ", "Error2018112843..."},
        {5, kNoneValid, "*rDeviceNoRange ", "Error2018112844..."},
        {4, kNoneValid, "*rDeviceNoRange ", "Error2018112845..."},
        {2, {upTo(32767)}, "*rDeviceNoRange ", "Error2018112842..."},
    },
    "PLcTypeError",
    "Error2018112840...",
};

const DeviceCheck kUCheck = {
    {
        {1, kNoneValid, "*uDeviceNoRange ", "Error2019112846..."},
        {6, kNoneValid, "*uDeviceNoRange ", "Error2019112841..."},
        {7, kNoneValid, "*uDeviceNoRange ", "Error2019112843..."},
        {5, kNoneValid, "*uDeviceNoRange ", "Error2019112844..."},
        {4, kNoneValid, "*uDeviceNoRange ", "Error2019112845..."},
        {2, {upTo(32767)}, "*uDeviceNoRange ", "Error2019112842..."},
    },
    "PLcTypeError",
    "Error2019112840...",
};

const DeviceCheck kVZCheck = {
    {
        {1, {upTo(0)}, "*dDeviceNoRange ", "Error2015112831..."},
        {6, {upTo(7)}, "*dDeviceNoRange ", "Error2015112833..."},
        {7, {upTo(7)}, "*dDeviceNoRange ", "Error2015112833..."},
        {5, {upTo(7)}, "*dDeviceNoRange ", "Error2015112833..."},
        {4, {upTo(7)}, "*dDeviceNoRange ", "Error2015112833..."},
        {2, {upTo(7)}, "*dDeviceNoRange ", "Error2015112832..."},
    },
    "PLcTypeError",
    "Error2015112830...",
};

const DeviceCheck kNCheck = {
    {
        {1, {upTo(7)}, "*dDeviceNoRange ", "Error2015112821..."},
        {6, {upTo(7)}, "*dDeviceNoRange ", "Error2015112823..."},
        {7, {upTo(7)}, "*dDeviceNoRange ", "Error2015112823..."},
        {5, {upTo(7)}, "*dDeviceNoRange ", "Error2015112823..."},
        {4, {upTo(7)}, "*dDeviceNoRange ", "Error2015112823..."},
        {2, {upTo(7)}, "*dDeviceNoRange ", "Error2015112822..."},
    },
    "PLcTypeError",
    "Error2015112820...",
};

const DeviceCheck kPCheck = {
    {
        {1, {below(64)}, "*pDeviceNoRange ", "Error2015112811..."},
        {6, {below(128)}, "*pDeviceNoRange ", "Error2015112812..."},
        {7, {below(128)}, "*pDeviceNoRange ", "Error2015112814..."},
        {5, {below(128)}, "*pDeviceNoRange ", "Error2015112814..."},
        {4, {below(128)}, "*pDeviceNoRange ", "Error2015112814..."},
        {2, {below(4096)}, "*pDeviceNoRange ", "Error2015112813..."},
    },
    "PLcTypeError",
    "Error2015112810...",
};

const DeviceCheck kICheck = {
    {
        {1, interruptSetA(), "*iDeviceNoRange ", "Error2015112801..."},
        {6, interruptSetA(), "*iDeviceNoRange ", "Error2015112802..."},
        {7, interruptSetB(), "*iDeviceNoRange ", "Error2015112804..."},
        {5, interruptSetA(), "*iDeviceNoRange ", "Error2015112805..."},
        {4, interruptSetB(), "*iDeviceNoRange ", "Error2015112804..."},
        {2, interruptSetB(), "*iDeviceNoRange ", "Error2015112803..."},
    },
    "PLcTypeError",
    "Error2015112808...",
};

// ---- Constants: captions for a value above max and below min ----------------------------------

struct ConstantRow {
    std::vector<std::int32_t> plcTypes;
    const char* aboveMaxCaption;
    const char* belowMinCaption;
};

struct ConstantCheck {
    const char* text;
    std::vector<ConstantRow> rows;
    const char* otherCaption;  // any other type code always fails
};

const ConstantCheck kKCheck = {
    "*kDeviceNoRange ",
    {
        {{1, 6, 7, 5, 4}, "Error2015112891...", "Error2015112892..."},
        {{2}, "Error2015112893...", "Error2015112894..."},
    },
    "Error2015112895...",
};

const ConstantCheck kDKCheck = {
    "*dkDeviceNoRange ",
    {
        {{1, 6, 7, 5, 4}, "Error2015112896...", "Error2015112897..."},
        {{2}, "Error2015112898...", "Error2015112899..."},
    },
    "Error2015112895...",
};

// clang-format on
// ---- The checks ---------------------------------------------------------------------------------

std::int32_t refuse(const char* text, const char* caption) {
    platform::say({text, caption, platform::MsgIcon::Error});
    return 1;
}

bool hasOnlyOctalDigits(std::int32_t number) {
    for (; number > 0; number /= 10)
        if (number % 10 > 7) return false;
    return true;
}

bool inAnySpan(const std::vector<Span>& spans, std::int32_t number) {
    for (const Span& s : spans)
        if (number >= s.low && number <= s.high) return true;
    return false;
}

const TypeRow* rowOf(const DeviceCheck& check, std::int32_t plcType) {
    for (const TypeRow& row : check.types)
        if (row.plcType == plcType) return &row;
    return nullptr;
}

bool validIn(const DeviceCheck& check, const TypeRow& row, std::int32_t number) {
    return inAnySpan(row.valid, number) && (!check.octalWritten || hasOnlyOctalDigits(number));
}

std::int32_t runCheck(const DeviceCheck& check, std::int32_t plcType, std::int32_t number) {
    const TypeRow* row = rowOf(check, plcType);
    if (row == nullptr) return refuse(check.otherText, check.otherCaption);
    return validIn(check, *row, number) ? 0 : refuse(row->text, row->caption);
}

const ConstantRow* constantRowOf(const ConstantCheck& check, std::int32_t plcType) {
    for (const ConstantRow& row : check.rows)
        for (std::int32_t type : row.plcTypes)
            if (type == plcType) return &row;
    return nullptr;
}

std::int32_t runConstantCheck(const ConstantCheck& check, std::int32_t plcType, bool aboveMax,
                              bool belowMin) {
    const ConstantRow* row = constantRowOf(check, plcType);
    if (row == nullptr) return refuse(check.text, check.otherCaption);
    std::int32_t result = 0;
    if (aboveMax) result = refuse(check.text, row->aboveMaxCaption);
    if (belowMin) result = refuse(check.text, row->belowMinCaption);
    return result;
}

}  // namespace

// clang-format off
std::int32_t checkXYRange(std::int32_t plcType, std::int32_t number) { return runCheck(kXYCheck, plcType, number); }
std::int32_t checkMRange(std::int32_t plcType, std::int32_t number) { return runCheck(kMCheck, plcType, number); }
std::int32_t checkSRange(std::int32_t plcType, std::int32_t number) { return runCheck(kSCheck, plcType, number); }
std::int32_t checkTRange(std::int32_t plcType, std::int32_t number) { return runCheck(kTCheck, plcType, number); }
std::int32_t checkCRange(std::int32_t plcType, std::int32_t number) { return runCheck(kCCheck, plcType, number); }
std::int32_t checkDRange(std::int32_t plcType, std::int32_t number) { return runCheck(kDCheck, plcType, number); }
std::int32_t checkRRange(std::int32_t plcType, std::int32_t number) { return runCheck(kRCheck, plcType, number); }
std::int32_t checkURange(std::int32_t plcType, std::int32_t number) { return runCheck(kUCheck, plcType, number); }
std::int32_t checkVZRange(std::int32_t plcType, std::int32_t number) { return runCheck(kVZCheck, plcType, number); }
std::int32_t checkNRange(std::int32_t plcType, std::int32_t number) { return runCheck(kNCheck, plcType, number); }
std::int32_t checkPRange(std::int32_t plcType, std::int32_t number) { return runCheck(kPCheck, plcType, number); }
std::int32_t checkIRange(std::int32_t plcType, std::int32_t number) { return runCheck(kICheck, plcType, number); }
// clang-format on

bool xyNumberValid(std::int32_t plcType, std::int32_t number) {
    const TypeRow* row = rowOf(kXYCheck, plcType);
    return row != nullptr && validIn(kXYCheck, *row, number);
}

std::int32_t checkKRange(std::int32_t plcType, std::int32_t value, std::int32_t max, std::int32_t min) {
    return runConstantCheck(kKCheck, plcType, value > max, value < min);
}

std::int32_t checkDKRange(std::int32_t plcType, double value, std::int32_t max, std::int32_t min) {
    // A NaN compares false with both bounds and would pass; it is no constant the PLC can hold.
    const bool aboveMax = std::isnan(value) || value > static_cast<double>(max);
    return runConstantCheck(kDKCheck, plcType, aboveMax, value < static_cast<double>(min));
}

DeviceRangeCheck deviceRangeCheckOf(char letter) {
    switch (letter) {
        case 'X':
        case 'Y': return checkXYRange;
        case 'M': return checkMRange;
        case 'S': return checkSRange;
        case 'T': return checkTRange;
        case 'C': return checkCRange;
        case 'D': return checkDRange;
        case 'R': return checkRRange;
        case 'V':
        case 'Z': return checkVZRange;
        case 'N': return checkNRange;
        case 'P': return checkPRange;
        case 'I': return checkIRange;
        default: return nullptr;
    }
}

}  // namespace kestrion
