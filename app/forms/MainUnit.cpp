#include "app/forms/MainUnit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/forms/LogoUnit.h"
#include "model/EditorState.h"
#include "link/CommRecord.h"
#include "link/Receive.h"
#include "app/MainCore.h"
#include "model/MainState.h"
#include "model/ProgramImage.h"
#include "model/RecentFiles.h"
#include "platform/PosixFiles.h"
#include "wizards/SettingItems.h"

namespace kestrion::app {

namespace {

constexpr int kTimer0Milliseconds = 1000;

}  // namespace

TMainForm::TMainForm(QtPlatform& services, QWidget* parent) : QMainWindow(parent), services_(services) {
    setObjectName("MainForm");
    buildMenus();
    buildRecentFileItems();
    buildPanels();
    buildStatusBar();
    services_.statusBar.attach(statusPanels);
    services_.trace.attach(memos);
    services_.system().attach(this);
    connectTimers();

    mainFormStartUp();

    const std::string icon = platform::findCaseInsensitive(installDir + "/companyIcon.ico");
    if (platform::files().exists(icon)) QApplication::setWindowIcon(QIcon(QString::fromStdString(icon)));
    Splitter1->setHandleWidth(4);
    Splitter1->setStyleSheet("QSplitter::handle { background: black; }");
    setWindowState(Qt::WindowMaximized);
    resize(screenWidth, screenHeight);
    FramePanel1->setFixedWidth((screenWidth - 4) / static_cast<int>(projectTreeDivisor));
    if (!memos[static_cast<int>(platform::Memo::Msg1)]->isHidden())
        memos[static_cast<int>(platform::Memo::Msg1)]->setPlainText("Msg");
    showRecentFileItems();

    // Hidden until a program is open.
    FramePanel1->hide();
    EditPanel1->hide();

    platform::timers().setInterval(platform::TimerId::Timer0, kTimer0Milliseconds);
    platform::timers().setEnabled(platform::TimerId::Timer0, true);
}

TMainForm::~TMainForm() {
    if (platform::installed()) FormDestroy();
}

void TMainForm::buildMenus() {
    struct MainMenuEntry {
        QMenu** member;
        const char* name;
        const char* caption;
    };
    const MainMenuEntry entries[] = {
        {&FileMenu, "FileMenu", "&File"},          {&EditMenu, "EditMenu", "&Edit"},
        {&ViewMenu, "ViewMenu", "&View"},          {&CommentMenu, "CommentMenu", "&Comment"},
        {&OnlineMenu, "OnlineMenu", "&Online"},    {&MonitorMenu, "MonitorMenu", "&Monitor"},
        {&PlcMenu, "PlcMenu", "&PLC"},             {&TemplateMenu, "TemplateMenu", "&Template"},
        {&ToolsMenu, "ToolsMenu", "&Tools"},       {&OptionMenu, "OptionMenu", "O&ption"},
        {&LanguageMenu, "LanguageMenu", "&Language"}, {&HelpMenu, "HelpMenu", "&Help"},
    };
    for (const MainMenuEntry& entry : entries) {
        *entry.member = menuBar()->addMenu(QString::fromUtf8(entry.caption));
        (*entry.member)->setObjectName(entry.name);
    }

    PlcTypeChange1 = OptionMenu->addAction("Type change ...", this, &TMainForm::PlcTypeChange1Click);
    PlcTypeChange1->setObjectName("PlcTypeChange1");
    ChangeComPort1 = OptionMenu->addAction("ChangeComPort...", this, &TMainForm::ChangeComPort1Click);
    ChangeComPort1->setObjectName("ChangeComPort1");
    TimeOutTimer1 = OptionMenu->addAction("Time out timer ...", this, &TMainForm::TimeOutTimer1Click);
    TimeOutTimer1->setObjectName("TimeOutTimer1");
    buildDeveloperMenu();
}

void TMainForm::buildDeveloperMenu() {
    xTHIS = menuBar()->addMenu("xTHIS");
    xTHIS->setObjectName("xTHIS");
    xTHIS->menuAction()->setVisible(false);
    QMenu* memory = xTHIS->addMenu("Memory");
    memory->setObjectName("Memory1");
    QMenu* initialFileMemory = memory->addMenu("InitialFileMemory");
    initialFileMemory->setObjectName("InitialFileMemory1");
    PMW1 = initialFileMemory->addAction("PMW", this, &TMainForm::PMW1Click);
    PMW1->setObjectName("PMW1");
    // These two have nothing to do.
    pmwPre1 = initialFileMemory->addAction("pmwPre");
    pmwPre1->setObjectName("pmwPre1");
    pmwTail1 = initialFileMemory->addAction("pmwTail");
    pmwTail1->setObjectName("pmwTail1");
}

void TMainForm::buildRecentFileItems() {
    FileBar1 = FileMenu->addSeparator();
    FileBar1->setObjectName("FileBar1");
    QAction** items[kRecentFileItems] = {&File11, &File21, &File31, &File41};
    static const char* const names[kRecentFileItems] = {"File11", "File21", "File31", "File41"};
    for (int i = 0; i < kRecentFileItems; ++i) {
        *items[i] = FileMenu->addAction(QString());
        (*items[i])->setObjectName(names[i]);
    }
    // Saving moves names in the list; the menu shows them the next time it opens.
    connect(FileMenu, &QMenu::aboutToShow, this, &TMainForm::showRecentFileItems);
}

void TMainForm::showRecentFileItems() {
    QAction* const items[kRecentFileItems] = {File11, File21, File31, File41};
    for (int i = 0; i < kRecentFileItems; ++i) {
        const RecentFileItem& item = recentFileItems[static_cast<std::size_t>(i)];
        // A '&' in a file name is text, not an accelerator mark.
        items[i]->setText(QString::fromStdString(item.caption).replace('&', "&&"));
        items[i]->setVisible(item.visible);
    }
    FileBar1->setVisible(FileBar1Visible);
}

void TMainForm::buildPanels() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);

    Splitter1 = new QSplitter(Qt::Horizontal, central);
    Splitter1->setObjectName("Splitter1");
    FramePanel1 = new QWidget(Splitter1);
    FramePanel1->setObjectName("FramePanel1");
    EditPanel1 = new QWidget(Splitter1);
    EditPanel1->setObjectName("EditPanel1");
    layout->addWidget(Splitter1, 1);

    static const char* const memoNames[platform::memoCount] = {
        "debugMemo1", "debugMemo2", "debugMemo3", "debugMemo4", "debugMemo5", "debugMemo6",
        "debugMemo7", "debugMemo8", "debugMemo9", "RxMemo",     "MsgMemo1"};
    for (int i = 0; i < platform::memoCount; ++i) {
        memos[i] = new QPlainTextEdit(central);
        memos[i]->setObjectName(memoNames[i]);
        memos[i]->setReadOnly(true);
        memos[i]->hide();
        layout->addWidget(memos[i]);
    }
    setCentralWidget(central);
}

