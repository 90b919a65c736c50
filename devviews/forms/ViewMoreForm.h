// TViewMoreForm: the developer access. Two check boxes, the developer menus and the developer
// views, preset from the state and read back with OK.
#pragma once

#include <QDialog>

#include "devviews/DevViewsDialogs.h"

class QCheckBox;
class QPushButton;

namespace kestrion::forms {

class TViewMoreForm : public QDialog {
    Q_OBJECT
public:
    explicit TViewMoreForm(QWidget* parent = nullptr);

    QCheckBox* DeveloperMenusCheckBox = nullptr;
    QCheckBox* DeveloperViewsCheckBox = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;
};

// Shows the form modally preset from the dialog and fills it with the choice.
void runViewMoreForm(ViewMoreDialog& dialog);

}  // namespace kestrion::forms
