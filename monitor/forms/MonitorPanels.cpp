#include "monitor/forms/MonitorPanels.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeWidget>

#include "lang/forms/Captions.h"
#include "lang/forms/MenuItemWidgets.h"
#include "lang/forms/WidgetText.h"
#include "link/forms/LineFree.h"
#include "link/line/Connection.h"
#include "monitor/ChangeValue.h"
#include "monitor/DevicePanel.h"
#include "monitor/LadderMonitor.h"
#include "monitor/MonitorMenu.h"
#include "monitor/MonitorMode.h"
#include "monitor/MonitorPoll.h"
#include "monitor/forms/MonitorWidgets.h"

namespace kestrion::forms {

namespace {

struct Button {
    const char* name;
    const char* caption;
    void (*handler)();
    bool usesLine = false;  // it talks to the PLC, so it waits for a poll request under way
};

QPushButton* addButton(QWidget* parent, const Button& button) {
    auto* added = new QPushButton(button.caption, parent);
    added->setObjectName(button.name);
    return added;
}

void setTextQuietly(QLineEdit* edit, const std::string& text) {
    const QString shown = widgetText(text);
    if (edit->text() == shown) return;
    const QSignalBlocker blocker(edit);
    edit->setText(shown);
}

// The window's parts the core's refresh reaches; one main window at a time.
MonitorParts* shownParts = nullptr;

}  // namespace

void syncShownMonitorParts() {
    if (shownParts != nullptr) shownParts->sync();
}

MonitorParts::MonitorParts(QMainWindow& window, QBoxLayout& editLayout, QTimer& timer3,
                           MonitorWindowHooks hooks, MenuItemWidgets& items)
    : QObject(&window), window_(window), hooks_(std::move(hooks)), items_(&items) {
    buildDevicePanel(editLayout);
    buildChangeValuePanel(editLayout);
    buildPopup();
    // The monitor works on an open program: without one its buttons and items rest.
    const QPointer<const QWidget> editPanel = window_.findChild<QWidget*>("EditPanel1");
    items_->restUnless({"msStartMonitor1", "EnterDeviceMonitor1", "ChangeCurrentValue2", "spbtnStartMonitor1",
                        "spbtnStopMonitor1", "spbtnEntryDeviceMonitor", "spbtnChangeValue"},
                       [editPanel] { return editPanel == nullptr || !editPanel->isHidden(); });
    connect(&timer3, &QTimer::timeout, this, &MonitorParts::Timer3Timer);
    shownParts = this;
    // The poll slows down while the user chooses from these menus.
    struct SlowingMenu {
        const char* name;
        void (*handler)();
    };
    for (const SlowingMenu& slowing :
         {SlowingMenu{"PlcMenu", mmPLCClick}, SlowingMenu{"MonitorMenu", mmMonitorClick}})
        if (QMenu* menu = window_.findChild<QMenu*>(slowing.name))
            connect(menu, &QMenu::aboutToShow, this, slowing.handler);
}

MonitorParts::~MonitorParts() {
    if (shownParts == this) shownParts = nullptr;
}

void MonitorParts::run(void (*command)(), bool usesLine) {
    const auto click = [this, command] {
        command();
        if (hooks_.afterCommand) hooks_.afterCommand();
        sync();
    };
    if (usesLine)
        runWhenLineFree(this, click);
    else
        click();
}

void MonitorParts::buildDevicePanel(QBoxLayout& editLayout) {
    UserDeviceMonitorGroupBox = new QGroupBox(editLayout.parentWidget());
    UserDeviceMonitorGroupBox->setObjectName("UserDeviceMonitorGroupBox");
    UserDeviceMonitorGroupBox->hide();
    auto* layout = new QHBoxLayout(UserDeviceMonitorGroupBox);
    MonDeviceListView = makeDeviceListView(UserDeviceMonitorGroupBox, "MonDeviceListView");
    layout->addWidget(MonDeviceListView, 1);
    auto* column = new QVBoxLayout;
    const Button buttons[] = {
        {"btnStartMonitor1", "StartMonitor", btnStartMonitor1Click},
        {"btnStopMonitor1", "StopMonitor", btnStopMonitor1Click},
        {"btnRegisterDevices", "MonRegisterDevices", btnRegisterDevicesClick},
        {"btnDeleteTheDevice", "MonDeleteDevice", btnDeleteTheDeviceClick},
        {"btnDeleteAllDevices", "MonDeleteAll", btnDeleteAllDevicesClick},
        {"btnChangeValue", "MonChangeValue", btnChangeValueClick, true},
        {"btnForceOnOff", "MonForceOnOff", btnForceOnOffClick, true},
        {"btnTransferSetup", "MonTransferSetup", btnTransferSetupClick},
        {"btnTryConnection", "MonTryConnection", btnTryConnectionClick, true},
        {"btnMonDeviceMoveUp", "MonMoveUp", btnMonDeviceMoveUpClick},
        {"btnMonDeviceMoveDown", "MonMoveDown", btnMonDeviceMoveDownClick},
        {"spbtnRemoteRun2", "RUN", hooks_.remoteRun, true},
        {"spbtnRemoteStop2", "STOP", hooks_.remoteStop, true},
        {"btnMonDeviceClose", "Close", btnMonDeviceCloseClick},
    };
    for (const Button& button : buttons) {
        if (button.handler == nullptr) continue;
        QPushButton* added = addButton(UserDeviceMonitorGroupBox, button);
        // RUN and STOP are the PLC's own words; the other buttons say what they do.
        if (std::string_view(button.caption) != "RUN" && std::string_view(button.caption) != "STOP")
            Captions::of(UserDeviceMonitorGroupBox).text(added, button.caption);
        connect(added, &QPushButton::clicked, this,
                [this, handler = button.handler, usesLine = button.usesLine] { run(handler, usesLine); });
        column->addWidget(added);
    }
    column->addStretch();
    layout->addLayout(column);
    editLayout.addWidget(UserDeviceMonitorGroupBox);
    connect(MonDeviceListView, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem* previous) {
                if (previous != nullptr)
                    MonDeviceListViewSelectItem(MonDeviceListView->indexOfTopLevelItem(previous), false);
                if (current != nullptr)
                    MonDeviceListViewSelectItem(MonDeviceListView->indexOfTopLevelItem(current), true);
            });
    connect(MonDeviceListView, &QTreeWidget::itemDoubleClicked, this,
            [this] { run(MonDeviceListViewDblClick); });
}

