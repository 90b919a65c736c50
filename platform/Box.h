// The message boxes of the core in one vocabulary: a box is its text, caption and icon; `say`
// shows it with OK, `askYesNo` asks it with Yes and No, `askYesNoCancel` with Yes, No and Cancel,
// `askOkCancel` with OK and Cancel. Every box goes through the installed message service, so the
// fake of the tests sees each one; nothing above the platform calls that service itself.
#pragma once

#include <string>
#include <vector>

#include "platform/Services.h"

namespace kestrion::platform {

// The icon has no default: every box names its own, and the build refuses a box without one.
struct Box {
    std::string text;
    std::string caption;
    MsgIcon icon;
};

// Shows the box with its OK button.
void say(const Box& box);

// Asks with Yes and No (YesNoDefaultNo where Yes cannot be taken back); true for Yes.
[[nodiscard]] bool askYesNo(const Box& box, MsgButtons buttons = MsgButtons::YesNo);

// Asks with Yes, No and Cancel, where No goes on without what Yes would do first.
[[nodiscard]] MsgAnswer askYesNoCancel(const Box& box);

// Asks with OK and Cancel; true for OK.
[[nodiscard]] bool askOkCancel(const Box& box);

// While one stands, the boxes `say` shows wait, in order, and are shown when it ends: a command that
// refuses its input says why once the model is put back, and the window behind the box shows the
// model as it stands again, not the command's half-done work. Questions are asked at once.
class SaidAfterwards {
public:
    SaidAfterwards();
    ~SaidAfterwards();
    SaidAfterwards(const SaidAfterwards&) = delete;
    SaidAfterwards& operator=(const SaidAfterwards&) = delete;

private:
    std::vector<Box> held_;
    std::vector<Box>* outer_;
};

// While one stands, `say` shows its box at once, whatever SaidAfterwards stands outside it.
class SaidNow {
public:
    SaidNow();
    ~SaidNow();
    SaidNow(const SaidNow&) = delete;
    SaidNow& operator=(const SaidNow&) = delete;

private:
    std::vector<Box>* outer_;
};

}  // namespace kestrion::platform
