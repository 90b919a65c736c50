// TccLinkForm: the CC-Link gateway setup dialog's window over CcLinkDialog's rules, and
// TccGateModbusForm, the gateway program dialog.
#pragma once

#include <QDialog>
#include <functional>

#include "wizards/gateway/CcLinkDialog.h"
#include "wizards/gateway/GatewayProgram.h"

class QPlainTextEdit;
class QPushButton;

namespace kestrion::forms {

class CalculatorBinder;

class TccLinkForm : public QDialog {
    Q_OBJECT
public:
    explicit TccLinkForm(CcLinkDialog& rules, QWidget* parent = nullptr);

    CalculatorBinder* binder = nullptr;
    QPlainTextEdit* msgMemo = nullptr;
    QPushButton* btnSetup = nullptr;
    QPushButton* btnCheck = nullptr;
    QPushButton* btnPinfo = nullptr;
    QPushButton* btnClose = nullptr;
    QPushButton* btnUpdate1 = nullptr;  // hidden
    QPushButton* btnCancel = nullptr;   // hidden
    QPushButton* Monitor = nullptr;     // hidden

    // The controls and the memo as the rules have them.
    void syncFromRules();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* button(const char* name, const char* caption, std::function<void()> handler);
    CcLinkDialog& rules_;
};

class TccGateModbusForm : public QDialog {
    Q_OBJECT
public:
    explicit TccGateModbusForm(CcGateModbusDialog& rules, QWidget* parent = nullptr);

    QPlainTextEdit* msgMemo = nullptr;
    QPushButton* btnSetup = nullptr;
    QPushButton* ProgGenerte = nullptr;  // disabled, as designed
    QPushButton* btnClose = nullptr;
    QPushButton* btnCancel = nullptr;  // hidden

protected:
    void showEvent(QShowEvent* event) override;

private:
    CcGateModbusDialog& rules_;
};

void runCcLinkForm(CcLinkDialog& rules);
void runCcGateModbusForm(CcGateModbusDialog& rules);

}  // namespace kestrion::forms
