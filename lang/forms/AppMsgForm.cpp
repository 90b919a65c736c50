#include "lang/forms/AppMsgForm.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "lang/forms/WidgetText.h"

namespace kestrion::forms {

TAppMsgForm::TAppMsgForm(QWidget* parent) : QDialog(parent) {
    setObjectName("AppMsgForm");
    auto* layout = new QVBoxLayout(this);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    layout->addWidget(Memo1);
    VersionLabel = new QLabel(this);
    VersionLabel->setObjectName("VersionLabel");
    layout->addWidget(VersionLabel);
    btnClose = new QPushButton("Close", this);
    btnClose->setObjectName("btnClose");
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(btnClose);
}

void showAppMsgForm(const AppMessage& message) {
    TAppMsgForm form(QApplication::activeWindow());
    form.setWindowTitle(widgetText(message.caption));
    form.Memo1->appendPlainText(widgetText(message.line1));
    form.Memo1->appendPlainText(widgetText(message.line2));
    form.VersionLabel->setText(widgetText(message.versionText));
    form.exec();
}

}  // namespace kestrion::forms
