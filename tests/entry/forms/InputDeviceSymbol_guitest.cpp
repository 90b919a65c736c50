// How the entry windows look: every stroke of the device dialog's symbol is painted, the halves of a
// coil opening to their own sides; the instruction box's line is bold, 13 pixels high.
#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>
#include <QWidget>
#include <cmath>

#include "entry/EntryDriver.h"
#include "entry/EntryTestSupport.h"
#include "entry/InputDeviceDialog.h"
#include "entry/forms/EditKeyForm.h"
#include "entry/forms/InputDeviceForm.h"

namespace kestrion::test {
namespace {

class InputDeviceSymbolTest : public EntryTest {};

// Ink at the point or next to it (the pen is two pixels wide).
bool inkedNear(const QImage& image, int x, int y) {
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (image.valid(x + dx, y + dy) && qGray(image.pixel(x + dx, y + dy)) < 128) return true;
    return false;
}

TEST_F(InputDeviceSymbolTest, EveryStrokeOfTheSymbolIsPaintedWhereTheTableSays) {
    for (const std::uint32_t code : {5u, 6u, 7u, 8u}) {
        InputDeviceDialog dialog;
        dialog.paintSymbleCode = code;
        forms::TInputDeviceForm form(dialog);
        const QImage image = form.grab().toImage();
        const std::vector<SymbolStroke> strokes = inputDeviceSymbol(code);
        ASSERT_FALSE(strokes.empty()) << code;
        for (const SymbolStroke& s : strokes) {
            const int midY = (s.y1 + s.y2) / 2;
            if (s.arc == 0) {
                EXPECT_TRUE(inkedNear(image, (s.x1 + s.x2) / 2, midY)) << code << " line at " << s.x1;
                continue;
            }
            // A left half runs through its box's upper and lower left (at 135 and 225 degrees)
            // and leaves the right side blank; a right half the other way round.
            const double cx = (s.x1 + s.x2) / 2.0, cy = (s.y1 + s.y2) / 2.0;
            const double rx = (s.x2 - s.x1) / 2.0 * 0.7071, ry = (s.y2 - s.y1) / 2.0 * 0.7071;
            const int outerX = static_cast<int>(std::lround(s.arc == 1 ? cx - rx : cx + rx));
            const int innerX = static_cast<int>(std::lround(s.arc == 1 ? cx + rx : cx - rx));
            for (const double dy : {-ry, ry}) {
                const int y = static_cast<int>(std::lround(cy + dy));
                EXPECT_TRUE(inkedNear(image, outerX, y)) << code << " arc " << s.arc << " at " << dy;
                EXPECT_FALSE(inkedNear(image, innerX, y)) << code << " arc " << s.arc << " at " << dy;
            }
        }
    }
}

TEST_F(InputDeviceSymbolTest, TheInstructionBoxLineIsBoldAtThirteenPixels) {
    EditKeyBox box;
    forms::TEditKeyForm form(box, nullptr);
    const QFont font = form.EditInstr1->font();
    EXPECT_TRUE(font.bold());
    EXPECT_EQ(font.pixelSize(), 13);
    EXPECT_FALSE(form.EditInstr1->hasFrame());
}

}  // namespace
}  // namespace kestrion::test
