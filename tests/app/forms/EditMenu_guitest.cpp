#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/forms/MainUnit.h"
#include "devviews/ObjectListDump.h"
#include "entry/forms/EditKeyForm.h"
#include "link/forms/Parameter1Form.h"
#include "model/forms/PlcTypeForm.h"
#include "model/image/ModeData.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
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
            if (auto* parameters = qobject_cast<forms::TParameter1Form*>(modal)) parameters->btnOk->click();
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

TEST_F(EditMenuTest, TheLadderToolBarLivesWithAProgramAndItsContactOpensTheBox) {
    TMainForm form(services);
    form.show();
    const char* const buttons[] = {"spbtnContact", "spbtnNegatedOr", "spbtnConvert", "spbtnForceOnOff"};
    for (const char* name : buttons) EXPECT_FALSE(form.action(name)->isEnabled()) << name;
    form.action("New1")->trigger();
    for (const char* name : buttons) EXPECT_TRUE(form.action(name)->isEnabled()) << name;
    QTimer::singleShot(0, [&form] {
        auto* box = form.findChild<forms::TEditKeyForm*>();
        ASSERT_NE(box, nullptr);
        QTest::keyClicks(box->EditInstr1, "X0");
        QTest::keyClick(box->EditInstr1, Qt::Key_Return);
    });
    form.action("spbtnContact")->trigger();
    EXPECT_EQ(objectListDetailRows().front(), "80,0 LD X0 code=2000 end=10 id=1");
    QStringList symbols;  // each symbol button opens the box on its function key's symbol
    for (const char* name :
         {"spbtnNegated", "spbtnRising", "spbtnFalling", "spbtnCoil", "spbtnInstruction"}) {
        QTimer::singleShot(0, [&form, &symbols] {
            auto* box = form.findChild<forms::TEditKeyForm*>();
            ASSERT_NE(box, nullptr);
            symbols << box->EditKeyComboBox->currentText() + box->EditInstr1->text().trimmed();
            box->reject();
        });
        form.action(name)->trigger();
    }
    EXPECT_EQ(symbols.join(" ").toStdString(),
              "--|/|-- --|P|-- --|F|-- --NOP--OUT --[ ]--");  // F6, F2, F3, F7 (typed OUT), F8
}

}  // namespace
}  // namespace kestrion::app
