// TCommentEditForm: the comment dialog over the ladder. It shows the device comment of the framed
// object's device (another device may be typed), the comment of its block and, for an output, its
// coil comment; OK checks the changed texts (editor/CommentEdit.h) and stays open when one is
// refused.
#pragma once

#include <QDialog>

#include "editor/CommentEdit.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kestrion::forms {

class TCommentEditForm : public QDialog {
    Q_OBJECT
public:
    explicit TCommentEditForm(CommentEditDialog& dialog, QWidget* parent = nullptr);

    QLineEdit* DeviceEdit = nullptr;
    QLineEdit* DeviceCommentEdit = nullptr;
    QLabel* BlockCommentLabel = nullptr;
    QLineEdit* BlockCommentEdit = nullptr;
    QLabel* CoilCommentLabel = nullptr;
    QLineEdit* CoilCommentEdit = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

public slots:
    void btnOkClick();
    void DeviceEditExit();

private:
    void takeTexts();

    CommentEditDialog& dialog_;
};

// Shows the dialog modally; true when it closed with OK.
bool runCommentEditForm(CommentEditDialog& dialog);

}  // namespace kestrion::forms
