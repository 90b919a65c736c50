// Device comments in the ladder: at one size for the whole view, readable (8 points or more), within
// the comment area of their cell, on the lines that fit (two at 100 %), the end elided with "...";
// the tool tip gives the whole one.
#include <QApplication>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QImage>
#include <QScrollArea>
#include <QTest>
#include <QToolTip>
#include <cstdlib>

#include "editor/ViewTestSupport.h"
#include "editor/forms/CommentText.h"
#include "editor/forms/LadderViewForm.h"
#include "model/image/CommentLists.h"
#include "model/ladder/EditMarks.h"

namespace kestrion::test {
namespace {

const QString kLongest = "Conveyor 3 end position sensor (left)";  // 37 characters, the most a comment takes

// The shown text of the fitted lines, without the "..." of a cut one.
QString shownText(const forms::FittedComment& fitted) {
    QString joined = fitted.lines.join(' ');
    if (joined.endsWith("...")) joined.chop(3);
    return joined.simplified();
}

TEST(CommentTextTest, ACommentFitsItsAreaAtItsSizeAndIsElidedWhereItIsCut) {
    struct Case {
        QString text;
        int width, height, pixelSize;
        int lines;  // -1: as the font's measures give
        int cut;    // 1 cut, 0 whole, -1 as the font's measures give
    };
    // The areas under a symbol: 80 x 22 (cell 64 high), 80 x 30 (72), 120 x 33 (zoom 150, cell 64).
    const Case cases[] = {
        {kLongest, 80, 22, 13, 1, 1},
        {kLongest, 80, 30, 13, 2, 1},
        {kLongest, 120, 33, 20, -1, -1},
        {kLongest, 80, 22, 11, 2, 1},  // the area at 100 %: two lines of 8 points
        {"Lamp", 80, 22, 13, 1, 0},
        {"Start", 80, 30, 13, 1, 0},
        {QString::fromUtf8("コンベア3 終端位置センサ 左側の検出"), 80, 30, 13, 2, 1},
        {kLongest, 80, 8, 13, 0, 1},  // no line fits: nothing is drawn, the tool tip has it
    };
    const QFont base = QApplication::font();
    for (const Case& c : cases) {
        const forms::FittedComment fitted =
            forms::fitComment(base, c.text, c.width, c.height, c.pixelSize, kReadablePixelSize);
        const QFontMetrics metrics(fitted.font);
        EXPECT_GE(fitted.font.pixelSize(), kReadablePixelSize) << c.text.toStdString();
        EXPECT_LE(fitted.font.pixelSize(), std::max(c.pixelSize, kReadablePixelSize));
        // The size given, whether the comment fits whole or not: one size for every comment.
        EXPECT_EQ(fitted.font.pixelSize(), std::max(c.pixelSize, kReadablePixelSize));
        if (c.lines >= 0) {
            EXPECT_EQ(fitted.lines.size(), c.lines) << c.text.toStdString() << " " << c.height;
        }
        EXPECT_LE(fitted.lines.size() * fitted.lineHeight, c.height);
        for (const QString& line : fitted.lines)
            EXPECT_LE(metrics.horizontalAdvance(line), c.width) << line.toStdString();
        if (fitted.lines.isEmpty()) continue;
        const bool cut = fitted.lines.last().endsWith("...");
        if (c.cut >= 0) {
            EXPECT_EQ(cut, c.cut == 1) << c.text.toStdString();
        }
        const QString shown = shownText(fitted);
        EXPECT_TRUE(c.text.simplified().remove(' ').startsWith(QString(shown).remove(' ')))
            << shown.toStdString();
        if (!cut) {
            EXPECT_EQ(shown, c.text);
        }
    }
}

bool commentInkAt(QRgb pixel) {
    return qGreen(pixel) > qRed(pixel) + 40 && qGreen(pixel) > qBlue(pixel) + 40;
}

bool commentInkAt(const QImage& image, int x, int y) {
    return commentInkAt(image.pixel(x, y));
}

class CommentDrawingTest : public ViewTest {
protected:
    CommentDrawingTest() {
        box.resize(1300, 400);
        box.setWidget(view);
        box.show();
    }
    ~CommentDrawingTest() override { box.takeWidget(); }
    QImage picture() {
        view->syncSize();
        return view->grab(QRect(0, 0, 1300, 400)).toImage();
    }
    static bool commentInk(QRgb pixel) { return commentInkAt(pixel); }

