#include "link/forms/ForceOnOffForm.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "lang/forms/Captions.h"
#include "lang/forms/WidgetText.h"
#include "link/forms/LineFree.h"

namespace kestrion::forms {

TForceOnOffForm::TForceOnOffForm(ForceOnOffDialog& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName("ForceOnOffForm");
    auto* layout = new QGridLayout(this);
    ForceOnOffDeviceLabel = new QLabel("Device (Y,M,S)", this);
    ForceOnOffEdit = new QLineEdit(this);
    ForceOnOffEdit->setObjectName("ForceOnOffEdit");
    auto* off = new QRadioButton("OFF", this);
    auto* on = new QRadioButton("ON", this);
    ForceOnOffRadioGroup = new QButtonGroup(this);
    ForceOnOffRadioGroup->addButton(off, 0);
    ForceOnOffRadioGroup->addButton(on, 1);
    off->setChecked(true);
    ForceOnOffMemo = new QPlainTextEdit(this);
    ForceOnOffMemo->setReadOnly(true);
    ForceOnOffStringLabel = new QLabel(this);
    ForceOnOffStringLabel->hide();
    btnExecuteForceOnOff = new QPushButton("&Execute", this);
    btnForceClose = new QPushButton("&Close", this);
    Captions::of(this)
        .translatedTitle(state.caption)
        .text(ForceOnOffDeviceLabel, "ForceDevice")
        .text(btnExecuteForceOnOff, "ForceExecute")
        .text(btnForceClose, "ForceClose");
    layout->addWidget(ForceOnOffDeviceLabel, 0, 0);
    layout->addWidget(ForceOnOffEdit, 0, 1);
    layout->addWidget(off, 1, 0);
    layout->addWidget(on, 1, 1);
    layout->addWidget(ForceOnOffMemo, 2, 0, 1, 2);
    layout->addWidget(ForceOnOffStringLabel, 3, 0);
    layout->addWidget(btnExecuteForceOnOff, 4, 0);
    layout->addWidget(btnForceClose, 4, 1);

    connect(ForceOnOffEdit, &QLineEdit::textEdited, this, &TForceOnOffForm::ForceOnOffEditChange);
    connect(ForceOnOffRadioGroup, &QButtonGroup::idClicked, this,
            [this](int id) { state_.ForceOnOffRadioGroupClick(id); });
    connect(btnExecuteForceOnOff, &QPushButton::clicked, this, &TForceOnOffForm::btnExecuteForceOnOffClick);
    connect(btnForceClose, &QPushButton::clicked, this, [this] {
        state_.btnForceCloseClick();
        reject();
    });
    showState();
}

void TForceOnOffForm::ForceOnOffEditChange(const QString& text) {
    state_.ForceOnOffEditChange(text.toStdString());
    showState();
}

void TForceOnOffForm::btnExecuteForceOnOffClick() {
    // Open from the monitor's panel while the poll runs: the click waits for the poll's request.
    runWhenLineFree(this, [this] {
        state_.btnExecuteForceOnOffClick();
        showState();
    });
}

void TForceOnOffForm::showState() {
    const QString text = widgetText(state_.editText);
    if (ForceOnOffEdit->text() != text) {
        const QSignalBlocker blocker(ForceOnOffEdit);
        ForceOnOffEdit->setText(text);
    }
    btnExecuteForceOnOff->setEnabled(state_.executeEnabled);
    ForceOnOffStringLabel->setText(widgetText(state_.addressText));
    QStringList lines;
    for (const std::string& line : state_.memo) lines << widgetText(line);
    if (ForceOnOffMemo->toPlainText() != lines.join('\n')) ForceOnOffMemo->setPlainText(lines.join('\n'));
}

void runForceOnOffForm(ForceOnOffDialog& state) {
    TForceOnOffForm form(state, QApplication::activeWindow());
    form.exec();
}

}  // namespace kestrion::forms
