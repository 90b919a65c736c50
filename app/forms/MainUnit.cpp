#include "app/forms/MainUnit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>
#include <QIcon>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSessionManager>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <string_view>

#include "app/AppMenu.h"
#include "app/FileCommands.h"
#include "app/MainCore.h"
#include "app/MainView.h"
#include "app/SearchCommands.h"
#include "app/TemplateCommands.h"
#include "app/forms/FocusReturn.h"
#include "app/forms/LogoUnit.h"
#include "app/forms/RegisterViewPanel.h"
#include "compiler/ConversionCommands.h"
#include "editor/CursorMoves.h"
#include "editor/EditCommands.h"
#include "editor/EditorViewState.h"
#include "editor/LadderLayout.h"
#include "editor/VerticalLinks.h"
#include "editor/forms/CommentListPanel.h"
#include "editor/forms/LadderViewForm.h"
#include "lang/Texts.h"
#include "lang/forms/LanguageChange.h"
#include "lang/forms/MenuItemWidgets.h"
#include "lang/forms/WidgetText.h"
#include "link/forms/LineFree.h"
#include "link/line/LineCommands.h"
#include "link/line/LinkCommand.h"
#include "link/line/Receive.h"
#include "link/plc/RunStopCommands.h"
#include "model/core/CommandTransaction.h"
#include "model/core/MainState.h"
#include "model/image/ProgramImage.h"
#include "model/image/RecentFiles.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "monitor/ForceOpener.h"
#include "monitor/forms/MonitorPanels.h"
#include "platform/PosixFiles.h"

