#include "app/forms/CloseSignals.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "app/forms/MainUnit.h"
#include "model/core/MainState.h"
#include "model/ladder/EditorState.h"
#include "support/gui/RealServicesTest.h"

namespace kestrion::app {
namespace {

namespace fs = std::filesystem;

class CloseSignalsTest : public test::RealServicesTest {
protected:
    CloseSignalsTest() : RealServicesTest("signals") {}
};

TEST_F(CloseSignalsTest, ASignalTakesTheCloseBoxPathOnceNoDialogIsOpen) {
    TMainForm form(services);
    form.show();
    CloseSignals closeSignals;
    editModeFlags |= kEditModifiedSinceSave;
    raise(SIGTERM);  // before anyone listens: it waits
    QCoreApplication::processEvents();
    QObject::connect(&closeSignals, &CloseSignals::closeRequested, &form, &TMainForm::requestClose);

    QStringList questions;
    int questionsWhileDialog = -1;
    int questionsAfterCancel = -1;
    QTimer answer;  // Cancel to the first question, No to the second
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        questions << box->text();
        if (questions.size() > 1) return box->button(QMessageBox::No)->click();
        raise(SIGINT);  // while the question is open: no second one
        QCoreApplication::processEvents();
        box->button(QMessageBox::Cancel)->click();
        QTimer::singleShot(700, [&] {
            questionsAfterCancel = static_cast<int>(questions.size());
            raise(SIGHUP);
        });
    });
    answer.start(20);
    QTimer::singleShot(0, [&] {
        closeSignals.listen();  // while a dialog of a command is open: the request waits for it
        QDialog dialog;
        QTimer::singleShot(300, &dialog, &QDialog::accept);
        dialog.exec();
        questionsWhileDialog = static_cast<int>(questions.size());
    });
    QTimer::singleShot(10000, [] { QCoreApplication::exit(99); });  // never hang the suite
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(questionsWhileDialog, 0);
    EXPECT_EQ(questionsAfterCancel, 1);
    EXPECT_EQ(questions, QStringList(2, "Do you want to save current file before exit ?"));
    EXPECT_TRUE(settingsWrittenAtClose);
}

// The real program, started offscreen with an installation folder of its own, for each signal.
TEST(CloseSignalsProgramTest, TheProgramEndsThroughItsCloseBoxOnEachSignal) {
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        const fs::path home = fs::temp_directory_path() /
                              ("kestrion-signal-" + std::to_string(getpid()) + "-" + std::to_string(number));
        fs::remove_all(home);
        fs::create_directories(home);
        const fs::path settings = home / "ModeData.DAT";
        const auto byteAt = [&](std::size_t offset) {
            std::ifstream file(settings, std::ios::binary);
            std::vector<char> bytes(512, 0);
            file.read(bytes.data(), 512);
            return static_cast<int>(static_cast<unsigned char>(bytes[offset]));
        };

        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);  // never outlives a test that was stopped
            setenv("KESTRION_HOME", home.c_str(), 1);
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
            execl(KESTRION_PROGRAM, KESTRION_PROGRAM, static_cast<char*>(nullptr));
            _exit(127);
        }
        // The start count written at start-up: the handlers are in place by then.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (byteAt(8) != 1 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        // A mark in a reserved byte that only a write of the settings at the close takes away.
        std::fstream(settings, std::ios::binary | std::ios::in | std::ios::out).put('\x5A');
        ASSERT_EQ(byteAt(0), 0x5A);
        kill(child, number);
        int status = 0;
        pid_t ended = 0;
        while ((ended = waitpid(child, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (ended == 0) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
        }
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << number << " status " << status;
        EXPECT_EQ(byteAt(0), 0) << number;
        fs::remove_all(home);
    }
}

}  // namespace
}  // namespace kestrion::app
