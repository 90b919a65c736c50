#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "lang/Language.h"
#include "link/LinkFixture.h"
#include "monitor/forms/AnyAddressForm.h"
#include "support/SimulatedPlc.h"

namespace kestrion::test {
namespace {

class AnyAddressFormTest : public LinkTest {
protected:
    SimulatedPlc sim{fakes, 4};
};

TEST_F(AnyAddressFormTest, CloseDuringTheWatchLoopEndsTheLoopAndThenTheWindow) {
    sim.plc.setWord(0x09E0, 0x1234);
    AnyAddressDialog state;
    state.iByteNo = 12;  // three rows of 32 bits
    int rowsSeen = 0;
    {
        forms::TAnyAddressForm form(state);
        QTimer::singleShot(0, &form, [&] {
            form.btnRead->click();  // connects; the loop takes the link as Read left it
            fakes.clock.at(fakes.clock.tickCount() + 600, [&] {
                rowsSeen = form.AnyAddressListView->topLevelItemCount();
                form.btnClose->click();
            });
            form.btnStartMonitor->click();
        });
        QTimer::singleShot(10000, &form, &QDialog::reject);  // never hangs the suite
        form.exec();
        EXPECT_FALSE(state.monitoring);
        EXPECT_FALSE(form.isVisible());
    }
    EXPECT_EQ(rowsSeen, 3);
    const std::size_t frames = sim.plc.frames.size();
    fakes.clock.advance(2000);  // nothing polls any more
    EXPECT_EQ(sim.plc.frames.size(), frames);
}

// The window and its list follow a language change while it is open.
TEST_F(AnyAddressFormTest, TheWindowShowsItsTitleButtonsAndHeadersInTheLanguage) {
    AnyAddressDialog state;
    state.columns = {"Address", "(H)Current value", "Comment"};
    forms::TAnyAddressForm form(state);
    selectLanguageFlags(3);  // Japanese
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&form, &change);
    EXPECT_EQ(form.windowTitle().toStdString(), "任意アドレスの読み出し");
    EXPECT_EQ(form.btnStartMonitor->text().toStdString(), "モニタ開始");
    EXPECT_EQ(form.AnyAddressListView->headerItem()->text(1).toStdString(), "(H)現在値");
}

}  // namespace
}  // namespace kestrion::test