namespace kestrion::app {

namespace {

constexpr int kTimer0Milliseconds = 1000;
constexpr int kTimer2Milliseconds = 250;
constexpr int kCloseRetryMilliseconds = 200;

}  // namespace

TMainForm::TMainForm(QtPlatform& services, QWidget* parent) : QMainWindow(parent), services_(services) {
    setObjectName("MainForm");
    menuItems_ = new forms::MenuItemWidgets(*this);
    buildMenus();
    buildRecentFileItems();
    // Ctrl+Q while a link command runs asks for the close, which waits for the command.
    services_.inputGate().letThrough(action("Exit1"));
    buildPanels();
    buildStatusBar();
    services_.statusBar.attach(statusPanels);
    services_.trace.attach(memos);
    services_.system().attach(this);
    connectTimers();
    new FocusReturn(*this);

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

    syncFromCore();
    platform::timers().setInterval(platform::TimerId::Timer0, kTimer0Milliseconds);
    platform::timers().setEnabled(platform::TimerId::Timer0, true);
}

TMainForm::~TMainForm() {
    if (platform::installed()) FormDestroy();
}

QMenu* TMainForm::menu(const QString& objectName) const {
    return findChild<QMenu*>(objectName);
}

QAction* TMainForm::action(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

void TMainForm::buildMenus() {
    addMenuRows(mainMenuRows(), "", nullptr);
    buildMainToolBar();
    // The RUN and STOP buttons of the ladder tool bar; the monitor panel's pair has no window yet.
    QToolBar* runStop = addToolBar("RUN/STOP");
    runStop->setObjectName("RunStopToolBar");
    struct Button {
        const char* name;
        const char* caption;
        void (*handler)();
    };
    for (const Button& button : {Button{"spbtnRemoteRun1", "RUN", spbtnRemoteRun1Click},
                                 Button{"spbtnRemoteStop1", "STOP", spbtnRemoteStop1Click}}) {
        QAction* added = runStop->addAction(button.caption);
        added->setObjectName(button.name);
        connect(added, &QAction::triggered, this, [this, name = button.name, handler = button.handler] {
            runClick(name, [this, handler] {
                handler();
                syncFromCore();
            });
        });
    }
    buildLadderToolBar();
}

// The symbol buttons open the instruction box as their function keys do; Convert and Force are the
// commands of the same name. Live only while the ladder editor's buttons are (view mode 1).
void TMainForm::buildLadderToolBar() {
    QToolBar* ladder = addToolBar("Ladder");
    ladder->setObjectName("LadderToolBar");
    struct Button {
        const char* name;
        const char* caption;
        const char* toolTip;
        int functionKey;  // 0: handler instead
        bool shift;
        void (*handler)();
    };
    static const Button kButtons[] = {
        {"spbtnContact", "-| |-", "F5", 5, false, nullptr},
        {"spbtnContactOr", "+| |+", "Shift+F5", 5, true, nullptr},
        {"spbtnNegated", "-|/|-", "F6", 6, false, nullptr},
        {"spbtnNegatedOr", "+|/|+", "Shift+F6", 6, true, nullptr},
        {"spbtnRising", "-|^|-", "F2", 2, false, nullptr},
        {"spbtnFalling", "-|v|-", "F3", 3, false, nullptr},
        {"spbtnCoil", "-( )-", "F7", 7, false, nullptr},
        {"spbtnInstruction", "-[ ]-", "F8", 8, false, nullptr},
        {"spbtnConvert", "Convert", "Convert", 0, false, spbtnConvertClick},
        {"spbtnForceOnOff", "Force", "Force", 0, false, spbtnForceOnOffClick},
    };
    for (const Button& button : kButtons) {
        QAction* added = ladder->addAction(button.caption);
        added->setObjectName(button.name);
        added->setToolTip(button.toolTip);
        if (button.handler != nullptr) added->setProperty("textId", button.caption);
        ladderButtons_.push_back(added);
        connect(added, &QAction::triggered, this, [this, &button] {
            runClick(button.name, [this, &button] {
                if (button.handler != nullptr) {
                    button.handler();
                } else {
                    openBoxOnFunctionKey(button.functionKey, button.shift);
                }
                syncFromCore();
            });
        });
    }
}

// The rows held by parent, and below each menu its own rows.
void TMainForm::addMenuRows(const std::vector<MenuRow>& rows, std::string_view parent, QMenu* into) {
    for (const MenuRow& row : rows) {
        if (parent != row.parent) continue;
        const QString caption = forms::widgetText(menuCaption(row, currentLanguage()));
        if (row.kind == MenuRowKind::Menu) {
            QMenu* added = into != nullptr ? into->addMenu(caption) : menuBar()->addMenu(caption);
            added->setObjectName(row.objectName);
            // The core sets a submenu's state by its name, as an item's.
            added->menuAction()->setObjectName(row.objectName);
            added->menuAction()->setVisible(!row.options.hidden);
            added->menuAction()->setEnabled(!row.options.disabled);
            addMenuRows(rows, row.objectName, added);
            continue;
        }
        QAction* added = into != nullptr ? into->addAction(caption) : menuBar()->addAction(caption);
        added->setObjectName(row.objectName);
        added->setVisible(!row.options.hidden);
        added->setCheckable(row.options.checkable);
        added->setEnabled(!row.options.disabled);
        if (*row.options.shortcut != '\0')
            added->setShortcut(QKeySequence(QString::fromLatin1(row.options.shortcut)));
        if (row.command != nullptr)
            connect(added, &QAction::triggered, this, [this, name = row.objectName, command = row.command] {
                runClick(name, [this, command] {
                    command();
                    syncFromCore();
                });
            });
    }
}

void TMainForm::runClick(const char* objectName, const std::function<void()>& click) {
    // File > Exit (its shortcut passes the input gate) waits for a running link command as the close
    // box does.
    if (linkCommandOwnsInput() && std::string_view(objectName) == "Exit1") {
        requestClose();
        return;
    }
    // A register cell left open for typing holds a value the grid shows: the command meets it taken.
    RegisterViewGroupBox->commitOpenCell();
    if (clickWaitsForLine(objectName))
        forms::runWhenLineFree(this, click);
    else
        click();
}

void TMainForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) captionMenus();
    QMainWindow::changeEvent(event);
}

void TMainForm::captionMenus() {
    const Language language = currentLanguage();
    for (const MenuRow& row : mainMenuRows())
        if (QAction* item = action(row.objectName))
            item->setText(forms::widgetText(menuCaption(row, language)));
    captionButtons();
    services_.statusBar.recaption();
    captionLanguage_ = static_cast<int>(language);
}

void TMainForm::buildRecentFileItems() {
    QMenu* fileMenu = menu("FileMenu");
    // The recent files stand above Exit.
    QAction* exitItem = action("Exit1");
    FileBar1 = exitItem != nullptr ? fileMenu->insertSeparator(exitItem) : fileMenu->addSeparator();
    FileBar1->setObjectName("FileBar1");
    QAction** items[kRecentFileItems] = {&File11, &File21, &File31, &File41};
    static void (*const handlers[kRecentFileItems])() = {File11Click, File21Click, File31Click, File41Click};
    for (int i = 0; i < kRecentFileItems; ++i) {
        *items[i] = new QAction(fileMenu);
        fileMenu->insertAction(exitItem, *items[i]);
        (*items[i])->setObjectName(kRecentFileItemNames[i]);
        connect(*items[i], &QAction::triggered, this, [this, handler = handlers[i]] {
            handler();
            syncFromCore();
        });
    }
    if (exitItem != nullptr) fileMenu->insertSeparator(exitItem);
    // Saving moves names in the list; the menu shows them the next time it opens.
    connect(fileMenu, &QMenu::aboutToShow, this, &TMainForm::showRecentFileItems);
}

