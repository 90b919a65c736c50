// The main window driven as a user drives it, offscreen with the real forms and services: a
// program of 8,000 or 64,000 steps opened through File > Open, then one step at a time a cursor key,
// a typed instruction, Undo (Ctrl+Z) or a menu item, each with the repaint it asks for. Each step
// goes through the window system's key path and the whole refresh of the window after it.
//
// Each benchmark reports the mean time of a step and, as counters, the fastest and the median
// step in milliseconds. Under callgrind started with --collect-atstart=no only the steps are
// counted (the start-up, the open and the set-up between the steps are not):
//   valgrind --tool=callgrind --collect-atstart=no build/release/bench/kestrion_bench
//       --benchmark_filter=BM_Window
// and the instructions of one step are the total divided by the iterations.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "BenchSupport.h"
#include "OffscreenApplication.h"
#include "app/AppDialogs.h"
#include "app/forms/LogoUnit.h"
#include "app/forms/MainUnit.h"
#include "app/forms/QtPlatform.h"
#include "editor/forms/LadderViewForm.h"
#include "entry/forms/EditKeyForm.h"
#include "model/core/StateRegistry.h"
#include "model/image/ModeData.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "platform/PosixFiles.h"

namespace kestrion::bench {
namespace {

constexpr int kWindowWidth = 1300;
constexpr int kWindowHeight = 900;
constexpr int kBoxPollMilliseconds = 100;

// The open dialog chooses the program file; the title dialog is answered with OK.
class OpenAnswers : public AppDialogs {
public:
    explicit OpenAnswers(std::string path) : path_(std::move(path)) {}
    FileDialogResult openFile(const FileDialogRequest&) override { return {true, path_}; }
    FileDialogResult saveFile(const FileDialogRequest&) override { return {}; }
    FileTitleResult fileTitle(const FileTitleRequest& request) override { return {true, request.title}; }
    void printerSetup() override {}

private:
    std::string path_;
};

std::filesystem::path benchHome() {
    return std::filesystem::temp_directory_path() / ("kestrion-bench-" + std::to_string(getpid()));
}

// The program written as a file in an installation folder of its own, the real services
// installed, and the main window with that program open, shown and active.
class MainWindow {
public:
    explicit MainWindow(std::size_t steps)
        : home_(benchHome()), files_(home_.string(), KESTRION_BENCH_DATA_DIR), services_(files_) {
        state::resetAll();
        std::filesystem::remove_all(home_);
        std::filesystem::create_directories(home_);
        services_.install();
        const std::string path = (home_ / "Large.PMW").string();
        const std::vector<std::uint8_t> bytes = programFileBytes(programOf(Shape::Mix, steps));
        platform::files().writeWhole(path, bytes.data(), bytes.size());
        answers_.emplace(path);
        installedAnswers_.emplace(*answers_);
        QObject::connect(&boxes_, &QTimer::timeout, [this] { answerBox(); });
        boxes_.start(kBoxPollMilliseconds);

        form_ = std::make_unique<app::TMainForm>(services_);
        delete app::LogoForm.data();
        form_->resize(kWindowWidth, kWindowHeight);
        form_->show();
        form_->action("Open1")->trigger();
        form_->activateWindow();
        static_cast<void>(QTest::qWaitForWindowActive(form_.get()));
        // The drawing timer repaints the ladder four times a second whatever the user does; under
        // callgrind, where a step lasts long enough for it to fall into every one, it would be
        // counted as the step's work.
        services_.timers.timer(platform::TimerId::Timer2).stop();
    }
    ~MainWindow() {
        form_.reset();
        installedAnswers_.reset();
        std::filesystem::remove_all(home_);
    }
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    app::TMainForm& form() { return *form_; }
    bool opened() const {
        return ldrTail != nullptr && ldrTail->stepNo > 0 && form_->ladderEditScreen->hasFocus();
    }
    int boxesShown() const { return boxesShown_; }

