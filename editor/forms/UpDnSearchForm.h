// TUpDnSearchForm: Edit > Find. What to look for (a device, an instruction or a comment text),
// which way from the selection frame, and whether to go to the next place or list them all.
#pragma once

#include <QDialog>

#include "editor/EditorDialogs.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kestrion::forms {

class TUpDnSearchForm : public QDialog {
    Q_OBJECT
public:
    explicit TUpDnSearchForm(FindDialog& dialog, QWidget* parent = nullptr);

    QLineEdit* FindEdit = nullptr;
    QRadioButton* rbDevice = nullptr;
    QRadioButton* rbInstruction = nullptr;
    QRadioButton* rbComment = nullptr;
    QRadioButton* rbUp = nullptr;
    QRadioButton* rbDown = nullptr;
    QPushButton* btnFindNext = nullptr;
    QPushButton* btnFindList = nullptr;
    QPushButton* btnCancel = nullptr;

private:
    void close(FindAction action);

    FindDialog& dialog_;
};

void runUpDnSearchForm(FindDialog& dialog);

}  // namespace kestrion::forms
