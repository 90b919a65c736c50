#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "entry/EntryTestSupport.h"
#include "entry/forms/EditKeyForm.h"
#include "entry/forms/InputDeviceForm.h"
#include "entry/forms/QtEntryDialogs.h"

namespace kestrion::test {
namespace {

class EntryFormsTest : public EntryTest {
protected:
    EntryFormsTest() {
        ladderArea.resize(1200, 600);
        ladderArea.show();
        qtDialogs.setLadderArea(&ladderArea);
    }
    void whenBoxOpens(std::function<void(forms::TEditKeyForm&)> keys) {
        QTimer::singleShot(0, [this, keys] {
            auto* form = ladderArea.findChild<forms::TEditKeyForm*>();
            ASSERT_NE(form, nullptr);
            seen = form;
            keys(*form);
            if (form->isVisible()) form->done(1);
        });
    }
    QWidget ladderArea;
    forms::QtEntryDialogs qtDialogs;
    InstalledDialogs<EntryDialogs> real{qtDialogs};
    forms::TEditKeyForm* seen = nullptr;
};

TEST_F(EntryFormsTest, EnterInTheBoxPlacesTheObjectAndMovesTheCursor) {
    QString combo;
    QPoint where;
    whenBoxOpens([&](forms::TEditKeyForm& form) {
        combo = form.EditKeyComboBox->currentText();
        where = form.pos();
        EXPECT_EQ(form.EditInstr1->text(), "L");
        EXPECT_TRUE(form.windowFlags().testFlag(Qt::FramelessWindowHint));
        QTest::keyClicks(form.EditInstr1, "d x000");
        EXPECT_EQ(form.EditInstr1->text(), "LD X000");
        QTest::keyClick(form.EditInstr1, Qt::Key_Return);
        EXPECT_FALSE(form.isVisible());
    });
    openInstructionBoxOnKey('L');
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(combo, "--NOP--");
    EXPECT_EQ(where, ladderArea.mapToGlobal(QPoint(120, 64)));
    EXPECT_EQ(objectListDetailRows().front(), "80,0 LD X000 code=2000 end=10 id=1");
    EXPECT_EQ(std::make_pair(xOldCursor, yOldCursor), std::make_pair(160u, 0u));
    EXPECT_EQ(boxes(), Boxes{});
}

TEST_F(EntryFormsTest, EscapeInTheBoxChangesNothing) {
    const Picture before = dump();
    whenBoxOpens([](forms::TEditKeyForm& form) {
        QTest::keyClicks(form.EditInstr1, "D X000");
        QTest::keyClick(form.EditInstr1, Qt::Key_Escape);
        EXPECT_FALSE(form.isVisible());
    });
    openInstructionBoxOnKey('L');
    EXPECT_EQ(objectListDetailRows(), Texts{"1040,0 END code=000F end=11 id=1"});
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(std::make_pair(xOldCursor, yOldCursor), std::make_pair(80u, 0u));
}

TEST_F(EntryFormsTest, TheEmptyDeviceDialogsOkComplainsAndCloses) {
    InputDeviceDialog dialog;
    dialog.paintSymbleCode = 34;
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* form = qobject_cast<forms::TInputDeviceForm*>(w);
            if (form == nullptr || !form->isVisible()) continue;
            EXPECT_EQ(form->windowTitle(), "InputDevice");
            EXPECT_FALSE(form->InputDeviceHelp->isEnabled());
            form->InputDeviceOk->click();
        }
    });
    qtDialogs.inputDevice(dialog);
    EXPECT_EQ(boxes(), Boxes{"No Input Device Error!!! | Input Device Error | error"});
    EXPECT_EQ(dialog.bDeviceOk, 1);
    EXPECT_EQ(dialog.bDeviceEmpty, 1);
}

TEST_F(EntryFormsTest, TheDeviceFieldTakesUpperCase) {
    InputDeviceDialog dialog;
    forms::TInputDeviceForm form(dialog);
    form.show();
    QTest::keyClicks(form.InputDeviceEdit, "d100");
    QTest::keyClick(form.InputDeviceEdit, Qt::Key_Return);
    EXPECT_EQ(dialog.text, "D100");
    EXPECT_EQ(dialog.deviceTextLength, 4u);
    EXPECT_EQ(form.result(), 1);
}

TEST_F(EntryFormsTest, TheCrossButtonClosesTheBoxAndAccessCodesAreMasked) {
    whenBoxOpens([](forms::TEditKeyForm& form) {
        QTest::keyClicks(form.EditInstr1, "!K");
        EXPECT_EQ(form.EditInstr1->echoMode(), QLineEdit::Password);
        form.btnCancel->click();
        EXPECT_FALSE(form.isVisible());
    });
    openInstructionBoxOnKey('#');
    EXPECT_EQ(objectListDetailRows().size(), 1u);
}

}  // namespace
}  // namespace kestrion::test
