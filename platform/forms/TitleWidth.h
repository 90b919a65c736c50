// Dialogs and message boxes whose caption is longer than their controls are wide: the title bar
// would cut it.
#pragma once

#include <QDialog>
#include <QFontMetrics>

namespace kestrion::forms {

// Room beside the caption for the title bar's icon and buttons.
constexpr int kTitleBarExtra = 160;

// The width a window needs for its caption not to be cut.
inline int titleWidth(const QWidget& window) {
    return QFontMetrics(window.font()).horizontalAdvance(window.windowTitle()) + kTitleBarExtra;
}

// Makes the dialog at least as wide as its caption needs.
inline void widenForTitle(QDialog& dialog) {
    const int needed = titleWidth(dialog);
    if (dialog.minimumWidth() < needed) dialog.setMinimumWidth(needed);
}

}  // namespace kestrion::forms
