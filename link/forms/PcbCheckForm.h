// TPcbCheckForm: the service tools' window with its coloured result labels; its rules are
// PcbCheckDialog's.
#pragma once

#include <QDialog>
#include <array>

#include "link/terminals/ServiceTools.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kestrion::forms {

class TPcbCheckForm : public QDialog {
    Q_OBJECT
public:
    explicit TPcbCheckForm(PcbCheckDialog& state, QWidget* parent = nullptr);

    QPushButton* btnPCB = nullptr;
    QPushButton* btnFRAM = nullptr;
    QPushButton* btnProductId = nullptr;
    QPushButton* btnCheckAll = nullptr;
    // btnPcbLabel, btnFramLabel, btnProductIdLabel.
    std::array<QLabel*, 3> resultLabels{};
    QPlainTextEdit* PcbCheckMemo1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showState();
    PcbCheckDialog& state_;
};

void runPcbCheckForm(PcbCheckDialog& state);

}  // namespace kestrion::forms
