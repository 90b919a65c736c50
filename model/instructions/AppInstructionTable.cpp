#include "model/instructions/AppInstructionTable.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace kestrion {

namespace {

constexpr std::uint8_t kFormAll = kForm16 | kForm32 | kFormPulse16 | kFormPulse32;

// clang-format off
// Two columns of forms. The first holds every form a program may carry: the forms the program word
// check gives a length of 1 + 2k (1 + 4k in the 32-bit form), so that whatever a PLC or a file
// holds opens, shows with its text and converts back to the same words. Left out are the forms of
// length 1 that have operands (DRMMNP, DBLKP, DZPUSH, EMOV, D$+, DADPRW, HSCTP ...), IST, TTMR,
// STMR and HOUR, and the numbers without a row.
// The second column holds the forms the instruction box accepts: those its P column and 16-bit tag
// allow, within the first column.
constexpr AppInstruction kRows[] = {
    {0, "CJ", 1, kFormAll, kForm16 | kFormPulse16, AppKind::Pointer, true, true, BoxEntry::Accepted, "ptr", ""},
    {1, "CALL", 1, kFormAll, kForm16 | kFormPulse16, AppKind::Pointer, false, true, BoxEntry::Accepted, "ptr", ""},
    {2, "SRET", 0, kFormAll, kForm16, AppKind::Ordinary, false, false, BoxEntry::Accepted, "none (line ends)", ""},
    {3, "IRET", 0, kFormAll, kForm16, AppKind::Ordinary, false, false, BoxEntry::Accepted, "none (line ends)", ""},
    {4, "EI", 0, kFormAll, kForm16, AppKind::Ordinary, false, false, BoxEntry::Accepted, "none (line ends)", ""},
    {5, "DI", 0, kFormAll, kForm16, AppKind::Ordinary, false, false, BoxEntry::Accepted, "none (line ends)", ""},
    {6, "FEND", 0, kFormAll, kForm16, AppKind::Ordinary, false, false, BoxEntry::Accepted, "none (line ends)", ""},
    {7, "WDT", 0, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "none (line ends)", ""},
    {8, "FOR", 1, kFormAll, kForm16, AppKind::Ordinary, false, false, BoxEntry::Accepted, "src+0", ""},
    {9, "NEXT", 0, kFormAll, kForm16, AppKind::Ordinary, false, false, BoxEntry::Accepted, "none (line ends)", ""},
    {10, "CMP", 3, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, src+0, bit", ""},
    {11, "ZCP", 4, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, src+0, src+0, bit", ""},
    {12, "MOV", 2, kFormAll, kFormAll, AppKind::Move, true, true, BoxEntry::Accepted, "src+0, dst+0", ""},
    {13, "SMOV", 5, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::MatchedRefused, "", ""},
    {14, "CML", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, dst+0", "not1"},
    {15, "BMOV", 3, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, dst, K 0..128", ""},
    {16, "FMOV", 3, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, dst, K 0..128", "not1"},
    {17, "XCH", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "dst+0, dst+0", "not1"},
    {18, "BCD", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc+0, dst+0", ""},
    {19, "BIN", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc+0, dst+0", ""},
    {20, "ADD", 3, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, src+0, dst+0", ""},
    {21, "SUB", 3, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, src+0, dst+0", ""},
    {22, "MUL", 3, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, src+0, dst+0", ""},
    {23, "DIV", 3, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, src+0, dst+0", ""},
    {24, "INC", 1, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "dst+0", ""},
    {25, "DEC", 1, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "dst+0", ""},
    {26, "WAND", 3, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, src+0, dst+0", ""},
    {27, "WOR", 3, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, src+0, dst+0", ""},
    {28, "WXOR", 3, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, src+0, dst+0", ""},
    {29, "NEG", 1, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "dst+0", ""},
    {30, "ROR", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "dst+0, K 0..16 (with the 32-bit flag K 0..32)", "not1"},
    {31, "ROL", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "dst+0, K 0..16 (with the 32-bit flag K 0..32)", "not1"},
    {32, "RCR", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "dst+0, K 0..16 (with the 32-bit flag K 0..32)", "not1"},
    {33, "RCL", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "dst+0, K 0..16 (with the 32-bit flag K 0..32)", "not1"},
    {34, "SFTR", 4, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "bit, bit, K 0..256, K 0..256", ""},
    {35, "SFTL", 4, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "bit, bit, K 0..256, K 0..256", ""},
    {36, "WSFR", 4, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, dst, K 0..256, K 0..256", "not1"},
    {37, "WSFL", 4, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, dst, K 0..256, K 0..256", "not1"},
    {38, "SFWR", 3, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, dst, K 2..256", "not1"},
    {39, "SFRD", 3, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, dst+0, K 0..256", "not1"},
    {40, "ZRST", 2, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "dev, dev", ""},
    {41, "DECO", 3, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "dev or constant +0 (see DECO below), dev, K 0..8", ""},
    {42, "ENCO", 3, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "dev+0, wreg+0, K 0..8", ""},
    {43, "SUM", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, dst+0", "not1"},
    {44, "BON", 3, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, bit, K 0..15 (with the 32-bit flag K 0..31)", "not1"},
    {45, "MEAN", 3, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, dst+0, K 0..64 (see MEAN below)", "not1"},
    {46, "ANS", 3, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Absent, "", ""},
    {47, "ANR", 0, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Absent, "", ""},
    {48, "SQR", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "K/D, D/R", "not1"},
    {49, "FLT", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "D/R, D/R", "not1"},
    {50, "REF", 2, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "bit, K 0..64", ""},
    {51, "REFF", 1, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "K 0..60", "not1"},
    {52, "MTR", 4, kFormAll, kForm16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "bit, bit, bit, K 0..8", "not1"},
    {53, "HSCS", 3, kFormAll, kForm16 | kForm32, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, wreg, bit", ""},
    {54, "HSCR", 3, kFormAll, kForm16 | kForm32, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, wreg, bit", ""},
    {55, "HSZ", 4, kFormAll, kForm16 | kForm32, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, src+0, wreg, bit", "not1"},
    {56, "SPD", 3, kFormAll, kForm16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "bit, src+0, wreg", "not1"},
    {57, "PLSY", 3, kFormAll, kForm16 | kForm32, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, src+0, bit", ""},
    {58, "PWM", 3, kFormAll, kForm16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, src+0, bit", ""},
    {59, "PLSR", 4, kFormAll, kForm16 | kForm32, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, src+0, src+0, bit", "not1"},
    {60, "IST", 3, 0, 0, AppKind::Refused, true, true, BoxEntry::MatchedRefused, "", ""},
    {61, "SER", 4, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::MatchedRefused, "", ""},
    {62, "ABSD", 4, kFormAll, kForm16 | kForm32, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, wreg, bit, K 0..64", "not1"},
    {63, "INCD", 4, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, wreg, bit, K 0..64", "not1"},
    {64, "TTMR", 2, 0, 0, AppKind::Refused, true, true, BoxEntry::MatchedRefused, "", ""},
    {65, "STMR", 3, 0, 0, AppKind::Refused, true, true, BoxEntry::Absent, "", ""},
    {66, "ALT", 1, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "bit", ""},
    {67, "RAMP", 4, kFormAll, kForm16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "D/R, D/R, D/R, K 0..32767", ""},
    {68, "ROTC", 4, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::MatchedRefused, "", ""},
    {69, "SORT", 5, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::MatchedRefused, "", ""},
    {70, "TKY", 3, kFormAll, kForm16 | kForm32, AppKind::Ordinary, true, true, BoxEntry::Accepted, "bit, dst+0, bit", "not1"},
    {71, "HKY", 4, kFormAll, kForm16 | kForm32, AppKind::Ordinary, true, true, BoxEntry::Accepted, "bit, bit, wreg+0, bit", "not1"},
    {72, "DSW", 4, kFormAll, kForm16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "bit, bit, wreg+0, K 0..8", "not1"},
    {73, "SEGD", 2, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, dst+0", "not1"},
    {74, "SEGL", 3, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::MatchedRefused, "", ""},
    {75, "ARWS", 4, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::MatchedRefused, "", ""},
    {76, "ASC", 5, kFormAll, kForm16, AppKind::String, true, true, BoxEntry::Accepted, "text8, wreg", "not1"},
    {77, "PR", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::MatchedRefused, "", ""},
    {78, "FROM", 4, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "K 0..7, K 0..32767, dst+0, K 0..32 (with the 32-bit flag K 0..16)", "not1"},
    {79, "TO", 4, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "K 0..7, K 0..32767, src+0, K 0..32 (with the 32-bit flag K 0..16)", "not1"},
    {80, "RS", 4, kFormAll, kForm16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "D/R, nD 0..128, D/R, nD 0..128", ""},
    {81, "PRUN", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, src-nc", "not1"},
    {82, "ASCI", 3, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, dst, K 0..64", ""},
    {83, "HEX", 3, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src, dst+0, K 0..64", ""},
    {84, "CCD", 3, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, dst, KD 1..64", ""},
    {85, "VRRD", 2, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "K 0..3, dst+0", ""},
    {86, "VRSC", 2, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "K 0..3, dst+0", "not1"},
    {87, "RS2", 5, kFormAll, kForm16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "D/R, nD 0..128, D/R, nD 0..128, K 0..128", ""},
    {88, "PID", 4, kFormAll, kForm16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "D/R, D/R, D/R, D/R", "not1"},
    {96, "RMMN", 3, kForm16 | kForm32 | kFormPulse16, kForm16 | kForm32, AppKind::Ordinary, true, true, BoxEntry::Accepted, "three operands, none validated", "not1"},
    {97, "BLK", 3, kForm16 | kForm32 | kFormPulse16, kForm16 | kForm32 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, bit, bit", "not1"},
    {102, "ZPUSH", 1, kForm16 | kFormPulse16, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "dst", "only25"},
    {103, "ZPOP", 1, kForm16 | kFormPulse16, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "dst", "only25"},
    {110, "ECMP", 3, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "flt, flt, bit", "only25"},
    {111, "EZCP", 4, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "flt, flt, flt, bit", "only25"},
    {112, "EMOV", 2, kForm32 | kFormPulse32, kForm32 | kFormPulse32, AppKind::FloatMove, true, true, BoxEntry::Accepted, "flt+0, dst+0", "only25"},
    {118, "EBCD", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "D/R, D/R, then refused with a message (see below)", "only25"},
    {119, "EBIN", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "D/R, D/R, then refused with a message (see below)", "only25"},
    {120, "EADD", 3, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "flt, flt, D/R", "only25"},
    {121, "ESUB", 3, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "flt, flt, D/R", "only25"},
    {122, "EMUL", 3, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "flt, flt, D/R", "only25"},
    {123, "EDIV", 3, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "flt, flt, D/R", "only25"},
    {124, "EXP", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "flt, D/R", "only25"},
    {125, "LOGE", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "flt, D/R", "only25"},
    {126, "LOG10", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "flt, D/R", "only25"},
    {127, "ESQR", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "flt, D/R", "only25"},
    {128, "ENEG", 1, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "dst+0", "only25"},
    {129, "INT", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "D/R, D/R", "only25"},
    {130, "SIN", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "fltr, D/R", "only25"},
    {131, "COS", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "fltr, D/R", "only25"},
    {132, "TAN", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "fltr, D/R", "only25"},
    {133, "ASIN", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "fltr, D/R", "only25"},
    {134, "ACOS", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "fltr, D/R", "only25"},
    {135, "ATAN", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "fltr, D/R", "only25"},
    {136, "RAD", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "fltr, D/R", "only25"},
    {137, "DEG", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "fltr, D/R", "only25"},
    {147, "SWAP", 1, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "dst+0", "not1"},
    {150, "DSZR", 4, kFormAll, kForm16 | kForm32, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, src+0, bit, bit", "not1"},
    {151, "DVIT", 4, kFormAll, kForm16 | kForm32, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, src+0, bit, bit", "not1"},
    {152, "TBL", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "dst+0, K 0..16 (with the 32-bit flag K 0..32)", "not1"},
    {155, "ABS", 3, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Absent, "", ""},
    {156, "ZRN", 4, kFormAll, kForm16 | kForm32, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, src+0, bit, bit", "not1"},
    {157, "PLSV", 3, kFormAll, kForm16 | kForm32, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, bit, bit", "not1"},
    {158, "DRVI", 4, kFormAll, kForm16 | kForm32, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, src+0, bit, bit", "not1"},
    {159, "DRVA", 4, kFormAll, kForm16 | kForm32, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, src+0, bit, bit", "not1"},
    {160, "TCMP", 5, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, src+0, src+0, wreg, bit", "not1"},
    {161, "TZCP", 4, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "wreg, wreg, wreg, bit", "not1"},
    {162, "TADD", 3, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "wreg, wreg, wreg", "not1"},
    {163, "TSUB", 3, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "wreg, wreg, wreg", "not1"},
    {166, "TRD", 1, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "wreg", "not1"},
    {167, "TWR", 1, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "wreg", "not1"},
    {169, "HOUR", 3, 0, 0, AppKind::Refused, true, true, BoxEntry::MatchedRefused, "", ""},
    {170, "GRY", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, dst", "not1"},
    {171, "GBIN", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, dst", "not1"},
    {192, "BK+", 4, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, dst+0, dst+0, D/R+0", "not1"},
    {193, "BK-", 4, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, dst+0, dst+0, D/R+0", "not1"},
    {194, "BKCMP=", 4, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, dst+0, dst+0, D/R+0", "not1"},
    {195, "BKCMP>", 4, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, dst+0, dst+0, D/R+0", "not1"},
    {196, "BKCMP<", 4, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, dst+0, dst+0, D/R+0", "not1"},
    {197, "BKCMP!=", 4, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, dst+0, dst+0, D/R+0", "not1"},
    {198, "BKCMP<=", 4, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, dst+0, dst+0, D/R+0", "not1"},
    {199, "BKCMP>=", 4, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, dst+0, dst+0, D/R+0", "not1"},
    {200, "STR", 3, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, dst+0, dst+0", "not1"},
    {201, "VAL", 3, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, dst+0, dst+0", "not1"},
    {202, "$+", 3, kForm16 | kFormPulse16, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, dst+0, dst+0", "not1"},
    {203, "LEN", 2, kForm16 | kFormPulse16, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, dst+0", "not1"},
    {204, "RIGHT", 3, kForm16 | kFormPulse16, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, dst+0, dst+0", "not1"},
    {205, "LEFT", 3, kForm16 | kFormPulse16, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, dst+0, dst+0", "not1"},
    {206, "MIDR", 3, kForm16 | kFormPulse16, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, dst+0, dst+0", "not1"},
    {207, "MIDW", 3, kForm16 | kFormPulse16, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, dst+0, dst+0", "not1"},
    {208, "INSTR", 4, kForm16 | kFormPulse16, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, dst+0, dst+0, dst+0", "not1"},
    {209, "$MOV", 2, kForm16 | kFormPulse16, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, dst+0", "not1"},
    {210, "FDEL", 3, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, dst+0, K 0..256", "not1"},
    {211, "FINS", 3, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, dst+0, K 0..256", "not1"},
    {212, "POP", 3, kFormAll, kForm16 | kFormPulse16, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src-nc, dst+0, K 0..256", "not1"},
    {213, "SFR", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "dst+0, K 0..16 (with the 32-bit flag K 0..32)", "not1"},
    {214, "SFL", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "dst+0, K 0..16 (with the 32-bit flag K 0..32)", "not1"},
    {224, "LD=", 2, kFormAll, kForm16 | kForm32, AppKind::Compare, true, true, BoxEntry::Accepted, "src+0, src+0", "not1"},
    {225, "LD>", 2, kFormAll, kForm16 | kForm32, AppKind::Compare, true, true, BoxEntry::Accepted, "src+0, src+0", "not1"},
    {226, "LD<", 2, kFormAll, kForm16 | kForm32, AppKind::Compare, true, true, BoxEntry::Accepted, "src+0, src+0", "not1"},
    {228, "LD!=", 2, kFormAll, kForm16 | kForm32, AppKind::Compare, true, true, BoxEntry::Accepted, "src+0, src+0", "not1"},
    {229, "LD<=", 2, kFormAll, kForm16 | kForm32, AppKind::Compare, true, true, BoxEntry::Accepted, "src+0, src+0", "not1"},
    {230, "LD>=", 2, kFormAll, kForm16 | kForm32, AppKind::Compare, true, true, BoxEntry::Accepted, "src+0, src+0", "not1"},
    {232, "AND=", 2, kFormAll, kForm16 | kForm32, AppKind::Compare, true, true, BoxEntry::Accepted, "src+0, src+0", "not1"},
    {233, "AND>", 2, kFormAll, kForm16 | kForm32, AppKind::Compare, true, true, BoxEntry::Accepted, "src+0, src+0", "not1"},
    {234, "AND<", 2, kFormAll, kForm16 | kForm32, AppKind::Compare, true, true, BoxEntry::Accepted, "src+0, src+0", "not1"},
    {236, "AND!=", 2, kFormAll, kForm16 | kForm32, AppKind::Compare, true, true, BoxEntry::Accepted, "src+0, src+0", "not1"},
    {237, "AND<=", 2, kFormAll, kForm16 | kForm32, AppKind::Compare, true, true, BoxEntry::Accepted, "src+0, src+0", "not1"},
    {238, "AND>=", 2, kFormAll, kForm16 | kForm32, AppKind::Compare, true, true, BoxEntry::Accepted, "src+0, src+0", "not1"},
    {240, "OR=", 2, kFormAll, kForm16 | kForm32, AppKind::Compare, true, true, BoxEntry::Accepted, "src+0, src+0", "not1, top"},
    {241, "OR>", 2, kFormAll, kForm16 | kForm32, AppKind::Compare, true, true, BoxEntry::Accepted, "src+0, src+0", "not1, top"},
    {242, "OR<", 2, kFormAll, kForm16 | kForm32, AppKind::Compare, true, true, BoxEntry::Accepted, "src+0, src+0", "not1, top"},
    {244, "OR!=", 2, kFormAll, kForm16 | kForm32, AppKind::Compare, true, true, BoxEntry::Accepted, "src+0, src+0", "not1, top"},
    {245, "OR<=", 2, kFormAll, kForm16 | kForm32, AppKind::Compare, true, true, BoxEntry::Accepted, "src+0, src+0", "not1, top"},
    {246, "OR>=", 2, kFormAll, kForm16 | kForm32, AppKind::Compare, true, true, BoxEntry::Accepted, "src+0, src+0", "not1, top"},
    {256, "LIMIT", 4, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, src+0, src+0, dst+0", "not1"},
    {257, "BAND", 4, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, src+0, src+0, dst+0", "not1"},
    {258, "ZONE", 4, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, src+0, src+0, dst+0", "not1"},
    {259, "SCL", 3, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, src+0, dst+0", "not1"},
    {260, "DABIN", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, dst+0", "not1"},
    {261, "BINDA", 2, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, dst+0", "not1"},
    {269, "SCL2", 3, kFormAll, kFormAll, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, src+0, dst+0", "not1"},
    {276, "ADPRW", 5, kForm16, kForm16, AppKind::Ordinary, true, false, BoxEntry::Accepted, "src+0, src+0, src+0, src+0, dst+0", "not1"},
    {280, "HSCT", 5, kForm16 | kForm32, kForm16 | kForm32, AppKind::Ordinary, true, true, BoxEntry::Accepted, "src+0, K 0..16 (with the 32-bit flag K 0..32), src+0, bit, K 0..16 (with the 32-bit flag K 0..32)", "not1"},
};

const std::array kAlternates = {
    AppAlternateName{"BKADD", 192},   AppAlternateName{"BKSUB", 193},    AppAlternateName{"BKCMPEQ", 194},
    AppAlternateName{"BKCMPGT", 195}, AppAlternateName{"BKCMPLT", 196},  AppAlternateName{"BKCMP<>", 197},
    AppAlternateName{"BKCMPNEQ", 197}, AppAlternateName{"BKCMPLEQ", 198}, AppAlternateName{"BKCMPGEQ", 199},
    AppAlternateName{"$ADD", 202},    AppAlternateName{"LD<>", 228},     AppAlternateName{"AND<>", 236},
    AppAlternateName{"OR<>", 244},
};
// clang-format on

// The name with its letters: compare contacts take the D between family and relation.
std::string composeMnemonic(std::string_view name, const AppInstruction& row, bool wide, bool pulse) {
    std::string text;
    if (row.kind == AppKind::Compare) {
        const std::size_t relation = name.find_first_of("=<>!");
        text.append(name.substr(0, relation));
        if (wide) text.push_back('D');
        text.append(name.substr(relation));
    } else {
        if (wide && row.dLetter) text.push_back('D');
        text.append(name);
    }
    if (pulse && row.pLetter) text.push_back('P');
    return text;
}

}  // namespace

std::span<const AppInstruction> appInstructions() {
    return kRows;
}

const AppInstruction* findAppInstruction(int fnc) {
    const auto it = std::lower_bound(std::begin(kRows), std::end(kRows), fnc,
                                     [](const AppInstruction& row, int n) { return row.fnc < n; });
    return it != std::end(kRows) && it->fnc == fnc ? &*it : nullptr;
}

std::optional<AppCode> splitAppCode(std::uint32_t code) {
    const bool pulse = code >= 0x1010 && code <= 0x13FF;
    if (!pulse && (code < 0x0010 || code > 0x03FF)) return std::nullopt;
    const std::uint32_t base = code & 0x0FFF;
    return AppCode{static_cast<int>((base - 16) / 2), (base & 1) != 0, pulse};
}

std::uint16_t appCode(int fnc, bool wide, bool pulse) {
    return static_cast<std::uint16_t>(16 + 2 * fnc + (wide ? 1 : 0) + (pulse ? 0x1000 : 0));
}

bool carriesForm(const AppInstruction& row, bool wide, bool pulse) {
    return (row.forms & formBit(wide, pulse)) != 0;
}

bool boxAcceptsForm(const AppInstruction& row, bool wide, bool pulse) {
    return (row.boxForms & formBit(wide, pulse)) != 0;
}

int instructionWords(const AppInstruction& row, bool wide) {
    return 1 + (wide ? 4 : 2) * row.operands;
}

int instructionWords(std::uint32_t code) {
    const std::optional<AppCode> split = splitAppCode(code);
    if (!split) return 0;
    const AppInstruction* row = findAppInstruction(split->fnc);
    if (row == nullptr || !carriesForm(*row, split->wide, split->pulse)) return 0;
    return instructionWords(*row, split->wide);
}

int extraCells(const AppInstruction& row, bool wide) {
    if (row.kind == AppKind::String) return 2;
    return (wide ? 2 : 1) * row.operands;
}

std::string writtenMnemonic(const AppInstruction& row, bool wide, bool pulse) {
    return composeMnemonic(row.mnemonic, row, wide, pulse);
}

std::span<const AppAlternateName> appAlternateNames() {
    return kAlternates;
}

std::string_view appRefusalText(int fnc) {
    switch (fnc) {
        case 60: return "Fnc60 Error";
        case 64: return "Fnc64 Error";
        case 65: return "Fnc65 Error";
        default: return {};
    }
}

}  // namespace kestrion
