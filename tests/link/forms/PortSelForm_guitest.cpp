#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QWidget>
#include <QtTest/QTest>
#include <functional>

#include "link/forms/PortSelForm.h"
#include "link/line/CommRecord.h"
#include "model/image/ModeData.h"
#include "support/SerialTree.h"
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

TEST_F(PortSelFormTest, EachComNumberShowsItsDeviceAndAClickPicksIt) {
    const char* const ftdi = "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
    const std::pair<std::function<void(const SerialTree&)>, const char*> trees[] = {
        {[&](const SerialTree& tree) {
             for (const char* port : {"ttyS0", "ttyS1", "ttyS2"}) tree.onboard(port, 0);
             tree.adapter(ftdi, "ttyUSB0");
         },
         "COM1 dev/ttyUSB0 usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0|COM2 dev/ttyS1 (no device)|"
         "COM3 dev/ttyS2 (no device)|"},
        {[](const SerialTree& tree) {
             tree.onboard("ttyS0", 4);
             tree.node("ttyACM0");
         },
         "COM1 dev/ttyACM0 |COM2 dev/ttyS0 |COM3 dev/ttyS2 (no device)|"},
    };
    for (const auto& [build, expected] : trees) {
        const SerialTree tree("dialog");
        build(tree);
        services.serialPorts().setRoot(tree.root);
        comPortIndex = 0;
        forms::TPortSelForm form;
        form.show();
        ASSERT_EQ(form.portListView->topLevelItemCount(), 19);
        std::string rows;
        for (int i = 0; i < 3; ++i) {
            const QTreeWidgetItem* item = form.portListView->topLevelItem(i);
            rows += (item->text(0) + " " + item->text(1).remove(QString::fromStdString(tree.root + "/")) +
                     " " + item->text(2) + "|")
                        .toStdString();
        }
        EXPECT_EQ(rows, expected);
        QTreeWidgetItem* third = form.portListView->topLevelItem(2);
        QTest::mouseClick(form.portListView->viewport(), Qt::LeftButton, {},
                          form.portListView->visualItemRect(third).center());
        EXPECT_EQ(form.comPortComboBox->currentText().toStdString() + " " + std::to_string(comPortIndex),
                  "COM3 2");
    }
    services.serialPorts().setRoot("/");
}

}  // namespace
}  // namespace kestrion::test
