#include "model/instructions/OperandPatterns.h"

namespace kestrion {

namespace {

constexpr OperandPosition of(OperandKind kind) {
    OperandPosition p;
    p.kind = kind;
    return p;
}

constexpr OperandPosition limited(OperandKind kind, OperandLimits limits, OperandLimits limits32) {
    OperandPosition p = of(kind);
    p.limits = limits;
    p.limits32 = limits32;
    return p;
}

// K a..b: a constant within the limits, the same with and without the 32-bit flag.
constexpr OperandPosition k(std::int32_t min, std::int32_t max) {
    return limited(OperandKind::Const, {min, max}, {min, max});
}
// K a..b, with the 32-bit flag K c..d.
constexpr OperandPosition k(std::int32_t min, std::int32_t max, std::int32_t min32, std::int32_t max32) {
    return limited(OperandKind::Const, {min, max}, {min32, max32});
}
// KD a..b: a constant within the limits, or a D or R register.
constexpr OperandPosition kd(std::int32_t min, std::int32_t max) {
    return limited(OperandKind::ConstOrReg, {min, max}, {min, max});
}
// nD a..b: a D register, or a constant within the limits.
constexpr OperandPosition nd(std::int32_t min, std::int32_t max) {
    return limited(OperandKind::ConstOrD, {min, max}, {min, max});
}

constexpr OperandPosition src = of(OperandKind::Src);
constexpr OperandPosition dst = of(OperandKind::Dst);
constexpr OperandPosition srcNc = of(OperandKind::SrcNc);
constexpr OperandPosition kOrD = of(OperandKind::KOrD);
constexpr OperandPosition dev = of(OperandKind::Dev);
constexpr OperandPosition bit = of(OperandKind::Bit);
constexpr OperandPosition wreg = of(OperandKind::Wreg);
constexpr OperandPosition ptr = of(OperandKind::Ptr);
constexpr OperandPosition dOrR = of(OperandKind::DOrR);
constexpr OperandPosition text8 = of(OperandKind::Text8);
// Integer constants of a real-number operand take the 16-bit range.
constexpr OperandPosition flt = limited(OperandKind::Flt, {-32768, 32767}, {-32768, 32767});
constexpr OperandPosition fltr = of(OperandKind::Fltr);
constexpr OperandPosition contact = of(OperandKind::Contact);
constexpr OperandPosition set = of(OperandKind::Set);
constexpr OperandPosition rst = of(OperandKind::Rst);
constexpr OperandPosition pulse = of(OperandKind::Pulse);
constexpr OperandPosition nest = of(OperandKind::Nest);
constexpr OperandPosition step = of(OperandKind::Step);
constexpr OperandPosition any = of(OperandKind::Unchecked);

constexpr std::uint8_t t16 = kTag16Bit;
constexpr std::uint8_t not1 = kTagNot1;
constexpr std::uint8_t only25 = kTagOnly25;
constexpr std::uint8_t top = kTagTop;

using R = PatternRule;

// clang-format off
constexpr OperandPattern kPatterns[] = {
    {t16, R::Plain, {}, "INV RET SRET IRET EI DI FEND WDT NEXT"},
    {t16, R::Label, {}, "P I"},
    {t16, R::Plain, {contact}, "LD LDI LDP LDF AND ANI ANDP ANDF"},
    {t16 | top, R::Plain, {contact}, "OR ORI ORP ORF"},
    {t16, R::Out, {of(OperandKind::OutDevice), of(OperandKind::OutSetValue)}, "OUT"},
    {t16, R::Plain, {set}, "SET"},
    {t16, R::Plain, {rst}, "RST"},
    {t16, R::PulseCoil, {pulse.notSpecialRelay()}, "PLS PLF"},
    {t16, R::Plain, {step}, "STL"},
    {t16, R::MasterControl, {nest, bit.notFirst("SX").notSpecialRelay()}, "MC"},
    {t16, R::Plain, {nest}, "MCR"},
    {t16, R::Plain, {ptr}, "CJ CALL"},
    {t16, R::Plain, {src.plus0()}, "FOR"},
    {0, R::Plain, {dst.plus0()}, "INC DEC NEG"},
    {not1, R::Plain, {dst.plus0()}, "SWAP"},
    {only25, R::Plain, {dst.plus0()}, "ENEG"},
    {t16 | only25, R::Plain, {dst}, "ZPUSH ZPOP"},
    {t16 | not1, R::Plain, {wreg.notFirst("VZ")}, "TRD TWR"},
    {t16, R::Plain, {bit.notFirst("X")}, "ALT"},
    {t16 | not1, R::Plain, {k(0, 60)}, "REFF"},
    {0, R::Plain, {src.plus0(), dst.plus0()}, "MOV"},
    {not1, R::Plain, {src.plus0(), dst.plus0()}, "CML SUM DABIN BINDA"},
    {t16 | not1, R::Plain, {src.plus0(), dst.plus0()}, "SEGD"},
    {not1, R::Plain, {src.plus0(), dst}, "GRY GBIN"},
    {not1, R::Plain, {dst.plus0(), dst.plus0()}, "XCH"},
    {0, R::Plain, {srcNc.plus0(), dst.plus0()}, "BCD BIN"},
    {t16 | not1, R::Plain, {srcNc.notFirst("VZ"), dst.plus0()}, "LEN $MOV"},
    {not1, R::Plain, {dst.plus0(), k(0, 16, 0, 32)}, "ROR ROL RCR RCL TBL SFR SFL"},
    {not1, R::Plain, {src.plus0(), src.plus0()},
     "LD= LD> LD< LD!= LD<= LD>= AND= AND> AND< AND!= AND<= AND>="},
    {not1 | top, R::Plain, {src.plus0(), src.plus0()}, "OR= OR> OR< OR!= OR<= OR>="},
    {t16, R::SameLetter, {dev.notFirst("XVZ"), dev.notFirst("XVZ")}, "ZRST"},
    {not1, R::Plain, {kOrD, dOrR}, "SQR"},
    {not1, R::Plain, {dOrR, dOrR}, "FLT"},
    {only25, R::Plain, {dOrR, dOrR}, "INT"},
    {t16, R::Plain, {bit.notFirst("MS"), k(0, 64)}, "REF"},
    {t16 | not1, R::Plain, {text8.notFirst("VZ"), wreg}, "ASC"},
    {not1, R::Plain, {srcNc.notFirst("TCDVZ").notThird("YS"), srcNc.notFirst("CDTVZ").notThird("XS")}, "PRUN"},
    {t16, R::Plain, {k(0, 3), dst.plus0()}, "VRRD"},
    {t16 | not1, R::Plain, {k(0, 3), dst.plus0()}, "VRSC"},
    {only25, R::Plain, {flt.plus0(), dst.plus0()}, "EMOV"},
    {only25, R::Plain, {flt, dOrR}, "EXP LOGE LOG10 ESQR"},
    {only25, R::Plain, {fltr, dOrR}, "SIN COS TAN ASIN ACOS ATAN RAD DEG"},
    {0, R::Plain, {src.plus0(), src.plus0(), dst.plus0()}, "ADD SUB MUL DIV WAND WOR WXOR"},
    {not1, R::Plain, {src.plus0(), src.plus0(), dst.plus0()}, "SCL SCL2"},
    {0, R::Plain, {src.plus0(), src.plus0(), bit.notFirst("X")}, "CMP"},
    {t16, R::Plain, {srcNc.notFirst("VZ"), dst.notFirst("VZ"), k(0, 128)}, "BMOV"},
    {not1, R::Plain, {src.plus0(), dst.notFirst("VZ"), k(0, 128)}, "FMOV"},
    {t16 | not1, R::Plain, {src.plus0(), dst.notFirst("VZ"), k(2, 256)}, "SFWR"},
    {t16 | not1, R::Plain, {srcNc.notFirst("VZ"), dst.plus0(), k(0, 256)}, "SFRD FDEL FINS POP"},
    {t16, R::Plain, {of(OperandKind::DevOrConst).plus0(), dev.notFirst("XVZ"), k(0, 8)}, "DECO"},
    {t16, R::Plain, {dev.plus0(), wreg.plus0(), k(0, 8)}, "ENCO"},
    {not1, R::Plain, {src.plus0(), bit.notFirst("X"), k(0, 15, 0, 31)}, "BON"},
    {not1, R::Mean, {srcNc.notFirst("VZ"), dst.plus0(), k(0, 64)}, "MEAN"},
    {t16 | not1, R::Plain, {bit.notFirst("YMS"), src.plus0(), wreg}, "SPD"},
    {0, R::Plain, {src.plus0(), wreg.notFirst("TDVZ"), bit.notFirst("X").unchecked('I')}, "HSCS"},
    {0, R::Plain, {src.plus0(), wreg.notFirst("TDVZ"), bit.notFirst("X").unchecked('C')}, "HSCR"},
    {0, R::Plain, {src.plus0(), src.plus0(), bit.notFirst("MSX")}, "PLSY"},
    {t16, R::Plain, {src.plus0(), src.plus0(), bit.notFirst("MSX")}, "PWM"},
    {not1, R::Plain, {bit, dst.plus0(), bit.notFirst("X")}, "TKY"},
    {t16, R::Plain, {src.plus0(), dst.notFirst("VZ"), k(0, 64)}, "ASCI"},
    {t16, R::Plain, {src.notFirst("VZ"), dst.plus0(), k(0, 64)}, "HEX"},
    {t16, R::Plain, {srcNc.notFirst("VZ"), dst.notFirst("VZ").notThird("Y"), kd(1, 64)}, "CCD"},
    {not1, R::Plain, {any, any, any}, "RMMN"},
    {not1, R::Plain, {src.plus0(), bit, bit}, "BLK"},
    {only25, R::Plain, {flt, flt, bit.notFirst("X")}, "ECMP"},
    {only25, R::Plain, {flt, flt, dOrR}, "EADD ESUB EMUL EDIV"},
    {not1, R::Plain, {src.plus0(), bit.notFirst("XMS"), bit.notFirst("XMS")}, "PLSV"},
    {t16 | not1, R::Plain, {wreg.notFirst("VZ"), wreg.notFirst("VZ"), wreg.notFirst("VZ")}, "TADD TSUB"},
    {t16 | not1, R::Plain, {srcNc.notFirst("VZ"), dst.plus0(), dst.plus0()}, "STR VAL $+ RIGHT LEFT MIDR MIDW"},
    {0, R::Plain, {src.plus0(), src.plus0(), src.plus0(), bit.notFirst("X")}, "ZCP"},
    {t16, R::Plain, {bit, bit.notFirst("X"), k(0, 256), k(0, 256)}, "SFTR SFTL"},
    {t16 | not1, R::Plain, {srcNc.notFirst("VZ"), dst.notFirst("VZ"), k(0, 256), k(0, 256)}, "WSFR WSFL"},
    {t16 | not1, R::Plain, {bit.notFirst("YMS"), bit.notFirst("XMS"), bit, k(0, 8)}, "MTR"},
    {not1, R::Plain, {src.plus0(), src.plus0(), wreg.notFirst("TDVZ"), bit.notFirst("X")}, "HSZ"},
    {not1, R::Plain, {src.plus0(), src.plus0(), src.plus0(), bit.notFirst("MSX")}, "PLSR"},
    {not1, R::Plain, {srcNc.notFirst("VZ"), wreg.notFirst("TDVZ"), bit.notFirst("X"), k(0, 64)}, "ABSD"},
    {t16 | not1, R::Plain, {srcNc.notFirst("VZ"), wreg.notFirst("TDVZ"), bit.notFirst("X"), k(0, 64)}, "INCD"},
    {t16, R::Plain, {dOrR, dOrR, dOrR, k(0, 32767)}, "RAMP"},
    {not1, R::Plain, {bit.notFirst("YMS"), bit.notFirst("XMS"), wreg.plus0(), bit.notFirst("X")}, "HKY"},
    {t16 | not1, R::Plain, {bit.notFirst("YMS"), bit.notFirst("XMS"), wreg.plus0(), k(0, 8)}, "DSW"},
    {not1, R::Plain, {k(0, 7), k(0, 32767), dst.plus0(), k(0, 32, 0, 16)}, "FROM"},
    {not1, R::Plain, {k(0, 7), k(0, 32767), src.plus0(), k(0, 32, 0, 16)}, "TO"},
    {t16, R::Plain, {dOrR, nd(0, 128), dOrR, nd(0, 128)}, "RS"},
    {t16 | not1, R::Plain, {dOrR, dOrR, dOrR, dOrR}, "PID"},
    {only25, R::Plain, {flt, flt, flt, bit.notFirst("X")}, "EZCP"},
    {not1, R::Plain, {src.plus0(), src.plus0(), bit.notFirst("XMS"), bit.notFirst("XMS")}, "DSZR DVIT DRVI DRVA"},
    {not1, R::Plain, {src.plus0(), src.plus0(), bit.notFirst("YMS"), bit.notFirst("XMS")}, "ZRN"},
    {t16 | not1, R::Plain, {wreg.notFirst("VZ"), wreg.notFirst("VZ"), wreg.notFirst("VZ"), bit.notFirst("X")}, "TZCP"},
    {t16 | not1, R::Plain, {srcNc.notFirst("VZ"), dst.plus0(), dst.plus0(), dOrR.plus0()},
     "BK+ BK- BKCMP= BKCMP> BKCMP< BKCMP!= BKCMP<= BKCMP>="},
    {t16 | not1, R::Plain, {srcNc.notFirst("VZ"), dst.plus0(), dst.plus0(), dst.plus0()}, "INSTR"},
    {not1, R::Plain, {src.plus0(), src.plus0(), src.plus0(), dst.plus0()}, "LIMIT BAND ZONE"},
    {t16 | not1, R::Plain, {src.plus0(), src.plus0(), src.plus0(), wreg.notFirst("VZ"), bit.notFirst("X")}, "TCMP"},
    {t16, R::Plain, {dOrR, nd(0, 128), dOrR, nd(0, 128), k(0, 128)}, "RS2"},
    {not1, R::Plain, {src.plus0(), src.plus0(), src.plus0(), src.plus0(), dst.plus0()}, "ADPRW"},
    {not1, R::Plain, {src.plus0(), k(0, 16, 0, 32), src.plus0(), bit.notFirst("XMS"), k(0, 16, 0, 32)}, "HSCT"},
    {0, R::Refused, {}, "SMOV IST SER TTMR ROTC SORT SEGL ARWS PR HOUR"},
    {only25, R::UnsupportedBcd, {dOrR, dOrR}, "EBCD"},
    {only25, R::UnsupportedBin, {dOrR, dOrR}, "EBIN"},
};
// clang-format on

}  // namespace

bool OperandPattern::names(std::string_view mnemonic) const {
    std::string_view rest = instructions;
    while (!rest.empty()) {
        const std::size_t blank = rest.find(' ');
        const std::string_view name = rest.substr(0, blank);
        if (name == mnemonic) return true;
        if (blank == std::string_view::npos) break;
        rest.remove_prefix(blank + 1);
    }
    return false;
}

std::span<const OperandPattern> operandPatterns() {
    return kPatterns;
}

const OperandPattern* findOperandPattern(std::string_view mnemonic) {
    if (mnemonic.empty()) return nullptr;
    for (const OperandPattern& pattern : kPatterns) {
        if (pattern.names(mnemonic)) return &pattern;
    }
    return nullptr;
}

}  // namespace kestrion
