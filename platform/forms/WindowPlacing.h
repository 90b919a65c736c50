// Where the windows that are not placed over their opener go: centred on the screen; and the size
// of the dialogs made of fields and buttons.
#pragma once

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "platform/forms/TitleWidth.h"

namespace kestrion::forms {

// Centres the window's frame (title bar included) on the screen's free area.
inline void centreOnScreen(QWidget& window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
}

// A dialog of fields and buttons takes the size its layout needs in the font and language of the
// moment (and its caption, so the title bar does not cut it), and keeps it: it follows when a text
// changes, nothing in it is cut, and as it cannot be resized the window manager draws no resize
// handle under its buttons.
class LaidOutSize : public QObject {
public:
    explicit LaidOutSize(QWidget& window) : QObject(&window), window_(window) {
        // The size is this object's to set: the layout leaves the window's limits alone.
        window.layout()->setSizeConstraint(QLayout::SetNoConstraint);
        window.installEventFilter(this);
        fit();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::LayoutRequest:
            case QEvent::Show:
            case QEvent::WindowTitleChange:
            case QEvent::FontChange:
            case QEvent::StyleChange: fit(); break;
            default: break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void fit() {
        QSize wanted = window_.sizeHint();
        if (!window_.windowTitle().isEmpty()) wanted.setWidth(std::max(wanted.width(), titleWidth(window_)));
        if (window_.minimumSize() != wanted || window_.maximumSize() != wanted) window_.setFixedSize(wanted);
    }
    QWidget& window_;
};

inline void keepLaidOutSize(QWidget& window) {
    if (window.layout() != nullptr) new LaidOutSize(window);
}

}  // namespace kestrion::forms
