// TAppMsgForm: the application message pop-up, a caption, a memo with two lines, the version text
// and Close.
#pragma once

#include <QDialog>

#include "lang/AppMessage.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kestrion::forms {

class TAppMsgForm : public QDialog {
    Q_OBJECT
public:
    explicit TAppMsgForm(QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;
    QLabel* VersionLabel = nullptr;
    QPushButton* btnClose = nullptr;
};

// Shows the pop-up modally with the message until the user closes it.
void showAppMsgForm(const AppMessage& message);

}  // namespace kestrion::forms
