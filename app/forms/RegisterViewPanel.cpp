#include "app/forms/RegisterViewPanel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/MainView.h"
#include "app/RegisterView.h"
#include "lang/forms/WidgetText.h"
#include "link/forms/RegisterViewForm.h"

namespace kestrion::app {

namespace {

constexpr int kColumnWidth16 = 64;
constexpr int kColumnWidth32 = 128;

bool isEnter(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Enter in a cell's editor first puts the text into the cell, then updates the registers: the
// delegate commits the text through the event queue, and the update is queued behind it.
class EnterDelegate : public QStyledItemDelegate {
public:
    EnterDelegate(std::function<void()> onEnter, QObject* parent)
        : QStyledItemDelegate(parent), onEnter_(std::move(onEnter)) {}

protected:
    bool eventFilter(QObject* editor, QEvent* event) override {
        const bool enter = isEnter(event);
        const bool handled = QStyledItemDelegate::eventFilter(editor, event);
        if (enter) QMetaObject::invokeMethod(this, onEnter_, Qt::QueuedConnection);
        return handled;
    }

private:
    std::function<void()> onEnter_;
};

// Enter on a cell that is not being edited updates the registers too.
class RegisterGridWidget : public QTableWidget {
public:
    RegisterGridWidget(std::function<void()> onEnter, QWidget* parent)
        : QTableWidget(parent), onEnter_(std::move(onEnter)) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (isEnter(event) && state() != QAbstractItemView::EditingState) {
            onEnter_();
            return;
        }
        QTableWidget::keyPressEvent(event);
    }

private:
    std::function<void()> onEnter_;
};

}  // namespace

TRegisterViewPanel::TRegisterViewPanel(std::function<void()> afterCommand, QWidget* parent)
    : QGroupBox(parent), afterCommand_(std::move(afterCommand)) {
    setObjectName("RegisterViewGroupBox");
    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    const auto enter = [this] { enterPressed(); };
    regStringGrid = new RegisterGridWidget(enter, this);
    regStringGrid->setObjectName("regStringGrid");
    regStringGrid->setItemDelegate(new EnterDelegate(enter, regStringGrid));
    regStringGrid->horizontalHeader()->hide();
    regStringGrid->verticalHeader()->hide();
    layout->addWidget(regStringGrid, 1);

    btnRegView16bits = addButton("btnRegView16bits", "16bits", btnRegView16bitsClick);
    btnRegView32bits = addButton("btnRegView32bits", "32bits", btnRegView32bitsClick);
    addButton("btnRegViewBinary", "Binary", btnRegViewBinaryClick);
    addButton("btnRegViewDecimal", "Decimal", btnRegViewDecimalClick);
    addButton("btnRegViewHexadecimal", "Hexdecimal", btnRegViewHexadecimalClick);
    addButton("btnRegViewAscii", "Ascii", btnRegViewAsciiClick);
    addButton("btnRegViewFloating", "Floating", btnRegViewFloatingClick);
    btnRegViewUpdate = addButton("btnRegViewUpdate", "Update", btnRegViewUpdateClick);
    btnRegViewEditCancel = addButton("btnRegViewEditCancel", "Edit Cancel", btnRegViewEditCancelClick);
    btnRegViewClose = addButton("btnRegViewClose", "Close", btnRegViewCloseClick);
    btnRegViewUpdate->hide();
    btnRegViewEditCancel->hide();
    for (QPushButton* button : findChildren<QPushButton*>()) buttons->addWidget(button);
    buttons->addStretch(1);

    connect(regStringGrid, &QTableWidget::itemChanged, this, [](QTableWidgetItem* item) {
        setRegisterCellText(item->column(), item->row(), item->text().toStdString());
    });
    hide();
}

QPushButton* TRegisterViewPanel::addButton(const char* name, const char* caption, void (*handler)()) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QPushButton::clicked, this, [this, handler] {
        handler();
        afterCommand_();
    });
    return button;
}

void TRegisterViewPanel::enterPressed() {
    regStringGridKeyPress(13);
    afterCommand_();
}

void TRegisterViewPanel::syncFromCore() {
    setVisible(appState.registerViewVisible);
    if (!appState.registerViewVisible || shownFills_ == appState.regGridFills) return;
    shownFills_ = appState.regGridFills;
    regStringGrid->horizontalHeader()->setDefaultSectionSize(appState.regView32bits != 0 ? kColumnWidth32
                                                                                         : kColumnWidth16);
    forms::fillRegisterTable(*regStringGrid, appState.regStringGrid);
}

}  // namespace kestrion::app