void TMainForm::showRecentFileItems() {
    QAction* const items[kRecentFileItems] = {File11, File21, File31, File41};
    for (int i = 0; i < kRecentFileItems; ++i) {
        const RecentFileItem& item = recentFileItems[static_cast<std::size_t>(i)];
        // A '&' in a file name is text, not an accelerator mark.
        items[i]->setText(forms::widgetText(item.caption).replace('&', "&&"));
        items[i]->setVisible(item.visible);
    }
    FileBar1->setVisible(FileBar1Visible);
}

void TMainForm::syncFromCore() {
    if (captionLanguage_ != static_cast<int>(currentLanguage())) forms::announceLanguageChange();
    refreshEditItems();
    const bool opening = appState.programPanelsVisible && EditPanel1->isHidden();
    FramePanel1->setVisible(appState.programPanelsVisible);
    EditPanel1->setVisible(appState.programPanelsVisible || appState.parameterViewVisible);
    ladderViewWidthChanged(ladderRoomWidth());
    ladderEditScreen->syncSize();
    ladderEditScreen->update();
    if (opening) ladderEditScreen->setFocus();
    const bool commentList = appState.programPanelsVisible && editorView.shownCommentList != kNoCommentList;
    if (commentList) CommentGroupBox->showList(static_cast<CommentKind>(editorView.shownCommentList - 1));
    if (commentList && CommentGroupBox->isHidden()) {
        // The list takes the room of its columns from the ladder.
        QList<int> sizes = Splitter1->sizes();
        const int wanted = CommentGroupBox->sizeHint().width();
        sizes[1] = std::max(sizes[1] - wanted, sizes[1] / 2);
        sizes[2] = wanted;
        CommentGroupBox->show();
        Splitter1->setSizes(sizes);
    }
    CommentGroupBox->setVisible(commentList);
    appState.editPanelHeight = EditPanel1->height();
    FileTitleMemo->setPlainText(forms::widgetText(appState.fileTitleMemo));
    TdcnMemo->setPlainText(forms::widgetText(appState.dcnMemo));
    showRecentFileItems();
    // The items as the core's state has them (the program panels shown or hidden first: the
    // monitor's items rest without them), before the tool buttons that follow their items.
    menuItems_->apply(menuItemStates());
    for (QAction* button : ladderButtons_)
        if (!menuItems_->governs(button->objectName().toStdString()))
            button->setEnabled(appState.toolBarViewMode == 1);
    syncViews();
    monitorParts->sync();
    if (appState.exitRequested && !exiting_) {
        exiting_ = true;
        close();
        QCoreApplication::exit(0);
    }
}

