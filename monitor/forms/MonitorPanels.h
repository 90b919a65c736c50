// The monitor's parts of the main window: the device monitor panel (UserDeviceMonitorGroupBox) and
// the change-value panel (ChangeCurrentValueGroupBox) that take the ladder's place in the edit
// panel (the window hides its views while one shows), the ladder's pop-up menu while a monitor
// runs, Timer3, and the slow-down of the poll while the PLC or Monitor menu is open. They mirror the
// monitor's state, the enabled state of the monitor's tool buttons and menu items among it.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QBoxLayout;
class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QMainWindow;
class QMenu;
class QPlainTextEdit;
class QPoint;
class QPushButton;
class QTimer;
class QTreeWidget;

namespace kestrion::forms {

class MenuItemWidgets;

// What the window lends the monitor: its own refresh after a command, and the commands of the
// panel's RUN and STOP pair, which belong to the window.
struct MonitorWindowHooks {
    std::function<void()> afterCommand;
    void (*remoteRun)() = nullptr;
    void (*remoteStop)() = nullptr;
};

class MonitorParts : public QObject {
    Q_OBJECT
public:
    // items: the window's items by name, which the monitor's state reaches through.
    MonitorParts(QMainWindow& window, QBoxLayout& editLayout, QTimer& timer3, MonitorWindowHooks hooks,
                 MenuItemWidgets& items);
    ~MonitorParts() override;

    QGroupBox* UserDeviceMonitorGroupBox = nullptr;
    QTreeWidget* MonDeviceListView = nullptr;
    QGroupBox* ChangeCurrentValueGroupBox = nullptr;
    QLineEdit* ChangeCurrentDevNoEdit = nullptr;
    QLineEdit* ChangeCurrentValueEdit = nullptr;
    QButtonGroup* ChangeCurrentValueRadioGroup = nullptr;
    QPlainTextEdit* ChangeCurrentValueMemo = nullptr;
    QPushButton* btnChangeCurrentValueOk = nullptr;
    QMenu* PopupMenu4 = nullptr;

    // The panels, rows, buttons and items as the monitor's state has them.
    void sync();
    // The ladder's right button: PopupMenu4 while a monitor runs, the edit pop-up otherwise.
    void popUp(QMenu& editPopup, const QPoint& at);
    // One Timer3 tick and what it changed.
    void Timer3Timer();

private:
    void buildDevicePanel(QBoxLayout& editLayout);
    void buildChangeValuePanel(QBoxLayout& editLayout);
    void buildPopup();
    void run(void (*command)(), bool usesLine = false);

    QMainWindow& window_;
    MonitorWindowHooks hooks_;
    QPointer<MenuItemWidgets> items_;  // the window's, which may go first when the window goes
};

// The parts of the main window that is open synced with the monitor's state in the middle of a
// command; nothing while no window is.
void syncShownMonitorParts();

}  // namespace kestrion::forms
