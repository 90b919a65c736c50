#include "reader/OperandWords.h"

#include <gtest/gtest.h>

#include <bit>
#include <functional>
#include <string>
#include <vector>

#include "model/core/ConversionError.h"
#include "model/image/ProgramImage.h"
#include "model/image/StepCount.h"
#include "model/instructions/Conversions.h"
#include "model/ladder/LadderObject.h"
#include "support/Fixture.h"

namespace kestrion {
namespace {

using test::CoreTest;
using Words = std::vector<std::uint16_t>;
using Encoder = std::function<std::uint32_t(OperandSink&, std::uint32_t, std::string_view)>;

constexpr std::uint32_t kStep = 40;

Words encodeWith(const Encoder& encoder, std::string_view text, bool wide) {
    Words words;
    std::uint32_t expectedStep = kStep;
    OperandSink sink{[&](std::uint32_t step, std::uint16_t word) {
                         EXPECT_EQ(step, expectedStep);
                         ++expectedStep;
                         words.push_back(word);
                         return step + 1;
                     },
                     wide};
    const std::uint32_t next = encoder(sink, kStep, text);
    EXPECT_EQ(next, kStep + words.size()) << text;
    return words;
}

Words encode(std::string_view text, bool wide) {
    return encodeWith(encodeOperand, text, wide);
}

std::string decode(const Words& words, bool wide) {
    return decodeOperands(words, 1, wide)[0];
}

struct Encoded {
    const char* text;
    bool wide;
    Words words;
};

TEST(OperandWords, WorkedWordsOfTheEncoders) {
    // clang-format off
    const Encoded cases[] = {
        {"K100", false, {0x8064, 0x8000}}, {"K-1", false, {0x80FF, 0x80FF}},
        {"K-1", true, {0x80FF, 0x80FF, 0x80FF, 0x80FF}},
        {"K100000", true, {0x80A0, 0x8086, 0x8001, 0x8000}}, {"H1234", false, {0x8234, 0x8012}},
        {"E1.5", true, {0x8000, 0x9000, 0x80C0, 0x803F}}, {"E1.5", false, {0x8000, 0x9000}},
        {"X017", false, {0x840F, 0x8004}}, {"M8002", false, {0x8402, 0x800F}},
        {"M2000", false, {0x84D0, 0x8029}}, {"M2000", true, {0x84D0, 0x8029, 0x8000, 0x8000}},
        {"K4M0", false, {0x8400, 0x8808}}, {"K1X0", false, {0x8400, 0x8204}},
        {"K8M0", false, {0x8400, 0x9008}}, {"T5V1", false, {0x960A, 0x8240}},
        {"D100V1", false, {0x96C8, 0x8640}}, {"C235", false, {0x868C, 0x8402}},
        {"C199", false, {0x868E, 0x8401}}, {"D7999", false, {0x86AE, 0x8836}},
        {"D999", false, {0x86CE, 0x8607}}, {"D8000", false, {0x8600, 0x8000}},
        {"D10", false, {0x8614, 0x8600}}, {"R100Z2", false, {0xA6C8, 0x9A00}},
        {"Z0", false, {0x8638, 0x8000}}, {"Z", false, {0x8638, 0x8000}}, {"V0", false, {0x863A, 0x8000}}, {"V1", false, {0x866E, 0x8001}},
        {"Z7", false, {0x8684, 0x8001}}, {"V7", true, {0x8686, 0x8001, 0x8000, 0x8000}},
        {"I5", false, {0x880A, 0x8200}}, {"I5V1", false, {0x880A, 0x8200}},
        {"K5V0", false, {0x9005, 0x8000}}, {"K5V", false, {0x9005, 0x8000}},
        {"K5V9", false, {0x9005, 0x8000}}, {"K5Z7", false, {0xA005, 0x8700}},
        {"K10Z2", true, {0xA00A, 0x8200, 0x8000, 0x8000}}, {"S1024", false, {0x8400, 0x8014}},
        {"S6143", false, {0x84FF, 0x8027}}, {"K4M0Z", false, {0xA400, 0x8808}}};
    // clang-format on
    for (const Encoded& e : cases) EXPECT_EQ(encode(e.text, e.wide), e.words) << e.text;
}

TEST(OperandWords, BufferMemoryPointerAndStringHaveTheirOwnEncoders) {
    EXPECT_EQ(encodeWith(encodeUGText, "U1\\G100", false), (Words{0x8C64, 0x8400}));
    EXPECT_EQ(encodeWith(encodeUGText, "UA\\G100", false), (Words{0x8C64, 0xA800}));
    EXPECT_EQ(encodeWith(encodeUGText, "UF\\G32767V7", false), (Words{0x9CFF, 0xBFFF}));
    EXPECT_EQ(encodeWith(encodePointerText, "P10", false), (Words{0x8814, 0x8000}));
    EXPECT_EQ(encodeWith(encodePointerText, "P5Z1", false), (Words{0xA80A, 0x8040}));
    EXPECT_EQ(encodeWith(encodeStringText, "ABCDEFGH", false),
              (Words{0x8A41, 0x8042, 0x8A43, 0x8044, 0x8A45, 0x8046, 0x8A47, 0x8048}));
    EXPECT_EQ(encodeWith(encodeStringText, "AB", false),
              (Words{0x8A41, 0x8042, 0x8A00, 0x8000, 0x8A00, 0x8000, 0x8A00, 0x8000}));
    EXPECT_EQ(encodeWith(encodeStringText, "\xE9", false)[0], 0x8AE9);  // a byte above 0x7F keeps its class
}

struct Decoded {
    Words words;
    bool wide;
    const char* text;
};

TEST(OperandWords, WorkedTextsOfTheDecoder) {
    // clang-format off
    const Decoded cases[] = {
        {{0x8064, 0x8000}, false, "K100"}, {{0x80FF, 0x80FF}, false, "K-1"},
        {{0x80FF, 0x80FF, 0x80FF, 0x80FF}, true, "K-1"}, {{0x80FF, 0x807F}, false, "K32767"},
        {{0x8000, 0x8080}, false, "K-32768"}, {{0x8234, 0x8012}, false, "H1234"},
        {{0x82FF, 0x8000}, false, "H00FF"}, {{0x82FF, 0x8000, 0x8000, 0x8000}, true, "H000000FF"},
        {{0x8000, 0x9000, 0x80C0, 0x803F}, true, "E1.500000"}, {{0x8000, 0x9000}, false, "E0.000000"},
        {{0x8400, 0x8004}, false, "X000"}, {{0x840F, 0x8004}, false, "X017"},
        {{0x8440, 0x8004}, false, "X100"}, {{0x8402, 0x800F}, false, "M8002"},
        {{0x8400, 0x8808}, false, "K4M0"}, {{0x8400, 0x8204}, false, "K1X0"},
        {{0x8408, 0x8404}, false, "K2X10"}, {{0x8638, 0x8000}, false, "Z0"},
        {{0x866E, 0x8001}, false, "V1"}, {{0x8600, 0x8000}, false, "D8000"},
        {{0x8600, 0x8800}, false, "D1000"}, {{0x868C, 0x8402}, false, "C235"},
        {{0x8600, 0x8402}, false, "C200"}, {{0x96C8, 0x8640}, false, "D100V1"},
        {{0x960A, 0x8200}, false, "T5V"}, {{0xA6C8, 0x9A00}, false, "R100Z2"},
        {{0x9005, 0x8100}, false, "K5V1"}, {{0x8814, 0x8000}, false, "P10"},
        {{0x880A, 0x8200}, false, "I5"}, {{0x8800, 0x8200}, false, "I0"},
        {{0x8C64, 0x8400}, false, "U1\\G100"}, {{0x8C05, 0xB800}, false, "UE\\G5"},
        {{0x9407, 0x8044}, false, "X7V1"}, {{0x8400, 0x8014}, false, "S1024"},
        {{0x8438, 0x8000}, false, "S56"}, {{0x9648, 0x8042}, false, "D8292V1"},
        {{0x9638, 0x8000}, false, "D8028V"}};
    // clang-format on
    for (const Decoded& d : cases) EXPECT_EQ(decode(d.words, d.wide), d.text);
}

TEST(OperandWords, EightCharacterWordsFillOperandOneAndTakeFourPositions) {
    const Words words{0x8A41, 0x8042, 0x8A43, 0x8044, 0x8A45, 0x8046, 0x8A47, 0x8048, 0x8600, 0x8600};
    EXPECT_EQ(decodeOperands(words, 5, false), (OperandTexts{"ABCDEFGH", "", "", "", "D0"}));
    EXPECT_EQ(decodeOperands(Words{0x8A41, 0x8042, 0x8A00, 0x8043}, 1, false)[0], "AB");
}

TEST(OperandWords, OperandsFollowEachOtherByTwoOrFourWords) {
    EXPECT_EQ(decodeOperands(Words{0x8064, 0x8000, 0x8614, 0x8600}, 2, false),
              (OperandTexts{"K100", "D10", "", "", ""}));
    EXPECT_EQ(decodeOperands(Words{0x80A0, 0x8086, 0x8001, 0x8000, 0x8614, 0x8600, 0x8000, 0x8000}, 2, true),
              (OperandTexts{"K100000", "D10", "", "", ""}));
}

std::vector<std::string> withIndexes(const std::vector<std::string>& texts, bool plain) {
    std::vector<std::string> out;
    for (const std::string& text : texts) {
        if (plain) out.push_back(text);
        out.push_back(text + "V");
        out.push_back(text + "Z");
        for (const char* suffix : {"V1", "Z3", "V7", "Z7"}) out.push_back(text + suffix);
    }
    return out;
}

std::vector<std::string> canonicalTexts(bool wide) {
    std::vector<std::string> texts;
    auto add = [&texts](const std::vector<std::string>& more) {
        texts.insert(texts.end(), more.begin(), more.end());
    };
    if (wide)
        add(withIndexes({"K-2147483648", "K-65536", "K-1", "K0", "K65535", "K16777216", "K2147483647",
                         "H00000000", "H0000FFFF", "H12345678", "HFFFFFFFF"},
                        true));
    else
        add(withIndexes({"K-32768", "K-256", "K-1", "K0", "K1", "K255", "K256", "K32767", "H0000", "H00FF",
                         "H1234", "HFFFF"},
                        true));
    add({"S0", "S1023", "S1024", "S6143", "X000", "X017", "X177", "X180", "X337", "Y000", "Y077", "Y100",
         "M0", "M1535", "M1536", "M7679", "M8000", "M9279"});
    add(withIndexes({"S5", "X7", "Y17", "M100", "M8002", "S1500", "M7679"}, false));
    add(withIndexes({"K1X0", "K2X10", "K4M0", "K4S1024", "K8M7679", "K4M8000", "K3Y177"}, true));
    add(withIndexes(
        {"T0",    "T5",    "T511",  "C0",    "C199",  "C200",  "C235",  "C263",  "D0", "D999", "D1000",
         "D7999", "D8000", "D8027", "D8030", "D8181", "D8196", "D8197", "D8511", "R0", "R100", "R32767"},
        true));
    add({"D8028V1", "D8029Z", "D8183V7"});  // the index registers keep their D numbers in indexed forms
    add({"V0", "V1", "V7", "Z0", "Z1", "Z7", "I0", "I5", "I127"});
    return texts;
}

TEST(OperandRoundTrip, EveryCanonicalTextIn16BitForm) {
    for (const std::string& text : canonicalTexts(false)) EXPECT_EQ(decode(encode(text, false), false), text);
}

TEST(OperandRoundTrip, EveryCanonicalTextIn32BitForm) {
    for (const std::string& text : canonicalTexts(true)) EXPECT_EQ(decode(encode(text, true), true), text);
}

TEST(OperandRoundTrip, RealConstantsIn32BitFormTheTooLongOnesInABoundedForm) {
    for (float value : {0.0f, -0.0f, 1.5f, -1.5f, 0.1f, 1e-7f, 123.456f, 9999999.0f, -999999.0f, 1e7f, -1e6f,
                        123456789.0f, 3.4028235e38f, -3.4028235e38f, 1.17549435e-38f}) {
        const std::string text = "E" + floatOperandDigits(std::bit_cast<std::uint32_t>(value));
        EXPECT_LE(text.size(), 15u) << text;
        EXPECT_EQ(decode(encode(text, true), true), text);
    }
    EXPECT_EQ(floatOperandDigits(std::bit_cast<std::uint32_t>(9999999.0f)), "9999999.000000");
    EXPECT_EQ(floatOperandDigits(std::bit_cast<std::uint32_t>(1e7f)), "1.00000000e+07");
    EXPECT_EQ(floatOperandDigits(std::bit_cast<std::uint32_t>(-999999.0f)), "-999999.000000");
    EXPECT_EQ(floatOperandDigits(std::bit_cast<std::uint32_t>(-1e6f)), "-1.0000000e+06");
    EXPECT_EQ(strToFloatBits(floatOperandDigits(0x7F7FFFFF)), 0x7F7FFFFFu);
}

TEST(OperandRoundTrip, BufferMemoryAndPointers) {
    for (const char* text :
         {"U0\\G0", "U1\\G100", "U9\\G255", "UA\\G256", "UF\\G32767", "U3\\G7V", "UB\\G5V1", "U2\\G4000Z7"})
        EXPECT_EQ(decode(encodeWith(encodeUGText, text, false), false), text);
    for (const char* text :
         {"P0", "P10", "P255", "P256", "P4095", "P8191", "P5Z1", "P2048V7", "P8191Z", "P63V3"})
        EXPECT_EQ(decode(encodeWith(encodePointerText, text, false), false), text);
}

class Refusals : public CoreTest {};

TEST_F(Refusals, AnOperandWithoutWordsIsAConversionErrorAfterTheMessage) {
    for (const char* text :
         {"Q5",    "U1\\G100", "P10",        "",       "K",       "K1.5",   "Kx",    "H",
          "HFFG",  "Hff",      "H123456789", "E",      "Eabc",    "E1.5E3", "E1.5V", "E1.5Z1",
          "D",     "D1x",      "D-1",        "D16192", "T8192",   "T-1",    "C264",  "R32768",
          "R-1",   "I128",     "I-1",        "Z8",     "V9",      "X8",     "X400",  "Y338",
          "M7680", "M9280",    "S6144",      "S-1",    "K4M7680", "K4X8",   "K4T0",  "K99999999999"}) {
        fakes.messages.shown.clear();
        Words words;
        EXPECT_THROW(words = encode(text, false), ConversionError) << text;
        EXPECT_TRUE(words.empty()) << text;
        ASSERT_EQ(fakes.messages.shown.size(), 1u) << text;
        EXPECT_EQ(fakes.messages.shown[0].text, "LToM FNC(nn) opCode Error");
        EXPECT_EQ(fakes.messages.shown[0].caption, "Error2015101880...");
        EXPECT_EQ(fakes.messages.shown[0].icon, platform::MsgIcon::Warning);
        EXPECT_EQ(fakes.statusBar.panelText(13), "ErrorStepNo=40");
    }
}

TEST_F(Refusals, OwnEncodersRefuseWhatTheirWordsCannotHold) {
    for (const char* text : {"U\\G1", "UG\\G1", "U1G100", "U1\\G32768", "U1\\G", "Ua\\G1", "U1\\H5"})
        EXPECT_THROW(encodeWith(encodeUGText, text, false), ConversionError) << text;
    for (const char* text : {"P", "P8192", "P-1", "Q1", "P1x"})
        EXPECT_THROW(encodeWith(encodePointerText, text, false), ConversionError) << text;
}

TEST_F(Refusals, BitGroupOfNoSizeIsRefusedWithItsOwnMessage) {
    for (const char* text : {"K0M0", "K9M0"}) {
        fakes.messages.shown.clear();
        EXPECT_THROW(encode(text, false), ConversionError) << text;
        ASSERT_EQ(fakes.messages.shown.size(), 1u);
        EXPECT_EQ(fakes.messages.shown[0].text, "Error2015101605.movOpCode1 Error");
        EXPECT_EQ(fakes.messages.shown[0].caption, "*DeleteNop");
    }
}

TEST_F(Refusals, BitDevicesOutsideTheTableStopWithTheirMessage) {
    const std::pair<Words, const char*> cases[] = {{{0x8400, 0x8040}, "Error2014122100..."},
                                                   {{0x8400, 0x8240}, "Error2014122101..."},
                                                   {{0x8400, 0x9040}, "Error2014122108..."},
                                                   {{0x8400, 0x8300}, "Error2014122109..."},
                                                   {{0x8400, 0x9200}, "Error2014122109..."}};
    for (const auto& [words, text] : cases) {
        fakes.messages.shown.clear();
        EXPECT_THROW(decode(words, false), ConversionError) << text;
        ASSERT_EQ(fakes.messages.shown.size(), 1u);
        EXPECT_EQ(fakes.messages.shown[0].text, text);
        EXPECT_EQ(fakes.messages.shown[0].caption, "*convToFncRelayCode");
        EXPECT_EQ(fakes.messages.shown[0].icon, platform::MsgIcon::Error);
    }
}

TEST_F(Refusals, UnknownFormsStopTheLoadAfterTheirMessage) {
    convStepNo = 77;
    EXPECT_THROW(decode(Words{0xFF00, 0x8000}, false), ConversionError);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, "FncInstr error 20190817.00");
    EXPECT_EQ(fakes.messages.shown[0].caption, "Ladder Conversion");
    EXPECT_EQ(fakes.messages.shown[0].icon, platform::MsgIcon::Information);
    EXPECT_EQ(fakes.statusBar.panelText(0), "77");
    for (const Words& words : {Words{0x8600, 0x8A00}, Words{0x9600, 0x8C00}}) {
        fakes.messages.shown.clear();
        EXPECT_THROW(decode(words, false), ConversionError);
        ASSERT_EQ(fakes.messages.shown.size(), 1u);
        EXPECT_EQ(fakes.messages.shown[0].text, "op2 V,Z error");
    }
    fakes.messages.shown.clear();
    EXPECT_EQ(decode(Words{0x9400, 0x9200}, false), "");
    EXPECT_TRUE(fakes.messages.shown.empty());
}

class FromTheImage : public CoreTest {
protected:
    FromTheImage() { ldrNow = &object; }
    ~FromTheImage() override { ldrNow = nullptr; }
    stLadderBlock object{};
};

TEST_F(FromTheImage, OperandsAfterTheInstructionWordGoIntoTheObject) {
    const Words mov{0x0028, 0x8064, 0x8000, 0x8614, 0x8600};
    std::copy(mov.begin(), mov.end(), pmw.program.begin() + 3);
    convToFncRelayCode(kProgramAreaOffset + 6, 2, false);
    EXPECT_EQ(textOf(object.operands[0]), "K100");
    EXPECT_EQ(textOf(object.operands[1]), "D10");
    EXPECT_EQ(textOf(object.operands[2]), "");
    EXPECT_TRUE(fakes.messages.shown.empty());  // nothing read beyond the two operands
}

TEST_F(FromTheImage, WithoutACurrentObjectNothingIsWritten) {
    pmw.program[1] = 0x8064;
    pmw.program[2] = 0x8000;
    ldrNow = nullptr;
    convToFncRelayCode(kProgramAreaOffset, 1, false);
    EXPECT_EQ(textOf(object.operands[0]), "");
}

TEST_F(FromTheImage, TheEndOfTheProgramAreaReadsAsNoOperand) {
    EXPECT_THROW(convToFncRelayCode(kProgramAreaOffset + 2 * (kProgramWordCount - 1), 1, false),
                 ConversionError);
    EXPECT_EQ(fakes.messages.shown.size(), 1u);
}

TEST_F(FromTheImage, TextsAreWrittenIntoTheNamedSlotOnly) {
    writeOperandText(2, 128, 'D', 4, "100");
    EXPECT_EQ(textOf(object.operands[4]), "D100Z2");
    writeOperandText(1, 3, 'R', 0, "5");
    EXPECT_EQ(textOf(object.operands[0]), "R5V3");
    writeBitGroupOperandText(1, 3, '4', 'M', 1, "0");  // a bare digit value is no bit-group index
    EXPECT_EQ(textOf(object.operands[1]), "K4M0V");
    writeOperandText(0, 0, 'D', 5, "1");  // no sixth text
    writeBitGroupOperandText(0, 0, '1', 'X', 5, "0");
    EXPECT_EQ(textOf(object.operand6), "");
}

TEST(OperandHelpers, IndexOffsetsAndValues) {
    const std::vector<std::uint32_t> offsets{indexOffsetFloor(63),           indexOffsetFloor(447),
                                             indexOffsetFloor(5000),         indexOffsetFromHighByte(0x700),
                                             indexOffsetFromHighByte(0x800), indexOffsetFromHighByte(0x180)};
    EXPECT_EQ(offsets, (std::vector<std::uint32_t>{0, 384, 448, 448, 0x800, 0x180}));
    EXPECT_EQ(indexDigitOffset64('a'), 0u);
    EXPECT_EQ(addBitGroupBase("K9X0", 4), 4u);
    EXPECT_EQ(getOperandValue(0x100, false, 0x9000, 0x8000, 0x9005, 0x8100, 0, 0), 5);
    EXPECT_EQ(getOperandValue(0, true, 0x8000, 0x8000, 0x80FF, 0x80FF, 0x80FF, 0x80FF), -1);
}

}  // namespace
}  // namespace kestrion
