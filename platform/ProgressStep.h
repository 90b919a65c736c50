// The progress window of one long step (a load, Convert, a transfer of many frames), held for as
// long as the step runs. Steps nest: one begun inside another takes the window over, and when it
// ends it gives the window back to the outer step as that one left it (caption, range, position);
// the outermost step hides the window when it ends, however it ends.
#pragma once

#include <string>

namespace kestrion::platform {

class ProgressStep {
public:
    // Begins with the window as it is; the first show() shows it.
    ProgressStep();
    // Begins showing the caption with the bar at 0 of 0..maximum.
    ProgressStep(std::string caption, int maximum);
    ~ProgressStep();
    ProgressStep(const ProgressStep&) = delete;
    ProgressStep& operator=(const ProgressStep&) = delete;

    // The caption and the range 0..maximum, the bar at position.
    void show(std::string caption, int maximum, int position);
    // Another caption over the same bar.
    void setCaption(std::string caption);
    void setPosition(int position);
    // The window goes before the step ends; an inner step ending gives it back to none.
    void hide();

private:
    void showAgain() const;
    std::string caption_;
    int maximum_ = 0;
    int position_ = 0;
    bool shown_ = false;
    ProgressStep* outer_;
};

// Shows the window captioned, its bar over 0..steps (a negative count as 0) at 0.
void showProgressWindow(const std::string& caption, int steps);

}  // namespace kestrion::platform
