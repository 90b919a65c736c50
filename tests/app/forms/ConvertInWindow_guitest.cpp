// Convert of a long program in the main window: the view ends on the cursor's line with the frame
// on the object there, and moves once when the command is done, not once for every object the
// conversion passes over.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "app/forms/MainUnit.h"
#include "editor/LadderLayout.h"
#include "editor/forms/LadderViewForm.h"
#include "lang/forms/AppMsgForm.h"
#include "link/forms/Parameter1Form.h"
#include "model/core/CommandTransaction.h"
#include "model/forms/PlcTypeForm.h"
#include "model/image/ModeData.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "reader/MachineCodeLoader.h"
#include "support/gui/RealServicesTest.h"

namespace kestrion::app {
namespace {

class ConvertInWindowTest : public kestrion::test::RealServicesTest {
protected:
    ConvertInWindowTest() : RealServicesTest("convert-window") {
        QObject::connect(&driver, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* type = qobject_cast<forms::TPlcTypeForm*>(modal)) type->btnOk->click();
            if (auto* parameters = qobject_cast<forms::TParameter1Form*>(modal)) parameters->btnOk->click();
            if (auto* done = qobject_cast<forms::TAppMsgForm*>(modal)) done->reject();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                boxes << box->text();
                box->accept();
            }
        });
        driver.start(10);
    }

    // File > New, then the program image filled with rungs of two series contacts, a parallel
    // pair joined by ANB and a coil (every contact named anew by Convert), and opened as the
    // load opens a file.
    void openLongProgram() {
        form.action("New1")->trigger();
        const std::uint16_t rung[] = {0x2400, 0x4401, 0x4402, 0x4403, 0x2404, 0x6405, 0xFFF8, 0xC500};
        const std::size_t capacity = programWordsFor(pmw.memSizeCode());
        std::size_t at = 0;
        for (; at + std::size(rung) < capacity; at += std::size(rung))
            std::copy(std::begin(rung), std::end(rung),
                      pmw.program.begin() + static_cast<std::ptrdiff_t>(at));
        pmw.program[at] = 0x000F;
        rungs = static_cast<int>(at / std::size(rung));
        runCommand([] {
            loadLadderFromImage("Test");
            setBlueFrameObject(draw.iBusLineStart, 0);
        });
        form.action("LadderView1")->trigger();
        QApplication::processEvents();
    }

    QTimer driver;
    QStringList boxes;
    TMainForm form{services};
    int rungs = 0;
};

TEST_F(ConvertInWindowTest, TheViewEndsOnTheCursorLineAndScrollsOnceForTheWholeConvert) {
    form.resize(1300, 800);
    form.show();
    openLongProgram();
    ASSERT_GT(rungs, 200);
    QScrollBar& down = *form.ProjectScrollBox->verticalScrollBar();
    QScrollBar& across = *form.ProjectScrollBox->horizontalScrollBar();
    ASSERT_GT(down.maximum(), 20 * down.pageStep());

    // The cursor on the second contact of a rung in the middle, by a click where it is drawn.
    down.setValue(down.maximum() / 2);
    QApplication::processEvents();
    const std::uint32_t rung = 2 * ModeData.ySizeSymble;
    const std::uint32_t lineY = (static_cast<std::uint32_t>(down.value()) / rung + 2) * rung;
    QTest::mouseClick(form.ladderEditScreen, Qt::LeftButton, {},
                      QPoint(scaledToScreen(200), scaledToScreen(lineY + 20)));
    const std::uint32_t savedX = xOldCursor, savedY = yOldCursor;
    ASSERT_EQ(std::make_pair(savedX, savedY), std::make_pair(160u, lineY));

    int moves = 0;
    QObject::connect(&down, &QScrollBar::valueChanged, [&moves] { ++moves; });
    QObject::connect(&across, &QScrollBar::valueChanged, [&moves] { ++moves; });
    form.findChild<QPushButton*>("spbtnF4")->click();
    QApplication::processEvents();
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(",").toStdString();
    EXPECT_EQ(editModeFlags & kEditLadderNotConverted, 0);

    // The cursor and the frame are back where they were, on the object standing there.
    EXPECT_EQ(std::make_pair(xOldCursor, yOldCursor), std::make_pair(savedX, savedY));
    const stLadderBlock* framed = objectStandingAt(savedX, savedY);
    ASSERT_NE(framed, nullptr);
    EXPECT_EQ(textOf(framed->mnemonic).substr(0, 3), "AND");
    EXPECT_EQ(std::make_pair(BlueFrame.x1, BlueFrame.y1), std::make_pair(savedX, savedY));
    EXPECT_EQ(BlueFrame.x2, framed->Xend - 1);
    // The view's top on the cursor's line, moved up only by the frame's border to show it whole.
    const int lineTop = scaledToScreen(savedY);
    EXPECT_LE(down.value(), lineTop);
    EXPECT_GE(down.value(), lineTop - 2);
    const QRect frame(QPoint(scaledToScreen(BlueFrame.x1), scaledToScreen(BlueFrame.y1)),
                      QPoint(scaledToScreen(BlueFrame.x2), scaledToScreen(BlueFrame.y2)));
    const QRect shown(QPoint(across.value(), down.value()), form.ProjectScrollBox->viewport()->size());
    EXPECT_TRUE(shown.contains(frame)) << shown.y() << " " << frame.y();
    // The view was told once, when the command had ended: the top set, then the frame brought
    // whole into sight. Not once for each object the conversion framed.
    EXPECT_GE(moves, 1);
    EXPECT_LE(moves, 2);
}

