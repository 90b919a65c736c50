#include "link/forms/PcbCheckForm.h"

#include <functional>

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

#include "lang/forms/Captions.h"
#include "lang/forms/WidgetText.h"

namespace kestrion::forms {

namespace {

const char* colourName(LabelColour colour) {
    switch (colour) {
        case LabelColour::Yellow: return "yellow";
        case LabelColour::Teal: return "teal";
        case LabelColour::Red: return "red";
        default: return "white";
    }
}

}  // namespace

TPcbCheckForm::TPcbCheckForm(PcbCheckDialog& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName("PcbCheckForm");
    auto* layout = new QGridLayout(this);
    btnPCB = new QPushButton(this);
    btnFRAM = new QPushButton(this);
    btnProductId = new QPushButton(this);
    btnCheckAll = new QPushButton(this);
    Captions::of(this)
        .translatedTitle(state.caption)
        .text(btnPCB, "PcbCheckPcb")
        .text(btnFRAM, "PcbCheckFram")
        .text(btnProductId, "PcbCheckProductId")
        .text(btnCheckAll, "PcbCheckAll");
    static const char* const labelNames[] = {"btnPcbLabel", "btnFramLabel", "btnProductIdLabel"};
    int row = 0;
    for (QPushButton* button : {btnPCB, btnFRAM, btnProductId}) {
        auto* label = new QLabel(this);
        label->setObjectName(labelNames[row]);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(160);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        resultLabels[static_cast<std::size_t>(row)] = label;
        layout->addWidget(button, row, 0);
        layout->addWidget(label, row, 1);
        ++row;
    }
    layout->addWidget(btnCheckAll, row, 0);
    PcbCheckMemo1 = new QPlainTextEdit(this);
    PcbCheckMemo1->setObjectName("PcbCheckMemo1");
    PcbCheckMemo1->setReadOnly(true);
    layout->addWidget(PcbCheckMemo1, 0, 2, row + 1, 1);

    state_.changed = [this] { showState(); };
    const std::pair<QPushButton*, void (PcbCheckDialog::*)()> buttons[] = {
        {btnPCB, &PcbCheckDialog::btnPCBClick},
        {btnFRAM, &PcbCheckDialog::btnFRAMClick},
        {btnProductId, &PcbCheckDialog::btnProductIdClick},
        {btnCheckAll, &PcbCheckDialog::btnCheckAllClick}};
    for (const auto& [button, handler] : buttons)
        connect(button, &QPushButton::clicked, this,
                [this, run = std::function<void(PcbCheckDialog&)>(handler)] {
                    run(state_);
                    showState();
                });
    resize(560, 260);
}

void TPcbCheckForm::showEvent(QShowEvent* event) {
    state_.FormShow();
    showState();
    QDialog::showEvent(event);
}

void TPcbCheckForm::showState() {
    for (std::size_t i = 0; i < resultLabels.size(); ++i) {
        resultLabels[i]->setText(widgetText(state_.labels[i].text));
        resultLabels[i]->setStyleSheet(
            QString("background-color: %1;").arg(colourName(state_.labels[i].colour)));
    }
    QStringList lines;
    for (const std::string& line : state_.memo) lines << widgetText(line);
    PcbCheckMemo1->setPlainText(lines.join('\n'));
    PcbCheckMemo1->moveCursor(QTextCursor::End);
}

void runPcbCheckForm(PcbCheckDialog& state) {
    TPcbCheckForm form(state, QApplication::activeWindow());
    form.exec();
    state.changed = nullptr;
}

}  // namespace kestrion::forms
