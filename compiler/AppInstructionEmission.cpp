#include "compiler/AppInstructionEmission.h"

#include <string>

#include "compiler/CompilerState.h"
#include "compiler/WordEmitter.h"
#include "model/instructions/AppInstructionTable.h"
#include "model/ladder/LadderObject.h"
#include "reader/OperandWords.h"

namespace kestrion {

namespace {

std::string operandOf(int i) {
    return textOf(ldrConv->operands[static_cast<std::size_t>(i)]);
}

bool isBitGroup(const std::string& text) {
    if (text.size() < 3 || text[0] != 'K') return false;
    const char letter = text[2];
    return letter == 'X' || letter == 'Y' || letter == 'M' || letter == 'S';
}

// The operand kinds a move accepts, by the first letter (a bit group counted apart).
enum class Kind { Constant, Hex, Real, Group, Timer, Counter, Data, File, Index, Buffer, Other };

Kind kindOf(const std::string& text) {
    if (isBitGroup(text)) return Kind::Group;
    switch (text.empty() ? '\0' : text[0]) {
        case 'K': return Kind::Constant;
        case 'H': return Kind::Hex;
        case 'E': return Kind::Real;
        case 'T': return Kind::Timer;
        case 'C': return Kind::Counter;
        case 'D': return Kind::Data;
        case 'R': return Kind::File;
        case 'V':
        case 'Z': return Kind::Index;
        case 'U': return Kind::Buffer;
        default: return Kind::Other;
    }
}

std::uint32_t encode(OperandSink& sink, std::uint32_t step, const std::string& text) {
    return kindOf(text) == Kind::Buffer ? encodeUGText(sink, step, text) : encodeOperand(sink, step, text);
}

// MOV: any source of the list, a destination that is not a constant.
void checkMove(const std::string& source, const std::string& destination) {
    const Kind s = kindOf(source);
    if (s == Kind::Real || s == Kind::Other) refuseObject("Error2015101601.OpCode1 Error");
    const Kind d = kindOf(destination);
    if (d == Kind::Constant) refuseObject("Error2015101602.OpCode2 Error");
    if (d == Kind::Hex) refuseObject("Error2015101603.OpCode2 Error");
    if (d == Kind::Real || d == Kind::Other) refuseObject("Error2015101604.OpCode2 Error");
}

// EMOV: a real source (or a register holding one), a register destination.
void checkFloatMove(const std::string& source, const std::string& destination) {
    const Kind s = kindOf(source);
    if (s == Kind::Timer || s == Kind::Counter || s == Kind::Buffer || s == Kind::Other)
        refuseObject("Error2015101606.OpCode1 Error");
    const Kind d = kindOf(destination);
    if (d == Kind::Constant) refuseObject("Error2015101607.OpCode2 Error");
    if (d == Kind::Hex) refuseObject("Error2015101608.OpCode2 Error");
    if (d == Kind::Real || d == Kind::Buffer || d == Kind::Other)
        refuseObject("Error2015101609.OpCode2 Error");
}

}  // namespace

std::uint32_t emitAppInstruction(std::uint16_t code, std::uint32_t step) {
    const std::optional<AppCode> split = splitAppCode(code);
    if (!split) refuseObject("Error2014121607...");
    if (split->fnc == 169) refuseObject("Error2014121605...");
    if (const std::string_view text = appRefusalText(split->fnc); !text.empty()) refuseObject(text);
    const AppInstruction* row = findAppInstruction(split->fnc);
    if (row == nullptr || !carriesForm(*row, split->wide, split->pulse) || row->kind == AppKind::Refused)
        refuseObject("No This FncCode... system halt...");

    // Every operand is checked before the first word, so a refusal leaves nothing half written.
    const std::string first = operandOf(0);
    if (row->kind == AppKind::Move) checkMove(first, operandOf(1));
    if (row->kind == AppKind::FloatMove) checkFloatMove(first, operandOf(1));

    OperandSink sink{[](std::uint32_t s, std::uint16_t w) { return emitWord(s, w); }, split->wide};
    step = emitWord(step, applyDPFlags(static_cast<std::uint16_t>(code & 0xEFFE)));
    switch (row->kind) {
        case AppKind::Pointer: return encodePointerText(sink, step, first);
        case AppKind::String:
            if (split->wide) break;  // the 32-bit form is read as five plain operands
            step = encodeStringText(sink, step, first);
            return encode(sink, step, operandOf(1));
        default: break;
    }
    for (int i = 0; i < row->operands; ++i) step = encode(sink, step, operandOf(i));
    return step;
}

}  // namespace kestrion
