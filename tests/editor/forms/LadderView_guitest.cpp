#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QScrollArea>
#include <QTest>

#include "editor/ViewTestSupport.h"
#include "editor/forms/LadderViewForm.h"
#include "model/ladder/EditMarks.h"

namespace kestrion::test {
namespace {

class LadderViewTest : public ViewTest {
protected:
    LadderViewTest() {
        box.resize(1300, 400);
        box.setWidget(view);
        box.show();
    }
    ~LadderViewTest() override { box.takeWidget(); }
    QImage picture() {
        view->syncSize();
        return view->grab(QRect(0, 0, 1300, 400)).toImage();
    }
    // Dark ink within one pixel of (x, y).
    static bool inked(const QImage& image, int x, int y) {
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (qGray(image.pixel(x + dx, y + dy)) < 128) return true;
        return false;
    }
    void key(int code, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(view, Qt::Key(code), modifiers);
    }

    QScrollArea box;
    forms::LadderViewForm* view = new forms::LadderViewForm;
};

TEST_F(LadderViewTest, ATypedProgramIsDrawnWhereItsObjectsAre) {
    typeContactCoilAndBranch();
    const QImage image = picture();
    const std::pair<const char*, QPoint> inkedAt[] = {
        {"left bus", {80, 150}},    {"right bus", {1120, 150}},  {"contact bar", {110, 24}},
        {"contact bar", {130, 40}}, {"wire to coil", {600, 32}}, {"coil arc", {1071, 27}},
        {"coil arc", {1089, 37}},   {"branch link", {160, 64}},  {"branch contact", {110, 88}},
    };
    for (const auto& [what, at] : inkedAt) EXPECT_TRUE(inked(image, at.x(), at.y())) << what;
    for (const QPoint blank : {QPoint(120, 32), QPoint(600, 96), QPoint(1080, 32), QPoint(40, 32)})
        EXPECT_FALSE(inked(image, blank.x(), blank.y())) << blank.x() << "," << blank.y();
    if (const QByteArray path = qgetenv("KESTRION_SCREENSHOT"); !path.isEmpty()) {
        typeLines({"@80,128", "LD X2", "OUT T0 K10", "@80,192", "LDP X3", "MOV K10 D0"});
        freeAllEditMarks();
        picture().copy(0, 0, 1240, 330).save(QString::fromUtf8(path));
    }
}

// Both operands and the whole mnemonic of a compare contact can be read inside its cell, in the
// font the view draws with, at every zoom.
TEST_F(LadderViewTest, ACompareContactKeepsItsTextsInsideItsCell) {
    struct Case {
        std::uint16_t code;
        const char* mnemonic;
        const char* first;
        const char* second;
    };
    const Case cases[] = {{0x1D8, "LD!=", "D0", "K10"},
                          {0x1E3, "ANDD>", "D100", "K100000"},
                          {0x1ED, "ANDD>=", "D8000Z1", "K2147483647"},
                          {0x1F8, "OR<>", "C235", "D7999"}};
    for (const std::uint32_t zoom : {50u, 75u, 100u, 125u, 150u}) {
        zoomPercent = zoom;
        for (const Case& c : cases) {
            stLadderBlock* o = object(c.code, 160, 0, 0, 1, c.mnemonic);
            setText(o->operands[0], c.first);
            setText(o->operands[1], c.second);
            const int cellStart = scaledToScreen(160), cellEnd = scaledToScreen(240);
            std::vector<std::string> shown;
            for (const Primitive& p : objectPrimitives(*o)) {
                if (p.kind != PrimitiveKind::Text) continue;
                QFont font = QApplication::font();
                font.setPixelSize(p.pixelSize);
                const int width = QFontMetrics(font).horizontalAdvance(QString::fromStdString(p.text));
                EXPECT_TRUE(p.x1 >= cellStart && p.x2 <= cellEnd && width <= p.x2 - p.x1)
                    << p.text << " at " << zoom << "%: " << width << " in " << p.x1 << ".." << p.x2;
                shown.push_back(p.text);
            }
            EXPECT_EQ(shown, (std::vector<std::string>{c.mnemonic, c.first, c.second})) << zoom;
        }
    }
}

TEST_F(LadderViewTest, ArrowsMoveTheFrameAndDeleteLeavesWire) {
    typeContactCoilAndBranch();
    view->setFocus();
    xOldCursor = 80;
    yOldCursor = 0;
    key(Qt::Key_Down);
    key(Qt::Key_Right);
    EXPECT_EQ(std::make_pair(BlueFrame.x1, BlueFrame.y1), std::make_pair(160u, 64u));
    EXPECT_EQ(qBlue(picture().pixel(200, 64)), 255);
    key(Qt::Key_Left);
    key(Qt::Key_Delete);
    EXPECT_EQ(textOf(ldrTail->prev->mnemonic), "NOP");
    const QImage image = picture();
    EXPECT_TRUE(inked(image, 120, 96));
    EXPECT_FALSE(inked(image, 110, 88));
    QTest::mouseClick(view, Qt::RightButton, Qt::NoModifier, QPoint(500, 10));  // only the left one frames
    EXPECT_EQ(std::make_pair(BlueFrame.x1, BlueFrame.y1), std::make_pair(80u, 64u));
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, QPoint(500, 10));
    EXPECT_EQ(std::make_pair(BlueFrame.x1, BlueFrame.y1), std::make_pair(480u, 0u));
}

TEST_F(LadderViewTest, KeysTheViewDoesNotUseGoOnToItsParents) {
    typeContactCoilAndBranch();
    for (const auto& [code, modifiers] : {std::pair{Qt::Key_F4, Qt::NoModifier},
                                          {Qt::Key_Z, Qt::ControlModifier},
                                          {Qt::Key_F9, Qt::NoModifier}}) {
        QKeyEvent press(QEvent::KeyPress, code, modifiers, code == Qt::Key_Z ? "\x1a" : "");
        QApplication::sendEvent(view, &press);
        EXPECT_FALSE(press.isAccepted()) << code;
    }
    QKeyEvent insert(QEvent::KeyPress, Qt::Key_Insert, Qt::NoModifier);
    QApplication::sendEvent(view, &insert);
    EXPECT_TRUE(insert.isAccepted());
    EXPECT_NE(editModeFlags & kEditInsertMode, 0);
}

}  // namespace
}  // namespace kestrion::test
