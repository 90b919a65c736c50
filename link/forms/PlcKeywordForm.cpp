#include "link/forms/PlcKeywordForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "lang/forms/Captions.h"
#include "lang/forms/WidgetText.h"
#include "platform/forms/TitleWidth.h"
#include "platform/forms/WindowPlacing.h"

namespace kestrion::forms {

namespace {

QLabel* boldLabel(const std::string& text, QWidget* parent) {
    auto* label = new QLabel(widgetText(text), parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

// Upper case only, shown as '*' until "Display" is ticked.
QLineEdit* passwordEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setEchoMode(QLineEdit::Password);
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const int cursor = edit->cursorPosition();
        edit->setText(text.toUpper());
        edit->setCursorPosition(cursor);
    });
    return edit;
}

}  // namespace

TplcKeywordForm::TplcKeywordForm(PlcKeywordDialog& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName("plcKeywordForm");
    auto* layout = new QGridLayout(this);
    Label1 = boldLabel(state.label1, this);
    Edit1 = passwordEdit("Edit1", this);
    Label2 = boldLabel(state.label2, this);
    Edit2 = passwordEdit("Edit2", this);
    CheckBox1 = new QCheckBox("Display", this);
    btnOk = new QPushButton("OK", this);
    btnCancel = new QPushButton("Cancel", this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(Edit1, 0, 1);
    layout->addWidget(Label2, 1, 0);
    layout->addWidget(Edit2, 1, 1);
    layout->addWidget(CheckBox1, 2, 0);
    layout->addWidget(btnOk, 3, 0);
    layout->addWidget(btnCancel, 3, 1);
    Label1->setEnabled(state.oldEnabled);
    Edit1->setEnabled(state.oldEnabled);
    Label2->setEnabled(state.newEnabled);
    Edit2->setEnabled(state.newEnabled);
    connect(btnOk, &QPushButton::clicked, this, &TplcKeywordForm::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TplcKeywordForm::btnCancelClick);
    connect(CheckBox1, &QCheckBox::toggled, this, &TplcKeywordForm::CheckBox1Click);
    Captions::of(this)
        .translatedTitle(state.caption)
        .translatedText(Label1, state.label1)
        .translatedText(Label2, state.label2)
        .text(CheckBox1, "KeywordDisplay");
    widenForTitle(*this);
    keepLaidOutSize(*this);
}

TplcKeywordForm::~TplcKeywordForm() {
    wipeEdits();
}

void TplcKeywordForm::wipeEdits() {
    Edit1->setText(QString(Edit1->text().size(), QChar('\0')));
    Edit1->clear();
    Edit2->setText(QString(Edit2->text().size(), QChar('\0')));
    Edit2->clear();
}

void TplcKeywordForm::btnOkClick() {
    state_.edit1 = Edit1->text().toStdString();
    state_.edit2 = Edit2->text().toStdString();
    const bool closes = state_.btnOkClick();
    state_.wipe();
    if (closes) {
        wipeEdits();
        accept();
    }
}

void TplcKeywordForm::btnCancelClick() {
    state_.btnCancelClick();
    wipeEdits();
    reject();
}

void TplcKeywordForm::CheckBox1Click() {
    const auto mode = CheckBox1->isChecked() ? QLineEdit::Normal : QLineEdit::Password;
    Edit1->setEchoMode(mode);
    Edit2->setEchoMode(mode);
}

void runPlcKeywordForm(PlcKeywordDialog& state) {
    TplcKeywordForm form(state, QApplication::activeWindow());
    if (form.exec() != QDialog::Accepted) state.btnCancelClick();
}

}  // namespace kestrion::forms
