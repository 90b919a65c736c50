#include "wizards/forms/AutoLinkForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "platform/forms/DialogButtons.h"
#include "wizards/forms/CalculatorBinder.h"
#include "wizards/forms/FirmwareHistoryForm.h"
#include "wizards/forms/FormPlacing.h"

namespace kestrion::forms {

namespace {

QWidget* withUnit(QWidget* field, const char* unit) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(field, 1);
    layout->addWidget(new QLabel(unit, row));
    return row;
}

QGroupBox* stationTable(CalculatorBinder& binder, bool readTable, QPushButton*& fillAll) {
    auto* group = new QGroupBox(readTable ? "Read Address of Station No." : "Write Address of Station No.");
    auto* outer = new QVBoxLayout(group);
    auto* rows = new QWidget;
    auto* grid = new QGridLayout(rows);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setVerticalSpacing(2);
    for (int n = 1; n <= kAutoLinkStations; ++n) {
        grid->addWidget(new QLabel(QString("StNo%1").arg(n, 2, 10, QChar('0')), rows), n - 1, 0);
        QLineEdit* edit = binder.edit(rows, stationEditName(readTable, n), 4);
        edit->setFixedWidth(60);
        grid->addWidget(edit, n - 1, 1);
        grid->addWidget(binder.combo(rows, stationComboName(readTable, n), {"Dec", "Hex"}), n - 1, 2);
    }
    auto* scroll = new QScrollArea;
    scroll->setWidget(rows);
    scroll->setWidgetResizable(true);
    outer->addWidget(scroll, 1);
    fillAll = new QPushButton("Fill ALL", group);
    fillAll->setObjectName(readTable ? "btnRxFillAll" : "btnTxFillAll");
    outer->addWidget(fillAll);
    return group;
}

}  // namespace

