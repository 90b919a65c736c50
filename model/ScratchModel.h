// A model of its own, for work the user's program must not feel (the trial conversion of one rung
// behind the instruction box). While a ScratchModel stands, the names of the model (pmw, ldrHead,
// VirtualArray, the comments, the flags, the cursor) are those of a fresh model that keeps the
// settings, the drawing geometry and the program image of the user's one, with an empty ladder
// and an empty canvas; no command is open (the user's command is set aside with its snapshots),
// and the ladder view is not reached. When it ends, everything the scratch made is freed and the
// user's model is back exactly as it was.
#pragma once

#include <memory>

#include "model/core/CommandTransaction.h"
#include "model/ladder/LadderObject.h"

namespace kestrion {

struct ModelState;
class LadderView;

class ScratchModel {
public:
    ScratchModel();
    ~ScratchModel();
    ScratchModel(const ScratchModel&) = delete;
    ScratchModel& operator=(const ScratchModel&) = delete;

private:
    transaction::Suspension commands_;
    LadderSnapshotsAside snapshots_;
    LadderView* view_;
    std::unique_ptr<ModelState> kept_;  // the user's model while the scratch stands in its place
};

}  // namespace kestrion
