// A conversion between ladder objects and machine code that cannot go on (a converter stack ran
// over or under, a check refused the ladder). The user has already been shown why; the command
// that runs the conversion catches it, restores the ladder, the program image and the comments,
// and the program goes on.
#pragma once

#include <string>
#include <utility>

#include "model/core/CommandError.h"
#include "model/core/LadderVerdict.h"

namespace kestrion {

class ConversionError : public CommandError {
public:
    // what() is the caption of the box that was shown.
    explicit ConversionError(const std::string& shownCaption)
        : CommandError(shownCaption), verdict_{LadderVerdict::Kind::Refused, false, 0, 0, {}} {}
    ConversionError(const std::string& shownCaption, LadderVerdict verdict)
        : CommandError(shownCaption), verdict_(std::move(verdict)) {}

    // Why the ladder was refused, and where, as the instruction box's trial reads it.
    const LadderVerdict& verdict() const { return verdict_; }

private:
    LadderVerdict verdict_;
};

}  // namespace kestrion
