#include "platform/ProgressStep.h"

#include <utility>

#include "platform/Services.h"

namespace kestrion::platform {

namespace {

ProgressStep* innermost = nullptr;

}  // namespace

void showProgressWindow(const std::string& caption, int steps) {
    progress().show(caption, 0, steps < 0 ? 0 : steps);
    progress().setPosition(0);
}

ProgressStep::ProgressStep() : outer_(innermost) {
    innermost = this;
}

ProgressStep::ProgressStep(std::string caption, int maximum) : ProgressStep() {
    show(std::move(caption), maximum, 0);
}

ProgressStep::~ProgressStep() {
    innermost = outer_;
    if (outer_ != nullptr && outer_->shown_)
        outer_->showAgain();
    else
        progress().hide();
}

void ProgressStep::show(std::string caption, int maximum, int position) {
    caption_ = std::move(caption);
    maximum_ = maximum;
    shown_ = true;
    progress().show(caption_, 0, maximum_ < 0 ? 0 : maximum_);
    setPosition(position);
}

void ProgressStep::setCaption(std::string caption) {
    caption_ = std::move(caption);
    shown_ = true;
    progress().show(caption_, 0, maximum_ < 0 ? 0 : maximum_);
}

void ProgressStep::setPosition(int position) {
    position_ = position;
    progress().setPosition(position);
}

void ProgressStep::hide() {
    shown_ = false;
    progress().hide();
}

void ProgressStep::showAgain() const {
    showProgressWindow(caption_, maximum_);
    if (position_ != 0) progress().setPosition(position_);
}

}  // namespace kestrion::platform
