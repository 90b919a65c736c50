// A technician's hands during a program write and a register write to the simulated PLC on a
// pseudo-terminal: a typed line on the ladder, F4, Ctrl+Z, Ctrl+N, Ctrl+O, the progress window's
// close and the main window's close box, one after another while the transfer waits for its
// replies. None of them is acted on; the PLC holds what the transfer started with; the progress
// window stays; the close box waits for the transfer and then asks its question. And the keys a
// read's keyword box is given, delivered through its window, do reach it.
#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <array>
#include <cstdlib>
#include <functional>
#include <set>
#include <vector>

#include "app/forms/MainUnit.h"
#include "editor/forms/LadderViewForm.h"
#include "editor/forms/ProgressForm.h"
#include "entry/forms/EditKeyForm.h"
#include "lang/Language.h"
#include "link/forms/Parameter1Form.h"
#include "link/forms/PlcKeywordForm.h"
#include "link/forms/ProgWriteForm.h"
#include "link/line/LinkCommand.h"
#include "link/line/Receive.h"
#include "model/core/CommandTransaction.h"
#include "model/forms/PlcTypeForm.h"
#include "model/image/DmwImage.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "platform/ProgressStep.h"
#include "reader/MachineCodeLoader.h"
#include "support/PlcSimLine.h"
#include "support/gui/RealServicesTest.h"

namespace kestrion::test {
namespace {

// What the technician does, in this order, while the transfer waits.
enum class Act { TypeOnLadder, FinishLine, F4, CtrlZ, CtrlN, CtrlO, CtrlQ, CloseProgress, CloseBox };
using Acts = std::vector<Act>;
const Acts kEveryAct = {Act::TypeOnLadder, Act::FinishLine,    Act::F4,      Act::CtrlZ, Act::CtrlN,
                        Act::CtrlO,        Act::CloseProgress, Act::CloseBox};

class CommandInputGateTest : public RealServicesTest {
protected:
    CommandInputGateTest() : RealServicesTest("input-gate") {
        setenv("KESTRION_COM1", plc.slavePath().c_str(), 1);
    }
    ~CommandInputGateTest() override { unsetenv("KESTRION_COM1"); }

