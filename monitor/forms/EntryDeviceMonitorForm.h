// TEntryDeviceMonitorForm: the registered device list and its monitor in a window of its own; its
// rules are EntryDeviceMonitorDialog's, its rows and buttons the monitor's state.
#pragma once

#include <QDialog>
#include <array>

#include "monitor/EntryDeviceMonitor.h"

class QPlainTextEdit;
class QPushButton;
class QTimer;
class QTreeWidget;

namespace kestrion::forms {

class TEntryDeviceMonitorForm : public QDialog {
    Q_OBJECT
public:
    explicit TEntryDeviceMonitorForm(EntryDeviceMonitorDialog& state, QWidget* parent = nullptr);

    QWidget* Panel1 = nullptr;
    QTreeWidget* DeviceListView = nullptr;
    QPlainTextEdit* objDebugMemo1 = nullptr;
    QPlainTextEdit* TxMemo2 = nullptr;
    QPlainTextEdit* RxMemo2 = nullptr;
    // btnStartMonitor .. btnMoveDown, in the column's order.
    std::array<QPushButton*, 12> buttons{};
    QPushButton* btnSetupPanel = nullptr;

    // Lays the parts out for the window's size.
    void btnSetupPanelClick();
    // Rows and buttons as the monitor's state has them.
    void showState();

protected:
    void showEvent(QShowEvent* event) override;

private:
    EntryDeviceMonitorDialog& state_;
    QTimer* refresh_ = nullptr;
};

}  // namespace kestrion::forms
