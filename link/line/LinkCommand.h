// The boundary of every command that talks to the PLC.
//
// A command runs its link steps inside one LinkSession, most simply through runLinkCommand:
// - Busy: while another request waits for its reply (its wait runs the message loop, so a click or
//   a timer can start a command meanwhile), the new session is refused before it sends anything:
//   a click is told so in a box, a timer tick passes quietly. Requests never interleave, and a
//   refused command never touches the port of the one that waits.
// - Port: when the session ends, however it ends, the port is closed, unless the session keeps it
//   open: started with PortAfter::KeepOpen (a running monitor, a dialog step of a command that
//   owns the port, the connection test of the Option menu) or switched with keepPortOpen() at an
//   exit that leaves it open. closePortAtEnd() switches back. A step that lets the port go before
//   its session ends, or where no session runs, calls releasePort(); the port closes nowhere else.
// - Failure: a step that fails shows its box (or has had it shown by the routine it called) and
//   throws LinkError; runLinkCommand catches it at the command's edge, after the box, and the
//   session then closes the port. A LinkError is a CommandError, so a command that changes the
//   model puts runCommand around or inside it and the model rolls back as well.
// - Input: while a command's session runs (nested ones counted), the user's input reaches only that
//   command's own windows: its progress window and the modal boxes and dialogs it opens. Its waits
//   run the message loop, and a key, a menu item or a close box of the main window handled there
//   could change or replace the program the command is writing. The window's side reads
//   linkCommandOwnsInput() and drops such input; it never reaches the window later. From the
//   outermost command's start to its end the window shows that it is busy
//   (platform::System::showBusy): the connection test and the first frames may take seconds before
//   any window of the command shows. A monitor's poll tick is no command: its session is opened as
//   SessionOf::PollTick and leaves the window usable and idle.
// - Progress: a platform::ProgressStep shows the progress window and hides it on every exit; an
//   inner one gives the window back to the outer one.
//
// How the link's users build on it:
// - A command (a menu item, a button): runLinkCommand(PortAfter::Close, [&] { requireConnection();
//   requireSystemBlock(); requireTypeMatch({text, caption, icon}); ...frames... }).
// - A transfer of many frames: the same, with a platform::ProgressStep before the loop, its position
//   set after each frame, and requireAnswered(outcome, timeOutBox, nakBox) after each frame's wait.
// - A dialog that keeps the link's port for its buttons (the any-command terminal, the force
//   dialog): the opener's session closes the port when the dialog closes; each button runs
//   runLinkCommand(PortAfter::KeepOpen, ...), with closePortAtEnd() where a failure gives the port up.
//   A terminal on a port of its own (the data intercept terminal) needs no session: it never
//   touches the link's port.
// - A monitor: its start runs as a command and calls keepPortOpen() once the monitor runs (a failed
//   start closes the port); each poll tick opens
//   LinkSession(PortAfter::KeepOpen, IfBusy::StayQuiet, SessionOf::PollTick),
//   returns when refused(), makes its one request, and calls closePortAtEnd() when it stops the
//   monitor; so the port stays open across the ticks, and the commands that run meanwhile pass
//   PortAfter::KeepOpen.
#pragma once

#include <string>
#include <type_traits>
#include <utility>

#include "link/line/Frames.h"
#include "link/line/LinkError.h"
#include "platform/Box.h"
#include "platform/ProgressStep.h"
#include "platform/Services.h"

namespace kestrion {

enum class PortAfter { Close, KeepOpen };
enum class IfBusy { Say, StayQuiet };
// What opens the session: a command (it owns the user's input while it runs) or a monitor's poll
// tick (the window stays usable meanwhile).
enum class SessionOf { Command, PollTick };

class LinkSession {
public:
    explicit LinkSession(PortAfter after = PortAfter::Close, IfBusy ifBusy = IfBusy::Say,
                         SessionOf of = SessionOf::Command);
    ~LinkSession();
    LinkSession(const LinkSession&) = delete;
    LinkSession& operator=(const LinkSession&) = delete;

    // Another request was waiting: nothing may be sent, and the port is left alone.
    bool refused() const { return refused_; }
    void keepPortOpen() { after_ = PortAfter::KeepOpen; }
    void closePortAtEnd() { after_ = PortAfter::Close; }

private:
    PortAfter after_;
    bool refused_;
    bool ownsInput_;
};

// True while a link command's session runs (not a poll tick's): the user's input then reaches only
// the command's own windows.
bool linkCommandOwnsInput();

// Runs body (taking the session, or nothing) inside a session. False when the session was
// refused, the body threw a LinkError or returned false; true when it ran to its end.
template <class Body>
bool runLinkCommand(PortAfter after, Body&& body, IfBusy ifBusy = IfBusy::Say) {
    LinkSession session(after, ifBusy);
    if (session.refused()) return false;
    try {
        if constexpr (std::is_invocable_v<Body, LinkSession&>) {
            using Result = std::invoke_result_t<Body, LinkSession&>;
            if constexpr (std::is_void_v<Result>)
                std::forward<Body>(body)(session);
            else
                return static_cast<bool>(std::forward<Body>(body)(session));
        } else {
            using Result = std::invoke_result_t<Body>;
            if constexpr (std::is_void_v<Result>)
                std::forward<Body>(body)();
            else
                return static_cast<bool>(std::forward<Body>(body)());
        }
    } catch (const LinkError&) {
        return false;
    }
    return true;
}

// Closes the link's port now: a step that gives it up before its session ends (the connection
// test reopening it at another rate, a protocol or port change), or one that runs outside any
// session (a cancelled entry before a command's frames, a panel or a monitor that stops). The end
// of a session closes it the same way.
void releasePort();

// Ends the command; what went wrong has been shown, or the command ends without a word.
[[noreturn]] void abandonCommand();
// Shows the box, then ends the command.
[[noreturn]] void failCommand(const platform::Box& box);

// The connection test that begins a command; it has said why when it ends the command (a failed
// test, no port, an unanswered last probe).
void requireConnection();
// D8000..D8127 with their boxes; detect 1 also detects the connected PLC's type.
void requireSystemBlock(int detect = 1);
// The connected PLC's type must be the project's; otherwise the box ends the command.
void requireTypeMatch(const platform::Box& mismatch);
// After a frame's wait: a NAK or a wrong check code shows the nak box, anything else but Done (a
// time-out, a frame that did not go) the time-out box, and the command ends.
void requireAnswered(LinkOutcome outcome, const platform::Box& timeOut, const platform::Box& nak);

}  // namespace kestrion
