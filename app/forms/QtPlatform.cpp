#include "app/forms/QtPlatform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSpacerItem>
#include <QUrl>
#include <chrono>
#include <thread>

#include "app/MainView.h"
#include "app/forms/LogoUnit.h"
#include "lang/Texts.h"
#include "lang/forms/Captions.h"
#include "lang/forms/WidgetText.h"
#include "monitor/forms/MonitorPanels.h"
#include "platform/PosixFiles.h"
#include "platform/forms/TitleWidth.h"

namespace kestrion::app {

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

namespace {

QMessageBox::Icon toQtIcon(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::None: return QMessageBox::NoIcon;
        case MsgIcon::Information: return QMessageBox::Information;
        case MsgIcon::Warning: return QMessageBox::Warning;
        case MsgIcon::Error: return QMessageBox::Critical;
        case MsgIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQtButtons(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::Ok: return QMessageBox::Ok;
        case MsgButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case MsgButtons::YesNo:
        case MsgButtons::YesNoDefaultNo: return QMessageBox::Yes | QMessageBox::No;
        case MsgButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

}  // namespace

// The window a box stands over: the progress window while it shows (it stays on top of the
// others, and a box under it could not be seen), else the top of the modal stack, else the active
// window.
QWidget* QtMessages::boxParent() const {
    if (progress_ != nullptr && progress_->form() != nullptr && progress_->form()->isVisible())
        return progress_->form();
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return QApplication::activeWindow();
}

MsgAnswer QtMessages::show(const std::string& text, const std::string& caption, MsgIcon icon,
                           MsgButtons buttons) {
    // The splash stays on top of every window: a box opened under it could not be seen or
    // answered, so the splash goes first.
    if (LogoForm) LogoForm->hide();
    QWidget* parent = boxParent();
    QMessageBox box(toQtIcon(icon), forms::widgetText(caption), forms::widgetText(text), toQtButtons(buttons),
                    parent);
    if (progress_ != nullptr && parent == progress_->form()) box.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (buttons == MsgButtons::YesNoDefaultNo) {
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
    }
    // The text and the caption stay as given; the answers are in the interface language (Qt's own
    // in English).
    if (currentLanguage() != Language::English)
        for (const auto& [button, id] :
             {std::pair{QMessageBox::Ok, "OK"}, std::pair{QMessageBox::Cancel, "Cancel"},
              std::pair{QMessageBox::Yes, "Yes"}, std::pair{QMessageBox::No, "No"}})
            if (QAbstractButton* shown = box.button(button)) shown->setText(forms::captionText(id));
    // A box sizes itself to its text; a caption longer than that would be cut in the title bar.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(forms::titleWidth(box), 0), grid->rowCount(), 0, 1,
                      grid->columnCount());
    switch (box.exec()) {
        case QMessageBox::Ok: return MsgAnswer::Ok;
        case QMessageBox::Yes: return MsgAnswer::Yes;
        case QMessageBox::No: return MsgAnswer::No;
        default: return MsgAnswer::Cancel;
    }
}

// The core's text stays as it was set (the core reads it back); the panel shows its known phrases in
// the interface language.
QString QtStatusBar::shown(const std::string& text) {
    const std::string utf8 = statusText(textForDisplay(text), currentLanguage());
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

void QtStatusBar::attach(const std::array<QLabel*, panelCount>& panels) {
    for (int i = 0; i < panelCount; ++i) panels_[i] = panels[i];
    recaption();
}

void QtStatusBar::recaption() {
    for (int i = 0; i < panelCount; ++i)
        if (panels_[i]) panels_[i]->setText(shown(texts_[i]));
}

// A load or a Convert sets a panel at every instruction, tens of thousands of times in one
// command: the labels show the last text set when the window next handles its events (a progress
// window does while the command runs).
void QtStatusBar::setPanelText(int panel, const std::string& text) {
    if (panel < 0 || panel >= panelCount) return;
    texts_[panel] = text;
    changed_[panel] = true;
    if (showQueued_) return;
    showQueued_ = true;
    QMetaObject::invokeMethod(
        &showing_, [this] { showChangedPanels(); }, Qt::QueuedConnection);
}

void QtStatusBar::showChangedPanels() {
    showQueued_ = false;
    for (int i = 0; i < panelCount; ++i) {
        if (!changed_[i]) continue;
        changed_[i] = false;
        if (panels_[i]) panels_[i]->setText(shown(texts_[i]));
    }
}

std::string QtStatusBar::panelText(int panel) const {
    if (panel < 0 || panel >= panelCount) return {};
    return texts_[panel];
}

void QtTraceMemos::attach(const std::array<QPlainTextEdit*, platform::memoCount>& memos) {
    for (int i = 0; i < platform::memoCount; ++i) memos_[i] = memos[i];
}

bool QtTraceMemos::visible(platform::Memo memo) const {
    const auto& edit = memos_[static_cast<int>(memo)];
    return edit && !edit->isHidden();
}

void QtTraceMemos::setVisible(platform::Memo memo, bool visible) {
    if (auto& edit = memos_[static_cast<int>(memo)]) edit->setVisible(visible);
}

void QtTraceMemos::append(platform::Memo memo, const std::string& line) {
    if (visible(memo)) memos_[static_cast<int>(memo)]->appendPlainText(forms::widgetText(line));
}

void QtTraceMemos::clear(platform::Memo memo) {
    if (auto& edit = memos_[static_cast<int>(memo)]) edit->clear();
}

int QtTraceMemos::lineCount(platform::Memo memo) const {
    const auto& edit = memos_[static_cast<int>(memo)];
    if (!edit || edit->document()->isEmpty()) return 0;
    return edit->document()->blockCount();
}

void QtSystem::beep() {
    QApplication::beep();
}

platform::ScreenSize QtSystem::screenSize() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return {};
    return {screen->size().width(), screen->size().height()};
}

void QtSystem::attach(QWidget* mainWindow) {
    mainWindow_ = mainWindow;
    if (mainWindow_ && !caption_.empty()) mainWindow_->setWindowTitle(forms::widgetText(caption_));
}

void QtSystem::setMainCaption(const std::string& text) {
    caption_ = text;
    if (mainWindow_) mainWindow_->setWindowTitle(forms::widgetText(text));
}

std::uint32_t QtClock::tickCount() const {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void QtClock::runMessageLoopOnce() {
    ++waitDepth_;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    --waitDepth_;
    // The waits of the link call this in a loop; a short sleep keeps them from spinning a core
    // while the reply is on its way.
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

bool QtDesktop::openWithHandler(const std::string& path) {
    return QDesktopServices::openUrl(
        QUrl::fromLocalFile(QString::fromStdString(platform::findCaseInsensitive(path))));
}

QtTimers::QtTimers() {
    for (auto& timer : timers_) {
        timer = std::make_unique<QTimer>();
        timer->setTimerType(Qt::PreciseTimer);
    }
}

void QtTimers::setEnabled(platform::TimerId id, bool enabled) {
    QTimer& t = timer(id);
    if (enabled && !t.isActive()) t.start();
    if (!enabled) t.stop();
}

bool QtTimers::enabled(platform::TimerId id) const {
    return timers_[static_cast<int>(id)]->isActive();
}

void QtTimers::setInterval(platform::TimerId id, std::uint32_t milliseconds) {
    timer(id).setInterval(static_cast<int>(milliseconds));
}

std::uint32_t QtTimers::interval(platform::TimerId id) const {
    return static_cast<std::uint32_t>(timers_[static_cast<int>(id)]->interval());
}

void QtMonitorWindow::layOutLadderButtons(int viewMode) {
    setupToolBarButtons(viewMode);
    setupFncKeyButtons(viewMode);
}

void QtMonitorWindow::refresh() {
    forms::syncShownMonitorParts();
}

QtPlatform::QtPlatform(platform::Files& files) : files_(files) {
    messages_.attachProgress(&progress_);
}

QtPlatform::~QtPlatform() {
    if (!installed_) return;
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(&inputGate_);
    platform::uninstall();
    DialogSeam<ModelDialogs>::uninstall();
    DialogSeam<LangDialogs>::uninstall();
    DialogSeam<LineDialogs>::uninstall();
    DialogSeam<PlcDialogs>::uninstall();
    DialogSeam<TransferDialogs>::uninstall();
    DialogSeam<AppDialogs>::uninstall();
    DialogSeam<EntryDialogs>::uninstall();
    DialogSeam<DiagnosticsDialogs>::uninstall();
    DialogSeam<EditorDialogs>::uninstall();
    DialogSeam<MonitorDialogs>::uninstall();
    DialogSeam<DevViewsDialogs>::uninstall();
    DialogSeam<WizardsDialogs>::uninstall();
    DialogSeam<TerminalDialogs>::uninstall();
    DialogSeam<AccessDialogs>::uninstall();
    DialogSeam<WindowSteps>::uninstall();
    DialogSeam<ParameterListView>::uninstall();
    DialogSeam<MonitorWindow>::uninstall();
    DialogSeam<CanvasTexts>::uninstall();
    DialogSeam<LineHold>::uninstall();
    DialogSeam<RungTrial>::uninstall();
    platform::installDesktop(nullptr);
}

void QtPlatform::install() {
    platform::Services services;
    services.messages = &messages_;
    services.statusBar = &statusBar;
    services.trace = &trace;
    services.progress = &progress_;
    services.system = &system_;
    services.clock = &clock_;
    services.timers = &timers;
    services.files = &files_;
    services.serial = &serial_;
    platform::install(services);
    DialogSeam<ModelDialogs>::install(modelDialogs_);
    DialogSeam<LangDialogs>::install(langDialogs_);
    DialogSeam<LineDialogs>::install(linkDialogs_);
    DialogSeam<PlcDialogs>::install(linkDialogs_);
    DialogSeam<TransferDialogs>::install(linkDialogs_);
    DialogSeam<AppDialogs>::install(appDialogs_);
    DialogSeam<EntryDialogs>::install(entryDialogs);
    DialogSeam<DiagnosticsDialogs>::install(diagnosticsDialogs_);
    DialogSeam<EditorDialogs>::install(editorDialogs_);
    DialogSeam<MonitorDialogs>::install(monitorDialogs_);
    DialogSeam<DevViewsDialogs>::install(devViewsDialogs);
    DialogSeam<WizardsDialogs>::install(wizardsDialogs_);
    DialogSeam<TerminalDialogs>::install(terminalDialogs_);
    DialogSeam<AccessDialogs>::install(accessDialogs_);
    DialogSeam<WindowSteps>::install(windowSteps_);
    DialogSeam<ParameterListView>::install(windowSteps_);
    DialogSeam<MonitorWindow>::install(monitorWindow_);
    DialogSeam<CanvasTexts>::install(canvasTexts_);
    DialogSeam<LineHold>::install(lineHold_);
    DialogSeam<RungTrial>::install(rungTrial_);
    platform::installDesktop(&desktop_);
    if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(&inputGate_);
    installed_ = true;
}

}  // namespace kestrion::app
