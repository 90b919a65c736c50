// TAxisMonitorForm: the two axes' registers, always on top; its rules are AxisMonitorDialog's. It
// owns the QTimer of Timer8.
#pragma once

#include <QDialog>
#include <array>

#include "monitor/access/AxisMonitor.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace kestrion::forms {

class TAxisMonitorForm : public QDialog {
    Q_OBJECT
public:
    TAxisMonitorForm(AxisMonitorDialog& state, const std::string& caption, QWidget* parent = nullptr);

    std::array<std::array<QLabel*, 6>, 2> valueLabels{};  // [axis][row of kAxisRows]
    std::array<QPlainTextEdit*, 2> memos{};               // Memo1, Memo2
    QPushButton* btnAxisStartMonitor = nullptr;
    QPushButton* btnAxisStopMonitor = nullptr;
    QPushButton* btnClose = nullptr;
    QTimer* Timer8 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void showState();
    AxisMonitorDialog& state_;
};

void runAxisMonitorForm(AxisMonitorDialog& state, const std::string& caption);

}  // namespace kestrion::forms
