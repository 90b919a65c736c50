#include "link/forms/Parameter1Form.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "lang/forms/Captions.h"
#include "lang/forms/WidgetText.h"
#include "platform/forms/DialogButtons.h"
#include "platform/forms/TitleWidth.h"
#include "platform/forms/WindowPlacing.h"

namespace kestrion::forms {

namespace {

struct DeviceNames {
    const char* label;
    const char* edit;
    const char* checkBox;
};
constexpr DeviceNames kNames[kLatchDeviceCount] = {
    {"mLabel", "LatchRangeMdeviceEdit", "mLatchCheckBox"},
    {"sLabel", "LatchRangeSdeviceEdit", "sLatchCheckBox"},
    {"dLabel", "LatchRangeDdeviceEdit", "dLatchCheckBox"},
    {"cLabel", "LatchRangeCdeviceEdit", "c16LatchCheckBox"},
    {"hscLabel", "LatchRangeHSCdeviceEdit", "c32LatchCheckBox"},
};
constexpr const char* kCapacityNames[ParameterDialog::kCapacityButtons] = {
    "RadioButton2K", "RadioButton4K", "RadioButton8K", "RadioButton16K", "RadioButton32K", "RadioButton64K"};

template <typename Widget>
Widget* named(Widget* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

void showText(QLineEdit* edit, const std::string& text) {
    const QString value = widgetText(text);
    if (edit->text() != value) edit->setText(value);
}

}  // namespace

TParameter1Form::TParameter1Form(ParameterDialog& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName("Parameter1Form");
    auto* layout = new QVBoxLayout(this);

    GroupBox1 = named(new QGroupBox(this), "GroupBox1");
    auto* grid = new QGridLayout(GroupBox1);
    for (std::size_t i = 0; i < kLatchDeviceCount; ++i) {
        const auto device = static_cast<LatchDevice>(i);
        const int row = static_cast<int>(i);
        labels[i] = named(new QLabel(GroupBox1), kNames[i].label);
        firstEdits[i] = named(new QLineEdit(GroupBox1), QString(kNames[i].edit) + "1");
        lastEdits[i] = named(new QLineEdit(GroupBox1), QString(kNames[i].edit) + "2");
        latchCheckBoxes[i] = named(new QCheckBox(GroupBox1), kNames[i].checkBox);
        grid->addWidget(labels[i], row, 0);
        grid->addWidget(firstEdits[i], row, 1);
        grid->addWidget(new QLabel("~", GroupBox1), row, 2);
        grid->addWidget(lastEdits[i], row, 3);
        grid->addWidget(latchCheckBoxes[i], row, 4);
        connect(firstEdits[i], &QLineEdit::textEdited, this, [this, device](const QString& text) {
            state_.latchEditChange(device, false, text.toStdString());
        });
        connect(lastEdits[i], &QLineEdit::textEdited, this, [this, device](const QString& text) {
            state_.latchEditChange(device, true, text.toStdString());
        });
        connect(latchCheckBoxes[i], &QCheckBox::clicked, this, [this, device](bool checked) {
            state_.setLatchChecked(device, checked);
            showState();
        });
    }
    layout->addWidget(GroupBox1);

    RadioGroupBox = named(new QGroupBox(this), "RadioGroupBox");
    auto* radios = new QHBoxLayout(RadioGroupBox);
    capacityButtons = new QButtonGroup(this);
    for (std::size_t i = 0; i < ParameterDialog::kCapacityButtons; ++i) {
        const int capacity = capacityOfButton(static_cast<int>(i));
        capacityRadios[i] =
            named(new QRadioButton(QString("%1K").arg(capacity), RadioGroupBox), kCapacityNames[i]);
        capacityButtons->addButton(capacityRadios[i], static_cast<int>(i));
        radios->addWidget(capacityRadios[i]);
    }
    connect(capacityButtons, &QButtonGroup::idClicked, this, [this](int id) {
        state_.capacityButtonClick(id);
        showState();
    });
    layout->addWidget(RadioGroupBox);

    DeviceLatchCheckBox1 = named(new QCheckBox(this), "DeviceLatchCheckBox1");
    connect(DeviceLatchCheckBox1, &QCheckBox::clicked, this, [this](bool checked) {
        state_.setDeviceLatchChecked(checked);
        showState();
    });
    layout->addWidget(DeviceLatchCheckBox1);

    const OkCancelRow buttons = makeOkCancelRow(this);
    btnOk = buttons.ok;
    btnCancel = buttons.cancel;
    layout->addLayout(buttons.row);
    connect(btnOk, &QPushButton::clicked, this, [this] {
        if (state_.btnOkClick()) {
            accept();
            return;
        }
        showState();
    });
    connect(btnCancel, &QPushButton::clicked, this, [this] {
        state_.btnCancelClick();
        reject();
    });
    // The check box's caption is the rules' English text, shown in the interface language.
    Captions::of(this).with([this] { showState(); });
    keepLaidOutSize(*this);
}

void TParameter1Form::showEvent(QShowEvent* event) {
    FormShow();
    widenForTitle(*this);
    QDialog::showEvent(event);
}

void TParameter1Form::FormShow() {
    state_.FormShow();
    showState();
}

void TParameter1Form::showState() {
    for (std::size_t i = 0; i < kLatchDeviceCount; ++i) {
        const ParameterDialog::LatchControls& controls = state_.latch[i];
        labels[i]->setText(widgetText(controls.label));
        showText(firstEdits[i], controls.firstText);
        showText(lastEdits[i], controls.lastText);
        firstEdits[i]->setEnabled(controls.editsEnabled);
        lastEdits[i]->setEnabled(controls.editsEnabled);
        const QSignalBlocker blocker(latchCheckBoxes[i]);
        latchCheckBoxes[i]->setText(widgetText(controls.caption));
        latchCheckBoxes[i]->setChecked(controls.checked);
        latchCheckBoxes[i]->setEnabled(controls.enabled);
    }
    for (std::size_t i = 0; i < ParameterDialog::kCapacityButtons; ++i) {
        const QSignalBlocker blocker(capacityRadios[i]);
        capacityRadios[i]->setEnabled(state_.capacityEnabled[i]);
        capacityRadios[i]->setChecked(static_cast<int>(i) == state_.capacityItem);
    }
    const QSignalBlocker blocker(DeviceLatchCheckBox1);
    DeviceLatchCheckBox1->setText(translatedText(state_.deviceLatchCaption));
    DeviceLatchCheckBox1->setChecked(state_.deviceLatchChecked);
    DeviceLatchCheckBox1->setEnabled(state_.deviceLatchEnabled);
}

bool runParameter1Form(const std::string& caption, ParameterDialog& state) {
    TParameter1Form form(state, QApplication::activeWindow());
    Captions::of(&form)
        .translatedTitle(caption)
        .title(form.GroupBox1, "ParameterLatchRange")
        .title(form.RadioGroupBox, "ParameterCapacity");
    form.exec();
    return state.accepted == 1;
}

}  // namespace kestrion::forms
