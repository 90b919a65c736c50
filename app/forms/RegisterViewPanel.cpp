#include "app/forms/RegisterViewPanel.h"

#include <QAbstractItemDelegate>
#include <QAbstractTableModel>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTableView>
#include <QVBoxLayout>
#include <functional>
#include <map>
#include <string>
#include <utility>

#include "app/MainView.h"
#include "lang/forms/Captions.h"
#include "link/transfer/RegisterView.h"

namespace kestrion::forms {

// Grid cell (row, column) of the core is model cell (row - 1, column - 1): the labels are headers.
class RegisterCellsModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void refill() {
        beginResetModel();
        typed_.clear();
        endResetModel();
    }
    // The typed texts give way to the registers; the current cell stays where it is.
    void dropTyped() {
        typed_.clear();
        const QModelIndex root;
        if (rowCount(root) > 0 && columnCount(root) > 0)
            emit dataChanged(index(0, 0), index(rowCount(root) - 1, columnCount(root) - 1));
    }
    std::string cellText(int row, int column) const {
        const auto typed = typed_.find({row, column});
        return typed != typed_.end() ? typed->second : regViewCellText(row, column);
    }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : regViewRowCount() - 1;
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : regViewColumnCount() - 1;
    }
    QVariant data(const QModelIndex& at, int role) const override {
        if (!at.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
        return QString::fromStdString(cellText(at.row() + 1, at.column() + 1));
    }
    bool setData(const QModelIndex& at, const QVariant& value, int role) override {
        if (!at.isValid() || role != Qt::EditRole) return false;
        typed_[{at.row() + 1, at.column() + 1}] = value.toString().toStdString();
        emit dataChanged(at, at);
        return true;
    }
    // Only the cells of a format a value can be typed in take typing: what is typed is written.
    Qt::ItemFlags flags(const QModelIndex& at) const override {
        const Qt::ItemFlags base = QAbstractTableModel::flags(at);
        return regViewCellEditable(at.row() + 1, at.column() + 1) ? base | Qt::ItemIsEditable : base;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole) return {};
        return QString::fromStdString(orientation == Qt::Horizontal ? regViewCellText(0, section + 1)
                                                                    : regViewCellText(section + 1, 0));
    }

private:
    std::map<std::pair<int, int>, std::string> typed_;
};

// The grid hands a cell's text over when the typing in it ends with the text kept (Enter, Tab, a
// click on another cell, the focus gone elsewhere); Escape keeps nothing.
class RegisterGrid : public QTableView {
public:
    using QTableView::QTableView;

    // Runs once the cell that took the text is closed.
    std::function<void()> cellHandedOver;

    void commitOpenCell() {
        if (state() != EditingState) return;
        if (QWidget* editor = indexWidget(currentIndex())) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }

protected:
    void commitData(QWidget* editor) override {
        QTableView::commitData(editor);
        handedOver_ = true;
    }
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override {
        const bool handedOver = std::exchange(handedOver_, false);
        QTableView::closeEditor(editor, hint);
        if (handedOver && cellHandedOver) cellHandedOver();
    }

private:
    bool handedOver_ = false;
};

RegisterViewPanel::RegisterViewPanel(QWidget* parent)
    : QGroupBox(parent), cells_(new RegisterCellsModel(this)) {
    setObjectName("RegisterViewGroupBox");
    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    struct Button {
        const char* name;
        const char* caption;
        void (*handler)();
        bool hidden;
        int shows;  // the layout (0, 1) or format (10 + format) the button stays down for; -1 none
    };
    static const Button kButtons[] = {
        {"btnRegView16bits", "RegView16bits", btnRegView16bitsClick, false, 0},
        {"btnRegView32bits", "RegView32bits", btnRegView32bitsClick, false, 1},
        {"btnRegViewBinary", "RegViewBinary", btnRegViewBinaryClick, false, 10},
        {"btnRegViewDecimal", "RegViewDecimal", btnRegViewDecimalClick, false, 11},
        {"btnRegViewHexadecimal", "RegViewHexadecimal", btnRegViewHexadecimalClick, false, 12},
        {"btnRegViewAscii", "RegViewAscii", btnRegViewAsciiClick, false, 13},
        {"btnRegViewFloating", "RegViewFloating", btnRegViewFloatingClick, false, 14},
        {"btnRegViewUpdate", "Update", nullptr, true, -1},
        {"btnRegViewEditCancel", "RegViewEditCancel", btnRegViewEditCancelClick, true, -1},
        {"btnRegViewClose", "Close", btnRegViewCloseClick, false, -1},
    };
    Captions& captions = Captions::of(this).with([this] { setTitle(captionText("RegisterViewCaption")); });
    for (const Button& button : kButtons) {
        auto* added = new QPushButton(this);
        captions.text(added, button.caption);
        added->setObjectName(button.name);
        added->setVisible(!button.hidden);
        if (button.shows >= 0) {
            added->setCheckable(true);
            shownBy_.emplace_back(added, button.shows);
        }
        buttons->addWidget(added);
        connect(added, &QPushButton::clicked, this, [this, handler = button.handler] {
            // The cell still open is taken before a button changes or closes what the grid shows.
            commitOpenCell();
            if (handler == nullptr) {
                regStringGridEnter();
                return;
            }
            handler();
            syncFromCore();  // a button is checked by the state, never by the click alone
            if (afterCommand) afterCommand();
        });
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);

    grid_ = new RegisterGrid(this);
    regStringGrid = grid_;
    regStringGrid->setObjectName("regStringGrid");
    regStringGrid->setModel(cells_);
    regStringGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    regStringGrid->verticalHeader()->setDefaultSectionSize(regStringGrid->fontMetrics().height() + 6);
    regStringGrid->installEventFilter(this);
    layout->addWidget(regStringGrid, 1);
    // A text a cell keeps is the program's value: it is written as Enter on a cell at rest writes.
    grid_->cellHandedOver = [this] { regStringGridEnter(); };
}

void RegisterViewPanel::commitOpenCell() {
    grid_->commitOpenCell();
}

void RegisterViewPanel::syncFromCore() {
    if (shownFills_ != registerView.regViewFills) {
        shownFills_ = registerView.regViewFills;
        cells_->refill();
        regStringGrid->horizontalHeader()->setDefaultSectionSize(registerView.regView32bits != 0 ? 128 : 64);
    }
    for (const auto& [button, shows] : shownBy_)
        button->setChecked(shows < 10 ? shows == registerView.regView32bits
                                      : shows - 10 == registerView.regViewFormat);
}

void RegisterViewPanel::regStringGridEnter() {
    // A refusal's box may take the focus from the cell Tab opened, which then hands its text (the
    // register's) over while the grid is written: the grid is written once, with one box.
    if (writing_) return;
    const QScopedValueRollback<bool> writing(writing_, true);
    btnRegViewUpdateClick([this](int row, int column) { return cells_->cellText(row, column); });
    // Written cells show their registers in the format; refused ones show them as they are.
    cells_->dropTyped();
    if (afterCommand) afterCommand();
}

bool RegisterViewPanel::eventFilter(QObject* watched, QEvent* event) {
    // The cell being typed in has the keys itself (an Enter it lets go on up is its own, handed
    // over when the cell closes); the grid takes Enter only on a cell at rest.
    if (watched == regStringGrid && event->type() == QEvent::KeyPress &&
        QApplication::focusWidget() == regStringGrid) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            regStringGridEnter();
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

}  // namespace kestrion::forms
