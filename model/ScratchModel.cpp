#include "model/ScratchModel.h"

#include <utility>

#include "model/ModelState.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/EditMarks.h"
#include "model/ladder/VirtualCanvas.h"

namespace kestrion {

namespace {

// What a conversion reads of the user's model besides the ladder: the settings, the geometry the
// cells are laid out by, the flags and the program image (its type, its size, its words).
void carryOver(const ModelState& from, ModelState& to) {
    to.installDir = from.installDir;
    to.titleText = from.titleText;
    to.fileStateFlags = from.fileStateFlags;
    to.screenWidth = from.screenWidth;
    to.screenHeight = from.screenHeight;
    to.monitorMode = from.monitorMode;
    to.ModeData = from.ModeData;
    to.pmw = from.pmw;
    to.connectedPlcType = from.connectedPlcType;
    to.editModeFlags = from.editModeFlags;
    to.draw = from.draw;
    to.deviceColumns = from.deviceColumns;
    to.symbleHalfWidth = from.symbleHalfWidth;
    to.symbleHalfHeight = from.symbleHalfHeight;
    to.twoSymbleWidth = from.twoSymbleWidth;
    to.virtualArrayColumns = from.virtualArrayColumns;
    to.zoomPercent = from.zoomPercent;
}

}  // namespace

ScratchModel::ScratchModel() : view_(ladderView()), kept_(std::make_unique<ModelState>()) {
    installLadderView(nullptr);
    carryOver(modelState, *kept_);
    std::swap(modelState, *kept_);
    clearVirtualCanvas();
}

ScratchModel::~ScratchModel() {
    freeAllLadderObjects();
    freeAllEditMarks();
    std::swap(modelState, *kept_);
    installLadderView(view_);
}

}  // namespace kestrion
