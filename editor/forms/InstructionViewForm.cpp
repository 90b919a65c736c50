#include "editor/forms/InstructionViewForm.h"

#include <QAbstractTableModel>
#include <QFontDatabase>
#include <QHeaderView>
#include <algorithm>

#include "lang/forms/Captions.h"
#include "lang/forms/WidgetText.h"

namespace kestrion::forms {

class InstructionLinesModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void reset(int count, InstructionViewForm::RowSource source) {
        beginResetModel();
        count_ = count;
        source_ = std::move(source);
        endResetModel();
    }
    void shownChanged() {
        if (count_ > 0) emit dataChanged(index(0, 0), index(count_ - 1, kColumns - 1));
    }

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : count_; }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : kColumns; }
    QVariant data(const QModelIndex& at, int role) const override {
        if (role != Qt::DisplayRole || !at.isValid() || !source_) return {};
        return widgetText(source_(at.row())[static_cast<std::size_t>(at.column())]);
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const char* const kTitles[kColumns] = {"ColumnStep", "ColumnInstruction", "ColumnOperand",
                                                      "CommentCaption"};
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumns)
            return {};
        return captionText(kTitles[section]);
    }

private:
    static constexpr int kColumns = 4;
    int count_ = 0;
    InstructionViewForm::RowSource source_;
};

InstructionViewForm::InstructionViewForm(QWidget* parent)
    : QTableView(parent), lines_(new InstructionLinesModel(this)) {
    setObjectName("InstructionMemo");
    setModel(lines_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setShowGrid(false);
    setWordWrap(false);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    verticalHeader()->hide();
    // Rows of one height: the view places 64,000 of them without measuring any.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setStretchLastSection(true);
    const int digit = fontMetrics().horizontalAdvance('0');
    const int digits[] = {8, 12, 30};
    for (int column = 0; column < 3; ++column)
        setColumnWidth(column, std::max(digits[column] * digit, horizontalHeader()->sectionSizeHint(column)));
    Captions::of(this).with(
        [this] { emit lines_->headerDataChanged(Qt::Horizontal, 0, lines_->columnCount({}) - 1); });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& at) {
        if (at.isValid() && onDoubleClick) onDoubleClick(at.row());
    });
}

void InstructionViewForm::setLines(int count, RowSource source) {
    const int current = currentIndex().isValid() ? currentIndex().row() : 0;
    lines_->reset(count, std::move(source));
    if (count > 0) setCurrentIndex(lines_->index(std::min(current, count - 1), 0));
}

void InstructionViewForm::refreshShown() {
    lines_->shownChanged();
}

}  // namespace kestrion::forms
