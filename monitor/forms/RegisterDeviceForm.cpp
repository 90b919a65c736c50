#include "monitor/forms/RegisterDeviceForm.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "lang/forms/WidgetText.h"

namespace kestrion::forms {

namespace {

QLineEdit* editIn(QGroupBox* box, const char* name) {
    auto* edit = new QLineEdit(box);
    edit->setObjectName(name);
    (new QHBoxLayout(box))->addWidget(edit);
    return edit;
}

}  // namespace

TregisterDeviceForm::TregisterDeviceForm(RegisterDeviceDialog& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      state_(state) {
    setObjectName("registerDeviceForm");
    setWindowTitle(widgetText(state.caption));
    auto* layout = new QGridLayout(this);
    auto* GroupBox1 = new QGroupBox("Device", this);
    MonDeviceEdit1 = editIn(GroupBox1, "MonDeviceEdit1");
    auto* GroupBox2 = new QGroupBox("Number of Device", this);
    MonDeviceNoEdit2 = editIn(GroupBox2, "MonDeviceNoEdit2");
    auto* sizeBox = new QGroupBox("Data size", this);
    auto* sizeLayout = new QHBoxLayout(sizeBox);
    registerDeviceRadioGroup = new QButtonGroup(this);
    int id = 0;
    for (const char* item : {"16bits ", "32bits"}) {
        auto* radio = new QRadioButton(item, sizeBox);
        registerDeviceRadioGroup->addButton(radio, id++);
        sizeLayout->addWidget(radio);
    }
    auto* GroupBox3 = new QGroupBox("Display type", this);
    dispTypeComboBox = new QComboBox(GroupBox3);
    dispTypeComboBox->setObjectName("dispTypeComboBox");
    dispTypeComboBox->addItems({"Binary", "Decimal", "Hexadecimal", "Ascii", "Floating point"});
    (new QHBoxLayout(GroupBox3))->addWidget(dispTypeComboBox);
    btnRegister = new QPushButton("Register", this);
    btnRegister->setObjectName("btnRegister");
    btnRegister->setDefault(true);
    btnCancel = new QPushButton("Cancel", this);
    btnCancel->setObjectName("btnCancel");
    layout->addWidget(GroupBox1, 0, 0);
    layout->addWidget(GroupBox2, 0, 1);
    layout->addWidget(sizeBox, 1, 0);
    layout->addWidget(GroupBox3, 1, 1);
    layout->addWidget(btnRegister, 2, 0);
    layout->addWidget(btnCancel, 2, 1);

    state_.FormShow();
    connect(MonDeviceEdit1, &QLineEdit::textEdited, this, [this](const QString& text) {
        state_.MonDeviceEdit1Change(text.toStdString());
        showState();
    });
    connect(MonDeviceNoEdit2, &QLineEdit::textEdited, this, [this](const QString& text) {
        state_.MonDeviceNoEdit2Change(text.toStdString());
        showState();
        if (MonDeviceNoEdit2->text() == "1" && text != "1") MonDeviceNoEdit2->selectAll();
    });
    connect(registerDeviceRadioGroup, &QButtonGroup::idClicked, this,
            [this](int index) { state_.registerDeviceRadioGroupClick(index); });
    connect(dispTypeComboBox, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        state_.dispTypeComboBoxChange(text.toStdString());
        showState();
    });
    connect(btnRegister, &QPushButton::clicked, this, [this] {
        state_.btnRegisterClick();
        accept();
    });
    connect(btnCancel, &QPushButton::clicked, this, [this] {
        state_.btnCancelClick();
        reject();
    });
    showState();
}

void TregisterDeviceForm::showState() {
    const QSignalBlocker blockDevice(MonDeviceEdit1);
    const QSignalBlocker blockCount(MonDeviceNoEdit2);
    const QSignalBlocker blockType(dispTypeComboBox);
    if (MonDeviceEdit1->text() != widgetText(state_.deviceText))
        MonDeviceEdit1->setText(widgetText(state_.deviceText));
    if (MonDeviceNoEdit2->text() != widgetText(state_.countText))
        MonDeviceNoEdit2->setText(widgetText(state_.countText));
    registerDeviceRadioGroup->button(state_.sizeIndex)->setChecked(true);
    dispTypeComboBox->setCurrentText(widgetText(state_.displayText));
}

}  // namespace kestrion::forms
