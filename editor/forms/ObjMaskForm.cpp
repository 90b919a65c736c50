#include "editor/forms/ObjMaskForm.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "editor/forms/GoToStepForm.h"
#include "lang/forms/Captions.h"
#include "platform/forms/DialogButtons.h"

namespace kestrion::forms {

namespace {

QLineEdit* stepEdit(QWidget* parent, const char* name, const std::string& text) {
    auto* edit = new QLineEdit(QString::fromStdString(text), parent);
    edit->setObjectName(name);
    edit->setMaxLength(kNumberEntryMaxDigits);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
    edit->setMaximumWidth(90);
    return edit;
}

}  // namespace

TobjMaskForm::TobjMaskForm(ReplaceDialog& dialog, QWidget* parent)
    : QDialog(parent != nullptr ? parent : QApplication::activeWindow()), dialog_(dialog) {
    setObjectName("objMaskForm");
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    FromEdit = new QLineEdit(QString::fromStdString(dialog.from), this);
    FromEdit->setObjectName("FromEdit");
    FromEdit->setPlaceholderText("X0, M0-M99");
    ToEdit = new QLineEdit(QString::fromStdString(dialog.to), this);
    ToEdit->setObjectName("ToEdit");
    ToEdit->setPlaceholderText("X20, M100");
    auto* fromLabel = new QLabel(this);
    auto* toLabel = new QLabel(this);
    fields->addRow(fromLabel, FromEdit);
    fields->addRow(toLabel, ToEdit);
    layout->addLayout(fields);
    rbWholeProgram = new QRadioButton(this);
    rbWholeProgram->setObjectName("rbWholeProgram");
    rbSteps = new QRadioButton(this);
    rbSteps->setObjectName("rbSteps");
    FirstStepEdit = stepEdit(this, "FirstStepEdit", dialog.firstStep);
    LastStepEdit = stepEdit(this, "LastStepEdit", dialog.lastStep);
    auto* steps = new QHBoxLayout;
    steps->addWidget(rbSteps);
    steps->addWidget(FirstStepEdit);
    steps->addWidget(new QLabel("-", this));
    steps->addWidget(LastStepEdit);
    steps->addStretch();
    layout->addWidget(rbWholeProgram);
    layout->addLayout(steps);
    (dialog.wholeProgram ? rbWholeProgram : rbSteps)->setChecked(true);
    const auto enableSteps = [this] {
        FirstStepEdit->setEnabled(rbSteps->isChecked());
        LastStepEdit->setEnabled(rbSteps->isChecked());
    };
    connect(rbSteps, &QRadioButton::toggled, this, enableSteps);
    enableSteps();
    addOkCancelRow(this, layout, btnOk, btnCancel);
    disconnect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnOk, &QPushButton::clicked, this, &TobjMaskForm::btnOkClick);
    Captions::of(this)
        .title("ReplaceCaption")
        .text(fromLabel, "ReplaceFrom")
        .text(toLabel, "ReplaceTo")
        .text(rbWholeProgram, "ReplaceWholeProgram")
        .text(rbSteps, "ReplaceStepRange");
    (dialog.from.empty() ? FromEdit : ToEdit)->setFocus();
}

void TobjMaskForm::btnOkClick() {
    dialog_.from = FromEdit->text().toStdString();
    dialog_.to = ToEdit->text().toStdString();
    dialog_.wholeProgram = rbWholeProgram->isChecked();
    dialog_.firstStep = FirstStepEdit->text().toStdString();
    dialog_.lastStep = LastStepEdit->text().toStdString();
    if (dialog_.btnOkClick()) accept();
}

bool runObjMaskForm(ReplaceDialog& dialog) {
    TobjMaskForm form(dialog);
    return form.exec() == QDialog::Accepted;
}

bool QtEditorDialogs::replace(ReplaceDialog& dialog) {
    return runObjMaskForm(dialog);
}

}  // namespace kestrion::forms
