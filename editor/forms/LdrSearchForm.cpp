#include "editor/forms/LdrSearchForm.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "editor/forms/GoToStepForm.h"
#include "lang/forms/Captions.h"
#include "lang/forms/WidgetText.h"

namespace kestrion::forms {

namespace {

QTableWidgetItem* cell(const std::string& text) {
    auto* item = new QTableWidgetItem(widgetText(text));
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

}  // namespace

TldrSearchForm::TldrSearchForm(FindListDialog& dialog, QWidget* parent)
    : QDialog(parent != nullptr ? parent : QApplication::activeWindow()), dialog_(dialog) {
    setObjectName("ldrSearchForm");
    auto* layout = new QVBoxLayout(this);
    CountLabel = new QLabel(this);
    CountLabel->setObjectName("CountLabel");
    layout->addWidget(CountLabel);
    FoundGrid = new QTableWidget(static_cast<int>(dialog.places.size()), 3, this);
    FoundGrid->setObjectName("FoundGrid");
    FoundGrid->verticalHeader()->hide();
    FoundGrid->horizontalHeader()->setStretchLastSection(true);
    FoundGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    FoundGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    for (std::size_t i = 0; i < dialog.places.size(); ++i) {
        const FoundPlace& place = dialog.places[i];
        const int row = static_cast<int>(i);
        QTableWidgetItem* step = cell(place.step);
        step->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        FoundGrid->setItem(row, 0, step);
        FoundGrid->setItem(row, 1, cell(place.line));
        FoundGrid->setItem(row, 2, cell(place.comment));
    }
    FoundGrid->setMinimumSize(620, 320);
    layout->addWidget(FoundGrid, 1);
    auto* buttons = new QHBoxLayout;
    btnClose = new QPushButton(this);
    btnClose->setObjectName("btnClose");
    buttons->addStretch();
    buttons->addWidget(btnClose);
    layout->addLayout(buttons);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(FoundGrid, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { FoundGridDblClick(row); });
    connect(FoundGrid, &QTableWidget::cellActivated, this, [this](int row, int) { FoundGridDblClick(row); });
    const std::string query = dialog.query;
    const std::size_t count = dialog.places.size();
    Captions::of(this)
        .with([this, query] { setWindowTitle(captionText("FindListCaption").arg(widgetText(query))); })
        .with([this, count] {
            CountLabel->setText(captionText(count == 1 ? "FindListCountOne" : "FindListCount").arg(count));
        })
        .with([this] {
            FoundGrid->setHorizontalHeaderLabels(
                {captionText("FindListStep"), captionText("FindListLine"), captionText("FindComment")});
            fitColumns();
        })
        .text(btnClose, "Close");
    if (!dialog.places.empty()) FoundGrid->selectRow(0);
}

// The columns as wide as their cells and their headers in the language shown, so that neither is
// cut; the instruction lines keep room for a long one.
void TldrSearchForm::fitColumns() {
    FoundGrid->resizeColumnsToContents();
    FoundGrid->setColumnWidth(1, std::max(FoundGrid->columnWidth(1), 180));
}

void TldrSearchForm::FoundGridDblClick(int row) {
    if (row < 0) return;
    dialog_.rowDoubleClick(static_cast<std::size_t>(row));
}

void runLdrSearchForm(FindListDialog& dialog) {
    TldrSearchForm form(dialog);
    form.exec();
}

void QtEditorDialogs::findList(FindListDialog& dialog) {
    runLdrSearchForm(dialog);
}

}  // namespace kestrion::forms
