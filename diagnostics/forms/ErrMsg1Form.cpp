#include "diagnostics/forms/ErrMsg1Form.h"
#include "lang/forms/Captions.h"

#include <QFont>
#include <QPlainTextEdit>
#include <QPushButton>

namespace kestrion::forms {

namespace {

QPushButton* button(QWidget* parent, const char* name, const char* caption, int top) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setGeometry(704, top, 96, 25);
    QFont font = b->font();
    font.setPixelSize(13);
    b->setFont(font);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

TErrMsg1Form::TErrMsg1Form(QWidget* parent) : QDialog(parent) {
    setObjectName("ErrMsg1Form");
    setFixedSize(823, 332);
    // No system menu and no close box: the Close button is the way out.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setBackgroundRole(QPalette::Dark);
    setAutoFillBackground(true);

    msgMemo = new QPlainTextEdit(this);
    msgMemo->setObjectName("msgMemo");
    msgMemo->setGeometry(8, 8, 689, 281);
    msgMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    msgMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont memoFont = msgMemo->font();
    memoFont.setPixelSize(16);
    msgMemo->setFont(memoFont);
    btnErrorCheck1 = button(this, "btnErrorCheck1", "ErrorCheck", 8);
    btnMachineStatus1 = button(this, "btnMachineStatus1", "MachineStatus", 40);
    btnClose = button(this, "btnClose", "Close", 72);
    Captions::of(this)
        .title("ErrMsgCaption")
        .text(btnErrorCheck1, "ErrMsgErrorCheck")
        .text(btnMachineStatus1, "ErrMsgMachineStatus")
        .text(btnClose, "Close");
    setTabOrder(msgMemo, btnClose);
    setTabOrder(btnClose, btnErrorCheck1);
    setTabOrder(btnErrorCheck1, btnMachineStatus1);
    showMemo();

    connect(btnClose, &QPushButton::clicked, this, &TErrMsg1Form::btnCloseClick);
    connect(btnErrorCheck1, &QPushButton::clicked, this, &TErrMsg1Form::btnErrorCheck1Click);
    connect(btnMachineStatus1, &QPushButton::clicked, this, &TErrMsg1Form::btnMachineStatus1Click);
}

void TErrMsg1Form::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TErrMsg1Form::FormShow() {
    state.FormShow();
    showMemo();
}

void TErrMsg1Form::btnCloseClick() {
    if (state.btnCloseClick()) done(QDialog::Rejected);
}

void TErrMsg1Form::reject() {
    btnCloseClick();
}

void TErrMsg1Form::btnErrorCheck1Click() {
    state.btnErrorCheck1Click();
    showMemo();
}

void TErrMsg1Form::btnMachineStatus1Click() {
    state.btnMachineStatus1Click();
    showMemo();
}

void TErrMsg1Form::showMemo() {
    QStringList lines;
    for (const std::string& line : state.msgMemo)
        lines << QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
    msgMemo->setPlainText(lines.join('\n'));
}

}  // namespace kestrion::forms