    // File > New of q3, LD X0, OUT Y0, LD X1, MOV K10 D0 loaded and converted, D0..D3 set.
    void openProgram() {
        form.show();
        const bool answering = watching_;
        watching_ = false;
        QTimer driver;
        QObject::connect(&driver, &QTimer::timeout, [] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* type = qobject_cast<forms::TPlcTypeForm*>(modal)) type->btnOk->click();
            if (auto* parameters = qobject_cast<forms::TParameter1Form*>(modal)) parameters->btnOk->click();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) box->button(QMessageBox::Ok)->click();
        });
        driver.start(10);
        form.action("New1")->trigger();
        const std::uint16_t words[] = {0x2400, 0xC500, 0x2401, 0x0028, 0x800A,
                                       0x8000, 0x8600, 0x8600, 0x000F};
        showProgramWords(words);
        form.action("LadderView1")->trigger();
        form.action("Convert4")->trigger();
        driver.stop();
        watching_ = answering;
        for (std::uint32_t k = 0; k < 4; ++k) setDmwRegister(k, static_cast<std::uint16_t>(0x1234 + k));
        // Modified: the close question is asked, never skipped.
        editModeFlags |= kEditModifiedSinceSave;
        form.ladderEditScreen->grab();
    }

    // Runs the menu item, with the acts one after another from its first wait.
    void runWithActs(const char* item, Acts acts = {}) {
        acts_ = std::move(acts);
        actsStarted_ = acts_.empty();
        actsScheduled_ = false;
        entryMet_ = false;
        startProgram = pmw.program;
        startBlock = pmw.parameterBlock;
        if (!acts_.empty()) plc.command("delay 100");  // every reply waits: the acts land inside it
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, [this] { watch(); });
        watcher.start(5);
        transferring_ = true;
        form.action(item)->trigger();
        transferring_ = false;
        plc.command("delay 0");
        // The close box's request, held for the transfer, comes now.
        QTest::qWait(800);
        watcher.stop();
    }

    void watch() {
        if (!watching_) return;
        if (transferring_ && !actsStarted_ && linkBusy() && progressShown()) {
            actsStarted_ = true;
            actsScheduled_ = true;
            for (std::size_t i = 0; i < acts_.size(); ++i)
                QTimer::singleShot(30 * static_cast<int>(i + 1), &form, [this, act = acts_[i]] {
                    run(act);
                    if (actsRun.size() == acts_.size())
                        plc.command("delay 0");  // the rest at the line's pace
                });
        }
        if (auto* entry = qobject_cast<forms::TEditKeyForm*>(QApplication::activePopupWidget())) {
            if (!entryMet_) foreign.push_back("instruction box");
            entryMet_ = true;
            static_cast<void>(entry);
            return;  // the acts finish its line
        }
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) return;
        const char* when = transferring_ ? "during: " : "after: ";
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            const std::string text = box->text().toStdString();
            boxes.push_back(when + text);
            QMessageBox::StandardButton answer = QMessageBox::Ok;
            if (text == getMsgSaveBeforeExit())
                answer = QMessageBox::Cancel;  // the close question: stay
            else if (box->button(QMessageBox::Yes) != nullptr)
                answer = text == "Do you want to write program?" ||
                                 text == "Do you want to write to controller?" ||
                                 text == "Do you want to stop system?"
                             ? QMessageBox::Yes
                             : QMessageBox::No;  // RUN afterwards: no
            if (QAbstractButton* button = box->button(answer)) button->click();
            return;
        }
        if (auto* write = qobject_cast<forms::TProgWriteForm*>(modal)) {
            write->btnOk->click();
            return;
        }
        // Anything else was opened by an act: it goes along, so that a fault shows in the PLC.
        if (!actsScheduled_) {
            if (auto* type = qobject_cast<forms::TPlcTypeForm*>(modal)) type->btnOk->click();
            return;
        }
        if (modal == lastForeign_) return;
        lastForeign_ = modal;
        foreign.push_back(modal->metaObject()->className());
        if (auto* type = qobject_cast<forms::TPlcTypeForm*>(modal)) type->btnOk->click();
        if (auto* parameters = qobject_cast<forms::TParameter1Form*>(modal)) parameters->btnOk->click();
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) dialog->reject();
    }

    void run(Act act) {
        if (!transferring_) return;  // too late: counted as not done
        QWindow* window = form.windowHandle();
        switch (act) {
            case Act::TypeOnLadder:
                form.activateWindow();
                form.ladderEditScreen->setFocus();
                QTest::keyClick(form.ladderEditScreen, Qt::Key_L);
                break;
            case Act::FinishLine:
                if (QWidget* focus = QApplication::focusWidget()) {
                    QTest::keyClicks(focus, "D X5");
                    QTest::keyClick(focus, Qt::Key_Return);
                }
                break;
            case Act::F4: QTest::keyClick(window, Qt::Key_F4); break;
            case Act::CtrlZ: QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier); break;
            case Act::CtrlN: QTest::keyClick(window, Qt::Key_N, Qt::ControlModifier); break;
            case Act::CtrlO: QTest::keyClick(window, Qt::Key_O, Qt::ControlModifier); break;
            case Act::CtrlQ:
                form.activateWindow();
                QTest::keyClick(window, Qt::Key_Q, Qt::ControlModifier);
                break;
            case Act::CloseProgress:
                if (QWidget* progress = progressForm()) progress->close();
                progressHidden = !progressShown();
                break;
            case Act::CloseBox: form.close(); break;
        }
        actsRun.push_back(act);
    }

    static QWidget* progressForm() {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == "ProgressForm") return top;
        return nullptr;
    }
    static bool progressShown() {
        const QWidget* progress = progressForm();
        return progress != nullptr && progress->isVisible();
    }

    PlcSimProcess plc{{"--type", "5"}};
    app::TMainForm form{services};
    decltype(pmw.program) startProgram{};
    decltype(pmw.parameterBlock) startBlock{};
    std::vector<std::string> boxes;
    std::vector<std::string> foreign;
    std::vector<Act> actsRun;
    bool progressHidden = false;

private:
    bool watching_ = true;
    bool transferring_ = false;
    bool actsStarted_ = false;
    bool entryMet_ = false;
    QPointer<QWidget> lastForeign_;
    Acts acts_;
    bool actsScheduled_ = false;
};

using Texts = std::vector<std::string>;

struct TransferCase {
    const char* item;
    Acts acts;
    Texts boxes;  // "during:" the command, "after:" it, in order
    const char* verifyItem;
    const char* match;
};

TEST_F(CommandInputGateTest, NothingTheTechnicianDoesDuringATransferReachesThePlcOrTheWindow) {
    ASSERT_FALSE(plc.slavePath().empty());
    const std::string closeQuestion = "after: " + getMsgSaveBeforeExit();
    const TransferCase cases[] = {
        {"ProgWrite",
         kEveryAct,
         {"during: Do you want to write program?", "during: Completed", "during: OK to perform remote Run?",
          closeQuestion},
         "ProgVerify",
         "Program match"},
        {"RegWrite",
         kEveryAct,
         {"during: Do you want to write to controller?", "during: Do you want to stop system?",
          "during: Completed", "during: Do you want to RUN system?", closeQuestion},
         "RegVerify",
         "Dreg match"},
        // Ctrl+Q, like the close box, waits for the command and then asks the close box's question.
        {"ProgWrite",
         {Act::CtrlQ},
         {"during: Do you want to write program?", "during: Completed", "during: OK to perform remote Run?",
          closeQuestion},
         "ProgVerify",
         "Program match"},
    };
    openProgram();
    for (const TransferCase& c : cases) {
        SCOPED_TRACE(c.item);
        boxes.clear();
        foreign.clear();
        actsRun.clear();
        progressHidden = false;
        runWithActs(c.item, c.acts);
        EXPECT_EQ(actsRun.size(), c.acts.size()) << "the transfer ended before the acts";
        EXPECT_EQ(foreign, Texts{});
        EXPECT_FALSE(progressHidden);
        EXPECT_EQ(boxes, c.boxes);
        EXPECT_TRUE(form.isVisible());
        // The program is the one the transfer started with, and the PLC holds it.
        EXPECT_TRUE(pmw.program == startProgram);
        EXPECT_TRUE(pmw.parameterBlock == startBlock);
        for (std::uint32_t k = 0; k < 4; ++k) EXPECT_EQ(dmwRegister(k), 0x1234 + k) << "D" << k;
        boxes.clear();
        runWithActs(c.verifyItem);
        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(boxes.front(), std::string("during: ") + c.match);
    }
}

