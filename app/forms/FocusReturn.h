// The keyboard after a box or dialog closes. When a modal window that holds the activation closes,
// the window it leaves asks for the activation back: the modal window under it, else the window
// it stood over, else the main window. The window manager hands it back on its own only when it
// has learnt of the close in time: a box answered the moment it shows, at the end of a command
// that kept the program busy, left no window with the keyboard, and F4 or Ctrl+Z did nothing until
// a click. A window that closes without the activation (the user is in another program) leaves the
// activation where it is.
#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace kestrion::app {

class FocusReturn : public QObject {
public:
    // Watches every window of the application; owned by the main window.
    explicit FocusReturn(QWidget& mainWindow);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The window in line, once the command that closed the window has gone on (it may close a
    // dialog or open another).
    void giveBack();
    QWidget* windowInLine() const;

    QWidget& main_;
    QPointer<QWidget> left_;  // the window the last closed one stood over
    bool pending_ = false;
};

}  // namespace kestrion::app
