#include "diagnostics/ErrorRegisterTexts.h"

#include <map>

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

// ---- Which register is described, and which is read again --------------------------------------

TEST_F(ErrorRegisterTextsTest, AFlagOutsideTheErrorRegistersShowsNoErrorAndReadsNothing) {
    for (std::int16_t d8004 : {0, 8075, 8059, 8070, 8004, -1, 32767, -32768}) {
        SCOPED_TRACE(d8004);
        word(8061) = 6101;
        EXPECT_EQ(decode(d8004), Lines{" D8004=0 ...No Error..."});
        EXPECT_TRUE(reads.empty());
    }
}

TEST_F(ErrorRegisterTextsTest, TheFlaggedRegisterIsReadAgainBetweenTheFlagLineAndItsDescription) {
    const struct {
        std::int16_t d8004;
        bool readAgain;
    } cases[] = {{8060, true}, {8061, true}, {8062, true}, {8063, true},  {8064, false},
                 {8065, true}, {8066, true}, {8067, true}, {8068, false}, {8069, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.d8004);
        reads.clear();
        decode(c.d8004);
        EXPECT_EQ(reads, c.readAgain ? std::vector<int>{c.d8004} : std::vector<int>{});
        if (c.readAgain) {
            EXPECT_EQ(linesBeforeRead, 1u);
        }
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

// ---- English lines --------------------------------------------------------------------------------

struct DecodeCase {
    const char* name;
    std::int16_t d8004;
    std::map<int, std::int16_t> values;  // register -> word
    int plcType;
    Lines expected;
};

class EnglishLinesTest : public ErrorRegisterTextsTest {
protected:
    void check(const std::vector<DecodeCase>& cases) {
        for (const DecodeCase& c : cases) {
            SCOPED_TRACE(c.name);
            registers.fill(0);
            for (const auto& [registerNo, value] : c.values) word(registerNo) = value;
            EXPECT_EQ(decode(c.d8004, c.plcType), c.expected);
        }
    }
};

TEST_F(EnglishLinesTest, DescriptionsAndDefaults) {
    // clang-format off
    check({
        {"row", 8061, {{8061, 6101}}, 1, {" D8004=8061", " D8061=6101 ...System hardware RAM Error ..."}},
        {"no row", 8061, {{8061, 6126}}, 1, {" D8004=8061", " D8061=6126 ...There is no description ..."}},
        {"negative", 8061, {{8061, -1}}, 1, {" D8004=8061", " D8061=-1 ...There is no description ..."}},
        {"D8060 row", 8060, {{8060, 6005}}, 1, {" D8004=8060", " D8060=6005 ...There is no description ..."}},
        {"D8060 other", 8060, {{8060, 0}}, 1, {" D8004=8060", " D8060=0 ...There is no description ..."}},
        {"D8062", 8062, {{8062, 6208}}, 1, {" D8004=8062", " D8062=6208 ...(Fnc79)FromInstruction error..."}},
        {"D8064", 8064, {{8064, 6409}}, 1, {" D8004=8064", " D8064=6409 ...There is no description ..."}},
        {"D8065", 8065, {{8065, 6517}}, 1,
         {" D8004=8065", " D8065=6517 ...CPU'R7 is not equal to 0 ...Program keep running..."}},
        {"D8067", 8067, {{8067, 6799}}, 1,
         {" D8004=8067", " D8067=6799 ...No Pnn,Inn jump vector address error, program stop ..."}},
        {"D8067 other", 8067, {{8067, 6710}}, 1,
         {" D8004=8067", " D8067=6710 ...There is no description ..."}},
        {"D8068 row", 8068, {{8068, 6803}}, 1, {" D8004=8068", " D8068=6803 ...There is no description ..."}},
        {"D8068 other", 8068, {{8068, 1}}, 1, {" D8004=8068", " D8068=0 ...No Error..."}},
        {"D8069 row", 8069, {{8069, 6905}}, 1, {" D8004=8069"}},
        {"D8069 other", 8069, {{8069, 77}}, 1, {" D8004=8069", " D8069=0 ...No Error..."}},
    });
    // clang-format on
}

TEST_F(EnglishLinesTest, StepAndIgnoreLines) {
    // clang-format off
    check({
        {"step", 8061, {{8061, 6103}, {8069, 125}}, 1,
         {" D8004=8061", " D8061=6103 ...System Program Code Error ...", " ErrorStepNo D8069=125"}},
        {"negative step", 8061, {{8061, 6103}, {8069, -1}}, 1,
         {" D8004=8061", " D8061=6103 ...System Program Code Error ...", " ErrorStepNo D8069=-1"}},
        {"ignore", 8061, {{8061, 6110}, {8069, 125}}, 1,
         {" D8004=8061", " D8061=6110 ...Last power failure The data can't be a full backup ...",
          " ErrorStepNo= ...ignore..."}},
        {"no description with step", 8062, {{8062, 6298}, {8069, 7}}, 1,
         {" D8004=8062", " D8062=6298 ...There is no description ...", " ErrorStepNo D8069=7"}},
        {"D8063 step", 8063, {{8063, 6399}, {8069, 8}}, 1,
         {" D8004=8063", " D8063=6399 ...There is no description ...", " ErrorStepNo D8069=8"}},
        {"D8066 step", 8066, {{8066, 6601}, {8069, 40}}, 1,
         {" D8004=8066", " D8066=6601 ...LD & LDI continue used > 8 ...", " ErrorStepNo D8069=40"}},
        {"step from D8068", 8061, {{8061, 6105}, {8068, 42}, {8069, 9}}, 1,
         {" D8004=8061", " D8061=6105 ...User interrupt routine abnormal ...", " ErrorStepNo D8068=42"}},
    });
    // clang-format on
}

TEST_F(EnglishLinesTest, MotionCommandsOfTheDuplicatedPulseInstruction) {
    const std::string description = " D8061=6116" + k6116English;
    // clang-format off
    check({
        {"type 2", 8061, {{8061, 6116}, {8068, 0x0305}, {8069, 12}}, 2,
         {" D8004=8061", description, " D8068=305 Command5 => Command3", " ErrorStepNo D8069=12"}},
        {"other type", 8061, {{8061, 6116}, {8068, 0x0305}, {8069, 12}}, 5,
         {" D8004=8061", description, " ErrorStepNo D8069=12"}},
        {"two hex digits at least", 8061, {{8061, 6116}, {8068, 5}, {8069, 12}}, 2,
         {" D8004=8061", description, " D8068=05 Command5 => Command0", " ErrorStepNo D8069=12"}},
        {"negative bytes", 8061, {{8061, 6116}, {8068, static_cast<std::int16_t>(0x80FF)}, {8069, 12}}, 2,
         {" D8004=8061", description, " D8068=FFFF80FF Command-1 => Command-128", " ErrorStepNo D8069=12"}},
    });
    // clang-format on
}

TEST_F(EnglishLinesTest, ExtraErrorCodeOfTheAppliedInstruction) {
    const std::string description =
        " D8067=6706 ...The apply instruction error, program stop to executed ...";
    // clang-format off
    check({
        {"speed measurement", 8067, {{8067, 6706}, {8068, 5610}, {8069, 30}}, 1,
         {" D8004=8067", description, " ErrorCodeNo D8068=5610 => [SPD] Measurement time > 250ms",
          " ErrorStepNo D8069=30"}},
        {"other code", 8067, {{8067, 6706}, {8068, 5611}, {8069, 30}}, 1,
         {" D8004=8067", description, " ErrorCodeNo D8068=5611", " ErrorStepNo D8069=30"}},
        {"negative code", 8067, {{8067, 6706}, {8068, -1}, {8069, 30}}, 1,
         {" D8004=8067", description, " ErrorCodeNo D8068=-1", " ErrorStepNo D8069=30"}},
    });
    // clang-format on
}

// ---- Chinese lines ----------------------------------------------------------------------------------

class ChineseLinesTest : public ErrorRegisterTextsTest {
protected:
    struct Case {
        const char* name;
        int languageNo;
        std::int16_t d8004;
        std::int16_t code;
        std::int16_t d8068;
        int plcType;
        Lines followingLines;  // after the D8004 line
    };
    void check(const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            selectLanguageFlags(c.languageNo);
            registers.fill(0);
            word(c.d8004) = c.code;
            word(8068) = c.d8068;
            word(8069) = 17;
            Lines expected{" D8004=" + std::to_string(c.d8004)};
            expected.insert(expected.end(), c.followingLines.begin(), c.followingLines.end());
            EXPECT_EQ(decode(c.d8004, c.plcType), expected);
        }
    }
};

constexpr int kTraditional = 1, kSimplified = 2;

TEST_F(ChineseLinesTest, RowsAndLabelsInTheInterfaceLanguage) {
    // clang-format off
    check({
        {"TC row", kTraditional, 8061, 6101, 0, 1, {" D8061=6101 ...系統硬體 RAM 錯誤 ..."}},
        {"SC row", kSimplified, 8061, 6101, 0, 1, {" D8061=6101 ...系统硬件 RAM 错误 ..."}},
        {"TC step", kTraditional, 8061, 6103, 0, 1,
         {" D8061=6103 ...系統程式碼錯誤 ...", " 錯誤步號 D8069=17"}},
        {"SC step", kSimplified, 8061, 6103, 0, 1,
         {" D8061=6103 ...系统程序代码错误 ...", " 错误步号 D8069=17"}},
        {"TC ignore", kTraditional, 8063, 6302, 0, 1,
         {" D8063=6302 ...(1)通訊埠1的總和檢查結果錯誤 ...", " 錯誤步號 D8069= ...省略..."}},
        {"SC ignore", kSimplified, 8063, 6302, 0, 1,
         {" D8063=6302 ...(1)通信端口1的和校验结果错误 ...", " 错误步号 D8069= ...省略..."}},
        {"TC defaults", kTraditional, 8061, 6126, 0, 1, {" D8061=6126 ...There is no description ..."}},
        {"SC D8068 default", kSimplified, 8068, 1, 1, 1, {" D8068=0 ...No Error..."}},
        {"TC D8069 default", kTraditional, 8069, 17, 0, 1, {" D8069=0 ...No Error..."}},
    });
    // clang-format on
    selectLanguageFlags(kTraditional);
    EXPECT_EQ(decode(0), Lines{" D8004=0 ...No Error..."});
}

TEST_F(ChineseLinesTest, OtherLanguagesReadEnglish) {
    for (int languageNo : {3, 4, 5}) {
        check({{"step",
                languageNo,
                8061,
                6103,
                0,
                1,
                {" D8061=6103 ...System Program Code Error ...", " ErrorStepNo D8069=17"}}});
    }
}

TEST_F(ChineseLinesTest, RowsThatStayEnglish) {
    // clang-format off
    check({
        {"TC 6125", kTraditional, 8061, 6125, 0, 1,
         {" D8061=6125 ...G08 position error ...", " ErrorStepNo= ...ignore..."}},
        {"SC 6198", kSimplified, 8061, 6198, 0, 1, {" D8061=6198 ...Internal Memory is I2C E2prom ..."}},
        {"TC 6209", kTraditional, 8062, 6209, 0, 1, {" D8062=6209 ...(Fnc79)ToInstruction error..."}},
        {"TC 6299", kTraditional, 8062, 6299, 0, 1,
         {" D8062=6299 ...There is no description ...", " ErrorStepNo D8069=17"}},
        {"TC 6399", kTraditional, 8063, 6399, 0, 1,
         {" D8063=6399 ...There is no description ...", " ErrorStepNo D8069=17"}},
        {"TC 6298", kTraditional, 8062, 6298, 0, 1,
         {" D8062=6298 ...There is no description ...", " ErrorStep D8069=17"}},
        {"SC 6298", kSimplified, 8062, 6298, 0, 1,
         {" D8062=6298 ...There is no description ...", " ErrorStepNo D8069=17"}},
    });
    // clang-format on
}

TEST_F(ChineseLinesTest, MotionAndErrorCodeLines) {
    const std::string tc6116 = " D8061=6116 ...FNC(59)PLSR 指令代碼重複," + std::string(27, ' ') +
                               "可能是前一個運動指令尚未完成就切換到另一個指令";
    const std::string sc6116 = " D8061=6116 ...FNC(59)PLSR 指令代码重复," + std::string(27, ' ') +
                               "可能是前一个运动指令尚未完成就切换到另一个指令";
    // clang-format off
    check({
        {"TC motion", kTraditional, 8061, 6116, 0x0305, 2,
         {tc6116, " D8068=305 運動指令5 => 運動指令3", " 錯誤步號 D8069=17"}},
        {"SC motion", kSimplified, 8061, 6116, 0x0305, 2,
         {sc6116, " D8068=305 Command5 => Command3", " 错误步号 D8069=17"}},
        {"TC error code", kTraditional, 8067, 6706, 5610, 1,
         {" D8067=6706 ...應用指令錯誤，程式停止執行 ...", " 錯誤碼 D8068=5610 => [SPD] 量測時間 > 250ms",
          " 錯誤步號 D8069=17"}},
        {"SC error code", kSimplified, 8067, 6706, 5610, 1,
         {" D8067=6706 ...应用指令错误，程序停止执行 ...",
          " 错误码 D8068=5610 => [SPD] Measurement time > 250ms", " 错误步号 D8069=17"}},
        {"SC other code", kSimplified, 8067, 6706, 5611, 1,
         {" D8067=6706 ...应用指令错误，程序停止执行 ...", " 错误码 D8068=5611", " 错误步号 D8069=17"}},
    });
    // clang-format on
}

}  // namespace
}  // namespace kestrion
