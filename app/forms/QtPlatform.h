// The real platform services of the program: Qt message boxes, the main window's status bar,
// memos and timers, the progress window, the system clock and the local file system.
#pragma once

#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>

#include "app/MainCore.h"
#include "app/forms/CaptionedModelDialogs.h"
#include "app/forms/InputGate.h"
#include "app/forms/QtAppDialogs.h"
#include "compiler/RungTrialConversion.h"
#include "devviews/forms/QtDevViewsDialogs.h"
#include "diagnostics/forms/QtDiagnosticsDialogs.h"
#include "editor/forms/GoToStepForm.h"
#include "editor/forms/ProgressForm.h"
#include "entry/forms/QtEntryDialogs.h"
#include "lang/Language.h"
#include "lang/forms/QtLangDialogs.h"
#include "link/forms/QtLinkDialogs.h"
#include "link/forms/QtTerminalDialogs.h"
#include "monitor/MonitorPoll.h"
#include "monitor/MonitorWindow.h"
#include "monitor/forms/QtAccessDialogs.h"
#include "monitor/forms/QtMonitorDialogs.h"
#include "platform/Desktop.h"
#include "platform/PosixSerial.h"
#include "platform/Services.h"
#include "wizards/forms/QtWizardsDialogs.h"

class QLabel;
class QPlainTextEdit;

namespace kestrion::app {

class QtMessages : public platform::Messages {
public:
    platform::MsgAnswer show(const std::string& text, const std::string& caption, platform::MsgIcon icon,
                             platform::MsgButtons buttons) override;
    // The progress window a box opens above while it shows.
    void attachProgress(const forms::QtProgress* progress) { progress_ = progress; }

private:
    QWidget* boxParent() const;
    const forms::QtProgress* progress_ = nullptr;
};

// Keeps the panel texts itself, so texts set before the window exists are shown once it does.
class QtStatusBar : public platform::StatusBar {
public:
    void attach(const std::array<QLabel*, panelCount>& panels);
    void setPanelText(int panel, const std::string& text) override;
    std::string panelText(int panel) const override;
    void recaption();  // the panels anew in a new interface language

private:
    static QString shown(const std::string& text);
    void showChangedPanels();
    std::array<std::string, panelCount> texts_;
    std::array<bool, panelCount> changed_{};
    bool showQueued_ = false;
    QObject showing_;  // a queued showing goes with the status bar
    std::array<QPointer<QLabel>, panelCount> panels_{};
};

class QtTraceMemos : public platform::TraceMemos {
public:
    void attach(const std::array<QPlainTextEdit*, platform::memoCount>& memos);
    bool visible(platform::Memo memo) const override;
    void setVisible(platform::Memo memo, bool visible) override;
    void append(platform::Memo memo, const std::string& line) override;
    void clear(platform::Memo memo) override;
    int lineCount(platform::Memo memo) const override;

private:
    std::array<QPointer<QPlainTextEdit>, platform::memoCount> memos_{};
};

class QtSystem : public platform::System {
public:
    explicit QtSystem(CommandInputGate& inputGate) : inputGate_(inputGate) {}
    void beep() override;
    platform::ScreenSize screenSize() const override;
    // Keeps the caption itself, so a caption set before the window exists is shown once it does.
    void attach(QWidget* mainWindow);
    void setMainCaption(const std::string& text) override;
    // The input gate knows the command's own windows: the wait cursor leaves them alone.
    void showBusy(bool busy) override { inputGate_.showBusy(busy); }

private:
    CommandInputGate& inputGate_;
    std::string caption_;
    QPointer<QWidget> mainWindow_;
};

class QtClock : public platform::Clock {
public:
    std::uint32_t tickCount() const override;
    void runMessageLoopOnce() override;
    // True while a command of the core waits for something (a reply of the line) and lets the
    // loop run meanwhile: the window must not be closed under it.
    bool commandWaiting() const { return waitDepth_ > 0; }

private:
    int waitDepth_ = 0;
};

// Files and programs handed to the desktop's handler (xdg-open and its kind).
class QtDesktop : public platform::Desktop {
public:
    bool openWithHandler(const std::string& path) override;
};

// Owns the main window's four timers; the window connects them to its handlers.
class QtTimers : public platform::Timers {
public:
    QtTimers();
    QTimer& timer(platform::TimerId id) { return *timers_[static_cast<int>(id)]; }
    void setEnabled(platform::TimerId id, bool enabled) override;
    bool enabled(platform::TimerId id) const override;
    void setInterval(platform::TimerId id, std::uint32_t milliseconds) override;
    std::uint32_t interval(platform::TimerId id) const override;

private:
    std::array<std::unique_ptr<QTimer>, platform::timerCount> timers_;
};

// The main window as the monitor asks for it: the ladder's buttons laid out by the window's core,
// the monitor's panels synced with their state.
class QtMonitorWindow : public MonitorWindow {
public:
    void layOutLadderButtons(int viewMode) override;
    void refresh() override;
};

// All real services together, with the Qt dialogs of every subsystem and what the floors below
// ask of the main window. Create it after the
// QApplication, install it, then build the main window, which attaches its status bar and memos.
class QtPlatform {
public:
    explicit QtPlatform(platform::Files& files);
    ~QtPlatform();
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    void install();

    QtStatusBar statusBar;
    QtTraceMemos trace;
    QtTimers timers;
    forms::QtEntryDialogs entryDialogs;
    forms::QtDevViewsDialogs devViewsDialogs;
    QtSystem& system() { return system_; }
    platform::PosixSerialPorts& serialPorts() { return serial_; }
    const QtClock& clock() const { return clock_; }
    // Installed on the application with the services: a link command's input goes to its own
    // windows only.
    CommandInputGate& inputGate() { return inputGate_; }

private:
    platform::Files& files_;
    QtMessages messages_;
    forms::QtProgress progress_;
    CommandInputGate inputGate_{progress_};
    QtSystem system_{inputGate_};
    QtClock clock_;
    forms::CaptionedModelDialogs modelDialogs_;
    forms::QtLangDialogs langDialogs_;
    forms::QtLinkDialogs linkDialogs_;
    forms::QtAppDialogs appDialogs_;
    forms::QtDiagnosticsDialogs diagnosticsDialogs_;
    forms::QtEditorDialogs editorDialogs_;
    forms::QtMonitorDialogs monitorDialogs_;
    forms::QtWizardsDialogs wizardsDialogs_;
    forms::QtTerminalDialogs terminalDialogs_;
    forms::QtAccessDialogs accessDialogs_;
    // What the floors below ask of the window: installed with the dialogs.
    MainWindowSteps windowSteps_;
    QtMonitorWindow monitorWindow_;
    LanguageCanvasTexts canvasTexts_;
    MonitorLineHold lineHold_;
    // The instruction box's lines tried on Convert before they are kept.
    RungTrialConversion rungTrial_;
    QtDesktop desktop_;
    platform::PosixSerialPorts serial_;
    bool installed_ = false;
};

}  // namespace kestrion::app
