// The instruction box edits its line as any line edit does: typing goes in at the caret and over
// the selection, Ctrl+A, Shift+Home and Shift+End select, and a line refused on Enter comes back
// selected, so that what is typed next replaces it and an arrow key keeps it.
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>

#include "entry/EntryTestSupport.h"
#include "entry/forms/EditKeyForm.h"
#include "entry/forms/QtEntryDialogs.h"

namespace kestrion::test {
namespace {

class InstructionBoxKeysTest : public EntryTest {
protected:
    InstructionBoxKeysTest() {
        ladderArea.resize(1200, 600);
        ladderArea.show();
        qtDialogs.setLadderArea(&ladderArea);
    }
    // Opens the box on a typed key and runs the keys in it; the box is closed afterwards when the
    // keys left it open.
    void typeInBox(char first, const std::function<void(QLineEdit&)>& keys) {
        QTimer::singleShot(0, [this, keys] {
            auto* form = ladderArea.findChild<forms::TEditKeyForm*>();
            ASSERT_NE(form, nullptr);
            keys(*form->EditInstr1);
            if (form->isVisible()) form->done(1);
        });
        openInstructionBoxOnKey(first);
    }
    static void key(QLineEdit& line, Qt::Key pressed, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&line, pressed, modifiers);
    }
    QWidget ladderArea;
    forms::QtEntryDialogs qtDialogs;
    InstalledDialogs<EntryDialogs> real{qtDialogs};
};

TEST_F(InstructionBoxKeysTest, TypingGoesInAtTheCaretAndOverTheSelection) {
    QStringList seen;
    typeInBox('L', [&seen](QLineEdit& line) {
        QTest::keyClicks(&line, "d x0");
        key(line, Qt::Key_Left);
        QTest::keyClicks(&line, "1");  // between X and 0
        seen << line.text();
        key(line, Qt::Key_End);
        key(line, Qt::Key_Home, Qt::ShiftModifier);
        seen << line.selectedText();
        QTest::keyClicks(&line, "and x2");
        seen << line.text();
        key(line, Qt::Key_Home);
        key(line, Qt::Key_End, Qt::ShiftModifier);
        seen << line.selectedText();
        key(line, Qt::Key_A, Qt::ControlModifier);
        seen << line.selectedText();
        QTest::keyClicks(&line, "ld x7");
        seen << line.text();
        key(line, Qt::Key_Return);
    });
    EXPECT_EQ(seen.join("|").toStdString(), "LD X10|LD X10|AND X2|AND X2|AND X2|LD X7");
    EXPECT_EQ(boxes(), Boxes{});
    EXPECT_EQ(objectListDetailRows().front(), "80,0 LD X7 code=2000 end=10 id=1");
}

TEST_F(InstructionBoxKeysTest, ARefusedLineComesBackSelectedAndTypingReplacesIt) {
    QStringList seen;
    typeInBox('L', [&seen](QLineEdit& line) {
        QTest::keyClicks(&line, "D X8");  // no X8: octal
        key(line, Qt::Key_Return);
        seen << line.text() + "/" + line.selectedText();
        QTest::keyClicks(&line, "LD X3");
        seen << line.text();
        key(line, Qt::Key_Return);
    });
    EXPECT_EQ(seen.join("|").toStdString(), "LD X8/LD X8|LD X3");
    EXPECT_EQ(boxes(), (Boxes{"*PLcTypeError-q3 | Error2015112870... | error",
                              "Input Error...Can't write | Error2015031910 | warning"}));
    EXPECT_EQ(objectListDetailRows().front(), "80,0 LD X3 code=2000 end=10 id=1");
}

TEST_F(InstructionBoxKeysTest, AnArrowKeyKeepsTheRefusedLineForCorrecting) {
    QStringList seen;
    typeInBox('L', [&seen](QLineEdit& line) {
        QTest::keyClicks(&line, "D X8");
        key(line, Qt::Key_Return);
        key(line, Qt::Key_End);
        key(line, Qt::Key_Backspace);
        QTest::keyClicks(&line, "6");
        seen << line.text();
        key(line, Qt::Key_Return);
    });
    EXPECT_EQ(seen.join("|").toStdString(), "LD X6");
    EXPECT_EQ(objectListDetailRows().front(), "80,0 LD X6 code=2000 end=10 id=1");
}

}  // namespace
}  // namespace kestrion::test
