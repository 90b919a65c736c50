// TmachineCodeForm (anyAddressBuf in hex) and TThisSoftwareForm (the software's variables), the two
// developer views the any-address window and xTHIS open.
#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace kestrion::forms {

class TmachineCodeForm : public QDialog {
    Q_OBJECT
public:
    TmachineCodeForm(const QString& caption, int selection, QWidget* parent = nullptr);

    int selection = 0;
    QPushButton* btnAnyAddress = nullptr;
    QPlainTextEdit* Memo1 = nullptr;

    // "AnyAddress": the first 256 bytes of anyAddressBuf, 16 a row.
    void btnAnyAddressClick();
};

class TThisSoftwareForm : public QDialog {
    Q_OBJECT
public:
    explicit TThisSoftwareForm(const QString& caption, QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;
};

}  // namespace kestrion::forms
