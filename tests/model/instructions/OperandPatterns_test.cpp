#include "model/instructions/OperandPatterns.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace kestrion {
namespace {

// A row as the operand table reads: the operands with their limits and refusals, then the rules.
std::string describe(const OperandPattern& pattern) {
    static const std::map<OperandKind, const char*> names = {
        {OperandKind::Src, "src"},          {OperandKind::Dst, "dst"},
        {OperandKind::SrcNc, "src-nc"},     {OperandKind::KOrD, "K/D"},
        {OperandKind::Dev, "dev"},          {OperandKind::Bit, "bit"},
        {OperandKind::Wreg, "wreg"},        {OperandKind::Ptr, "ptr"},
        {OperandKind::DOrR, "D/R"},         {OperandKind::Text8, "text8"},
        {OperandKind::Const, "K"},          {OperandKind::ConstOrReg, "KD"},
        {OperandKind::ConstOrD, "nD"},      {OperandKind::Flt, "flt"},
        {OperandKind::Fltr, "fltr"},        {OperandKind::Contact, "contact"},
        {OperandKind::Set, "set"},          {OperandKind::Rst, "rst"},
        {OperandKind::Pulse, "pulse"},      {OperandKind::Nest, "N"},
        {OperandKind::Step, "step"},        {OperandKind::DevOrConst, "dev or constant"},
        {OperandKind::OutDevice, "device"}, {OperandKind::OutSetValue, "set value"},
        {OperandKind::Unchecked, "any"}};
    std::string text;
    for (std::size_t i = 0; i < pattern.operandCount(); ++i) {
        const OperandPosition& p = pattern.positions[i];
        text += (i == 0 ? "" : ", ") + std::string(names.at(p.kind)) + (p.completeIndex ? "+0" : "");
        if (p.kind == OperandKind::Const || p.kind == OperandKind::ConstOrReg ||
            p.kind == OperandKind::ConstOrD) {
            text += " " + std::to_string(p.limits.min) + ".." + std::to_string(p.limits.max);
            if (p.limits32.min != p.limits.min || p.limits32.max != p.limits.max)
                text += "/" + std::to_string(p.limits32.min) + ".." + std::to_string(p.limits32.max);
        }
        if (!p.refusedFirst.empty()) text += " not " + std::string(p.refusedFirst);
        if (!p.refusedThird.empty()) text += " third not " + std::string(p.refusedThird);
        if (p.uncheckedFirst != '\0') text += std::string(" any ") + p.uncheckedFirst;
        if (p.refuseSpecialRelay) text += " not M8000";
    }
    text += " |";
    for (const auto& [tag, name] :
         {std::pair{kTag16Bit, " 16-bit"}, {kTagNot1, " not1"}, {kTagOnly25, " only25"}, {kTagTop, " top"}})
        if (pattern.has(tag)) text += name;
    static const std::map<PatternRule, const char*> rules = {{PatternRule::Plain, ""},
                                                             {PatternRule::Label, " label"},
                                                             {PatternRule::Out, " out"},
                                                             {PatternRule::PulseCoil, " first fault"},
                                                             {PatternRule::MasterControl, " mc"},
                                                             {PatternRule::SameLetter, " same letter"},
                                                             {PatternRule::Mean, " mean"},
                                                             {PatternRule::UnsupportedBcd, " unsupported"},
                                                             {PatternRule::UnsupportedBin, " unsupported"},
                                                             {PatternRule::Refused, " refused"}};
    return text + rules.at(pattern.rule);
}

TEST(OperandPatternsTest, RowsOfTheOperandTable) {
    const std::pair<const char*, const char*> rows[] = {
        {"LDP", "contact | 16-bit"},
        {"ORF", "contact | 16-bit top"},
        {"PLF", "pulse not M8000 | 16-bit first fault"},
        {"MC", "N, bit not SX not M8000 | 16-bit mc"},
        {"NEG", "dst+0 |"},
        {"TWR", "wreg not VZ | 16-bit not1"},
        {"REFF", "K 0..60 | 16-bit not1"},
        {"MOV", "src+0, dst+0 |"},
        {"GBIN", "src+0, dst | not1"},
        {"$MOV", "src-nc not VZ, dst+0 | 16-bit not1"},
        {"SFL", "dst+0, K 0..16/0..32 | not1"},
        {"AND<=", "src+0, src+0 | not1"},
        {"OR!=", "src+0, src+0 | not1 top"},
        {"ZRST", "dev not XVZ, dev not XVZ | 16-bit same letter"},
        {"REF", "bit not MS, K 0..64 | 16-bit"},
        {"PRUN", "src-nc not TCDVZ third not YS, src-nc not CDTVZ third not XS | not1"},
        {"SFWR", "src+0, dst not VZ, K 2..256 | 16-bit not1"},
        {"BON", "src+0, bit not X, K 0..15/0..31 | not1"},
        {"HSCS", "src+0, wreg not TDVZ, bit not X any I |"},
        {"CCD", "src-nc not VZ, dst not VZ third not Y, KD 1..64 | 16-bit"},
        {"RMMN", "any, any, any | not1"},
        {"RAMP", "D/R, D/R, D/R, K 0..32767 | 16-bit"},
        {"TO", "K 0..7, K 0..32767, src+0, K 0..32/0..16 | not1"},
        {"RS", "D/R, nD 0..128, D/R, nD 0..128 | 16-bit"},
        {"BKCMP>=", "src-nc not VZ, dst+0, dst+0, D/R+0 | 16-bit not1"},
        {"HSCT", "src+0, K 0..16/0..32, src+0, bit not XMS, K 0..16/0..32 | not1"},
        {"HOUR", " | refused"},
        {"EBIN", "D/R, D/R | only25 unsupported"},
    };
    for (const auto& [mnemonic, row] : rows) {
        const OperandPattern* pattern = findOperandPattern(mnemonic);
        ASSERT_NE(pattern, nullptr) << mnemonic;
        EXPECT_EQ(describe(*pattern), row) << mnemonic;
    }
    // Mnemonics are found whole, in any place of their row.
    for (const char* unknown : {"", "MO", "MOVX", "NOP", "ANB", "DMOV", "BK", "CMP="})
        EXPECT_EQ(findOperandPattern(unknown), nullptr) << unknown;
    EXPECT_EQ(findOperandPattern("WXOR"), findOperandPattern("ADD"));
}

}  // namespace
}  // namespace kestrion
