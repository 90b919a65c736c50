// TRegisterViewForm ("D register"): D0 upward in a grid of ten a row. Its rules are
// RegisterViewDialog's; the grid can be typed into, and what is typed stays in the dialog.
#pragma once

#include <QDialog>

#include "link/transfer/TransferDialogs.h"

class QPushButton;
class QTableWidget;

namespace kestrion::forms {

// Fills a table from a register grid: the label row and column as headers' look, the cells as
// items.
void fillRegisterTable(QTableWidget& table, const RegisterGrid& grid);

class TRegisterViewForm : public QDialog {
    Q_OBJECT
public:
    explicit TRegisterViewForm(RegisterViewDialog& state, QWidget* parent = nullptr);

    QTableWidget* regViewStringGrid = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

public slots:
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;

private:
    RegisterViewDialog& state_;
};

void runRegisterViewForm(RegisterViewDialog& dialog);

}  // namespace kestrion::forms