void TMainForm::buildPanels() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);

    Splitter1 = new QSplitter(Qt::Horizontal, central);
    Splitter1->setObjectName("Splitter1");
    FramePanel1 = new QWidget(Splitter1);
    FramePanel1->setObjectName("FramePanel1");
    auto* frameLayout = new QVBoxLayout(FramePanel1);
    for (QPlainTextEdit** memo : {&FileTitleMemo, &TdcnMemo}) {
        *memo = new QPlainTextEdit(FramePanel1);
        (*memo)->setReadOnly(true);
        frameLayout->addWidget(*memo);
    }
    FileTitleMemo->setObjectName("FileTitleMemo");
    TdcnMemo->setObjectName("TdcnMemo");
    EditPanel1 = new QWidget(Splitter1);
    EditPanel1->setObjectName("EditPanel1");
    auto* editLayout = new QVBoxLayout(EditPanel1);
    editLayout->setContentsMargins(0, 0, 0, 0);
    ProjectScrollBox = new QScrollArea(EditPanel1);
    ProjectScrollBox->setObjectName("ProjectScrollBox");
    ProjectScrollBox->setBackgroundRole(QPalette::Base);
    ladderEditScreen = new forms::LadderViewForm;
    ProjectScrollBox->setWidget(ladderEditScreen);
    ProjectScrollBox->installEventFilter(this);
    connect(ladderEditScreen, &forms::LadderViewForm::edited, this, &TMainForm::syncFromCore);
    editLayout->addWidget(ProjectScrollBox);
    buildViewPanels(editLayout);
    monitorParts = new forms::MonitorParts(
        *this, *editLayout, services_.timers.timer(platform::TimerId::Timer3),
        {[this] { syncFromCore(); }, spbtnRemoteRun2Click, spbtnRemoteStop2Click}, *menuItems_);
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    connect(PopupMenu1->addAction("Convert"), &QAction::triggered, this, [this] {
        Convert2Click();
        syncFromCore();
    });
    // The link tool at the cell under the pointer, greyed where no link can go; its items read as the
    // Edit menu's, with their keys.
    for (const auto& [name, edit] :
         {std::pair{"DrawLink1", LinkEdit::Draw}, std::pair{"EraseLink1", LinkEdit::Erase}}) {
        QAction* item = PopupMenu1->addAction(QString());
        item->setObjectName(QString(name) + "Popup");
        connect(item, &QAction::triggered, this, [this, edit = edit] {
            editLinkAtFrame(edit);
            syncFromCore();
        });
        connect(PopupMenu1, &QMenu::aboutToShow, this, [this, item, name = name, edit = edit] {
            const QAction* inMenu = action(name);
            item->setText(inMenu->text() + '\t' + inMenu->shortcut().toString(QKeySequence::NativeText));
            item->setEnabled(linkPlaceRefusal(edit).empty());
        });
    }
    ladderEditScreen->onContextMenu = [this](const QPoint& at) { monitorParts->popUp(*PopupMenu1, at); };

    CommentGroupBox = new forms::CommentListPanel(Splitter1);
    CommentGroupBox->hide();

    // Queued: the list is filled again after the change of one of its cells has been handled.
    connect(CommentGroupBox, &forms::CommentListPanel::edited, this, &TMainForm::syncFromCore,
            Qt::QueuedConnection);
    layout->addWidget(Splitter1, 1);
    buildFncKeyPanel(layout);

    static const char* const memoNames[platform::memoCount] = {
        "debugMemo1", "debugMemo2", "debugMemo3", "debugMemo4", "debugMemo5", "debugMemo6",
        "debugMemo7", "debugMemo8", "debugMemo9", "RxMemo",     "MsgMemo1",   "VirtualArrayMemo"};
    for (int i = 0; i < platform::memoCount; ++i) {
        memos[i] = new QPlainTextEdit(central);
        memos[i]->setObjectName(memoNames[i]);
        memos[i]->setToolTip(memoNames[i]);  // several may show at once
        memos[i]->setReadOnly(true);
        memos[i]->hide();
        layout->addWidget(memos[i]);
    }
    // The canvas view shows one character per cell: its rows stand in columns only in a fixed pitch.
    memos[static_cast<int>(platform::Memo::VirtualArray)]->setFont(
        QFontDatabase::systemFont(QFontDatabase::FixedFont));
    memos[static_cast<int>(platform::Memo::VirtualArray)]->setLineWrapMode(QPlainTextEdit::NoWrap);
    setCentralWidget(central);
    central->setFocusPolicy(Qt::StrongFocus);
    services_.entryDialogs.setLadderArea(ladderEditScreen);
    services_.devViewsDialogs.setMainWindow(this);
    // The access codes of the instruction box reveal menu items of this window: the developer views'
    // entry, the hardware checks and the demonstration and factory programs.
    services_.entryDialogs.setRevealHandler([this](HiddenItems items) {
        if (items == HiddenItems::MoreView) forms::revealMoreView(*this);
        revealAccessItems(items);
        syncFromCore();
    });
}

