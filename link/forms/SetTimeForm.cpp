#include "link/forms/SetTimeForm.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

#include "lang/forms/WidgetText.h"

namespace kestrion::forms {

namespace {

constexpr const char* kEditLabels[SetTimeDialog::kEdits] = {"YY", "MM", "DD", "Hour", "Min.", "Sec."};

}  // namespace

TSetTimeForm::TSetTimeForm(SetTimeDialog& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName("SetTimeForm");
    setWindowTitle("Set time");
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox("Clock setup", this);
    auto* grid = new QGridLayout(group);
    for (int i = 0; i < SetTimeDialog::kEdits; ++i) {
        auto* edit = new QLineEdit("00", group);
        edit->setObjectName(QString("Edit%1").arg(i + 1));
        edit->setMaxLength(2);
        grid->addWidget(new QLabel(kEditLabels[i], group), 0, i);
        grid->addWidget(edit, 1, i);
        edits[static_cast<std::size_t>(i)] = edit;
        connect(edit, &QLineEdit::textChanged, this, [this, i](const QString& text) {
            state_.edits[static_cast<std::size_t>(i)] = text.toStdString();
            state_.EditChange(i + 1);
        });
    }
    ComboBox1 = new QComboBox(group);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setEditable(true);
    ComboBox1->addItems({"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"});
    grid->addWidget(new QLabel("Day", group), 0, SetTimeDialog::kEdits);
    grid->addWidget(ComboBox1, 1, SetTimeDialog::kEdits);
    connect(ComboBox1, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        state_.weekdayText = text.toStdString();
        state_.ComboBox1Change();
        if (state_.weekdayText != text.toStdString()) {
            const QSignalBlocker blocker(ComboBox1);
            ComboBox1->setEditText(widgetText(state_.weekdayText));
        }
    });
    layout->addWidget(group);

    auto* buttons = new QHBoxLayout;
    btnSetup = new QPushButton("Setup", this);
    btnCancel = new QPushButton("Cancel", this);
    btnStartMonitorClock = new QPushButton("Start monitor", this);
    btnStopMonitorClock = new QPushButton("Stop monitor", this);
    for (QPushButton* button : {btnSetup, btnCancel, btnStartMonitorClock, btnStopMonitorClock})
        buttons->addWidget(button);
    layout->addLayout(buttons);

    Timer4 = new QTimer(this);
    connect(Timer4, &QTimer::timeout, this, &TSetTimeForm::Timer4Timer);
    state_.setTimer4Interval = [this](std::uint32_t ms) {
        if (ms == 0) {
            Timer4->stop();
        } else {
            Timer4->start(static_cast<int>(ms));
        }
        btnStartMonitorClock->setEnabled(state_.startMonitorEnabled);
        btnStopMonitorClock->setEnabled(state_.stopMonitorEnabled);
    };
    connect(btnSetup, &QPushButton::clicked, this, [this] { state_.btnSetupClick(); });
    connect(btnStartMonitorClock, &QPushButton::clicked, this,
            [this] { state_.btnStartMonitorClockClick(); });
    connect(btnStopMonitorClock, &QPushButton::clicked, this, [this] { state_.btnStopMonitorClockClick(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] {
        state_.btnCancelClick();
        reject();
    });
}

void TSetTimeForm::showEvent(QShowEvent* event) {
    state_.FormShow();
    showState();
    QDialog::showEvent(event);
}

void TSetTimeForm::Timer4Timer() {
    state_.Timer4Timer();
    showState();
}

void TSetTimeForm::showState() {
    for (std::size_t i = 0; i < edits.size(); ++i) {
        const QSignalBlocker blocker(edits[i]);
        edits[i]->setText(widgetText(state_.edits[i]));
    }
    const QSignalBlocker blocker(ComboBox1);
    ComboBox1->setEditText(widgetText(state_.weekdayText));
    btnStartMonitorClock->setEnabled(state_.startMonitorEnabled);
    btnStopMonitorClock->setEnabled(state_.stopMonitorEnabled);
}

void runSetTimeForm(SetTimeDialog& state) {
    TSetTimeForm form(state, QApplication::activeWindow());
    form.exec();
    form.Timer4->stop();
    state.setTimer4Interval = nullptr;
}

}  // namespace kestrion::forms
