#include "diagnostics/ErrorRegisterTexts.h"

#include "lang/Language.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

using Lines = std::vector<std::string>;

const std::string k6116English =
    " ...FNC(59)PLSR command code duplicate," + std::string(27, ' ') +
    "May be the previous motion command not finish then change to another command";

class ErrorRegisterTextsTest : public test::CoreTest {
protected:
    std::int16_t& word(int registerNo) { return registers[registerNo - 8060]; }
    // Runs the decoder as the error check does: the memo already cleared, the registers read.
    Lines decode(std::int16_t d8004, int plcType = 1) {
        lines.clear();
        decodeErrorRegisters(lines, plcType, d8004, registers, [this](int registerNo) {
            reads.push_back(registerNo);
            linesBeforeRead = lines.size();
            return plcAnswer(registerNo);
        });
        return lines;
    }
    std::array<std::int16_t, 10> registers{};
    Lines lines;
    std::vector<int> reads;
    std::size_t linesBeforeRead = 0;
    // The PLC still holds what the caller has read.
    std::function<std::optional<std::int16_t>(int)> plcAnswer = [this](int registerNo) {
        return std::optional<std::int16_t>(word(registerNo));
    };
};

TEST_F(ErrorRegisterTextsTest, AFlagOutsideTheErrorRegistersShowsNoErrorAndReadsNothing) {
    word(8061) = 6101;
    for (std::int16_t d8004 : {0, 8059, 8070, -1})
        EXPECT_EQ(decode(d8004), Lines{" D8004=0 ...No Error..."}) << d8004;
    EXPECT_TRUE(reads.empty());
}

TEST_F(ErrorRegisterTextsTest, TheFlaggedRegisterIsReadAgainBetweenTheFlagLineAndItsDescription) {
    for (int d8004 = 8060; d8004 <= 8069; ++d8004) {
        const bool readAgain = d8004 != 8064 && d8004 < 8068;
        reads.clear();
        linesBeforeRead = 1;
        decode(static_cast<std::int16_t>(d8004));
        EXPECT_EQ(reads, readAgain ? std::vector<int>{d8004} : std::vector<int>{}) << d8004;
        EXPECT_EQ(linesBeforeRead, 1u) << d8004;
    }
}

TEST_F(ErrorRegisterTextsTest, EachFlagDescribesItsOwnRegisterBelowWhatTheListHolds) {
    lines = {"*** Push Button ***"};
    word(8060) = 6001;
    word(8061) = 6101;
    word(8066) = 6609;
    word(8069) = 3;
    decodeErrorRegisters(lines, 1, 8066, registers, nullptr);  // without a reader: the value read before
    EXPECT_EQ(lines, (Lines{"*** Push Button ***", " D8004=8066", " D8066=6609 ...No End Instruction ...",
                            " ErrorStepNo D8069=3"}));
    EXPECT_EQ(decode(8060), (Lines{" D8004=8060", " D8060=6001 ...There is no description ..."}));
    EXPECT_EQ(reads, std::vector<int>{8060});
}

TEST_F(ErrorRegisterTextsTest, TheValueReadAgainIsDescribedAndKeptAndAFailedReadKeepsTheOldOne) {
    word(8063) = 6302;
    plcAnswer = [](int) { return std::optional<std::int16_t>(6304); };
    EXPECT_EQ(
        decode(8063),
        (Lines{" D8004=8063", " D8063=6304 ...Sends the characters of communication potr1 is too much ...",
               " ErrorStepNo= ...ignore..."}));
    EXPECT_EQ(word(8063), 6304);
    word(8061) = 6101;
    plcAnswer = [](int) { return std::optional<std::int16_t>(); };  // time-out or refusal
    EXPECT_EQ(decode(8061), (Lines{" D8004=8061", " D8061=6101 ...System hardware RAM Error ..."}));
    EXPECT_EQ(word(8061), 6101);
}

// The flagged register and its code, D8068 and the PLC type; the lines after the D8004 line. D8069
// holds 17 unless it is the flagged register.
struct LinesCase {
    int languageNo;
    std::int16_t d8004, code, d8068;
    int plcType;
    Lines following;
};

