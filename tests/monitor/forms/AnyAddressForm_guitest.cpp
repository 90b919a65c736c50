#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

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

}  // namespace
}  // namespace kestrion::test
