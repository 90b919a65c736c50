// Dialogs whose caption is longer than their controls are wide: the title bar would cut it.
#pragma once

#include <QDialog>
#include <QFontMetrics>

namespace kestrion::forms {

// Room beside the caption for the title bar's icon and buttons.
constexpr int kTitleBarExtra = 160;

// Makes the dialog at least as wide as its caption needs.
inline void widenForTitle(QDialog& dialog) {
    const int needed = QFontMetrics(dialog.font()).horizontalAdvance(dialog.windowTitle()) + kTitleBarExtra;
    if (dialog.minimumWidth() < needed) dialog.setMinimumWidth(needed);
}

}  // namespace kestrion::forms