void MonitorParts::buildChangeValuePanel(QBoxLayout& editLayout) {
    ChangeCurrentValueGroupBox = new QGroupBox(editLayout.parentWidget());
    ChangeCurrentValueGroupBox->setObjectName("ChangeCurrentValueGroupBox");
    ChangeCurrentValueGroupBox->hide();
    auto* layout = new QGridLayout(ChangeCurrentValueGroupBox);
    ChangeCurrentDevNoEdit = new QLineEdit(ChangeCurrentValueGroupBox);
    ChangeCurrentDevNoEdit->setObjectName("ChangeCurrentDevNoEdit");
    ChangeCurrentValueEdit = new QLineEdit(ChangeCurrentValueGroupBox);
    ChangeCurrentValueEdit->setObjectName("ChangeCurrentValueEdit");
    auto* sizes = new QGroupBox(ChangeCurrentValueGroupBox);
    auto* sizeLayout = new QHBoxLayout(sizes);
    ChangeCurrentValueRadioGroup = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        auto* radio = new QRadioButton(i == 0 ? "16" : "32", sizes);
        ChangeCurrentValueRadioGroup->addButton(radio, i);
        sizeLayout->addWidget(radio);
    }
    ChangeCurrentValueMemo = new QPlainTextEdit(ChangeCurrentValueGroupBox);
    ChangeCurrentValueMemo->setObjectName("ChangeCurrentValueMemo");
    ChangeCurrentValueMemo->setReadOnly(true);
    btnChangeCurrentValueOk = new QPushButton("&Execute", ChangeCurrentValueGroupBox);
    btnChangeCurrentValueOk->setObjectName("btnChangeCurrentValueOk");
    auto* close = new QPushButton("&Close", ChangeCurrentValueGroupBox);
    close->setObjectName("btnChangeCurrentValueClose");
    auto* device = new QLabel(ChangeCurrentValueGroupBox);
    auto* value = new QLabel(ChangeCurrentValueGroupBox);
    auto* commands = new QLabel(ChangeCurrentValueGroupBox);
    Captions::of(ChangeCurrentValueGroupBox)
        .text(btnChangeCurrentValueOk, "ForceExecute")
        .text(close, "ForceClose")
        .text(device, "ChangeValueDevice")
        .text(value, "ChangeValueValue")
        .text(commands, "ChangeValueCommands");
    layout->addWidget(device, 0, 0);
    layout->addWidget(ChangeCurrentDevNoEdit, 0, 1);
    layout->addWidget(value, 1, 0);
    layout->addWidget(ChangeCurrentValueEdit, 1, 1);
    layout->addWidget(sizes, 2, 0, 1, 2);
    layout->addWidget(commands, 3, 0);
    layout->addWidget(ChangeCurrentValueMemo, 4, 0, 1, 2);
    layout->addWidget(btnChangeCurrentValueOk, 5, 0);
    layout->addWidget(close, 5, 1);
    editLayout.addWidget(ChangeCurrentValueGroupBox);
    const auto upper = [](QLineEdit* edit, void (*handler)(const std::string&)) {
        return [edit, handler](const QString& text) {
            setTextQuietly(edit, text.toUpper().toStdString());
            handler(edit->text().toStdString());
        };
    };
    connect(
        ChangeCurrentDevNoEdit, &QLineEdit::textEdited, this,
        [this, handler = upper(ChangeCurrentDevNoEdit, ChangeCurrentDevNoEditChange)](const QString& text) {
            handler(text);
            sync();
        });
    connect(
        ChangeCurrentValueEdit, &QLineEdit::textEdited, this,
        [this, handler = upper(ChangeCurrentValueEdit, ChangeCurrentValueEditChange)](const QString& text) {
            handler(text);
            sync();
        });
    connect(ChangeCurrentValueRadioGroup, &QButtonGroup::idClicked, this,
            [](int index) { ChangeCurrentValueRadioGroupClick(index); });
    connect(btnChangeCurrentValueOk, &QPushButton::clicked, this,
            [this] { run(btnChangeCurrentValueOkClick, true); });
    connect(close, &QPushButton::clicked, this, [this] { run(btnChangeCurrentValueCloseClick); });
}

