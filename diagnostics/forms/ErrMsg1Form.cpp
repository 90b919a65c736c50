#include "diagnostics/forms/ErrMsg1Form.h"
#include "lang/forms/Captions.h"

#include <QBoxLayout>
#include <QFont>
#include <QPlainTextEdit>
#include <QPushButton>

#include "platform/forms/WindowPlacing.h"

namespace kestrion::forms {

namespace {

QPushButton* button(QWidget* parent, QBoxLayout* column, const char* name, const char* caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setMinimumSize(96, 25);
    column->addWidget(b);
    QFont font = b->font();
    font.setPixelSize(13);
    b->setFont(font);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

TErrMsg1Form::TErrMsg1Form(QWidget* parent) : QDialog(parent) {
    setObjectName("ErrMsg1Form");
    // No system menu and no close box: the Close button is the way out.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setBackgroundRole(QPalette::Dark);
    setAutoFillBackground(true);

    // The design's 823 x 332: the memo at the left, the column of buttons beside it, each at least
    // its design size and as wide as its text needs.
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 23, 43);
    layout->setSpacing(7);
    msgMemo = new QPlainTextEdit(this);
    msgMemo->setObjectName("msgMemo");
    msgMemo->setMinimumSize(689, 281);
    layout->addWidget(msgMemo, 1);
    auto* column = new QVBoxLayout;
    column->setSpacing(7);
    layout->addLayout(column);
    msgMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    msgMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont memoFont = msgMemo->font();
    memoFont.setPixelSize(16);
    msgMemo->setFont(memoFont);
    btnErrorCheck1 = button(this, column, "btnErrorCheck1", "ErrorCheck");
    btnMachineStatus1 = button(this, column, "btnMachineStatus1", "MachineStatus");
    btnClose = button(this, column, "btnClose", "Close");
    column->addStretch(1);
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
    keepLaidOutSize(*this);
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