    // A key as the window system delivers it, then what the window does with the events it posted
    // (the repaint).
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(form_->windowHandle(), key, modifiers);
        QCoreApplication::processEvents();
    }
    // A line typed into the instruction box: the first key opens it on the framed cell, the rest
    // arrive while it shows, Enter puts the line in; beforeEnter runs just before the Enter key.
    void typeLine(const std::string& line, const std::function<void()>& beforeEnter = {}) {
        QTimer::singleShot(0, [this, rest = line.substr(1), beforeEnter] {
            for (const char c : rest) {
                if (c == '\r' && beforeEnter) beforeEnter();
                QTest::keyClick(form_->windowHandle(), c == '\r' ? Qt::Key_Return : static_cast<Qt::Key>(c));
            }
            // A refused line leaves the box open; it is cancelled so that the step ends.
            if (auto* box = form_->findChild<forms::TEditKeyForm*>(); box != nullptr && box->isVisible())
                box->btnCancelClick();
        });
        press(static_cast<Qt::Key>(line.front()));
    }

private:
    // A message box is answered and counted: a step that shows one is not the step measured.
    void answerBox() {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++boxesShown_;
            box->accept();
        }
    }

    std::filesystem::path home_;
    platform::PosixFiles files_;
    app::QtPlatform services_;
    std::optional<OpenAnswers> answers_;
    std::optional<InstalledDialogs<AppDialogs>> installedAnswers_;
    QTimer boxes_;
    int boxesShown_ = 0;
    std::unique_ptr<app::TMainForm> form_;
};

// The part of a step that is measured: its time, and callgrind's count (collection is switched on
// at its start and off at its end).
class Span {
public:
    explicit Span(bool measured) : measured_(measured) {}
    void start() {
        if (!measured_) return;
        toggleCounting();
        begin_ = std::chrono::steady_clock::now();
    }
    void stop() {
        if (!measured_) return;
        milliseconds =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin_).count();
        toggleCounting();
    }
    double milliseconds = 0;

private:
    bool measured_;
    std::chrono::steady_clock::time_point begin_;
};

using Step = std::function<void(int, Span&)>;

// A step measured from its start to its end.
Step whole(const std::function<void(int)>& step) {
    return [step](int i, Span& span) {
        span.start();
        step(i);
        span.stop();
    };
}

// Runs the step once unmeasured (first-use costs), then once per iteration, with unmeasured set-up
// before each; reports the fastest and the median step.
void runSteps(benchmark::State& state, MainWindow& window, const Step& step,
              const std::function<void()>& setUp = {}) {
    if (!window.opened()) state.SkipWithError("the program did not open");
    if (setUp) setUp();
    Span warmUp(false);
    step(-1, warmUp);
    const int boxes = window.boxesShown();
    std::vector<double> milliseconds;
    int i = 0;
    for (auto _ : state) {
        if (setUp) setUp();
        Span span(true);
        step(i++, span);
        state.SetIterationTime(span.milliseconds / 1000.0);
        milliseconds.push_back(span.milliseconds);
    }
    if (window.boxesShown() != boxes) state.SkipWithError("a message box was shown");
    std::sort(milliseconds.begin(), milliseconds.end());
    if (!milliseconds.empty()) {
        state.counters["min_ms"] = milliseconds.front();
        state.counters["median_ms"] = milliseconds[milliseconds.size() / 2];
    }
    state.counters["steps"] = static_cast<double>(ldrTail != nullptr ? ldrTail->stepNo : 0);
}

// Down and Up in turn, so that the frame stays near the top of the program.
void BM_WindowCursorKey(benchmark::State& state) {
    ensureOffscreenApplication();
    MainWindow window(static_cast<std::size_t>(state.range(0)));
    runSteps(state, window,
             whole([&window](int i) { window.press(i % 2 == 0 ? Qt::Key_Down : Qt::Key_Up); }));
}

// "LD X1" and "LD X0" in turn typed over the first contact (the frame is brought back to it
// between the steps): the Enter key that puts the line in, with the ladder's repaint after it.
void BM_WindowTypedInstruction(benchmark::State& state) {
    ensureOffscreenApplication();
    MainWindow window(static_cast<std::size_t>(state.range(0)));
    runSteps(
        state, window,
        [&window](int i, Span& span) {
            window.typeLine(i % 2 == 0 ? "LD X1\r" : "LD X0\r", [&span] { span.start(); });
            span.stop();
        },
        [&window] { window.press(Qt::Key_Home); });
    if ((editModeFlags & kEditLadderNotConverted) == 0) state.SkipWithError("no line was typed in");
}