struct PaintCounter : QObject {
    explicit PaintCounter(int& count) : count_(count) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++count_;
        return false;
    }
    int& count_;
};

TEST_F(ConvertInWindowTest, TheViewFollowsTheFrameAtOnceOutsideACommandAndAtItsEndInside) {
    form.resize(1300, 800);
    form.show();
    openLongProgram();
    QScrollBar& down = *form.ProjectScrollBox->verticalScrollBar();
    const int height = form.ProjectScrollBox->viewport()->height();
    const std::uint32_t far = static_cast<std::uint32_t>(rungs - 3) * 2 * ModeData.ySizeSymble;
    const auto showsFar = [&] {
        return down.value() > scaledToScreen(far) - height && down.value() <= scaledToScreen(far);
    };
    setBlueFrameObject(160, far);
    EXPECT_TRUE(showsFar()) << down.value();

    const int before = down.value();
    int during = -1;
    runCommand([&] {
        setBlueFrameObject(160, 0);
        during = down.value();
    });
    EXPECT_EQ(during, before);
    EXPECT_EQ(down.value(), 0);

    // A command put back leaves the top where it was and brings the frame it left into sight.
    runCommand([&] {
        setBlueFrameObject(160, far);
        requestViewScroll(ViewScroll::toTop(0));
        return false;
    });
    EXPECT_TRUE(showsFar()) << down.value();
    // With the frame in the middle of the view, such a command does not move it at all.
    down.setValue(scaledToScreen(far) - height / 2);
    const int middle = down.value();
    runCommand([] {
        requestViewScroll(ViewScroll::toTop(0));
        return false;
    });
    EXPECT_EQ(down.value(), middle);

    // A top asked after the frame replaces it: the view ends at that top.
    runCommand([&] {
        setBlueFrameObject(160, far);
        requestViewScroll(ViewScroll::toTop(0));
    });
    EXPECT_EQ(down.value(), 0);

    // A frame already in sight: the view does not move, and paints what the command changed.
    int paints = 0;
    PaintCounter counter(paints);
    form.ladderEditScreen->installEventFilter(&counter);
    QApplication::processEvents();
    paints = 0;
    runCommand([] { setBlueFrameObject(160, 0); });
    QApplication::processEvents();
    EXPECT_EQ(down.value(), 0);
    EXPECT_GE(paints, 1);
    form.ladderEditScreen->removeEventFilter(&counter);

    // A frame asked where the command has just grown the ladder: the view grows first.
    const std::uint32_t endY = ldrTail->yAddr;
    runCommand([&] {
        ldrTail->yAddr += 200 * ModeData.ySizeSymble;
        setBlueFrameObject(ldrTail->xAddr, ldrTail->yAddr);
    });
    EXPECT_GT(down.value(), scaledToScreen(endY + 150 * ModeData.ySizeSymble));
    EXPECT_LE(down.value(), scaledToScreen(ldrTail->yAddr));
}

// While a command works on the ladder (a refused Convert shows its box over the ladder it read
// back), the view paints the picture it had before the command; what a command that ends changed
// is painted once it has ended.
TEST_F(ConvertInWindowTest, TheViewPaintsTheLadderAsItWasWhileACommandWorksOnIt) {
    form.resize(1300, 800);
    form.show();
    openLongProgram();
    const auto picture = [this] { return form.ladderEditScreen->grab().toImage(); };
    const QImage before = picture();
    const auto renameFirst = [] {
        setText(ldrHead->operands[0], "M777");
        requestLadderRedraw();
    };
    QImage during;
    runCommand([&] {
        renameFirst();
        during = picture();
        return false;
    });
    EXPECT_TRUE(during == before);
    EXPECT_TRUE(picture() == before);
    runCommand(renameFirst);
    QApplication::processEvents();
    EXPECT_FALSE(picture() == before);
}

}  // namespace
}  // namespace kestrion::app
