// The gate the user's input passes while a link command runs: the command's waits run the message
// loop, and a key, a menu item, a shortcut, a click, a wheel turn or a drop handled there could
// change or replace the program the command is writing, or open a box that holds the command up.
// While linkCommandOwnsInput() such input reaches only the command's own windows: the progress
// window, the modal boxes and dialogs (the command's questions and dialogs, or the dialog whose
// button runs it) and the pop-ups and windows they own. Everything else is dropped, not kept for
// later; timers, painting and the window system's other events go on. Meanwhile the cursor is the
// wait cursor, so that input dropped does not look lost, except while a box or dialog the command
// opened waits for the user's answer.
#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

class QWidget;

namespace kestrion::forms {
class QtProgress;
}

namespace kestrion::app {

class CommandInputGate : public QObject {
public:
    explicit CommandInputGate(const forms::QtProgress& progress) : progress_(progress) {}
    // An action whose shortcut still reaches its handler while a command runs: the handler waits
    // for the command itself (File > Exit).
    void letThrough(QObject* action);
    // A command that owns the input has begun (true) or ended (false).
    void showBusy(bool busy);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool ownWindow(const QWidget* window) const;
    bool reachesOwnWindow(const QObject* receiver) const;
    void followModalWindows() const;
    const forms::QtProgress& progress_;
    std::vector<QPointer<QObject>> letThrough_;
    bool busy_ = false;
    QPointer<const QWidget> startedFrom_;
};

}  // namespace kestrion::app
