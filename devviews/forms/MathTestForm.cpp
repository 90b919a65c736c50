#include "devviews/forms/MathTestForm.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "devviews/MathTest.h"
#include "devviews/forms/QtDevViewsDialogs.h"
#include "lang/forms/Captions.h"

namespace kestrion::forms {

namespace {

constexpr int kWidth = 760;
constexpr int kHeight = 420;

}  // namespace

TMathTestForm::TMathTestForm(QWidget* parent) : QDialog(parent) {
    setObjectName("MathTestForm");
    setWindowTitle("Math test");
    auto* layout = new QVBoxLayout(this);
    ValueEdit = new QLineEdit("1234", this);
    ValueEdit->setObjectName("ValueEdit");
    ValueEdit->setPlaceholderText("1234, -5, H4D2, E1.5");
    layout->addWidget(ValueEdit);
    ResultMemo = new QPlainTextEdit(this);
    ResultMemo->setObjectName("ResultMemo");
    ResultMemo->setReadOnly(true);
    ResultMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    ResultMemo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(ResultMemo, 1);
    btnClose = new QPushButton(this);
    btnClose->setObjectName("btnClose");
    Captions::of(this).text(btnClose, "Close");
    // Enter belongs to the value: as the dialog's default, Close would take it and end the view,
    // and the next value typed would reach the main window.
    btnClose->setAutoDefault(false);
    layout->addWidget(btnClose, 0, Qt::AlignRight);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(ValueEdit, &QLineEdit::textChanged, this, &TMathTestForm::ValueEditChange);
    connect(ValueEdit, &QLineEdit::returnPressed, this, &TMathTestForm::ValueEditEnter);
    ValueEditChange();
    ValueEdit->selectAll();
    resize(kWidth, kHeight);
}

void TMathTestForm::ValueEditChange() {
    QString text;
    for (const std::string& line : mathTestLines(ValueEdit->text().toStdString()))
        text += QString::fromStdString(line) + "\n";
    ResultMemo->setPlainText(text);
}

// The value's lines again, and its text selected, so the next value typed takes its place.
void TMathTestForm::ValueEditEnter() {
    ValueEditChange();
    ValueEdit->selectAll();
}

void QtDevViewsDialogs::mathTest() {
    TMathTestForm form(QApplication::activeWindow());
    form.exec();
}

}  // namespace kestrion::forms
