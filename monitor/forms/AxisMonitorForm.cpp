#include "monitor/forms/AxisMonitorForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "lang/forms/Captions.h"
#include "lang/forms/WidgetText.h"

namespace kestrion::forms {

TAxisMonitorForm::TAxisMonitorForm(AxisMonitorDialog& state, const std::string& caption, QWidget* parent)
    : QDialog(parent), state_(state) {
    setObjectName("AxisMonitorForm");
    setWindowFlag(Qt::WindowStaysOnTopHint);
    auto* layout = new QVBoxLayout(this);
    auto* axes = new QHBoxLayout;
    Captions& captions = Captions::of(this).translatedTitle(caption);
    static const char* const groupCaptions[] = {"AxisMonitorAxis1", "AxisMonitorAxis2"};
    for (std::size_t axis = 0; axis < 2; ++axis) {
        auto* group = new QGroupBox(this);
        captions.title(group, groupCaptions[axis]);
        auto* grid = new QGridLayout(group);
        for (std::size_t row = 0; row < kAxisRows.size(); ++row) {
            auto* value = new QLabel("0", group);
            value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            value->setMinimumWidth(100);
            value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            auto* name = new QLabel(group);
            captions.translatedText(name, kAxisRows[row]);
            grid->addWidget(name, static_cast<int>(row), 0);
            grid->addWidget(value, static_cast<int>(row), 1);
            valueLabels[axis][row] = value;
        }
        memos[axis] = new QPlainTextEdit("Error Message", group);
        memos[axis]->setObjectName(axis == 0 ? "Memo1" : "Memo2");
        memos[axis]->setReadOnly(true);
        memos[axis]->setMaximumHeight(60);
        grid->addWidget(memos[axis], static_cast<int>(kAxisRows.size()), 0, 1, 2);
        axes->addWidget(group);
    }
    layout->addLayout(axes);
    auto* buttons = new QHBoxLayout;
    btnAxisStartMonitor = new QPushButton(this);
    btnAxisStopMonitor = new QPushButton(this);
    btnClose = new QPushButton(this);
    captions.text(btnAxisStartMonitor, "StartMonitor")
        .text(btnAxisStopMonitor, "StopMonitor")
        .text(btnClose, "Close");
    for (QPushButton* button : {btnAxisStartMonitor, btnAxisStopMonitor, btnClose}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);

    Timer8 = new QTimer(this);
    connect(Timer8, &QTimer::timeout, this, [this] { state_.Timer8Timer(); });
    state_.setTimer8Interval = [this](std::uint32_t ms) {
        if (ms == 0)
            Timer8->stop();
        else
            Timer8->start(static_cast<int>(ms));
        showState();
    };
    state_.changed = [this] { showState(); };
    connect(btnAxisStartMonitor, &QPushButton::clicked, this, [this] { state_.btnAxisStartMonitorClick(); });
    connect(btnAxisStopMonitor, &QPushButton::clicked, this, [this] { state_.btnAxisStopMonitorClick(); });
    connect(btnClose, &QPushButton::clicked, this, [this] {
        state_.btnCloseClick();
        reject();
    });
}

void TAxisMonitorForm::showEvent(QShowEvent* event) {
    state_.FormShow();
    showState();
    QDialog::showEvent(event);
}

void TAxisMonitorForm::closeEvent(QCloseEvent* event) {
    state_.btnCloseClick();
    QDialog::closeEvent(event);
}

void TAxisMonitorForm::showState() {
    for (std::size_t axis = 0; axis < 2; ++axis) {
        for (std::size_t row = 0; row < kAxisRows.size(); ++row)
            valueLabels[axis][row]->setText(QString::number(state_.values[axis][row]));
        if (memos[axis]->toPlainText() != widgetText(state_.memos[axis]))
            memos[axis]->setPlainText(widgetText(state_.memos[axis]));
    }
    btnAxisStartMonitor->setEnabled(state_.startEnabled);
    btnAxisStopMonitor->setEnabled(state_.stopEnabled);
}

void runAxisMonitorForm(AxisMonitorDialog& state, const std::string& caption) {
    TAxisMonitorForm form(state, caption, QApplication::activeWindow());
    form.exec();
    form.Timer8->stop();  // closing the window stops the poll too
    state.setTimer8Interval = nullptr;
    state.changed = nullptr;
}

}  // namespace kestrion::forms
