// TAnyAddressForm: the any-address window; its rules are AnyAddressDialog's, its controls placed
// where the rules' layout routine puts them.
#pragma once

#include <QDialog>
#include <vector>

#include "monitor/access/AnyAddressDialog.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace kestrion::forms {

class TAnyAddressForm : public QDialog {
    Q_OBJECT
public:
    explicit TAnyAddressForm(AnyAddressDialog& state, QWidget* parent = nullptr);

    QFrame* inputPanel = nullptr;
    QLineEdit* AddressEdit = nullptr;
    QLabel* ByteNoLabel = nullptr;
    QLineEdit* ByteNoEdit = nullptr;
    QLabel* DataLabel = nullptr;
    QLineEdit* DataEdit = nullptr;
    QLineEdit* CommandEdit = nullptr;
    QComboBox* PageNoComboBox = nullptr;
    QComboBox* DataLengthComboBox1 = nullptr;
    QComboBox* DataTypeComboBox1 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QPlainTextEdit* AnyTxMemo1 = nullptr;
    QPlainTextEdit* AnyRxMemo1 = nullptr;
    QTreeWidget* AnyAddressListView = nullptr;
    QPushButton* btnRead = nullptr;
    QPushButton* btnWrite = nullptr;
    QPushButton* btnForceOn = nullptr;
    QPushButton* btnForceOff = nullptr;
    QPushButton* btnWhichAddress = nullptr;
    QPushButton* btnStartMonitor = nullptr;
    QPushButton* btnStopMonitor = nullptr;
    QPushButton* btnMachineCode = nullptr;
    QPushButton* btnClose = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    // The close box ends a running watch loop; the window goes once the loop has ended.
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    QPushButton* addButton(const char* name, const char* captionId, void (AnyAddressDialog::*handler)());
    void showHeaders();
    void placeControls();
    void showState();
    AnyAddressDialog& state_;
    std::vector<QWidget*> column_;
    bool closeAfterLoop_ = false;
};

void runAnyAddressForm(AnyAddressDialog& state);

}  // namespace kestrion::forms