void TMainForm::buildStatusBar() {
    mmStatusBar = statusBar();
    mmStatusBar->setObjectName("mmStatusBar");
    for (int i = 0; i < platform::StatusBar::panelCount; ++i) {
        statusPanels[i] = new QLabel(mmStatusBar);
        statusPanels[i]->setObjectName(QString("mmStatusBarPanel%1").arg(i));
        statusPanels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        mmStatusBar->addWidget(statusPanels[i], i == 0 || i == 13 ? 3 : 1);
    }
}

void TMainForm::connectTimers() {
    QTimer& timer0 = services_.timers.timer(platform::TimerId::Timer0);
    timer0.setSingleShot(true);
    connect(&timer0, &QTimer::timeout, this, &TMainForm::Timer0Timer);
    connect(&services_.timers.timer(platform::TimerId::Timer1), &QTimer::timeout, this, &TMainForm::Timer1Timer);
}

void TMainForm::Timer0Timer() {
    platform::timers().setEnabled(platform::TimerId::Timer0, false);
    delete LogoForm.data();
}

// The receive poller of the PLC link.
void TMainForm::Timer1Timer() { kestrion::Timer1Timer(); }

void TMainForm::PlcTypeChange1Click() { plcTypeChange1Click(); }

void TMainForm::ChangeComPort1Click() { selectComPort(); }
void TMainForm::TimeOutTimer1Click() { kestrion::TimeOutTimer1Click(); }

void TMainForm::PMW1Click() { pmw1Click(); }
void TMainForm::FormShow() {
    mainFormShow();
    showRecentFileItems();
}

void TMainForm::FormDestroy() { mainFormDestroy(); }

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (mainFormClose(nullptr) == CloseDecision::Stay) {
        event->ignore();
        return;
    }
    event->accept();
    delete LogoForm.data();
    QCoreApplication::exit(0);
}

void TMainForm::paintEvent(QPaintEvent* event) {
    redrawFlags |= kRedrawLadder | kRedrawObjects;
    redrawFlags &= static_cast<std::uint8_t>(~kRedrawPaintPending);
    QMainWindow::paintEvent(event);
}

}  // namespace kestrion::app
