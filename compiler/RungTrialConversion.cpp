#include "compiler/RungTrialConversion.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "compiler/CompilerState.h"
#include "compiler/ConvertCommand.h"
#include "editor/EditorViewState.h"
#include "editor/LineCells.h"
#include "lang/LangDialogs.h"
#include "model/ScratchModel.h"
#include "model/core/ConversionError.h"
#include "model/core/LinkedList.h"
#include "model/image/ModeData.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/DrawnLogic.h"
#include "model/ladder/ModelDialogs.h"
#include "model/ladder/VirtualCanvas.h"
#include "platform/CapturedServices.h"
#include "reader/LoadState.h"

namespace kestrion {

namespace {

// The state of the floors a conversion keeps besides the model, set aside for the trial's own.
class FloorStatesAside {
public:
    FloorStatesAside()
        : compiler_(std::exchange(compilerState, {})),
          reader_(std::exchange(readerState, {})),
          editor_(std::exchange(editorView, {})) {}
    ~FloorStatesAside() {
        compilerState = std::move(compiler_);
        readerState = std::move(reader_);
        editorView = std::move(editor_);
    }
    FloorStatesAside(const FloorStatesAside&) = delete;
    FloorStatesAside& operator=(const FloorStatesAside&) = delete;

private:
    CompilerState compiler_;
    ReaderState reader_;
    EditorViewState editor_;
};

// The pop-ups a conversion opens (its "Completed" message, the word check's refusal, a stack view)
// are shown to nobody: the verdict says what a refusal means.
class UnshownDialogs final : public LangDialogs, public ModelDialogs {
public:
    void appMessage(const AppMessage&) override {}
    void about(const AboutBox&) override {}
    void showStackCode(const StackCodeView&) override {}
    PlcTypeFormResult showPlcTypeForm(std::int32_t, std::int32_t) override { return {}; }
};

// The rung at the top of the empty ladder, END on the line below it. Its blocks are numbered from 1
// in the order the rung holds them and END's follows them, as in a ladder of this rung alone.
void putRung(const RungCopy& rung) {
    initLadderList(draw.iBusLineEnd - ModeData.xSizeSymble, rung.lines * ModeData.ySizeSymble);
    setOutputCells(ldrTail->xAddr, ldrTail->yAddr);
    std::vector<std::uint32_t> blocks;
    for (const stLadderBlock& from : rung.objects) {
        auto* o = new stLadderBlock(from);
        auto block = std::find(blocks.begin(), blocks.end(), from.objLbc);
        if (block == blocks.end()) block = blocks.insert(blocks.end(), from.objLbc);
        o->objLbc = static_cast<std::uint32_t>(block - blocks.begin()) + 1;
        o->yAddr -= rung.top;
        o->yTopPos = o->yTopPos >= rung.top ? o->yTopPos - rung.top : 0;
        links::insertBefore(ldrList, ldrTail, o);
    }
    ldrTail->objLbc = static_cast<std::uint32_t>(blocks.size()) + 1;
    for (std::size_t row = 0; row < rung.rows.size(); ++row)
        for (std::size_t column = 0; column < rung.rows[row].size(); ++column)
            VirtualArray.put(static_cast<std::int64_t>(column), static_cast<std::int64_t>(row),
                             rung.rows[row][column]);
    ldrNow = ldrTail;
}

// The verdict of the trial's Convert, placed on the ladder the rung came from. A refusal that says
// no reason of its own (a pass that cannot go on) is told in words, not by the pass's message id.
LadderVerdict onLadder(LadderVerdict verdict, const RungCopy& rung) {
    if (verdict.placed) verdict.y += rung.top;
    if (verdict.kind == LadderVerdict::Kind::Refused && verdict.reason.empty()) {
        verdict = LadderVerdict::at(LadderVerdict::Kind::Refused, verdict.placed ? verdict.x : 0,
                                    verdict.placed ? verdict.y : rung.top,
                                    lineReason(rung.top, "Convert cannot write this rung as it is drawn."));
    } else if (!verdict.reason.empty()) {
        // "Line N: ..." counts from the trial's first line
        const std::size_t colon = verdict.reason.find(": ");
        if (verdict.reason.starts_with("Line ") && colon != std::string::npos)
            verdict.reason = lineReason(verdict.y, verdict.reason.substr(colon + 2));
    }
    return verdict;
}

// The program words the scratch's image holds up to END.
std::vector<std::uint16_t> wordsToEnd() {
    const auto end = std::find(pmw.program.begin(), pmw.program.end(), kEndCode);
    return {pmw.program.begin(), end == pmw.program.end() ? end : end + 1};
}

}  // namespace

LadderVerdict RungTrialConversion::tryRung(const RungCopy& rung) {
    UnshownDialogs unshown;
    const InstalledDialogs<LangDialogs> langUnshown(unshown);
    const InstalledDialogs<ModelDialogs> modelUnshown(unshown);
    const FloorStatesAside floors;
    const platform::CapturedServices captured;
    const ScratchModel scratch;
    putRung(rung);
    const auto convert = [&]() -> LadderVerdict {
        try {
            LToM();
        } catch (const ConversionError& stopped) {
            return onLadder(stopped.verdict(), rung);
        } catch (const CommandError&) {
            return onLadder({LadderVerdict::Kind::Refused, false, 0, 0, {}}, rung);
        }
        return {};
    };
    if (LadderVerdict first = convert(); !first.converts()) return first;
    // What Convert wrote must stand: converted again, the ladder it read back gives the same words.
    const std::vector<std::uint16_t> written = wordsToEnd();
    const LadderVerdict again = convert();
    if (again.converts() && wordsToEnd() == written) return again;
    return LadderVerdict::at(LadderVerdict::Kind::OtherLogic, 0, rung.top,
                             lineReason(rung.top, "Convert would not write this rung the same way twice."));
}

}  // namespace kestrion
