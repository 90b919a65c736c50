// TobjMaskForm: Edit > Replace. The device or range of devices to replace, the device that takes
// the place of the first, and the whole program or a range of steps. OK keeps the dialog open
// while its rules refuse the fields (their box says why).
#pragma once

#include <QDialog>

#include "editor/EditorDialogs.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kestrion::forms {

class TobjMaskForm : public QDialog {
    Q_OBJECT
public:
    explicit TobjMaskForm(ReplaceDialog& dialog, QWidget* parent = nullptr);

    QLineEdit* FromEdit = nullptr;
    QLineEdit* ToEdit = nullptr;
    QRadioButton* rbWholeProgram = nullptr;
    QRadioButton* rbSteps = nullptr;
    QLineEdit* FirstStepEdit = nullptr;
    QLineEdit* LastStepEdit = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

    void btnOkClick();

private:
    ReplaceDialog& dialog_;
};

bool runObjMaskForm(ReplaceDialog& dialog);

}  // namespace kestrion::forms
