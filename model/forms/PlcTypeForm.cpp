#include "model/forms/PlcTypeForm.h"
#include "platform/forms/WindowPlacing.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kestrion::forms {

namespace {

constexpr int kColumns = 3;

}  // namespace

TPlcTypeForm::TPlcTypeForm(QWidget* parent) : QDialog(parent) {
    setObjectName("PlcTypeForm");
    setWindowTitle("Type setting");

    FennuRadioGroup = new QGroupBox(this);
    FennuRadioGroup->setObjectName("FennuRadioGroup");
    auto* grid = new QGridLayout(FennuRadioGroup);
    FennuButtons = new QButtonGroup(this);
    for (std::size_t i = 0; i < kPlcTypeItems.size(); ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(kPlcTypeItems[i].label), FennuRadioGroup);
        const int index = static_cast<int>(i);
        radio->setObjectName(QString("FennuItem%1").arg(index));
        FennuButtons->addButton(radio, index);
        grid->addWidget(radio, index / kColumns, index % kColumns);
    }
    connect(FennuButtons, &QButtonGroup::idClicked, this, &TPlcTypeForm::FennuRadioGroupClick);

    btnOk = new QPushButton("OK", this);
    btnOk->setObjectName("btnOk");
    btnOk->setDefault(true);
    btnCancel = new QPushButton("Cancel", this);
    btnCancel->setObjectName("btnCancel");
    btnHelp = new QPushButton("Help", this);
    btnHelp->setObjectName("btnHelp");
    connect(btnOk, &QPushButton::clicked, this, &TPlcTypeForm::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TPlcTypeForm::btnCancelClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    buttons->addWidget(btnHelp);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FennuRadioGroup);
    layout->addLayout(buttons);
    keepLaidOutSize(*this);
}

void TPlcTypeForm::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TPlcTypeForm::FormShow() {
    state.FormShow();
    showSelection();
}

void TPlcTypeForm::FennuRadioGroupClick(int itemIndex) {
    state.FennuRadioGroupClick(itemIndex);
    showSelection();
}

void TPlcTypeForm::btnOkClick() {
    state.btnOkClick();
    accept();
}

void TPlcTypeForm::btnCancelClick() {
    state.btnCancelClick();
    reject();
}

void TPlcTypeForm::showSelection() {
    if (QAbstractButton* selected = FennuButtons->button(state.itemIndex)) selected->setChecked(true);
}

PlcTypeFormResult showPlcTypeForm(std::int32_t plcType, std::int32_t memSizeCode, QWidget* parent) {
    TPlcTypeForm form(parent);
    form.state.plcType = plcType;
    form.state.memSizeCode = memSizeCode;
    form.exec();
    return form.state.result();
}

}  // namespace kestrion::forms
