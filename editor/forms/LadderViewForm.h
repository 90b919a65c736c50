// The ladder drawing surface of the main window (ladderEditScreen): it paints what the core lays
// out for its visible part and turns keys and mouse presses into the core's cursor and editing
// operations. Keys it has no use for (F4, shortcuts with Ctrl or Alt) go on to its parents.
#pragma once

#include <QWidget>
#include <functional>

#include "editor/LadderLayout.h"

class QScrollArea;

namespace kestrion::forms {

class LadderViewForm : public QWidget {
    Q_OBJECT
public:
    explicit LadderViewForm(QWidget* parent = nullptr);
    ~LadderViewForm() override;

    // The size the ladder needs at the current zoom.
    void syncSize();
    // The scroll area that holds the view, or null.
    QScrollArea* scrollArea() const;
    // The right button's pop-up menu, at a global position; the main window chooses which.
    std::function<void(const QPoint&)> onContextMenu;

signals:
    // A key or a click of the view has run: the menus may follow what it changed (Undo).
    void edited();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The view draws nothing of its own for the keyboard focus: gaining or losing it (the
    // instruction box opening and closing over it) repaints nothing.
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool handleKey(QKeyEvent* event);
    void scrollAsAsked(const ViewScroll& scroll);
    void afterEdit();

    LadderScreen screen_;
    // What the last paint outside a command drew (see paintEvent).
    Primitives painted_;
};

}  // namespace kestrion::forms
