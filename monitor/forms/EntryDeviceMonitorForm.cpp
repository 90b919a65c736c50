#include "monitor/forms/EntryDeviceMonitorForm.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QTreeWidget>

#include "lang/forms/Captions.h"
#include "lang/forms/WidgetText.h"
#include "monitor/MonitorMode.h"
#include "monitor/forms/MonitorWidgets.h"

namespace kestrion::forms {

namespace {

constexpr int kRefreshMilliseconds = 100;

struct ButtonRow {
    const char* name;
    const char* captionId;
    void (*handler)(EntryDeviceMonitorDialog&);
};

constexpr ButtonRow kButtons[12] = {
    {"btnStartMonitor", "EntryStartMonitor", [](EntryDeviceMonitorDialog& d) { d.btnStartMonitorClick(); }},
    {"btnStopMonitor", "EntryStopMonitor", [](EntryDeviceMonitorDialog& d) { d.btnStopMonitorClick(); }},
    {"btnRegisterDevices", "EntryRegisterDevices",
     [](EntryDeviceMonitorDialog& d) { d.btnRegisterDevicesClick(); }},
    {"btnDeleteTheDevice", "EntryDeleteTheDevice",
     [](EntryDeviceMonitorDialog& d) { d.btnDeleteTheDeviceClick(); }},
    {"btnDeleteAllDevices", "EntryDeleteAllDevices",
     [](EntryDeviceMonitorDialog& d) { d.btnDeleteAllDevicesClick(); }},
    {"btnChangeValue", "EntryChangeValue", [](EntryDeviceMonitorDialog& d) { d.btnChangeValueClick(); }},
    {"btnForceOnOff", "EntryForceOnOff", [](EntryDeviceMonitorDialog& d) { d.btnForceOnOffClick(); }},
    {"btnTransferSetup", "EntryTransferSetup",
     [](EntryDeviceMonitorDialog& d) { d.btnTransferSetupClick(); }},
    {"btnTryConnection", "EntryTryConnection",
     [](EntryDeviceMonitorDialog& d) { d.btnTryConnectionClick(); }},
    {"btnClose", "Close", [](EntryDeviceMonitorDialog& d) { d.btnCloseClick(); }},
    {"btnMoveUp", "EntryMoveUp", [](EntryDeviceMonitorDialog& d) { d.btnMoveUpClick(); }},
    {"btnMoveDown", "EntryMoveDown", [](EntryDeviceMonitorDialog& d) { d.btnMoveDownClick(); }},
};

QPlainTextEdit* traceMemo(QWidget* parent, const char* name, const char* firstLine, bool readOnly) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setReadOnly(readOnly);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    if (*firstLine != '\0') memo->setPlainText(firstLine);
    return memo;
}

void place(QWidget* widget, const EntryMonitorLayout::Box& box) {
    widget->setGeometry(box.left, box.top, box.width, box.height);
    widget->setVisible(box.height > 0);
}

}  // namespace

TEntryDeviceMonitorForm::TEntryDeviceMonitorForm(EntryDeviceMonitorDialog& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      state_(state) {
    setObjectName("EntryDeviceMonitorForm");
    Captions& captions = Captions::of(this).translatedTitle(state.caption);
    setFixedSize(state.width, state.height);
    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    Panel1->hide();
    objDebugMemo1 = traceMemo(this, "objDebugMemo1", "", false);
    TxMemo2 = traceMemo(this, "TxMemo2", "Tx", true);
    RxMemo2 = traceMemo(this, "RxMemo2", "Rx", true);
    DeviceListView = makeDeviceListView(this, "DeviceListView");
    for (std::size_t i = 0; i < std::size(kButtons); ++i) {
        auto* button = new QPushButton(this);
        captions.text(button, kButtons[i].captionId);
        button->setObjectName(kButtons[i].name);
        connect(button, &QPushButton::clicked, this, [this, row = &kButtons[i]] {
            row->handler(state_);
            if (state_.closed) {
                reject();
                return;
            }
            showState();
        });
        buttons[i] = button;
    }
    btnSetupPanel = new QPushButton("SetupPanel", this);
    btnSetupPanel->setObjectName("btnSetupPanel");
    btnSetupPanel->setEnabled(false);
    btnSetupPanel->hide();
    connect(DeviceListView, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem* previous) {
                if (previous != nullptr)
                    state_.DeviceListViewSelectItem(DeviceListView->indexOfTopLevelItem(previous), false);
                if (current != nullptr)
                    state_.DeviceListViewSelectItem(DeviceListView->indexOfTopLevelItem(current), true);
            });
    // The poll fills the rows on the main window's Timer3; the window shows them as they come.
    refresh_ = new QTimer(this);
    refresh_->setInterval(kRefreshMilliseconds);
    connect(refresh_, &QTimer::timeout, this, &TEntryDeviceMonitorForm::showState);
}

void TEntryDeviceMonitorForm::btnSetupPanelClick() {
    const EntryMonitorLayout layout = state_.layout();
    Panel1->setGeometry(layout.panel.left, layout.panel.top, layout.panel.width, layout.panel.height);
    place(objDebugMemo1, layout.debugMemo);
    place(TxMemo2, layout.txMemo);
    place(RxMemo2, layout.rxMemo);
    place(DeviceListView, layout.listView);
    for (std::size_t i = 0; i < buttons.size(); ++i) place(buttons[i], layout.buttons[i]);
}

void TEntryDeviceMonitorForm::showState() {
    showRows(*DeviceListView, monitorState.entryRows, monitorState.entryFocusedRow);
    applyControls(*this, monitorState.entryControls);
}

void TEntryDeviceMonitorForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    state_.FormShow();
    btnSetupPanelClick();
    showState();
    refresh_->start();
}

}  // namespace kestrion::forms
