#include "app/forms/FocusReturn.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>

namespace kestrion::app {

FocusReturn::FocusReturn(QWidget& mainWindow) : QObject(&mainWindow), main_(mainWindow) {
    qApp->installEventFilter(this);
}

bool FocusReturn::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Hide || !watched->isWidgetType()) return false;
    auto* closed = static_cast<QWidget*>(watched);
    // Pop-ups (the instruction box, menus) leave the keyboard to the window they belong to.
    if (!closed->isWindow() || !closed->isModal() || closed->windowType() == Qt::Popup) return false;
    // The application forgets its active widget as the window hides; the window system's focus
    // window still names the one that held the keyboard.
    const bool held =
        QGuiApplication::focusWindow() != nullptr && QGuiApplication::focusWindow() == closed->windowHandle();
    if (!held && QApplication::activeWindow() != closed) return false;
    left_ = closed->parentWidget();
    if (!pending_) {
        pending_ = true;
        QTimer::singleShot(0, this, [this] { giveBack(); });
    }
    return false;
}

QWidget* FocusReturn::windowInLine() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    for (QWidget* over = left_; over != nullptr; over = over->parentWidget())
        if (over->window()->isVisible()) return over->window();
    return &main_;
}

void FocusReturn::giveBack() {
    pending_ = false;
    // An open pop-up holds the keyboard itself (the instruction box brought back after its box).
    if (QApplication::activePopupWidget() != nullptr) return;
    QWidget* next = windowInLine();
    if (next->isVisible()) next->activateWindow();
}

}  // namespace kestrion::app
