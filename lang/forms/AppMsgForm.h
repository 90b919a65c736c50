// TAppMsgForm: the application message pop-up, a caption, a memo with two lines, the version text,
// Close, and Timer6, which rewrites the first line and can close the pop-up by itself.
#pragma once

#include <QDialog>

#include "lang/AppMessage.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace kestrion::forms {

class TAppMsgForm : public QDialog {
    Q_OBJECT
public:
    explicit TAppMsgForm(const AppMessage& message, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QLabel* VersionLabel = nullptr;
    QPushButton* btnClose = nullptr;
    QTimer* Timer6 = nullptr;

    int tickCounter() const { return rules_.message().tickCounter; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Timer6Timer();

    AppMsgRules rules_;
};

// Shows the pop-up modally with the message until the user or its timer closes it.
void showAppMsgForm(const AppMessage& message);

}  // namespace kestrion::forms
