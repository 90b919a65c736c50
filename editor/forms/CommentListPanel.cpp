#include "editor/forms/CommentListPanel.h"
#include "lang/forms/Captions.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace kestrion::forms {

namespace {

QString shown(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QTableWidgetItem* cell(const std::string& text, bool editable) {
    auto* item = new QTableWidgetItem(shown(text));
    if (!editable) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

}  // namespace

CommentListPanel::CommentListPanel(QWidget* parent) : QGroupBox(parent) {
    setObjectName("CommentGroupBox");
    auto* layout = new QVBoxLayout(this);
    auto* find = new QHBoxLayout;
    CommentFindEdit = new QLineEdit(this);
    CommentFindEdit->setObjectName("CommentFindEdit");
    btnCommentFind = new QPushButton(this);
    btnCommentFind->setObjectName("btnCommentFind");
    CommentFindResult = new QLabel(this);
    CommentFindResult->setObjectName("CommentFindResult");
    find->addWidget(CommentFindEdit, 1);
    find->addWidget(btnCommentFind);
    layout->addLayout(find);
    layout->addWidget(CommentFindResult);
    CommentListGrid = new QTableWidget(this);
    CommentListGrid->setObjectName("CommentListGrid");
    CommentListGrid->setColumnCount(3);
    CommentListGrid->verticalHeader()->hide();
    CommentListGrid->horizontalHeader()->setStretchLastSection(true);
    CommentListGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    CommentListGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(CommentListGrid, 1);
    Captions::of(this)
        .placeholder(CommentFindEdit, "CommentListFind")
        .text(btnCommentFind, "CommentListFindNext")
        .with([this] {
            captionList();
            if (!CommentFindResult->text().isEmpty())
                CommentFindResult->setText(captionText("CommentListNotFound"));
        });
    connect(CommentFindEdit, &QLineEdit::returnPressed, this, &CommentListPanel::btnCommentFindClick);
    connect(btnCommentFind, &QPushButton::clicked, this, &CommentListPanel::btnCommentFindClick);
    connect(CommentListGrid, &QTableWidget::itemChanged, this, &CommentListPanel::CommentListGridItemChanged);
}

QSize CommentListPanel::sizeHint() const {
    constexpr int kWidthInCharacters = 56;  // a device, a step or coil, and most of a comment
    return {kWidthInCharacters * fontMetrics().averageCharWidth(), QGroupBox::sizeHint().height()};
}

void CommentListPanel::showList(CommentKind kind) {
    kind_ = kind;
    fill();
}

void CommentListPanel::fill() {
    filling_ = true;
    rows_ = commentListRows(kind_);
    captionList();
    const bool devices = keyedByDevice(kind_);
    CommentListGrid->setColumnHidden(kOwnerColumn, devices);
    // The device lists end in an empty row that takes a new device and its comment or name.
    const int count = static_cast<int>(rows_.size());
    CommentListGrid->setRowCount(devices ? count + 1 : count);
    for (int row = 0; row < count; ++row) {
        const CommentListRow& entry = rows_[static_cast<std::size_t>(row)];
        CommentListGrid->setItem(row, kKeyColumn, cell(entry.key, false));
        CommentListGrid->setItem(row, kOwnerColumn, cell(entry.owner, false));
        CommentListGrid->setItem(row, kCommentColumn, cell(entry.comment, true));
    }
    if (devices) {
        CommentListGrid->setItem(count, kKeyColumn, cell("", true));
        CommentListGrid->setItem(count, kOwnerColumn, cell("", false));
        CommentListGrid->setItem(count, kCommentColumn, cell("", true));
    }
    CommentListGrid->resizeColumnToContents(kKeyColumn);
    CommentFindResult->clear();
    filling_ = false;
}

void CommentListPanel::CommentListGridItemChanged(QTableWidgetItem* item) {
    if (filling_ || item == nullptr || item->column() == kOwnerColumn) return;
    const int row = item->row();
    const auto text = [this, row](int column) {
        const QTableWidgetItem* at = CommentListGrid->item(row, column);
        return at != nullptr ? at->text().trimmed().toStdString() : std::string();
    };
    const bool newRow = row >= static_cast<int>(rows_.size());
    // A new device comment or name waits until both its device and its text are typed.
    if (newRow && (text(kKeyColumn).empty() || text(kCommentColumn).empty())) return;
    const bool written =
        changeListedComment(kind_, static_cast<std::size_t>(row), text(kKeyColumn), text(kCommentColumn));
    // Filled again after the signal: a deleted entry leaves, a refused text goes back.
    QTimer::singleShot(0, this, [this] { fill(); });
    if (written) emit edited();
}

void CommentListPanel::captionList() {
    static const char* const titles[kCommentKinds] = {"CommentListDevices", "CommentListBlocks",
                                                      "CommentListCoils", "CommentListNames"};
    setTitle(captionText(titles[static_cast<int>(kind_)]));
    CommentListGrid->setHorizontalHeaderLabels(
        {captionText(keyedByDevice(kind_) ? "CommentDevice" : "ColumnStep"),
         captionText(kind_ == CommentKind::Coil ? "CommentListCoil" : "CommentListBlock"),
         captionText(kind_ == CommentKind::Name ? "CommentListName" : "CommentCaption")});
}

void CommentListPanel::btnCommentFindClick() {
    const int found =
        findCommentRow(rows_, CommentFindEdit->text().toStdString(), CommentListGrid->currentRow() + 1);
    if (found < 0) {
        CommentListGrid->clearSelection();
        CommentFindResult->setText(captionText("CommentListNotFound"));
        return;
    }
    CommentFindResult->clear();
    CommentListGrid->setCurrentCell(found, kCommentColumn);
    CommentListGrid->scrollToItem(CommentListGrid->item(found, kCommentColumn));
}

}  // namespace kestrion::forms
