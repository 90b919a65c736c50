// The main window: menus, the panels of the ladder editor, the status bar with its 14 panels, the
// hidden trace memos and the timers. Its handlers call the core; the window itself holds no logic
// that tests cannot reach without it.
#pragma once

#include <functional>

#include <QMainWindow>
#include <array>
#include <string_view>
#include <utility>
#include <vector>

#include "app/forms/QtPlatform.h"
#include "lang/MenuTable.h"
#include "platform/Services.h"

class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QToolBar;
class QVBoxLayout;
class QSessionManager;
class QPlainTextEdit;
class QScrollArea;
class QSplitter;

namespace kestrion {
struct ToolButtonRow;
}

namespace kestrion::forms {
class CommentListPanel;
class InstructionViewForm;
class LadderViewForm;
class MenuItemWidgets;
class ParameterListPanel;
class MonitorParts;
class RegisterViewPanel;
}  // namespace kestrion::forms

namespace kestrion::app {

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // The services must be installed; the window attaches its status bar, memos and timers to them.
    explicit TMainForm(QtPlatform& services, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The menus and items the menu tables made, by object name ("FileMenu", "PlcTypeChange1"); null
    // when there is none.
    QMenu* menu(const QString& objectName) const;
    QAction* action(const QString& objectName) const;
    // A menu item, or the action that opens a submenu (Error Check), by object name.
    QAction* menuItemAction(const char* objectName) const;

    // The recent-file items of the File menu and the separator above them; they show the state
    // the core keeps (model/image/RecentFiles.h).
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
    QScrollArea* ProjectScrollBox = nullptr;             // inside EditPanel1
    forms::LadderViewForm* ladderEditScreen = nullptr;   // the ladder, inside ProjectScrollBox
    QPlainTextEdit* FileTitleMemo = nullptr;             // the program title of the open file
    QPlainTextEdit* TdcnMemo = nullptr;                  // its description
    forms::CommentListPanel* CommentGroupBox = nullptr;  // the comment list beside the ladder
    std::array<QPlainTextEdit*, platform::memoCount> memos{};
    // The views that take the ladder's place, the function-key panel and the main tool bar.
    QGroupBox* ProjectGroupBox1 = nullptr;  // the instruction view, inside EditPanel1
    forms::InstructionViewForm* InstructionMemo = nullptr;
    forms::RegisterViewPanel* RegisterViewGroupBox = nullptr;
    forms::ParameterListPanel* ParameterGroupBox = nullptr;  // a module's buffer-memory list
    QWidget* FncKeyPanel = nullptr;
    QToolBar* ToolBar1 = nullptr;
    forms::MonitorParts* monitorParts = nullptr;  // the monitor's panels and pop-up
    QMenu* PopupMenu1 = nullptr;                  // the ladder's pop-up menu while editing

public slots:
    // A request from outside the window to end the program (a signal): it takes the close box's
    // path as soon as no dialog is open and no command waits, and is ignored while a close runs.
    void requestClose();
    // The desktop session's logout asks the same question; Cancel (or a failed save) cancels the
    // logout, otherwise the program ends with its settings written.
    void commitData(QSessionManager& manager);
    void Timer0Timer();
    void Timer1Timer();
    void Timer2Timer();
    void FormShow();
    void FormDestroy();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Keys the ladder view leaves to its parents (F4 and the like) arrive here.
    void keyPressEvent(QKeyEvent* event) override;
    // A new interface language captions the menus anew.
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // The ladder's scroll area resized: View > Zoom > Auto follows.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The width the ladder may take in its scroll area, a vertical scroll bar's room kept whether
    // one shows or not (so the auto zoom does not swing as one comes and goes).
    int ladderRoomWidth() const;
    void buildMenus();
    void buildLadderToolBar();
    void addMenuRows(const std::vector<MenuRow>& rows, std::string_view parent, QMenu* into);
    // Runs the click of a menu item or button now, or, when it talks to the PLC while the poll's own
    // request waits, as soon as that request has ended.
    void runClick(const char* objectName, const std::function<void()>& click);
    void buildPanels();
    void buildStatusBar();
    void connectTimers();
    void buildRecentFileItems();
    void showRecentFileItems();
    // The menus and panels as the core's view state has them; ends the loop after File > Exit.
    void syncFromCore();
    void buildMainToolBar();
    void buildViewPanels(QVBoxLayout* editLayout);
    void buildFncKeyPanel(QVBoxLayout* layout);
    // The views, the tool buttons and the function-key panel as the core has them.
    void syncViews();
    // The close box: the question, the save, the settings; true when the program ends.
    bool runCloseBox();
    void closeWhenFree();
    // A link command runs, or a command of the core waits in the loop.
    bool commandRunning() const;
    void captionMenus();
    void captionButtons();  // the tool bars and the function-key panel
    void fitToolBars();

    int captionLanguage_ = -1;  // the language the menus show

    QtPlatform& services_;
    forms::MenuItemWidgets* menuItems_ = nullptr;  // the items the core's menu state reaches
    bool exiting_ = false;
    bool closing_ = false;         // the close box's question is open
    bool closeRequested_ = false;  // a request waits for the dialogs and commands to end
    std::vector<QAction*> ladderButtons_;
    std::vector<std::pair<QAction*, const ToolButtonRow*>> toolButtons_;
    std::vector<QPushButton*> fncKeyButtons_;
};

}  // namespace kestrion::app
