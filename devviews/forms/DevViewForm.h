// The windows of the developer views: a caption over a read-only memo in a fixed-pitch font, so
// hex rows and grid rows stand in columns. TObjLadderForm is the one of the ladder objects.
#pragma once

#include <QDialog>

#include "devviews/DevViewsDialogs.h"

class QPlainTextEdit;
class QPushButton;

namespace kestrion::forms {

class TDevViewForm : public QDialog {
    Q_OBJECT
public:
    explicit TDevViewForm(const DevTextView& view, QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* btnClose = nullptr;
};

class TObjLadderForm : public TDevViewForm {
    Q_OBJECT
public:
    using TDevViewForm::TDevViewForm;
};

// Makes the view's window, shows it modally and destroys it.
void runDevViewForm(const DevTextView& view);

}  // namespace kestrion::forms
