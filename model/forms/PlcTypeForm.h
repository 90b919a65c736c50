// The PLC type dialog: one radio group of the six PLC model families in three columns, OK, Cancel
// and Help. Its rules are PlcTypeDialog's; the window shows them and passes the clicks on.
#pragma once

#include <QDialog>

#include "model/image/PlcTypeDialog.h"

class QButtonGroup;
class QGroupBox;
class QPushButton;

namespace kestrion::forms {

class TPlcTypeForm : public QDialog {
    Q_OBJECT
public:
    explicit TPlcTypeForm(QWidget* parent = nullptr);

    // Fields: preset memSizeCode and plcType before the modal show, read all three afterwards.
    PlcTypeDialog state;

    QGroupBox* FennuRadioGroup = nullptr;
    QButtonGroup* FennuButtons = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;
    QPushButton* btnHelp = nullptr;

public slots:
    void FennuRadioGroupClick(int itemIndex);
    void btnOkClick();
    void btnCancelClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void showSelection();
};

// Shows the dialog modally with its presets and gives back its result fields.
PlcTypeFormResult showPlcTypeForm(std::int32_t plcType, std::int32_t memSizeCode, QWidget* parent);

}  // namespace kestrion::forms
