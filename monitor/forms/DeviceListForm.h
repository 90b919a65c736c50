// TdeviceListForm: the device usage list, one device letter at a time.
#pragma once

#include <QDialog>
#include <array>

#include "monitor/DeviceUsage.h"

class QPushButton;
class QTableWidget;

namespace kestrion::forms {

class TdeviceListForm : public QDialog {
    Q_OBJECT
public:
    explicit TdeviceListForm(QWidget* parent = nullptr);

    QTableWidget* UseDeviceStringGrid1 = nullptr;
    // btnXn, btnYn, btnMn, btnSn, btnTn, btnCn, btnDn, btnPn.
    std::array<QPushButton*, kDeviceUsageLetters> letterButtons{};
    QPushButton* btnClose = nullptr;

    // Fills the grid with the list of one letter.
    void showLetter(char letter);

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace kestrion::forms
