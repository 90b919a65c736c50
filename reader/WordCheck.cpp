#include "reader/WordCheck.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "lang/LangDialogs.h"
#include "lang/Language.h"
#include "model/image/ProgramImage.h"
#include "model/instructions/AppInstructionTable.h"
#include "platform/Box.h"
#include "platform/Services.h"
#include "reader/LoadState.h"
#include "reader/MachineWords.h"

namespace kestrion {

namespace {

constexpr std::uint16_t kEndMarker = 0xB40F;
constexpr int kHaltingFnc = 169;

enum class Refusal { WordZero, OperandWord, Fnc169, Undefined };

std::size_t indexOf(std::size_t byteOffset) {
    return (byteOffset - kProgramAreaOffset) / 2;
}

// Shows why the word at o is refused: the status text, then the pop-up (or a box where no
// pop-up can be shown).
void reportRefusal(Refusal refusal, std::size_t o, std::string_view label) {
    const std::string step = std::to_string(indexOf(o));
    const std::string error = getMsgInstructionCodeError();
    int panel = 0;
    std::string status;
    std::string line1 = error;
    std::string messageId;
    std::string boxText = error;
    std::string boxCaption;
    switch (refusal) {
        case Refusal::WordZero:
            status = "StepNo=" + step + " InstructionCodeError";
            messageId = "Error2014122290...";
            boxCaption = "Error2014122290";
            break;
        case Refusal::OperandWord:
            status = "StepNo=" + step;
            line1 = status + " " + error;
            messageId = boxText = "Error2014122003...";
            boxCaption = "DeleteNopMachineCode";
            break;
        case Refusal::Fnc169:
            panel = 13;
            status = "Fnc(169) Error...system halt";
            messageId = boxText = "Error2014122004...";
            boxCaption = "DeleteNopMachineCode";
            break;
        case Refusal::Undefined: {
            char offset[16];
            std::snprintf(offset, sizeof offset, "%04zX", o);
            status = "i=" + std::string(offset) + "\"" + std::string(label);
            messageId = "Error2014122005...";
            boxCaption = "Error2014122005";
            break;
        }
    }
    platform::statusBar().setPanelText(panel, status);
    if (DialogSeam<LangDialogs>::installed()) {
        langDialogs().appMessage(AppMessage{kWordCheckCaption, line1, messageId, ""});
        return;
    }
    platform::say({boxText, boxCaption, platform::MsgIcon::Error});
}

// True when every word from o up to the area limit is a NOP: removing them would only pull in
// further NOPs.
bool onlyNopsFrom(std::size_t o, std::size_t limit) {
    for (; o < limit; o += 2)
        if (programWordAt(o) != kEmptyWord) return false;
    return true;
}

// Removes the run of NOPs at o: the words behind it up to and including the word at the area
// limit move down over it, and the places they leave take the word at the limit.
void removeNopRun(std::size_t o, std::size_t limit) {
    std::size_t runEnd = o;
    while (runEnd < limit && programWordAt(runEnd) == kEmptyWord) runEnd += 2;
    const std::uint16_t atLimit = programWordAt(limit);
    auto& words = pmw.program;
    const std::size_t last = std::min(indexOf(limit), words.size());
    const std::size_t from = indexOf(runEnd);
    const std::size_t to = indexOf(o);
    std::copy(words.begin() + static_cast<std::ptrdiff_t>(from),
              words.begin() + static_cast<std::ptrdiff_t>(last),
              words.begin() + static_cast<std::ptrdiff_t>(to));
    std::fill(words.begin() + static_cast<std::ptrdiff_t>(to + last - from),
              words.begin() + static_cast<std::ptrdiff_t>(last), atLimit);
}

bool isOperandWord(std::uint16_t w) {
    const std::uint16_t group = w & 0xF000;
    return group >= 0x8000 && group < 0xB000;
}

// The words behind the code word at o (code) are operand words (bit 15 set, below the output codes
// 0xC000; an empty word 0xFFFF is stepped over as it stands), and the second word of a two-word
// pointer label is its 0xB2xx word. Anything else in their place would be read as an operand and
// shown as an instruction the program does not hold.
std::optional<std::size_t> misplacedWordIn(std::size_t o, std::uint16_t code, int length) {
    const bool label = (code >> 8) == 0xB1;
    for (std::size_t k = 1; k < static_cast<std::size_t>(length); ++k) {
        const std::uint16_t w = programWordAt(o + 2 * k);
        const bool fits = label ? (w >> 8) == 0xB2 : (w >= 0x8000 && w < 0xC000) || w == kEmptyWord;
        if (!fits) return o + 2 * k;
    }
    return std::nullopt;
}

// The end of the walk: behind END (or where the walk stopped) the program area becomes 0xFFFF,
// except a 0xB40F marker directly behind it.
void wipeBehind(std::size_t o) {
    std::size_t p = o + 2;
    if (programWordAt(p) == kEndMarker) {
        p = o + 4;
        readerState.endFollowedByB40F = true;
    }
    if (p < kPmwTailOffset)
        std::fill(pmw.program.begin() + static_cast<std::ptrdiff_t>(indexOf(p)), pmw.program.end(),
                  kEmptyWord);
}

// What the check makes of a code word by itself: the instruction it begins (its length), an
// application instruction it only warns about, or the refusal.
struct WordVerdict {
    enum class Kind : std::uint8_t { NotYet, Instruction, Warned, Refused };
    Kind kind = Kind::NotYet;
    Refusal refusal = Refusal::Undefined;
    std::uint8_t length = 0;
};

WordVerdict judgeWord(std::uint16_t w) {
    using Kind = WordVerdict::Kind;
    if (w == 0) return {Kind::Refused, Refusal::WordZero, 0};
    if (isOperandWord(w)) return {Kind::Refused, Refusal::OperandWord, 0};
    const auto split = splitAppCode(w);
    if (split && split->fnc == kHaltingFnc) return {Kind::Refused, Refusal::Fnc169, 0};
    if (split && !appRefusalText(split->fnc).empty()) return {Kind::Warned, Refusal::Undefined, 0};
    if (w < 0xF800 || w > 0xFFF7) {
        if (const int length = instructionLength(w); length > 0)
            return {Kind::Instruction, Refusal::Undefined, static_cast<std::uint8_t>(length)};
    }
    return {Kind::Refused, Refusal::Undefined, 0};
}

// The verdict of a word value, worked out the first time a check meets it: Convert checks every
// word of the program it wrote, and a program holds few different words.
WordVerdict verdictOf(std::uint16_t w) {
    static std::array<WordVerdict, 0x10000> verdicts{};
    WordVerdict& verdict = verdicts[w];
    if (verdict.kind == WordVerdict::Kind::NotYet) verdict = judgeWord(w);
    return verdict;
}

}  // namespace

int DeleteNopMachineCode(std::size_t byteOffset, std::string_view label) {
    readerState.endFollowedByB40F = false;
    const std::size_t limit = programAreaLimit(pmw.memSizeCode());
    std::size_t o = std::max(byteOffset, kProgramAreaOffset);
    for (;;) {
        const std::uint16_t w = programWordAt(o);
        if (w == kEndCode || o >= limit) break;
        if (w == kEmptyWord) {
            if (onlyNopsFrom(o, limit)) break;
            removeNopRun(o, limit);
            continue;
        }
        const WordVerdict verdict = verdictOf(w);
        switch (verdict.kind) {
            case WordVerdict::Kind::Warned:
                platform::say({std::string(appRefusalText(splitAppCode(w)->fnc)), "*DeleteNop",
                               platform::MsgIcon::Warning});
                o += 2;
                continue;
            case WordVerdict::Kind::Instruction:
                if (const std::optional<std::size_t> misplaced = misplacedWordIn(o, w, verdict.length)) {
                    reportRefusal(Refusal::Undefined, *misplaced, label);
                    return 1;
                }
                o += 2 * std::size_t{verdict.length};
                continue;
            default: reportRefusal(verdict.refusal, o, label); return 1;
        }
    }
    wipeBehind(o);
    return 0;
}

}  // namespace kestrion
