// The main window: menus, the panels of the ladder editor, the status bar with its 14 panels, the
// hidden trace memos and the timers. Its handlers call the core; the window itself holds no logic
// that tests cannot reach without it.
#pragma once

#include <QMainWindow>
#include <array>

#include "app/forms/QtPlatform.h"
#include "platform/Services.h"

class QLabel;
class QMenu;
class QPlainTextEdit;
class QSplitter;

namespace kestrion::app {

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // The services must be installed; the window attaches its status bar, memos and timers to them.
    explicit TMainForm(QtPlatform& services, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The main menus, for the commands that later fill them.
    QMenu* FileMenu = nullptr;
    QMenu* EditMenu = nullptr;
    QMenu* ViewMenu = nullptr;
    QMenu* CommentMenu = nullptr;
    QMenu* OnlineMenu = nullptr;
    QMenu* MonitorMenu = nullptr;
    QMenu* PlcMenu = nullptr;
    QMenu* TemplateMenu = nullptr;
    QMenu* ToolsMenu = nullptr;
    QMenu* OptionMenu = nullptr;
    QMenu* LanguageMenu = nullptr;
    QMenu* HelpMenu = nullptr;
    // The developer menu, hidden until the developer access shows it.
    QMenu* xTHIS = nullptr;

    QAction* PlcTypeChange1 = nullptr;
    QAction* ChangeComPort1 = nullptr;
    QAction* TimeOutTimer1 = nullptr;
    QAction* PMW1 = nullptr;
    QAction* pmwPre1 = nullptr;
    QAction* pmwTail1 = nullptr;

    // The recent-file items of the File menu and the separator above them; they show the state
    // the core keeps (model/RecentFiles.h).
    QAction* FileBar1 = nullptr;
    QAction* File11 = nullptr;
    QAction* File21 = nullptr;
    QAction* File31 = nullptr;
    QAction* File41 = nullptr;

    QStatusBar* mmStatusBar = nullptr;
    std::array<QLabel*, platform::StatusBar::panelCount> statusPanels{};
    QSplitter* Splitter1 = nullptr;
    QWidget* FramePanel1 = nullptr;
    QWidget* EditPanel1 = nullptr;
    std::array<QPlainTextEdit*, platform::memoCount> memos{};

public slots:
    void Timer0Timer();
    void Timer1Timer();
    void PlcTypeChange1Click();
    void ChangeComPort1Click();
    void TimeOutTimer1Click();
    void PMW1Click();
    void FormShow();
    void FormDestroy();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    void buildDeveloperMenu();
    void buildPanels();
    void buildStatusBar();
    void connectTimers();
    void buildRecentFileItems();
    void showRecentFileItems();

    QtPlatform& services_;
};

}  // namespace kestrion::app
