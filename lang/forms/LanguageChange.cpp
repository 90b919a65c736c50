#include "lang/forms/LanguageChange.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace kestrion::forms {

void announceLanguageChange() {
    // Sent, not posted: the windows show the new captions before the command that chose the
    // language returns. A widget passes the event on to its children, dialogs and menus included.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->parentWidget() != nullptr) continue;
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(window, &change);
    }
}

}  // namespace kestrion::forms