class DecodedLinesTest : public ErrorRegisterTextsTest {
protected:
    void check(const std::vector<LinesCase>& cases) {
        for (const LinesCase& c : cases) {
            SCOPED_TRACE(testing::Message() << c.languageNo << " D" << c.d8004 << "=" << c.code);
            selectLanguageFlags(c.languageNo);
            registers.fill(0);
            word(8068) = c.d8068;
            word(8069) = 17;
            word(c.d8004) = c.code;
            Lines expected{" D8004=" + std::to_string(c.d8004)};
            expected.insert(expected.end(), c.following.begin(), c.following.end());
            EXPECT_EQ(decode(c.d8004, c.plcType), expected);
        }
    }
};

constexpr int kEnglish = 0, kTraditional = 1, kSimplified = 2;

// The error check's cases against the simulated PLC show the common codes; these are the others.
TEST_F(DecodedLinesTest, EnglishDescriptionsStepLinesAndDefaults) {
    const std::string motion = " D8061=6116" + k6116English;
    const std::string applied = " D8067=6706 ...The apply instruction error, program stop to executed ...";
    // clang-format off
    check({
        {kEnglish, 8061, 6126, 0, 1, {" D8061=6126 ...There is no description ..."}},
        {kEnglish, 8068, 1, 0, 1, {" D8068=0 ...No Error..."}},
        {kEnglish, 8069, 6905, 0, 1, {}},
        {kEnglish, 8069, 77, 0, 1, {" D8069=0 ...No Error..."}},
        {kEnglish, 8061, 6110, 0, 1,
         {" D8061=6110 ...Last power failure The data can't be a full backup ...", " ErrorStepNo= ...ignore..."}},
        {kEnglish, 8061, 6105, 42, 1, {" D8061=6105 ...User interrupt routine abnormal ...", " ErrorStepNo D8068=42"}},
        {kEnglish, 8061, 6116, 0x0305, 5, {motion, " ErrorStepNo D8069=17"}},  // other types: no commands
        {kEnglish, 8061, 6116, 5, 2, {motion, " D8068=05 Command5 => Command0", " ErrorStepNo D8069=17"}},
        {kEnglish, 8061, 6116, static_cast<std::int16_t>(0x80FF), 2,
         {motion, " D8068=FFFF80FF Command-1 => Command-128", " ErrorStepNo D8069=17"}},
        {kEnglish, 8067, 6706, 5611, 1, {applied, " ErrorCodeNo D8068=5611", " ErrorStepNo D8069=17"}},
    });
    // clang-format on
}

TEST_F(DecodedLinesTest, ChineseRowsAndLabelsAndTheRowsThatStayEnglish) {
    const std::string tc6116 = " D8061=6116 ...FNC(59)PLSR 指令代碼重複," + std::string(27, ' ') +
                               "可能是前一個運動指令尚未完成就切換到另一個指令";
    const std::string sc6116 = " D8061=6116 ...FNC(59)PLSR 指令代码重复," + std::string(27, ' ') +
                               "可能是前一个运动指令尚未完成就切换到另一个指令";
    // clang-format off
    check({
        {kTraditional, 8061, 6103, 0, 1, {" D8061=6103 ...系統程式碼錯誤 ...", " 錯誤步號 D8069=17"}},
        {kSimplified, 8061, 6103, 0, 1, {" D8061=6103 ...系统程序代码错误 ...", " 错误步号 D8069=17"}},
        {kSimplified, 8068, 1, 1, 1, {" D8068=0 ...No Error..."}},
        {3, 8061, 6103, 0, 1, {" D8061=6103 ...System Program Code Error ...", " ErrorStepNo D8069=17"}},
        {kTraditional, 8062, 6298, 0, 1, {" D8062=6298 ...There is no description ...", " ErrorStep D8069=17"}},
        {kSimplified, 8062, 6298, 0, 1, {" D8062=6298 ...There is no description ...", " ErrorStepNo D8069=17"}},
        {kTraditional, 8061, 6116, 0x0305, 2, {tc6116, " D8068=305 運動指令5 => 運動指令3", " 錯誤步號 D8069=17"}},
        {kSimplified, 8061, 6116, 0x0305, 2, {sc6116, " D8068=305 Command5 => Command3", " 错误步号 D8069=17"}},
        {kSimplified, 8067, 6706, 5610, 1,
         {" D8067=6706 ...应用指令错误，程序停止执行 ...", " 错误码 D8068=5610 => [SPD] Measurement time > 250ms",
          " 错误步号 D8069=17"}},
    });
    // clang-format on
    selectLanguageFlags(kTraditional);
    EXPECT_EQ(decode(0), Lines{" D8004=0 ...No Error..."});
}

}  // namespace
}  // namespace kestrion
