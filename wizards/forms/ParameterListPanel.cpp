#include "wizards/forms/ParameterListPanel.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "lang/forms/WidgetText.h"

namespace kestrion::forms {

ParameterListPanel::ParameterListPanel(QWidget* parent) : QGroupBox("Parameter", parent) {
    setObjectName("ParameterGroupBox");
    ParameterListView = new QTableWidget(this);
    ParameterListView->setObjectName("ParameterListView");
    const std::pair<const char*, int> columns[] = {{"Device", 60},         {"Current value", 100},
                                                   {"Setting value", 100}, {"Maxi", 60},
                                                   {"Coil", 60},           {"Comment", 200}};
    ParameterListView->setColumnCount(static_cast<int>(std::size(columns)));
    for (int i = 0; i < ParameterListView->columnCount(); ++i) {
        ParameterListView->setHorizontalHeaderItem(i, new QTableWidgetItem(columns[i].first));
        ParameterListView->setColumnWidth(i, columns[i].second);
    }
    ParameterListView->horizontalHeader()->setStretchLastSection(true);
    ParameterListView->verticalHeader()->hide();
    ParameterListView->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);  // report rows
    ParameterListView->setShowGrid(true);
    ParameterListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ParameterListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(ParameterListView, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (row < 0 || row >= static_cast<int>(shown_.size())) return;
        const ParameterRow& item = shown_[static_cast<std::size_t>(row)];
        emit rowDoubleClicked(item.caption, item.subItems.empty() ? std::string() : item.subItems.front(),
                              row);
    });
    btnParameterViewClose = new QPushButton("Close", this);
    btnParameterViewClose->setObjectName("btnParameterViewClose");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ParameterListView);
    layout->addWidget(btnParameterViewClose, 0, Qt::AlignRight);
}

void ParameterListPanel::setRows(const std::vector<ParameterRow>& rows) {
    if (rows == shown_) return;
    shown_ = rows;
    ParameterListView->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const ParameterRow& row = rows[static_cast<std::size_t>(r)];
        ParameterListView->setItem(r, 0, new QTableWidgetItem(widgetText(row.caption)));
        for (int c = 1; c < ParameterListView->columnCount(); ++c) {
            const auto sub = static_cast<std::size_t>(c - 1);
            ParameterListView->setItem(
                r, c,
                new QTableWidgetItem(sub < row.subItems.size() ? widgetText(row.subItems[sub]) : QString()));
        }
    }
}

}  // namespace kestrion::forms
