#include "wizards/forms/CcLinkForm.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "lang/forms/WidgetText.h"
#include "wizards/forms/CalculatorBinder.h"
#include "wizards/forms/FormPlacing.h"

namespace kestrion::forms {

namespace {

QPushButton* namedButton(QWidget* parent, const char* name, const char* caption) {
    auto* pushButton = new QPushButton(caption, parent);
    pushButton->setObjectName(name);
    return pushButton;
}

QComboBox* pickBox(QWidget* parent, const char* name, const QStringList& items) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(items);
    return box;
}

}  // namespace

TccLinkForm::TccLinkForm(CcLinkDialog& rules, QWidget* parent) : QDialog(parent), rules_(rules) {
    setObjectName("ccLinkForm");
    setWindowTitle(widgetText(rules_.caption));
    systemMenuOnly(*this);
    binder = new CalculatorBinder(rules_, this);

    auto* settings = new QGroupBox("ccGate Module CC-Link Protocol Setup", this);
    settings->setObjectName("GroupBox1");
    auto* form = new QFormLayout(settings);
    form->addRow("Occupied Stations ",
                 binder->combo(settings, "OccupiedStationsComboBox", {"1", "2", "3", "4"}));
    form->addRow("Baud Rate", binder->combo(settings, "BaudRateComboBox",
                                            {"156Kbps", "625Kbps", "2.5Mbps", "5.0Mbps", "10Mbps"}));
    SpinEdit* station = binder->spin(settings, "StationNoCSpinEdit");
    station->setToolTip("[Range:1 - 64]");
    form->addRow("Station No", station);
    btnSetup = button("btnSetup", "Setup", [this] { rules_.btnSetupClick(); });
    form->addRow(btnSetup);

    auto* status = new QGroupBox("ccGate Module Status", this);
    status->setObjectName("GroupBox2");
    auto* statusLayout = new QVBoxLayout(status);
    msgMemo = new QPlainTextEdit(status);
    msgMemo->setObjectName("msgMemo");
    msgMemo->setReadOnly(true);
    statusLayout->addWidget(msgMemo);

    btnCheck = button("btnCheck", "Check", [this] { rules_.btnCheckClick(); });
    btnPinfo = button("btnPinfo", "Pinfo...", [this] { rules_.btnPinfoClick(); });
    btnUpdate1 = button("btnUpdate1", "Update", [this] { rules_.btnUpdate1Click(); });
    Monitor = button("Monitor", "Monitor", [this] { rules_.MonitorClick(); });
    btnClose = namedButton(this, "btnClose", "Close");
    btnCancel = namedButton(this, "btnCancel", "Cancel");
    for (QPushButton* hidden : {btnUpdate1, btnCancel, Monitor}) hidden->hide();
    connect(btnClose, &QPushButton::clicked, this, [this] {
        rules_.btnCloseClick();
        accept();
    });
    connect(btnCancel, &QPushButton::clicked, this, [this] {
        rules_.btnCancelClick();
        reject();
    });

    auto* buttons = new QHBoxLayout;
    for (QPushButton* shown : {btnCheck, btnPinfo, btnUpdate1, btnCancel, Monitor}) buttons->addWidget(shown);
    buttons->addStretch(1);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(settings);
    layout->addWidget(status, 1);
    layout->addLayout(buttons);
    resize(460, 420);
}

QPushButton* TccLinkForm::button(const char* name, const char* caption, std::function<void()> handler) {
    QPushButton* pushButton = namedButton(this, name, caption);
    connect(pushButton, &QPushButton::clicked, this, [this, handler = std::move(handler)] {
        handler();
        syncFromRules();
    });
    return pushButton;
}

void TccLinkForm::syncFromRules() {
    binder->sync();
    QStringList lines;
    for (const std::string& line : rules_.msgMemo) lines << widgetText(line);
    msgMemo->setPlainText(lines.join('\n'));
}

void TccLinkForm::showEvent(QShowEvent* event) {
    syncFromRules();
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

TccGateModbusForm::TccGateModbusForm(CcGateModbusDialog& rules, QWidget* parent)
    : QDialog(parent), rules_(rules) {
    setObjectName("ccGateModbusForm");
    setWindowTitle(widgetText(rules_.caption));
    systemMenuOnly(*this);

    auto* panel = new QFrame(this);
    panel->setObjectName("Panel1");
    auto* panelLayout = new QVBoxLayout(panel);
    auto* modbus = new QGroupBox("Modbus", panel);
    modbus->setObjectName("ModbusGroupBox");
    auto* form = new QFormLayout(modbus);
    form->addRow("Mode", pickBox(modbus, "ComboBox1", {"Ascii", "RTU"}));
    auto* station = new SpinEdit(modbus);
    station->setObjectName("StationNoCSpinEdit");
    station->setToolTip("[Range:1 - 64]");
    station->edit()->setText("0");
    form->addRow("StationNo", station);
    QComboBox* rate =
        pickBox(modbus, "ComboBox2", {"9600bps", "19200bps", "38400bps", "57600bps", "115200bps"});
    form->addRow("Baudrate", rate);
    form->addRow("Bits", pickBox(modbus, "ComboBox3", {"7", "8"}));
    QComboBox* parity = pickBox(modbus, "ComboBox4", {"NONE", "ODD", "EVEN"});
    parity->setCurrentText("EVEN");
    form->addRow("Parity", parity);
    form->addRow("StopBit", pickBox(modbus, "ComboBox5", {"1", "2"}));
    btnSetup = namedButton(modbus, "btnSetup", "Setup");  // has no action
    form->addRow(btnSetup);
    panelLayout->addWidget(modbus);

    msgMemo = new QPlainTextEdit(this);
    msgMemo->setObjectName("msgMemo");
    msgMemo->setReadOnly(true);
    ProgGenerte = namedButton(this, "ProgGenerte", "P.Generte");
    ProgGenerte->setEnabled(false);
    btnClose = namedButton(this, "btnClose", "Close");
    btnCancel = namedButton(this, "btnCancel", "Cancel");
    btnCancel->hide();
    connect(ProgGenerte, &QPushButton::clicked, this, [this] { rules_.ProgGenerteClick(); });
    connect(btnClose, &QPushButton::clicked, this, [this] {
        rules_.btnCloseClick();
        accept();
    });
    connect(btnCancel, &QPushButton::clicked, this, [this] {
        rules_.btnCancelClick();
        accept();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ProgGenerte);
    buttons->addStretch(1);
    buttons->addWidget(btnCancel);
    buttons->addWidget(btnClose);
    auto* right = new QVBoxLayout;
    right->addWidget(msgMemo, 1);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(panel);
    layout->addLayout(right, 1);
    resize(560, 320);
}

void TccGateModbusForm::showEvent(QShowEvent* event) {
    QStringList lines;
    for (const std::string& line : rules_.msgMemo) lines << widgetText(line);
    msgMemo->setPlainText(lines.join('\n'));
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

void runCcLinkForm(CcLinkDialog& rules) {
    TccLinkForm form(rules, QApplication::activeWindow());
    form.exec();
}

void runCcGateModbusForm(CcGateModbusDialog& rules) {
    TccGateModbusForm form(rules, QApplication::activeWindow());
    form.exec();
}

}  // namespace kestrion::forms
