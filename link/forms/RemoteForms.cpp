#include "link/forms/RemoteForms.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "lang/forms/Captions.h"
#include "lang/forms/WidgetText.h"
#include "platform/forms/DialogButtons.h"
#include "platform/forms/TitleWidth.h"
#include "platform/forms/WindowPlacing.h"

namespace kestrion::forms {

namespace {

QCheckBox* checkBox(QWidget* parent, const char* name, const char* caption) {
    auto* added = new QCheckBox(caption, parent);
    added->setObjectName(name);
    return added;
}

template <typename Form>
void showModal(Form& form, const std::string& caption) {
    Captions::of(&form).translatedTitle(caption);
    widenForTitle(form);
    form.exec();
}

}  // namespace

TRunStopForm::TRunStopForm(QWidget* parent) : QDialog(parent) {
    setObjectName("RunStopForm");
    Captions::of(this).translatedTitle("Run/Stop Remote");
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(this);
    group->setObjectName("RunStopRadioGroup");
    auto* columns = new QHBoxLayout(group);
    runItem = new QRadioButton("RUN", group);
    stopItem = new QRadioButton("STOP", group);
    columns->addWidget(runItem);
    columns->addWidget(stopItem);
    RunStopRadioGroup = new QButtonGroup(this);
    RunStopRadioGroup->addButton(runItem, RunStopDialog::kRunItem);
    RunStopRadioGroup->addButton(stopItem, RunStopDialog::kStopItem);
    runItem->setChecked(true);
    layout->addWidget(group);
    const OkCancelRow buttons = makeOkCancelRow(this);
    btnOk = buttons.ok;
    btnCancel = buttons.cancel;
    layout->addLayout(buttons.row);

    connect(RunStopRadioGroup, &QButtonGroup::idClicked, this, [this](int id) {
        state.itemIndex = id;
        state.RunStopRadioGroupClick();
    });
    connect(btnOk, &QPushButton::clicked, this, [this] {
        state.btnOkClick();
        accept();
    });
    connect(btnCancel, &QPushButton::clicked, this, [this] {
        state.btnCancelClick();
        reject();
    });
    keepLaidOutSize(*this);
}

TMemoryClearForm::TMemoryClearForm(QWidget* parent) : QDialog(parent) {
    setObjectName("MemoryClearForm");
    Captions::of(this).translatedTitle("PLC Memory Clear");
    auto* layout = new QVBoxLayout(this);
    progCheckBox = checkBox(this, "progCheckBox", "Program memory");
    dataCheckBox = checkBox(this, "dataCheckBox", "Data device memory");
    bitsCheckBox = checkBox(this, "bitsCheckBox", "Bits device memory");
    for (QCheckBox* box : {progCheckBox, dataCheckBox, bitsCheckBox}) layout->addWidget(box);
    const OkCancelRow buttons = makeOkCancelRow(this);
    btnOk = buttons.ok;
    btnCancel = buttons.cancel;
    layout->addLayout(buttons.row);
    Captions::of(this)
        .text(progCheckBox, "MemoryClearProgram")
        .text(dataCheckBox, "MemoryClearData")
        .text(bitsCheckBox, "MemoryClearBits");

    connect(btnOk, &QPushButton::clicked, this, [this] {
        state.programChecked = progCheckBox->isChecked();
        state.dataChecked = dataCheckBox->isChecked();
        state.bitsChecked = bitsCheckBox->isChecked();
        state.btnOkClick();
        accept();
    });
    connect(btnCancel, &QPushButton::clicked, this, [this] {
        state.btnCancelClick();
        reject();
    });
    keepLaidOutSize(*this);
}

RunStopResult runRunStopForm(const std::string& caption) {
    TRunStopForm form(QApplication::activeWindow());
    showModal(form, caption);
    return form.state.result();
}

MemoryClearResult runMemoryClearForm(const std::string& caption) {
    TMemoryClearForm form(QApplication::activeWindow());
    showModal(form, caption);
    return form.state.result();
}

}  // namespace kestrion::forms