void TMainForm::keyPressEvent(QKeyEvent* event) {
    // F4 is the function-key bar's Convert button, live while that bar is.
    if (event->key() == Qt::Key_F4 && event->modifiers() == Qt::NoModifier && appState.fncKeyViewMode == 1) {
        spbtnF4Click();
        syncFromCore();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

int TMainForm::ladderRoomWidth() const {
    return ProjectScrollBox->width() - 2 * ProjectScrollBox->frameWidth() -
           ProjectScrollBox->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, ProjectScrollBox);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ProjectScrollBox && event->type() == QEvent::Resize) {
        const std::uint32_t zoom = zoomPercent;
        ladderViewWidthChanged(ladderRoomWidth());
        if (zoom != zoomPercent) {
            ladderEditScreen->syncSize();
            ladderEditScreen->update();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::buildStatusBar() {
    mmStatusBar = statusBar();
    mmStatusBar->setObjectName("mmStatusBar");
    for (int i = 0; i < platform::StatusBar::panelCount; ++i) {
        statusPanels[i] = new QLabel(mmStatusBar);
        statusPanels[i]->setObjectName(QString("mmStatusBarPanel%1").arg(i));
        statusPanels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // Panel 0 takes the notes, 13 the traces, the comment panel a framed object's whole comment.
        mmStatusBar->addWidget(statusPanels[i], i == 0 || i == 13 || i == kCommentPanel ? 3 : 1);
    }
}

void TMainForm::connectTimers() {
    QTimer& timer0 = services_.timers.timer(platform::TimerId::Timer0);
    timer0.setSingleShot(true);
    connect(&timer0, &QTimer::timeout, this, &TMainForm::Timer0Timer);
    connect(&services_.timers.timer(platform::TimerId::Timer1), &QTimer::timeout, this,
            &TMainForm::Timer1Timer);
    QTimer& timer2 = services_.timers.timer(platform::TimerId::Timer2);
    timer2.setInterval(kTimer2Milliseconds);
    connect(&timer2, &QTimer::timeout, this, &TMainForm::Timer2Timer);
}

void TMainForm::Timer0Timer() {
    platform::timers().setEnabled(platform::TimerId::Timer0, false);
    delete LogoForm.data();
}

// The receive poller of the PLC link.
void TMainForm::Timer1Timer() {
    kestrion::Timer1Timer();
}

// The drawing timer.
void TMainForm::Timer2Timer() {
    kestrion::Timer2Timer();
}

void TMainForm::FormShow() {
    mainFormShow();
    showRecentFileItems();
}

void TMainForm::FormDestroy() {
    mainFormDestroy();
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // The close box while a link command runs: the command goes on to its end (closing under it
    // would end it unseen, the PLC in STOP with part of a program), then the usual question.
    if (!exiting_ && commandRunning()) {
        event->ignore();
        requestClose();
        return;
    }
    if (exiting_ || runCloseBox())
        event->accept();
    else
        event->ignore();
}

bool TMainForm::runCloseBox() {
    if (exiting_) return true;
    RegisterViewGroupBox->commitOpenCell();  // asked about with the rest
    const auto save = [](bool /*saveAs: the save chooses by the program's name*/) {
        SaveOutcome outcome = SaveOutcome::Failed;
        runCommand([&outcome] {
            outcome = saveProgram();
            return outcome == SaveOutcome::Saved;
        });
        return outcome;
    };
    closing_ = true;
    const CloseDecision decision = mainFormClose(save);
    closing_ = false;
    syncFromCore();
    if (decision == CloseDecision::Stay) return false;
    exiting_ = true;
    delete LogoForm.data();
    QCoreApplication::exit(0);
    return true;
}

bool TMainForm::commandRunning() const {
    return services_.clock().commandWaiting() || linkCommandOwnsInput();
}

void TMainForm::requestClose() {
    if (exiting_ || closing_) return;
    closeRequested_ = true;
    closeWhenFree();
}

void TMainForm::closeWhenFree() {
    if (!closeRequested_ || exiting_) return;
    // A dialog or a waiting command sits on the stack below this event: closing under it would
    // free the program it works on. The request waits for it.
    if (QApplication::activeModalWidget() != nullptr || QApplication::activePopupWidget() != nullptr ||
        commandRunning()) {
        QTimer::singleShot(kCloseRetryMilliseconds, this, &TMainForm::closeWhenFree);
        return;
    }
    closeRequested_ = false;
    close();
}

void TMainForm::commitData(QSessionManager& manager) {
    if (exiting_) return;
    if (!manager.allowsInteraction()) {
        // Without a question the unsaved work could only be thrown away.
        if ((editModeFlags & kEditModifiedSinceSave) != 0) manager.cancel();
        return;
    }
    const bool ends = runCloseBox();
    manager.release();
    if (!ends) manager.cancel();
}

void TMainForm::paintEvent(QPaintEvent* event) {
    requestLadderRedraw();
    redrawFlags &= static_cast<std::uint8_t>(~kRedrawPaintPending);
    QMainWindow::paintEvent(event);
}

}  // namespace kestrion::app