    QScrollArea box;
    forms::LadderViewForm* view = new forms::LadderViewForm;
};

// The comment's ink lies inside the contact's cell, below its symbol: nothing over the symbol or the
// operand, nothing in the cells around.
TEST_F(CommentDrawingTest, TheCommentIsDrawnInsideTheCommentAreaOfItsCell) {
    typeContactCoilAndBranch();
    freeAllEditMarks();
    appendDeviceComment('X', 0, kLongest.toStdString().c_str());
    ModeData.viewFlags |= kViewDeviceComments;
    for (const std::uint32_t points : {8u, 10u, 14u}) {
        ModeData.fontSize = points;
        const QImage image = picture();
        int inside = 0;
        for (int y = 0; y < 200; ++y) {
            for (int x = 0; x < 1300; ++x) {
                if (!commentInk(image.pixel(x, y))) continue;
                const bool inArea = x >= 80 && x < 160 && y >= 42 && y < 64;
                EXPECT_TRUE(inArea) << points << " pt: comment ink at " << x << "," << y;
                if (!inArea) return;
                ++inside;
            }
        }
        EXPECT_GT(inside, 40) << points;  // drawn, not shrunk away
    }
}

// The rows of comment ink between x1 and x2, y1 and y2, as bands of rows with ink (first row, row
// after the last): a line of text is one band where nothing reaches below its baseline.
std::vector<std::pair<int, int>> inkBands(const QImage& image, int x1, int x2, int y1, int y2) {
    std::vector<std::pair<int, int>> bands;
    for (int y = y1; y < y2; ++y) {
        bool ink = false;
        for (int x = x1; x < x2 && !ink; ++x) ink = commentInkAt(image, x, y);
        if (!ink) continue;
        if (!bands.empty() && bands.back().second == y)
            bands.back().second = y + 1;
        else
            bands.emplace_back(y, y + 1);
    }
    return bands;
}

// At 100 % the comment area under a contact takes two lines of 8 points at every font size: the
// comments of a small example show more than their first word.
TEST_F(CommentDrawingTest, AtOneHundredPercentACommentTakesTwoLines) {
    typeContactCoilAndBranch();
    freeAllEditMarks();
    appendDeviceComment('X', 0, "Branch 1 condition");
    ModeData.viewFlags |= kViewDeviceComments;
    for (const std::uint32_t points : {8u, 10u, 14u}) {
        ModeData.fontSize = points;
        const auto bands = inkBands(picture(), 80, 160, 42, 64);
        EXPECT_EQ(bands.size(), 2u) << points << " pt";
    }
}

// Comments side by side are drawn at one size, a short one that would fit whole at the ladder's
// size as well as a long one that needs two lines: the first lines, "Branch 1" and "Branch 2", stand
// as high in both cells.
TEST_F(CommentDrawingTest, CommentsSideBySideHaveOneSizeAtEveryZoom) {
    typeContactCoilAndBranch();
    freeAllEditMarks();
    appendDeviceComment('X', 0, "Branch 1");
    appendDeviceComment('X', 2, "Branch 2 condition");
    ModeData.viewFlags |= kViewDeviceComments;
    for (const std::uint32_t zoom : {100u, 121u, 150u}) {
        zoomPercent = zoom;
        const QImage image = picture();
        const auto z = [zoom](int v) { return static_cast<int>(v * static_cast<int>(zoom) / 100); };
        const auto first = inkBands(image, z(80), z(160), z(32), z(64));
        const auto second = inkBands(image, z(160), z(240), z(32), z(64));
        ASSERT_FALSE(first.empty() || second.empty()) << zoom;
        EXPECT_EQ(first.front().second - first.front().first, second.front().second - second.front().first)
            << zoom << " %";
    }
}

// A comment shorter than its area stands in the middle of it, as much room above its ink as below
// (up to the font's own difference between the room over the capitals and under the descenders).
TEST_F(CommentDrawingTest, AShortCommentIsDrawnInTheMiddleOfItsArea) {
    typeContactCoilAndBranch();
    freeAllEditMarks();
    appendDeviceComment('X', 0, "Lamp");
    ModeData.viewFlags |= kViewDeviceComments;
    const int areaTop = 42, areaBottom = 63;
    for (const std::uint32_t points : {8u, 10u}) {
        ModeData.fontSize = points;
        const QImage image = picture();
        int first = -1, last = -1;
        for (int y = areaTop; y <= areaBottom; ++y)
            for (int x = 80; x < 160; ++x)
                if (commentInk(image.pixel(x, y))) {
                    if (first < 0) first = y;
                    last = y;
                }
        ASSERT_GE(first, 0) << points << " pt: no comment drawn";
        const int above = first - areaTop, below = areaBottom - last;
        EXPECT_LE(std::abs(above - below), 3)
            << points << " pt: " << above << " above, " << below << " below";
    }
}

TEST_F(CommentDrawingTest, TheToolTipGivesTheWholeComment) {
    typeContactCoilAndBranch();
    appendDeviceComment('X', 0, kLongest.toStdString().c_str());
    ModeData.viewFlags |= kViewDeviceComments;
    picture();
    QHelpEvent over(QEvent::ToolTip, QPoint(120, 50), view->mapToGlobal(QPoint(120, 50)));
    QApplication::sendEvent(view, &over);
    EXPECT_EQ(QToolTip::text(), kLongest);
    QHelpEvent wire(QEvent::ToolTip, QPoint(600, 32), view->mapToGlobal(QPoint(600, 32)));
    QApplication::sendEvent(view, &wire);
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 3000));
}

}  // namespace
}  // namespace kestrion::test
