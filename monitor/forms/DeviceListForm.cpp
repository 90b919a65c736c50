#include "monitor/forms/DeviceListForm.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>

#include "lang/forms/Captions.h"
#include "lang/forms/WidgetText.h"
#include "platform/forms/WindowPlacing.h"

namespace kestrion::forms {

namespace {

constexpr char kLetters[kDeviceUsageLetters + 1] = "XYMSTCDP";

}  // namespace

TdeviceListForm::TdeviceListForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName("deviceListForm");
    // The design's 656 x 455: the grid at the left, the letter buttons in a column beside it, each
    // at least its design size and as wide as its text needs.
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 15, 6);
    layout->setSpacing(15);
    UseDeviceStringGrid1 = new QTableWidget(this);
    UseDeviceStringGrid1->setObjectName("UseDeviceStringGrid1");
    UseDeviceStringGrid1->setMinimumSize(561, 441);
    layout->addWidget(UseDeviceStringGrid1, 1);
    auto* column = new QVBoxLayout;
    column->setSpacing(7);
    layout->addLayout(column);
    UseDeviceStringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    UseDeviceStringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    UseDeviceStringGrid1->horizontalHeader()->setDefaultSectionSize(48);
    UseDeviceStringGrid1->verticalHeader()->setDefaultSectionSize(20);
    for (std::size_t i = 0; i < kDeviceUsageLetters; ++i) {
        auto* button = new QPushButton(QString(QChar(kLetters[i])), this);
        button->setObjectName(QString("btn%1n").arg(QChar(kLetters[i])));
        button->setMinimumSize(57, 25);
        column->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, letter = kLetters[i]] { showLetter(letter); });
        letterButtons[i] = button;
    }
    btnClose = new QPushButton(this);
    Captions::of(this).text(btnClose, "Close");
    btnClose->setObjectName("btnClose");
    btnClose->setMinimumSize(57, 25);
    column->addSpacing(7);
    column->addWidget(btnClose);
    column->addStretch(1);
    connect(btnClose, &QPushButton::clicked, this, [this] { done(2); });
    keepLaidOutSize(*this);
    centreOnScreen(*this);
}

void TdeviceListForm::showLetter(char letter) {
    const DeviceListGrid grid = deviceListGrid(letter);
    if (grid.empty()) return;
    const int rows = static_cast<int>(grid.size()) - 1;
    const int columns = static_cast<int>(grid[0].size()) - 1;
    UseDeviceStringGrid1->clear();
    UseDeviceStringGrid1->setRowCount(rows);
    UseDeviceStringGrid1->setColumnCount(columns);
    QStringList columnHeadings;
    for (int u = 1; u <= columns; ++u)
        columnHeadings << QString::fromStdString(grid[0][static_cast<std::size_t>(u)]);
    UseDeviceStringGrid1->setHorizontalHeaderLabels(columnHeadings);
    QStringList rowHeadings;
    for (int r = 1; r <= rows; ++r) {
        const auto& line = grid[static_cast<std::size_t>(r)];
        rowHeadings << QString::fromStdString(line[0]);
        for (int u = 1; u <= columns; ++u)
            UseDeviceStringGrid1->setItem(
                r - 1, u - 1,
                new QTableWidgetItem(QString::fromStdString(line[static_cast<std::size_t>(u)])));
    }
    UseDeviceStringGrid1->setVerticalHeaderLabels(rowHeadings);
}

void TdeviceListForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) showLetter('X');
}

}  // namespace kestrion::forms
