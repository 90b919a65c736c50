#include <QAction>
#include <QMenu>

#include "app/forms/MainUnit.h"
#include "entry/EntryDialogs.h"
#include "support/gui/RealServicesTest.h"

namespace kestrion::test {
namespace {

class ServiceMenuTest : public RealServicesTest {
protected:
    ServiceMenuTest() : RealServicesTest("service-menu") {}
};

TEST_F(ServiceMenuTest, TheAccessCodeEnablesTheHardwareCheckWithItsItemsInOrder) {
    app::TMainForm form(services);
    form.show();
    QAction* hardwareCheck = form.action("HarewareCheck");
    ASSERT_NE(hardwareCheck, nullptr);
    EXPECT_FALSE(hardwareCheck->isEnabled());
    entryDialogs().revealHiddenItems(HiddenItems::DemoKit);  // what the access code asks for
    EXPECT_TRUE(hardwareCheck->isEnabled() && hardwareCheck->isVisible());
    QStringList items;
    for (QAction* item : form.menu("HarewareCheck")->actions()) items << item->objectName();
    EXPECT_EQ(items, (QStringList{"PcbCheck1", "PcbFRAMPid1", "PCB1", "FRAM1", "ProductId1",
                                  "Keyword2Delete1", "InitialControllerMemory1"}));
}

}  // namespace
}  // namespace kestrion::test
