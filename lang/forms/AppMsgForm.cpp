#include "lang/forms/AppMsgForm.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>

#include "lang/forms/Captions.h"
#include "lang/forms/WidgetText.h"
#include "platform/forms/WindowPlacing.h"

namespace kestrion::forms {

TAppMsgForm::TAppMsgForm(const AppMessage& message, QWidget* parent) : QDialog(parent), rules_(message) {
    setObjectName("AppMsgForm");
    setWindowTitle(widgetText(message.caption));
    auto* layout = new QVBoxLayout(this);
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    layout->addWidget(Label1);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    layout->addWidget(Memo1);
    VersionLabel = new QLabel(widgetText(message.versionText), this);
    VersionLabel->setObjectName("VersionLabel");
    layout->addWidget(VersionLabel);
    btnClose = new QPushButton(this);
    Captions::of(this).text(btnClose, "Close");
    btnClose->setObjectName("btnClose");
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(btnClose);
    Timer6 = new QTimer(this);
    Timer6->setObjectName("Timer6");
    Timer6->setInterval(static_cast<int>(message.timerInterval));
    connect(Timer6, &QTimer::timeout, this, &TAppMsgForm::Timer6Timer);
    keepLaidOutSize(*this);
}

void TAppMsgForm::showEvent(QShowEvent* event) {
    Memo1->clear();
    Memo1->appendPlainText(widgetText(rules_.message().line1));
    Memo1->appendPlainText(widgetText(rules_.message().line2));
    if (rules_.message().timerEnabled) Timer6->start();
    QDialog::showEvent(event);
}

void TAppMsgForm::Timer6Timer() {
    const AppMsgTick tick = rules_.tick();
    if (tick.rewriteLine1) {
        QTextCursor cursor(Memo1->document()->firstBlock());
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.insertText(widgetText(rules_.message().line1));
    }
    if (tick.close) {
        Timer6->stop();
        reject();
    }
}

void showAppMsgForm(const AppMessage& message) {
    TAppMsgForm form(message, QApplication::activeWindow());
    form.exec();
}

}  // namespace kestrion::forms
