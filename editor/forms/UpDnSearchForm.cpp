#include "editor/forms/UpDnSearchForm.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/forms/GoToStepForm.h"
#include "lang/forms/Captions.h"

namespace kestrion::forms {

TUpDnSearchForm::TUpDnSearchForm(FindDialog& dialog, QWidget* parent)
    : QDialog(parent != nullptr ? parent : QApplication::activeWindow()), dialog_(dialog) {
    setObjectName("UpDnSearchForm");
    auto* layout = new QVBoxLayout(this);
    auto* what = new QLabel(this);
    FindEdit = new QLineEdit(QString::fromStdString(dialog.text), this);
    FindEdit->setObjectName("FindEdit");
    FindEdit->selectAll();
    what->setBuddy(FindEdit);
    layout->addWidget(what);
    layout->addWidget(FindEdit);

    auto* options = new QHBoxLayout;
    auto* kindBox = new QGroupBox(this);
    auto* kinds = new QVBoxLayout(kindBox);
    const auto radio = [](QWidget* box, QVBoxLayout* into, QRadioButton*& button, const char* name) {
        button = new QRadioButton(box);
        button->setObjectName(name);
        into->addWidget(button);
    };
    radio(kindBox, kinds, rbDevice, "rbDevice");
    radio(kindBox, kinds, rbInstruction, "rbInstruction");
    radio(kindBox, kinds, rbComment, "rbComment");
    auto* directionBox = new QGroupBox(this);
    auto* directions = new QVBoxLayout(directionBox);
    radio(directionBox, directions, rbDown, "rbDown");
    radio(directionBox, directions, rbUp, "rbUp");
    directions->addStretch();
    options->addWidget(kindBox);
    options->addWidget(directionBox);
    layout->addLayout(options);
    (dialog.kind == FindKind::Instruction ? rbInstruction
     : dialog.kind == FindKind::Comment   ? rbComment
                                          : rbDevice)
        ->setChecked(true);
    (dialog.direction == FindDirection::Up ? rbUp : rbDown)->setChecked(true);

    auto* buttons = new QHBoxLayout;
    btnFindNext = new QPushButton(this);
    btnFindNext->setObjectName("btnFindNext");
    btnFindNext->setDefault(true);
    btnFindList = new QPushButton(this);
    btnFindList->setObjectName("btnFindList");
    btnCancel = new QPushButton(this);
    btnCancel->setObjectName("btnCancel");
    buttons->addWidget(btnFindNext);
    buttons->addWidget(btnFindList);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons);
    connect(btnFindNext, &QPushButton::clicked, this, [this] { close(FindAction::FindNext); });
    connect(btnFindList, &QPushButton::clicked, this, [this] { close(FindAction::FindList); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    Captions::of(this)
        .title("FindCaption")
        .text(what, "FindWhat")
        .title(kindBox, "FindLookFor")
        .text(rbDevice, "FindDevice")
        .text(rbInstruction, "FindInstruction")
        .text(rbComment, "FindComment")
        .title(directionBox, "FindDirection")
        .text(rbDown, "FindDown")
        .text(rbUp, "FindUp")
        .text(btnFindNext, "FindNextButton")
        .text(btnFindList, "FindListButton")
        .text(btnCancel, "Cancel");
    FindEdit->setFocus();
}

void TUpDnSearchForm::close(FindAction action) {
    dialog_.text = FindEdit->text().toStdString();
    dialog_.kind = rbInstruction->isChecked() ? FindKind::Instruction
                   : rbComment->isChecked()   ? FindKind::Comment
                                              : FindKind::Device;
    dialog_.direction = rbUp->isChecked() ? FindDirection::Up : FindDirection::Down;
    dialog_.action = action;
    accept();
}

void runUpDnSearchForm(FindDialog& dialog) {
    dialog.action = FindAction::Cancel;
    TUpDnSearchForm form(dialog);
    form.exec();
}

void QtEditorDialogs::find(FindDialog& dialog) {
    runUpDnSearchForm(dialog);
}

}  // namespace kestrion::forms