void MonitorParts::buildPopup() {
    PopupMenu4 = new QMenu(&window_);
    PopupMenu4->setObjectName("PopupMenu4");
    for (const MenuRow& row : monitorPopupRows()) {
        QAction* added = PopupMenu4->addAction(widgetText(row.caption));
        added->setObjectName(row.objectName);
        // Force and change value talk to the PLC; stopping does not wait for the line.
        const bool usesLine = row.command != Popup4StopMonitorClick;
        connect(added, &QAction::triggered, this,
                [this, command = row.command, usesLine] { run(command, usesLine); });
    }
    connect(PopupMenu4, &QMenu::aboutToShow, this, [] { PopupMenu4Popup(); });
}

void MonitorParts::sync() {
    const bool panel = monitorState.panelVisible;
    const ChangeValuePanel& changeValue = monitorState.changeValuePanel;
    UserDeviceMonitorGroupBox->setVisible(panel);
    ChangeCurrentValueGroupBox->setVisible(changeValue.visible);
    showRows(*MonDeviceListView, monitorState.monDeviceRows, monitorState.focusedRow);
    setTextQuietly(ChangeCurrentDevNoEdit, changeValue.deviceText);
    setTextQuietly(ChangeCurrentValueEdit, changeValue.valueText);
    ChangeCurrentValueRadioGroup->button(changeValue.sizeIndex)->setChecked(true);
    btnChangeCurrentValueOk->setEnabled(changeValue.executeEnabled);
    QStringList lines;
    for (const std::string& line : changeValue.memo) lines << widgetText(line);
    if (ChangeCurrentValueMemo->toPlainText() != lines.join('\n'))
        ChangeCurrentValueMemo->setPlainText(lines.join('\n'));
    if (items_) items_->apply(menuItemStates());
}

void MonitorParts::popUp(QMenu& editPopup, const QPoint& at) {
    if (monitorMode != kMonitorOff)
        PopupMenu4->popup(at);
    else
        editPopup.popup(at);
}

void MonitorParts::Timer3Timer() {
    const int mode = monitorMode;
    kestrion::Timer3Timer();
    sync();
    // A poll that stopped the monitor changes the menus as well.
    if (mode != monitorMode && hooks_.afterCommand) hooks_.afterCommand();
}

}  // namespace kestrion::forms
