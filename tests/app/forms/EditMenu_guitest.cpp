#include <gtest/gtest.h>

#include <QApplication>
#include <QKeySequence>
#include <QPushButton>
#include <QTimer>

#include "app/forms/MainUnit.h"
#include "devviews/ObjectListDump.h"
#include "link/forms/Parameter1Form.h"
#include "model/DrawGeometry.h"
#include "model/EditorState.h"
#include "model/LadderObject.h"
#include "model/ModeData.h"
#include "model/forms/PlcTypeForm.h"
#include "support/gui/RealServicesTest.h"

namespace kestrion::app {
namespace {

using Texts = std::vector<std::string>;

class EditMenuTest : public kestrion::test::RealServicesTest {
protected:
    EditMenuTest() : RealServicesTest("editmenu") {
        QObject::connect(&driver, &QTimer::timeout, [] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* type = qobject_cast<forms::TPlcTypeForm*>(modal)) type->btnOk->click();
            if (auto* parameters = qobject_cast<forms::TParameter1Form*>(modal))
                parameters->btnCancel->click();
        });
        driver.start(10);
    }
    QTimer driver;
};

TEST_F(EditMenuTest, TheEditItemsCopyPasteUndoAndInsertOnTheLadder) {
    TMainForm form(services);
    form.show();
    form.action("New1")->trigger();
    BlueFrame = {draw.iBusLineStart, 0, draw.iBusLineStart + 10, 10};
    ReallocLadderMemory(kLinkReadingOrder, 0);  // LD X0 on the first line, END below it
    ldrNew->iCode = 0x2000;
    setText(ldrNew->mnemonic, "LD");
    const std::string h = std::to_string(ModeData.ySizeSymble), endX = std::to_string(ldrTail->xAddr) + ",";
    const std::string ld = "LD " + std::to_string(draw.iBusLineStart) + ",";
    ldrTail->yAddr = ModeData.ySizeSymble;
    EXPECT_EQ(form.action("Undo1")->shortcut(), QKeySequence("Ctrl+Z"));
    form.action("Copy2")->trigger();
    BlueFrame.y1 = ModeData.ySizeSymble;
    form.action("Paste2")->trigger();
    EXPECT_EQ(objectListDumpRows(),
              (Texts{ld + "0", ld + h, "END " + endX + std::to_string(2 * ModeData.ySizeSymble)}));
    EXPECT_TRUE(form.action("Undo1")->isEnabled());
    form.action("Undo1")->trigger();
    EXPECT_EQ(objectListDumpRows(), (Texts{ld + "0", "END " + endX + h}));
    form.action("InsertLine1")->trigger();
    EXPECT_EQ(objectListDumpRows(),
              (Texts{ld + "0", "END " + endX + std::to_string(2 * ModeData.ySizeSymble)}));
}

}  // namespace
}  // namespace kestrion::app
