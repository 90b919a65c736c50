#include "link/forms/ProgWriteForm.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "lang/forms/Captions.h"
#include "lang/forms/WidgetText.h"
#include "platform/forms/DialogButtons.h"
#include "platform/forms/TitleWidth.h"
#include "platform/forms/WindowPlacing.h"

namespace kestrion::forms {

TProgWriteForm::TProgWriteForm(ProgWriteDialog& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName("ProgWriteForm");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint);
    auto* layout = new QVBoxLayout(this);
    RadioButtonAllRange = new QRadioButton(this);
    RadioButtonAllRange->setObjectName("RadioButtonAllRange");
    RadioButtonRangeSetting = new QRadioButton(this);
    RadioButtonRangeSetting->setObjectName("RadioButtonRangeSetting");
    layout->addWidget(RadioButtonAllRange);
    layout->addWidget(RadioButtonRangeSetting);

    auto* steps = new QGridLayout;
    StartStepLabel = new QLabel(this);
    StartStepLabel->setObjectName("StartStepLabel");
    EndStepLabel = new QLabel(this);
    EndStepLabel->setObjectName("EndStepLabel");
    auto* startStep = new QLabel(this);
    auto* endStep = new QLabel(this);
    steps->addWidget(startStep, 0, 0);
    steps->addWidget(StartStepLabel, 0, 1);
    steps->addWidget(endStep, 1, 0);
    steps->addWidget(EndStepLabel, 1, 1);
    layout->addLayout(steps);

    const OkCancelRow buttons = makeOkCancelRow(this);
    btnOk = buttons.ok;
    btnCancel = buttons.cancel;
    layout->addLayout(buttons.row);
    Captions::of(this)
        .text(RadioButtonAllRange, "ProgWriteAllRange")
        .text(RadioButtonRangeSetting, "ProgWriteRangeSetting")
        .text(startStep, "ProgWriteStartStep")
        .text(endStep, "ProgWriteEndStep");

    connect(RadioButtonAllRange, &QRadioButton::clicked, this, [this] { state_.RadioButtonAllRangeClick(); });
    connect(RadioButtonRangeSetting, &QRadioButton::clicked, this,
            [this] { state_.RadioButtonRangeSettingClick(); });
    connect(btnOk, &QPushButton::clicked, this, [this] {
        state_.btnOkClick();
        accept();
    });
    connect(btnCancel, &QPushButton::clicked, this, [this] {
        state_.btnCancelClick();
        reject();
    });
    keepLaidOutSize(*this);
}

void TProgWriteForm::FormShow() {
    RadioButtonAllRange->setChecked(state_.rangeMode == ProgWriteDialog::kAllRange);
    RadioButtonRangeSetting->setChecked(state_.rangeMode == ProgWriteDialog::kRangeSetting);
    StartStepLabel->setText(QString::number(state_.startStep));
    EndStepLabel->setText(QString::number(state_.endStep));
}

void TProgWriteForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void runProgWriteForm(ProgWriteDialog& dialog) {
    dialog.accepted = 0;
    TProgWriteForm form(dialog, QApplication::activeWindow());
    Captions::of(&form).translatedTitle(dialog.caption);
    widenForTitle(form);
    form.exec();
}

}  // namespace kestrion::forms
