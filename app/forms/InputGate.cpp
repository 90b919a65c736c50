#include "app/forms/InputGate.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QShortcut>
#include <QTimer>
#include <QWidget>
#include <algorithm>

#include "editor/forms/ProgressForm.h"
#include "link/line/LinkCommand.h"

namespace kestrion::app {

namespace {

bool isUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::InputMethod:
        case QEvent::NativeGesture:
        case QEvent::Gesture: return true;
        default: return false;
    }
}

}  // namespace

void CommandInputGate::letThrough(QObject* action) {
    letThrough_.emplace_back(action);
}

void CommandInputGate::showBusy(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    if (!busy) {
        QApplication::restoreOverrideCursor();
        return;
    }
    // A dialog whose button started the command is busy with it, not waiting for the user.
    startedFrom_ = QApplication::activeModalWidget();
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

// A box or dialog the command opened waits for the user: the arrow over it, the wait cursor again
// when it has gone.
void CommandInputGate::followModalWindows() const {
    if (!busy_) return;
    const QWidget* modal = QApplication::activeModalWidget();
    QApplication::changeOverrideCursor(modal != nullptr && modal != startedFrom_ ? Qt::ArrowCursor
                                                                                 : Qt::WaitCursor);
}

// The progress window, a modal window, or a window (a pop-up, a tool window) owned by one of them.
bool CommandInputGate::ownWindow(const QWidget* window) const {
    for (const QWidget* at = window; at != nullptr;) {
        if (at == progress_.form() || at->isModal()) return true;
        const QWidget* owner = at->parentWidget();
        at = owner != nullptr ? owner->window() : nullptr;
    }
    return false;
}

// A widget by its window; a shortcut by the widgets it belongs to. Input for the window system's
// own windows goes on to their widgets, where it meets the gate again.
bool CommandInputGate::reachesOwnWindow(const QObject* receiver) const {
    if (const auto* widget = qobject_cast<const QWidget*>(receiver)) return ownWindow(widget->window());
    if (const auto* shortcut = qobject_cast<const QShortcut*>(receiver)) {
        const auto* owner = qobject_cast<const QWidget*>(shortcut->parent());
        return owner != nullptr && ownWindow(owner->window());
    }
    if (const auto* action = qobject_cast<const QAction*>(receiver)) {
        const QList<QObject*> owners = action->associatedObjects();
        return std::any_of(owners.begin(), owners.end(), [this](const QObject* owner) {
            const auto* widget = qobject_cast<const QWidget*>(owner);
            return widget != nullptr && ownWindow(widget->window());
        });
    }
    return true;
}

bool CommandInputGate::eventFilter(QObject* watched, QEvent* event) {
    // A window shown or hidden changes the modal windows once it has done so.
    if (busy_ && (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
        const auto* widget = qobject_cast<const QWidget*>(watched);
        if (widget != nullptr && widget->isWindow())
            QTimer::singleShot(0, this, [this] { followModalWindows(); });
    }
    if (!linkCommandOwnsInput() || !isUserInput(event->type()) || reachesOwnWindow(watched)) return false;
    if (event->type() == QEvent::Shortcut &&
        std::find(letThrough_.begin(), letThrough_.end(), watched) != letThrough_.end())
        return false;
    // A shortcut override left unaccepted lets the key go on as a shortcut, which meets the gate
    // at its action.
    event->ignore();
    return true;
}

}  // namespace kestrion::app