TautoLinkForm::TautoLinkForm(AutoLinkCalculator& rules, QWidget* parent) : QDialog(parent), rules_(rules) {
    setObjectName("autoLinkForm");
    setWindowTitle("AutoLink");
    systemMenuOnly(*this);
    binder = new CalculatorBinder(rules_, this);
    CalculatorBinder& b = *binder;

    auto* left = new QWidget(this);
    auto* form = new QFormLayout(left);
    form->addRow("Protocol", b.combo(left, "protocolComboBox", {"ModbusAscii", "ModbusRtu"}));
    form->addRow("Data bits", b.combo(left, "dataBitsComboBox", {"7", "8"}));
    form->addRow("Parity", b.combo(left, "parityComboBox", {"None", "Odd", "Even"}));
    form->addRow("Stop bits", b.combo(left, "stopBitsComboBox", {"1", "2"}));
    form->addRow("Baud rate", b.combo(left, "baudRateComboBox",
                                      {"2400", "4800", "9600", "19200", "38400", "57600", "115200"}));
    form->addRow("Format 1/4", b.combo(left, "Format14ComboBox", {"1", "4"}));
    for (const char* code : {"Header", "Terminator1", "Terminator2"}) {
        auto* row = new QWidget(left);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(b.combo(row, std::string(code) + "ComboBox", {"ON", "OFF"}));
        QLineEdit* edit = b.edit(row, std::string(code) + "Edit", 4);
        edit->setReadOnly(true);
        layout->addWidget(edit);
        form->addRow(code, row);
    }
    form->addRow("Hardware", b.combo(left, "HarewareComboBox", {"RS232C", "RS485"}));
    form->addRow("Control mode", b.combo(left, "ControlModeComboBox", {}));
    form->addRow("Sum check", b.combo(left, "SumCheckComboBox", {"Yes", "No"}));
    form->addRow("Station No.", withUnit(b.edit(left, "StationNoEdit", 2), "(Hex)"));
    form->addRow("Timeout (.1ms)", b.edit(left, "TimeOutTimerEdit", 5));
    form->addRow("cLinkWaitTime", withUnit(b.edit(left, "cLinkWaitTimeEdit", 2), "x10ms"));
    QLineEdit* formatWord = b.edit(left, "D8120Edit", 4);
    formatWord->setReadOnly(true);
    form->addRow("D8120", withUnit(formatWord, "(Hex)"));

    auto* middle = new QFrame(this);
    middle->setObjectName("Panel1");
    middle->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* panel = new QFormLayout(middle);
    auto* enable = new QCheckBox("Enable Auto Link Control", middle);
    enable->setObjectName("AutoLinkControlCheckBox");
    panel->addRow(enable);
    const auto deviceRow = [&](const char* letterBox, const char* letter, const char* spin, const char* tip) {
        auto* row = new QWidget(middle);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        QComboBox* box = b.combo(row, letterBox, {letter});
        box->setFixedWidth(50);
        layout->addWidget(box);
        SpinEdit* number = b.spin(row, spin);
        number->setToolTip(tip);
        layout->addWidget(number, 1);
        return row;
    };
    panel->addRow("EnableMregister", deviceRow("LinkControlBitDeviceComboBox", "M",
                                               "LinkControlBitDeviceNoCSpinEdit", "[Range:0 - 1535]"));
    panel->addRow(b.label(middle, "linkInformationLabel1"));
    panel->addRow("StartDregister", deviceRow("AutoLinkDeviceComboBox", "D",
                                              "LinkControlByteDeviceNoCSpinEdit", "[Range:0 - 3999]"));
    panel->addRow(b.label(middle, "linkInformationLabel2"));
    panel->addRow("Maximum Station No.", b.edit(middle, "MaximumStationNoEdit", 2));
    panel->addRow("Data Type", b.combo(middle, "DataTypeComboBox", {"16bits", "8bits"}));
    panel->addRow("Send Dreg start address", withUnit(b.edit(middle, "TxWorkNo1AddrEdit", 4), "D"));
    panel->addRow("Space each station (Send)", withUnit(b.edit(middle, "TxEach1AllocEdit", 2), "(words)"));
    panel->addRow("Word count (Send)", withUnit(b.edit(middle, "sendWordCountEdit", 2), "(words)"));
    panel->addRow("Receive Dreg start address", withUnit(b.edit(middle, "RxWorkNo1AddrEdit", 4), "D"));
    panel->addRow("Space each station (Receive)", withUnit(b.edit(middle, "RxEach1AllocEdit", 2), "(words)"));
    panel->addRow("Word count (Receive)", withUnit(b.edit(middle, "receiveWordCountEdit", 2), "(words)"));
    panel->addRow("Wait Time (0.1ms)", b.edit(middle, "rsWaitTimeEdit", 5));
    Button1 = new QPushButton("Help ...", middle);
    Button1->setObjectName("Button1");
    panel->addRow(Button1);

    const OkCancelRow buttons = makeOkCancelRow(this);
    btnOk = buttons.ok;
    btnCancel = buttons.cancel;
    auto* leftColumn = new QVBoxLayout;
    leftColumn->addWidget(left);
    leftColumn->addStretch(1);
    leftColumn->addLayout(buttons.row);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(leftColumn);
    layout->addWidget(middle);
    layout->addWidget(stationTable(b, true, btnRxFillAll), 1);
    layout->addWidget(stationTable(b, false, btnTxFillAll), 1);
    resize(1180, 660);

    connect(btnOk, &QPushButton::clicked, this, [this] {
        if (rules_.btnOkClick()) accept();
        binder->sync();
    });
    connect(btnCancel, &QPushButton::clicked, this, [this] {
        rules_.btnCancelClick();
        reject();
    });
    connect(btnRxFillAll, &QPushButton::clicked, this, [this] {
        rules_.fillAllClick(true);
        binder->sync();
    });
    connect(btnTxFillAll, &QPushButton::clicked, this, [this] {
        rules_.fillAllClick(false);
        binder->sync();
    });
    connect(Button1, &QPushButton::clicked, this,
            [this] { runFirmwareHistoryForm(rules_.helpReport(), this); });
}

void TautoLinkForm::showEvent(QShowEvent* event) {
    if (!shown_) {
        shown_ = true;
        rules_.FormShow();
        binder->sync();
    }
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

void runAutoLinkForm(AutoLinkCalculator& rules) {
    TautoLinkForm form(rules, QApplication::activeWindow());
    form.exec();
}

}  // namespace kestrion::forms