// The same line typed whole: the key that opens the box, the keys typed into it and Enter.
void BM_WindowTypedLine(benchmark::State& state) {
    ensureOffscreenApplication();
    MainWindow window(static_cast<std::size_t>(state.range(0)));
    runSteps(state, window, whole([&window](int i) { window.typeLine(i % 2 == 0 ? "LD X1\r" : "LD X0\r"); }),
             [&window] { window.press(Qt::Key_Home); });
    if ((editModeFlags & kEditLadderNotConverted) == 0) state.SkipWithError("no line was typed in");
}

// An output typed on END's line, under the last rung's output: the rung's further output, hung from
// its node (the walks of the list go the whole way); Ctrl+Z takes it back between the steps.
void BM_WindowTypedFurtherOutput(benchmark::State& state) {
    ensureOffscreenApplication();
    MainWindow window(static_cast<std::size_t>(state.range(0)));
    const std::uint32_t endY = ldrTail != nullptr ? ldrTail->yAddr : 0;
    const auto frameUnderLastRung = [endY] {
        xOldCursor = draw.iBusLineStart;
        yOldCursor = endY;
        setBlueFrameObject(xOldCursor, yOldCursor);
    };
    const auto typed = [endY] {
        for (const stLadderBlock* o = ldrHead; o != nullptr; o = o->next)
            if (o->yAddr == endY && o->end == kEndOutput && o != ldrTail) return true;
        return false;
    };
    runSteps(state, window, whole([&window](int) { window.typeLine("OUT Y7\r"); }), [&] {
        if (typed()) window.press(Qt::Key_Z, Qt::ControlModifier);
        frameUnderLastRung();
    });
    if (!typed()) state.SkipWithError("the output was not taken");
}

// Ctrl+Z after a typed line: the ladder before and after the line in turn.
void BM_WindowUndo(benchmark::State& state) {
    ensureOffscreenApplication();
    MainWindow window(static_cast<std::size_t>(state.range(0)));
    window.typeLine("LD X1\r");
    runSteps(state, window, whole([&window](int) { window.press(Qt::Key_Z, Qt::ControlModifier); }));
}

// View > Block Comment chosen from the menu, on and off in turn: the item's check mark changes.
void BM_WindowMenuItem(benchmark::State& state) {
    ensureOffscreenApplication();
    MainWindow window(static_cast<std::size_t>(state.range(0)));
    QAction* item = window.form().action("BlockComment2");
    runSteps(state, window, whole([item](int) {
                 item->trigger();
                 QCoreApplication::processEvents();
             }));
}

constexpr int kKeys = 60;
constexpr int kEdits = 30;

void windowSteps(benchmark::internal::Benchmark* b, int iterations) {
    b->Arg(8000)->Arg(64000)->Iterations(iterations)->UseManualTime()->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_WindowCursorKey)->Apply([](benchmark::internal::Benchmark* b) { windowSteps(b, kKeys); });
BENCHMARK(BM_WindowTypedInstruction)->Apply([](benchmark::internal::Benchmark* b) {
    windowSteps(b, kEdits);
});
BENCHMARK(BM_WindowTypedLine)->Apply([](benchmark::internal::Benchmark* b) { windowSteps(b, kEdits); });
BENCHMARK(BM_WindowTypedFurtherOutput)->Apply([](benchmark::internal::Benchmark* b) {
    windowSteps(b, kEdits);
});
BENCHMARK(BM_WindowUndo)->Apply([](benchmark::internal::Benchmark* b) { windowSteps(b, kEdits); });
BENCHMARK(BM_WindowMenuItem)->Apply([](benchmark::internal::Benchmark* b) { windowSteps(b, kEdits); });

}  // namespace
}  // namespace kestrion::bench
