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
// are shown to nobody; a refusal among them is kept with the boxes.
class UnshownDialogs final : public LangDialogs, public ModelDialogs {
public:
    explicit UnshownDialogs(std::vector<platform::CapturedBox>& refusals) : refusals_(refusals) {}
    void appMessage(const AppMessage& message) override {
        if (message.selfClose == 0)
            refusals_.push_back({message.line1, message.caption, platform::MsgIcon::Warning});
    }
    void about(const AboutBox&) override {}
    void showStackCode(const StackCodeView&) override {}
    PlcTypeFormResult showPlcTypeForm(std::int32_t, std::int32_t) override { return {}; }

private:
    std::vector<platform::CapturedBox>& refusals_;
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

// "Block 3 at 320,1664: its branch ..." is told without the block and place the trial gave it.
std::string withoutTrialPlace(const std::string& text) {
    if (!text.starts_with("Block ")) return text;
    const std::size_t colon = text.find(": ");
    return colon == std::string::npos ? text : text.substr(colon + 2);
}

// The first box but the notice of a ladder that begins with STL (the rung stands first in the
// trial, not always in the program), the message boxes before the pop-ups; none when Convert
// showed nothing else.
const platform::CapturedBox* firstRefusal(const std::vector<platform::CapturedBox>& boxes,
                                          const std::vector<platform::CapturedBox>& popUps) {
    for (const std::vector<platform::CapturedBox>* shown : {&boxes, &popUps})
        for (const platform::CapturedBox& box : *shown)
            if (box.text != kStlFirstNotice) return &box;
    return nullptr;
}

RungVerdict refused(const platform::CapturedBox* box) {
    return {RungVerdict::Kind::Refused, box != nullptr
                                            ? "Convert refuses this rung: " + withoutTrialPlace(box->text)
                                            : "Convert refuses this rung."};
}

// The program words the scratch's image holds up to END.
std::vector<std::uint16_t> wordsToEnd() {
    const auto end = std::find(pmw.program.begin(), pmw.program.end(), kEndCode);
    return {pmw.program.begin(), end == pmw.program.end() ? end : end + 1};
}

}  // namespace

RungVerdict RungTrialConversion::tryRung(const RungCopy& rung, RungMatch match) {
    std::vector<platform::CapturedBox> popUps;
    UnshownDialogs unshown(popUps);
    const InstalledDialogs<LangDialogs> langUnshown(unshown);
    const InstalledDialogs<ModelDialogs> modelUnshown(unshown);
    const FloorStatesAside floors;
    platform::CapturedServices captured;
    const ScratchModel scratch;
    putRung(rung);
    const auto convert = [&]() -> std::optional<RungVerdict> {
        try {
            LToM();
        } catch (const CommandError& stopped) {
            if (refusedForOpenWiring(stopped.what())) return RungVerdict{RungVerdict::Kind::Open, {}};
            return refused(firstRefusal(captured.boxes(), popUps));
        }
        if (const platform::CapturedBox* box = firstRefusal(captured.boxes(), popUps)) return refused(box);
        return std::nullopt;
    };
    if (std::optional<RungVerdict> stopped = convert()) return *stopped;
    const RungCopy back = copyLadderAboveEnd();
    const RungVerdict another{RungVerdict::Kind::Refused,
                              "Convert would write this rung as another ladder than the one drawn."};
    const bool asDrawn = drawnRung(back) == drawnRung(rung);
    if (!asDrawn && (match != RungMatch::SameShape || rungShape(back) != rungShape(rung))) return another;
    // What Convert wrote must stand: converted again, the ladder it read back gives the same words.
    const std::vector<std::uint16_t> written = wordsToEnd();
    if (std::optional<RungVerdict> stopped = convert())
        return stopped->kind == RungVerdict::Kind::Open ? another : *stopped;
    return wordsToEnd() == written ? RungVerdict{} : another;
}

}  // namespace kestrion
