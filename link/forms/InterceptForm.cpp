#include "link/forms/InterceptForm.h"

#include <functional>

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>

#include "lang/forms/Captions.h"
#include "lang/forms/WidgetText.h"

namespace kestrion::forms {

namespace {

constexpr int kPanelWidths[6] = {200, 50, 50, 50, 80, 50};

}  // namespace

TInterceptForm::TInterceptForm(InterceptTerminal& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName("InterceptForm");
    auto* layout = new QGridLayout(this);
    Label1 = new QLabel(this);
    layout->addWidget(Label1, 0, 0);
    parityComboBox = addList("parityComboBox", {"Even", "Odd", "None", "Mark", "Space"});
    dataBitComboBox = addList("dataBitComboBox", {"db7Bits", "db8Bits"});
    stopBitComboBox = addList("stopBitComboBox", {"stopBit1", "stopBit2"});
    baudRateComboBox = addList("baudRateComboBox", {"9600", "19200", "38400", "57600", "115200"});
    QStringList ports;
    for (int i = 1; i <= 8; ++i) ports << QString("COM%1").arg(i);
    comPortComboBox = addList("comPortComboBox", ports);
    int column = 1;
    for (QComboBox* list :
         {parityComboBox, dataBitComboBox, stopBitComboBox, baudRateComboBox, comPortComboBox})
        layout->addWidget(list, 0, column++);
    onListChange(parityComboBox, &InterceptTerminal::parityText, &InterceptTerminal::parityComboBoxChange);
    onListChange(dataBitComboBox, &InterceptTerminal::dataBitText, &InterceptTerminal::dataBitComboBoxChange);
    onListChange(stopBitComboBox, &InterceptTerminal::stopBitText, &InterceptTerminal::stopBitComboBoxChange);
    onListChange(baudRateComboBox, &InterceptTerminal::baudRateText,
                 &InterceptTerminal::baudRateComboBoxChange);
    onListChange(comPortComboBox, &InterceptTerminal::comPortText, &InterceptTerminal::comPortComboBoxChange);

    mSend = new QPlainTextEdit(this);
    mSend->setObjectName("mSend");
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    layout->addWidget(mSend, 1, 0, 1, 6);
    layout->addWidget(Memo1, 2, 0, 1, 6);
    btnSend = new QPushButton(this);
    btnSend->setObjectName("btnSend");
    OpenComPort = new QPushButton(this);
    OpenComPort->setObjectName("OpenComPort");
    Close = new QPushButton(this);
    Close->setObjectName("Close");
    Captions::of(this)
        .translatedTitle(state.caption)
        .text(Label1, "InterceptCommParameter")
        .text(btnSend, "InterceptSendEnq")
        .text(OpenComPort, "InterceptOpenPort")
        .text(Close, "Close");
    layout->addWidget(OpenComPort, 3, 0, 1, 2);
    layout->addWidget(btnSend, 3, 2, 1, 2);
    layout->addWidget(Close, 3, 4, 1, 2);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setSizeGripEnabled(false);
    for (std::size_t i = 0; i < statusPanels.size(); ++i) {
        statusPanels[i] = new QLabel(StatusBar1);
        statusPanels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusPanels[i]->setMinimumWidth(kPanelWidths[i]);
        StatusBar1->addWidget(statusPanels[i]);
    }
    layout->addWidget(StatusBar1, 4, 0, 1, 6);

    Timer5 = new QTimer(this);
    connect(Timer5, &QTimer::timeout, this, &TInterceptForm::Timer5Timer);
    state_.setTimer5Interval = [this](std::uint32_t ms) {
        if (ms == 0)
            Timer5->stop();
        else
            Timer5->start(static_cast<int>(ms));
    };
    connect(OpenComPort, &QPushButton::clicked, this, [this] {
        state_.OpenComPortClick();
        showState();
    });
    connect(btnSend, &QPushButton::clicked, this, [this] {
        // The memo's lines end as a terminal's do, with CR LF.
        state_.mSend = mSend->toPlainText().replace("\n", "\r\n").toStdString();
        state_.btnSendClick();
        showState();
    });
    connect(Close, &QPushButton::clicked, this, [this] {
        state_.CloseClick();
        showState();
        reject();
    });
    resize(640, 360);
}

QComboBox* TInterceptForm::addList(const char* name, const QStringList& items) {
    auto* list = new QComboBox(this);
    list->setObjectName(name);
    list->setEditable(true);
    list->addItems(items);
    list->setEditText("");
    return list;
}

void TInterceptForm::onListChange(QComboBox* list, std::string InterceptTerminal::*text,
                                  void (InterceptTerminal::*handler)()) {
    const std::function<void(InterceptTerminal&)> run = handler;
    const auto take = [this, list, text, run] {
        state_.*text = list->currentText().toStdString();
        run(state_);
        showState();
    };
    connect(list, &QComboBox::activated, this, take);
    connect(list->lineEdit(), &QLineEdit::editingFinished, this, take);
}

void TInterceptForm::showEvent(QShowEvent* event) {
    state_.FormShow();
    showState();
    QDialog::showEvent(event);
}

void TInterceptForm::Timer5Timer() {
    state_.Timer5Timer();
    showState();
}

void TInterceptForm::showState() {
    const std::pair<QComboBox*, const std::string*> lists[] = {{parityComboBox, &state_.parityText},
                                                               {dataBitComboBox, &state_.dataBitText},
                                                               {stopBitComboBox, &state_.stopBitText},
                                                               {baudRateComboBox, &state_.baudRateText},
                                                               {comPortComboBox, &state_.comPortText}};
    for (const auto& [list, text] : lists) {
        const QSignalBlocker blocker(list);
        list->setEditText(widgetText(*text));
    }
    if (Memo1->toPlainText() != widgetText(state_.memo1)) Memo1->setPlainText(widgetText(state_.memo1));
    for (std::size_t i = 0; i < statusPanels.size(); ++i)
        statusPanels[i]->setText(widgetText(state_.panels[i]));
    btnSend->setEnabled(state_.sendEnabled);
}

void runInterceptForm(InterceptTerminal& state) {
    TInterceptForm form(state, QApplication::activeWindow());
    form.exec();
    form.Timer5->stop();
    state.setTimer5Interval = nullptr;
}

}  // namespace kestrion::forms
