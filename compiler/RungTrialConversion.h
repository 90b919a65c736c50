// The instruction box's trial (entry/RungTrial.h) as Convert answers it: the rung is put alone into
// a model of its own (ScratchModel), converted there by the whole of Convert with its reload, and
// what the load reads back is held against the rung as it was drawn. Nothing the user sees moves:
// the boxes, the status bar and the progress window of that conversion are captured, and its pop-ups
// shown to nobody.
#pragma once

#include "entry/RungTrial.h"

namespace kestrion {

class RungTrialConversion final : public RungTrial {
public:
    LadderVerdict tryRung(const RungCopy& rung) override;
};

}  // namespace kestrion
