// What the wizards' windows share: widgets placed at the pixel positions of their design, the
// window centred on the screen, and a picture stretched over its widget.
#pragma once

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QString>
#include <QWidget>

#include "platform/forms/WindowPlacing.h"

namespace kestrion::forms {

template <typename Widget, typename... Args>
Widget* placed(QWidget* parent, const char* name, int left, int top, int width, int height, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)..., parent);
    widget->setObjectName(name);
    widget->setGeometry(left, top, width, height);
    return widget;
}

// Keeps the window's title bar and close box only (no minimise or maximise buttons).
inline void systemMenuOnly(QWidget& window) {
    window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint);
}

// A picture drawn stretched over the whole widget; a file that cannot be read leaves it empty.
class PictureBox : public QWidget {
public:
    using QWidget::QWidget;
    void load(const QString& path) {
        picture_ = path.isEmpty() ? QImage() : QImage(path);
        update();
    }
    bool empty() const { return picture_.isNull(); }

protected:
    void paintEvent(QPaintEvent*) override {
        if (picture_.isNull()) return;
        QPainter painter(this);
        painter.drawImage(rect(), picture_);
    }

private:
    QImage picture_;
};

}  // namespace kestrion::forms
