#include "link/forms/RegisterViewForm.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>

#include "lang/forms/Captions.h"
#include "lang/forms/WidgetText.h"
#include "platform/forms/DialogButtons.h"

namespace kestrion::forms {

namespace {

constexpr int kColumnWidth = 64;

}  // namespace

void fillRegisterTable(QTableWidget& table, const RegisterGrid& grid) {
    const bool signalsWereBlocked = table.blockSignals(true);
    table.clear();
    table.setRowCount(grid.rows);
    table.setColumnCount(grid.columns);
    for (int row = 0; row < grid.rows; ++row) {
        for (int column = 0; column < grid.columns; ++column) {
            auto* item = new QTableWidgetItem(QString::fromStdString(grid.cell(column, row)));
            // The labels of row 0 and column 0 are fixed, as a grid's fixed row and column are.
            if (row == 0 || column == 0) {
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(table.palette().button());
            }
            table.setItem(row, column, item);
        }
    }
    table.blockSignals(signalsWereBlocked);
}

TRegisterViewForm::TRegisterViewForm(RegisterViewDialog& state, QWidget* parent)
    : QDialog(parent), state_(state) {
    setObjectName("RegisterViewForm");
    auto* layout = new QVBoxLayout(this);
    regViewStringGrid = new QTableWidget(this);
    regViewStringGrid->setObjectName("regViewStringGrid");
    regViewStringGrid->horizontalHeader()->hide();
    regViewStringGrid->verticalHeader()->hide();
    regViewStringGrid->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    layout->addWidget(regViewStringGrid);
    const OkCancelRow buttons = makeOkCancelRow(this, "Update");
    btnOk = buttons.ok;
    btnCancel = buttons.cancel;
    layout->addLayout(buttons.row);
    resize(12 * kColumnWidth, 480);

    connect(btnOk, &QPushButton::clicked, this, [this] {
        state_.btnOkClick();
        accept();
    });
    connect(btnCancel, &QPushButton::clicked, this, [this] {
        state_.btnCancelClick();
        reject();
    });
}

void TRegisterViewForm::FormShow() {
    state_.FormShow();
    fillRegisterTable(*regViewStringGrid, state_.grid);
}

void TRegisterViewForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void runRegisterViewForm(RegisterViewDialog& dialog) {
    TRegisterViewForm form(dialog, QApplication::activeWindow());
    Captions::of(&form).translatedTitle(dialog.caption).text(form.btnOk, "Update");
    form.exec();
}

}  // namespace kestrion::forms
