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

#include "lang/forms/Captions.h"
#include "lang/forms/WidgetText.h"
#include "platform/forms/WindowPlacing.h"

namespace kestrion::forms {

namespace {

constexpr const char* kEditLabels[SetTimeDialog::kEdits] = {"ClockYear", "ClockMonth",  "ClockDay",
                                                            "ClockHour", "ClockMinute", "ClockSecond"};
// The core knows the days by their English names; the list shows them in the interface language.
constexpr const char* kWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};

std::string weekdayOf(const QString& shown) {
    for (const char* day : kWeekdays)
        if (shown == captionText(day)) return day;
    return shown.toStdString();
}

QString shownWeekday(const std::string& day) {
    for (const char* known : kWeekdays)
        if (day == known) return captionText(known);
    return widgetText(day);
}

}  // namespace

TSetTimeForm::TSetTimeForm(SetTimeDialog& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName("SetTimeForm");
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(this);
    Captions& captions = Captions::of(this).title("SetTimeCaption").title(group, "ClockSetup");
    auto* grid = new QGridLayout(group);
    for (int i = 0; i < SetTimeDialog::kEdits; ++i) {
        auto* edit = new QLineEdit("00", group);
        edit->setObjectName(QString("Edit%1").arg(i + 1));
        edit->setMaxLength(2);
        auto* label = new QLabel(group);
        captions.text(label, kEditLabels[i]);
        grid->addWidget(label, 0, i);
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
    for (const char* day : kWeekdays) ComboBox1->addItem(day);
    captions.with([this] {
        const QSignalBlocker blocker(ComboBox1);
        for (int i = 0; i < ComboBox1->count(); ++i)
            ComboBox1->setItemText(i, captionText(kWeekdays[static_cast<std::size_t>(i)]));
        ComboBox1->setEditText(shownWeekday(state_.weekdayText));
    });
    auto* dayLabel = new QLabel(group);
    captions.text(dayLabel, "ClockWeekday");
    grid->addWidget(dayLabel, 0, SetTimeDialog::kEdits);
    grid->addWidget(ComboBox1, 1, SetTimeDialog::kEdits);
    connect(ComboBox1, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        state_.weekdayText = weekdayOf(text);
        state_.ComboBox1Change();
        if (state_.weekdayText != weekdayOf(text)) {
            const QSignalBlocker blocker(ComboBox1);
            ComboBox1->setEditText(shownWeekday(state_.weekdayText));
        }
    });
    layout->addWidget(group);

    auto* buttons = new QHBoxLayout;
    btnSetup = new QPushButton(this);
    btnCancel = new QPushButton(this);
    btnStartMonitorClock = new QPushButton(this);
    btnStopMonitorClock = new QPushButton(this);
    captions.text(btnSetup, "ClockSetupButton")
        .text(btnCancel, "Cancel")
        .text(btnStartMonitorClock, "StartMonitor")
        .text(btnStopMonitorClock, "StopMonitor");
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
    keepLaidOutSize(*this);
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
    ComboBox1->setEditText(shownWeekday(state_.weekdayText));
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
