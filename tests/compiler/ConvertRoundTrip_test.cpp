// Programs as instruction words, loaded and converted: a canonical program comes back word for word,
// and for any program a second Convert changes nothing. Each line of a file under roundtrip/ is one
// program: its words in hexadecimal, "~" in front when they are not the canonical form of the
// ladder they load as (then the words after ">" are what Convert writes), a note after "#".
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "compiler/ConvertCommand.h"
#include "compiler/StackPrograms.h"
#include "reader/LoaderTestSupport.h"
#include "reader/WordCheck.h"
#include "support/SourceTree.h"

namespace kestrion::test {
namespace {

using ConvertRoundTrip = LoaderTest;

TEST_F(ConvertRoundTrip, CanonicalProgramsComeBackWordForWordAndASecondConvertChangesNothing) {
    const auto program = [] { return Words(pmw.program.begin(), pmw.program.begin() + 512); };
    int count = 0;
    for (const auto& file :
         std::filesystem::directory_iterator(test::testSource("tests/compiler/roundtrip"))) {
        std::ifstream in(file.path());
        for (std::string line; std::getline(in, line);) {
            std::istringstream fields(line.substr(0, line.find('#')));
            Words words, written;
            Words* into = &words;
            for (std::string word; fields >> word;) {
                if (word == ">") into = &written;
                if (word != "~" && word != ">")
                    into->push_back(static_cast<std::uint16_t>(std::stoul(word, nullptr, 16)));
            }
            if (words.empty()) continue;
            ++count;
            resetAllState();
            prepare();
            initPmwImageByType(5);
            ASSERT_TRUE(load(words, 8)) << line;
            const Words loaded = program();
            ASSERT_TRUE(runCommand(LToM)) << line;
            const Words converted = program();
            EXPECT_TRUE(line[0] == '~' || converted == loaded) << line;
            EXPECT_TRUE(std::equal(written.begin(), written.end(), converted.begin())) << line;
            const std::vector<std::string> ladder = objects();
            const std::uint16_t check = pmw.sumCheck();
            EXPECT_TRUE(runCommand(LToM) && program() == converted && objects() == ladder &&
                        pmw.sumCheck() == check)
                << line;
        }
    }
    EXPECT_GE(count, 40);
}

std::string hexWords(const Words& words) {
    std::string text;
    char word[8];
    for (const std::uint16_t w : words) {
        std::snprintf(word, sizeof word, "%04X ", w);
        text += word;
    }
    return text;
}

// Programs of stack groups, nested in every branch, with parallel pairs and outputs straight from
// the branch point: Convert writes each with the logic it had, and what it writes converts again
// unchanged.
TEST_F(ConvertRoundTrip, GeneratedStackProgramsKeepTheirLogic) {
    // the logic is told apart: the fourth branch's output hung on the third branch
    EXPECT_NE(logicOf({0x2400, 0xFFFA, 0x4401, 0xC501, 0xFFFB, 0x4403, 0xC503, 0xC504, 0xFFFB, 0x4405, 0xC505,
                       0xFFFC, 0xC507, 0x000F}),
              logicOf({0x2400, 0xFFFA, 0x4401, 0xC501, 0xFFFB, 0x4403, 0xC503, 0xC504, 0xFFFC, 0x4405, 0xC505,
                       0xC507, 0x000F}));
    StackProgramGenerator generator(33);
    const auto program = [] { return Words(pmw.program.begin(), pmw.program.begin() + 512); };
    for (int n = 0; n < 600; ++n) {
        const Words words = generator.program();
        resetAllState();
        prepare();
        initPmwImageByType(5);
        ASSERT_TRUE(load(words, 8)) << hexWords(words);
        ASSERT_FALSE(logicOf(words).empty()) << hexWords(words);
        ASSERT_TRUE(runCommand(LToM)) << hexWords(words) << fakes.messages.shown.back().text;
        const Words converted = program();
        ASSERT_EQ(logicOf(converted), logicOf(words)) << hexWords(words);
        EXPECT_TRUE(runCommand(LToM) && program() == converted) << hexWords(words);
    }
}

// A rung whose contacts reach the output column, with a parallel pair at its start and a second
// output: the second output's link comes straight down from the last contact, and the pair's lower
// contact is not read as feeding it. Convert writes what the rung computes or refuses it with a box.
TEST_F(ConvertRoundTrip, ASecondOutputOfARungFillingItsColumnsIsNotFedByTheContactsBelow) {
    const Words words = {0x2400, 0x6401, 0x4402, 0x4403, 0x4404, 0x4405, 0x44EB, 0x4407,
                         0x4410, 0x4411, 0x4412, 0x4403, 0x4404, 0xC505, 0xC501, 0x000F};
    resetAllState();
    prepare();
    initPmwImageByType(5);
    ASSERT_TRUE(load(words, 8));
    fakes.messages.shown.clear();
    if (runCommand(LToM))
        EXPECT_EQ(logicOf(Words(pmw.program.begin(), pmw.program.begin() + 64)), logicOf(words));
    else
        EXPECT_FALSE(fakes.messages.shown.empty());
}

// The application instructions as the load shows them: number, mnemonic, operand count.
constexpr const char* kApplicationTable =
    "0 CJ 1,1 CALL 1,2 SRET 0,3 IRET 0,4 EI 0,5 DI 0,6 FEND 0,7 WDT 0,8 FOR 1,9 NEXT 0,10 CMP 3,11 ZCP 4,"
    "12 MOV 2,13 SMOV 5,14 CML 2,15 BMOV 3,16 FMOV 3,17 XCH 2,18 BCD 2,19 BIN 2,20 ADD 3,21 SUB 3,22 MUL 3,"
    "23 DIV 3,24 INC 1,25 DEC 1,26 WAND 3,27 WOR 3,28 WXOR 3,29 NEG 1,30 ROR 2,31 ROL 2,32 RCR 2,33 RCL 2,"
    "34 SFTR 4,35 SFTL 4,36 WSFR 4,37 WSFL 4,38 SFWR 3,39 SFRD 3,40 ZRST 2,41 DECO 3,42 ENCO 3,43 SUM 2,"
    "44 BON 3,45 MEAN 3,46 ANS 3,47 ANR 0,48 SQR 2,49 FLT 2,50 REF 2,51 REFF 1,52 MTR 4,53 HSCS 3,54 HSCR 3,"
    "55 HSZ 4,56 SPD 3,57 PLSY 3,58 PWM 3,59 PLSR 4,61 SER 4,62 ABSD 4,63 INCD 4,66 ALT 1,67 RAMP 4,"
    "68 ROTC 4,69 SORT 5,70 TKY 3,71 HKY 4,72 DSW 4,73 SEGD 2,74 SEGL 3,75 ARWS 4,76 ASC 5,77 PR 2,78 FROM 4,"
    "79 TO 4,80 RS 4,81 PRUN 2,82 ASCI 3,83 HEX 3,84 CCD 3,85 VRRD 2,86 VRSC 2,87 RS2 5,88 PID 4,96 RMMN 3,"
    "97 BLK 3,102 ZPUSH 1,103 ZPOP 1,110 ECMP 3,111 EZCP 4,112 EMOV 2,118 EBCD 2,119 EBIN 2,120 EADD 3,"
    "121 ESUB 3,122 EMUL 3,123 EDIV 3,124 EXP 2,125 LOGE 2,126 LOG10 2,127 ESQR 2,128 ENEG 1,129 INT 2,"
    "130 SIN 2,131 COS 2,132 TAN 2,133 ASIN 2,134 ACOS 2,135 ATAN 2,136 RAD 2,137 DEG 2,147 SWAP 1,150 DSZR "
    "4,"
    "151 DVIT 4,152 TBL 2,155 ABS 3,156 ZRN 4,157 PLSV 3,158 DRVI 4,159 DRVA 4,160 TCMP 5,161 TZCP 4,"
    "162 TADD 3,163 TSUB 3,166 TRD 1,167 TWR 1,170 GRY 2,171 GBIN 2,192 BK+ 4,193 BK- 4,194 BKCMP= 4,"
    "195 BKCMP> 4,196 BKCMP< 4,197 BKCMP!= 4,198 BKCMP<= 4,199 BKCMP>= 4,200 STR 3,201 VAL 3,202 $+ 3,"
    "203 LEN 2,204 RIGHT 3,205 LEFT 3,206 MIDR 3,207 MIDW 3,208 INSTR 4,209 $MOV 2,210 FDEL 3,211 FINS 3,"
    "212 POP 3,213 SFR 2,214 SFL 2,224 LD= 2,225 LD> 2,226 LD< 2,228 LD!= 2,229 LD<= 2,230 LD>= 2,232 AND= 2,"
    "233 AND> 2,234 AND< 2,236 AND!= 2,237 AND<= 2,238 AND>= 2,240 OR= 2,241 OR> 2,242 OR< 2,244 OR!= 2,"
    "245 OR<= 2,246 OR>= 2,256 LIMIT 4,257 BAND 4,258 ZONE 4,259 SCL 3,260 DABIN 2,261 BINDA 2,269 SCL2 3,"
    "276 ADPRW 5,280 HSCT 5";

// The forms the word check gives no length of 1 + 2k (1 + 4k): 16-bit, D, P and DP (32-bit pulse).
// IST, TTMR, STMR and HOUR have none; they are not in the table above.
std::string formsWithoutLength(int fnc) {
    switch (fnc) {
        case 96:
        case 97: return "DP";
        case 102:
        case 103:
        case 202:
        case 203:
        case 204:
        case 205:
        case 206:
        case 207:
        case 208:
        case 209: return "D DP";
        case 112: return "16 P";
        case 276: return "D P DP";
        case 280: return "P DP";
        default: return "";
    }
}

std::string textOfForm(int fnc, std::string name, bool wide, bool pulse) {
    const std::size_t relation = name.find_first_of("=<>!");
    if (fnc >= 224 && fnc <= 246)
        return name.substr(0, relation) + (wide ? "D" : "") + name.substr(relation) + (pulse ? "P" : "");
    const bool noLetters = (fnc >= 2 && fnc <= 6) || fnc == 8 || fnc == 9;
    if (noLetters) return name;
    return (wide && fnc != 1 ? "D" : "") + name + (pulse && fnc != 276 ? "P" : "");
}

// Operand words of D0 (P10 for the jumps, the text ABCDEFGH for the 16-bit ASC).
Words operandWords(int fnc, int k, bool wide) {
    if (fnc == 76 && !wide)
        return {0x8A41, 0x8042, 0x8A43, 0x8044, 0x8A45, 0x8046, 0x8A47, 0x8048, 0x8600, 0x8600};
    Words words;
    for (int i = 0; i < k; ++i) {
        words.insert(words.end(), {static_cast<std::uint16_t>(fnc <= 1 ? 0x8814 : 0x8600),
                                   static_cast<std::uint16_t>(fnc <= 1 ? 0x8000 : 0x8600)});
        if (wide) words.insert(words.end(), {0x8000, 0x8000});
    }
    return words;
}

TEST_F(ConvertRoundTrip, EveryFormWithALengthLoadsWithItsTextAndConvertsBackToItsWords) {
    std::istringstream table(kApplicationTable);
    int forms = 0;
    for (std::string row; std::getline(table, row, ',');) {
        std::istringstream fields(row);
        int fnc = 0, k = 0;
        std::string name;
        fields >> fnc >> name >> k;
        for (const std::string form : {"16", "D", "P", "DP"}) {
            const bool wide = form[0] == 'D', pulse = form.back() == 'P';
            const auto code =
                static_cast<std::uint16_t>(16 + 2 * fnc + (wide ? 1 : 0) + (pulse ? 0x1000 : 0));
            const std::string missing = " " + formsWithoutLength(fnc) + " ";
            if (missing.find(" " + form + " ") != std::string::npos) continue;
            ++forms;
            // Compare LD contacts open their own rung; SRET to FEND, FOR and NEXT stand alone.
            const bool alone = (fnc >= 224 && fnc <= 231) || (fnc >= 2 && fnc <= 6) || fnc == 8 || fnc == 9;
            Words words{0x2400, code};
            if (alone) words.erase(words.begin());
            const Words operands = operandWords(fnc, k, wide);
            words.insert(words.end(), operands.begin(), operands.end());
            if (fnc >= 224 && fnc <= 246) words.push_back(0xC500);
            words.push_back(0x000F);
            const std::string text = textOfForm(fnc, name, wide, pulse);
            resetAllState();
            prepare();
            initPmwImageByType(5);
            put(words, 8);
            ASSERT_EQ(DeleteNopMachineCode(kProgramAreaOffset, "Open"), 0) << text;
            ASSERT_TRUE(load(words, 8)) << text;
            const stLadderBlock* shown = alone ? ldrHead : ldrHead->next;
            EXPECT_EQ(textOf(shown->mnemonic), text);
            EXPECT_EQ(ldrTail->stepNo, words.size() - 1) << text;
            ASSERT_TRUE(runCommand(LToM))
                << text << " " << (fakes.messages.shown.empty() ? "" : fakes.messages.shown.back().text);
            EXPECT_EQ(
                Words(pmw.program.begin(), pmw.program.begin() + static_cast<std::ptrdiff_t>(words.size())),
                words)
                << text;
        }
    }
    EXPECT_EQ(forms, 4 * 180 - 29);
}

}  // namespace
}  // namespace kestrion::test