// A program read from a PLC that has a keyword, as a technician does it: the keyword typed into
// the box the read opens, the keys delivered through the box's window as a desktop delivers them.
// The read goes on with what was typed. The wait cursor shows while the command talks to the PLC
// (its first frames come long before any window of its own), the arrow while the box waits for
// the answer, and nothing once the command has ended.
class KeywordDuringReadTest : public RealServicesTest {
protected:
    KeywordDuringReadTest() : RealServicesTest("keyword-read") {
        setenv("KESTRION_COM1", plc.slavePath().c_str(), 1);
    }
    ~KeywordDuringReadTest() override { unsetenv("KESTRION_COM1"); }
    static int cursorShape() {
        const QCursor* cursor = QApplication::overrideCursor();
        return cursor != nullptr ? cursor->shape() : -1;
    }

    PlcSimProcess plc{{"--type", "5", "--keyword", "ABCD1234"}};
    app::TMainForm form{services};
};

TEST_F(KeywordDuringReadTest, TheKeywordTypedThroughTheBoxsWindowReachesItAndTheCursorShowsTheWait) {
    ASSERT_FALSE(plc.slavePath().empty());
    form.show();
    std::vector<std::string> boxes;
    std::vector<int> shapesWhileTalking;  // no window of the command's waits for the user
    std::vector<int> shapesWhileAsking;   // the keyword box waits for the user
    QPointer<QWidget> seen;
    bool typed = false;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            if (linkCommandOwnsInput()) shapesWhileTalking.push_back(cursorShape());
            return;
        }
        if (modal != seen) {  // answered on the next tick, once it has settled
            seen = modal;
            return;
        }
        if (linkCommandOwnsInput()) shapesWhileAsking.push_back(cursorShape());
        if (auto* type = qobject_cast<forms::TPlcTypeForm*>(modal)) type->btnOk->click();
        if (auto* keyword = qobject_cast<forms::TplcKeywordForm*>(modal)) {
            if (typed) return keyword->btnCancel->click();  // what was typed did not do
            typed = true;
            keyword->Edit1->setFocus();
            for (const char c : std::string("ABCD1234")) QTest::keyClick(keyword->windowHandle(), c);
            // A refusal's box would hold this tick up: OK is pressed from the loop.
            QTimer::singleShot(0, keyword->btnOk, &QPushButton::click);
        }
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            boxes.push_back(box->text().toStdString());
            QAbstractButton* yes = box->button(QMessageBox::Yes);
            (yes != nullptr ? yes : box->button(QMessageBox::Ok))->click();
        }
    });
    driver.start(5);
    form.action("ProgRead")->trigger();
    driver.stop();
    EXPECT_EQ(boxes, (Texts{"Do you want to read program?", "Completed..."}));
    EXPECT_EQ(pmw.program[0], kEndCode);  // the PLC's program, END alone
    ASSERT_FALSE(shapesWhileTalking.empty());
    EXPECT_EQ(std::set<int>(shapesWhileTalking.begin(), shapesWhileTalking.end()),
              std::set<int>{Qt::WaitCursor});
    EXPECT_EQ(shapesWhileAsking, std::vector<int>{Qt::ArrowCursor});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// A command started from a dialog's button keeps the wait cursor over that dialog while it talks to
// the PLC, its progress window shown: the dialog is busy with it, not waiting for the user.
TEST_F(KeywordDuringReadTest, ADialogWhoseButtonStartedTheCommandShowsTheWait) {
    form.show();
    QDialog dialog(&form);
    std::vector<int> shapes;
    QTimer::singleShot(20, &dialog, [&] {
        runLinkCommand(PortAfter::Close, [&] {
            const platform::ProgressStep progress("Read program progress...", 10);
            requireConnection();
            shapes.push_back(cursorShape());
        });
        dialog.accept();
    });
    dialog.exec();
    EXPECT_EQ(shapes, std::vector<int>{Qt::WaitCursor});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace kestrion::test
