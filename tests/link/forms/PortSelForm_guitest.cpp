#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <QtTest/QTest>

#include "link/CommRecord.h"
#include "link/forms/PortSelForm.h"
#include "model/image/ModeData.h"
#include "support/gui/RealServicesTest.h"

namespace kestrion::test {
namespace {

class PortSelFormTest : public RealServicesTest {
protected:
    PortSelFormTest() : RealServicesTest("portsel") {}
};

TEST_F(PortSelFormTest, APortTypedIntoTheBoxIsStoredByOk) {
    comPortIndex = 2;
    baudIndex = 1;
    bool typed = false;
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<forms::TPortSelForm*>(QApplication::activeModalWidget());
        if (form == nullptr) {
            ADD_FAILURE() << "the port dialog is not the modal window";
            if (QWidget* other = QApplication::activeModalWidget()) other->close();
            return;
        }
        QLineEdit* box = form->comPortComboBox->lineEdit();
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, "COM12");
        typed = box->text() == "COM12";
        QTest::mouseClick(form->btnOk, Qt::LeftButton);
    });
    selectComPort();
    EXPECT_TRUE(typed);
    EXPECT_EQ(comPortIndex, 11u);
    EXPECT_EQ(ModeData.comPortNo, 11u);
    EXPECT_EQ(ModeData.baudRate, 1u);
}

}  // namespace
}  // namespace kestrion::test
