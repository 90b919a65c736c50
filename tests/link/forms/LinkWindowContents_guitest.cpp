// What the link's small windows show when they open, read from the windows themselves: the
// hardware check's buttons beside their result fields, the Run/Stop window's preselected RUN, the
// reply time-out window's lists of numbers.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>

#include "link/forms/PcbCheckForm.h"
#include "link/forms/QtLinkDialogs.h"
#include "link/forms/QtTerminalDialogs.h"
#include "link/forms/RemoteForms.h"
#include "link/forms/RsTimOutForm.h"
#include "link/terminals/ServiceTools.h"
#include "support/Fixture.h"

namespace kestrion::test {
namespace {

// Runs the check on the window of type Form once it has opened, then closes it with Cancel
// (reject).
template <typename Form>
void whenOpen(const std::function<void(Form&)>& check) {
    QTimer::singleShot(0, [check] {
        auto* form = qobject_cast<Form*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        check(*form);
        form->reject();
    });
}

QStringList items(const QComboBox& box) {
    QStringList texts;
    for (int i = 0; i < box.count(); ++i) texts << box.itemText(i);
    return texts;
}

class LinkWindowContentsTest : public CoreTest {};

// Each check button stands left of its result field on the same row; none covers another.
TEST_F(LinkWindowContentsTest, TheHardwareCheckButtonsStandBesideTheirResultFields) {
    PcbCheckDialog dialog;
    bool looked = false;
    whenOpen<forms::TPcbCheckForm>([&looked](forms::TPcbCheckForm& form) {
        looked = true;
        QPushButton* const buttons[] = {form.btnPCB, form.btnFRAM, form.btnProductId};
        for (std::size_t row = 0; row < 3; ++row) {
            const QRect button = buttons[row]->geometry();
            const QRect result = form.resultLabels[row]->geometry();
            EXPECT_LE(button.right(), result.left()) << row;
            EXPECT_EQ(button.center().y(), result.center().y()) << row;
            for (std::size_t other = 0; other < 3; ++other)
                EXPECT_FALSE(button.intersects(form.resultLabels[other]->geometry())) << row << " " << other;
        }
        EXPECT_LE(form.btnCheckAll->geometry().right(), form.resultLabels[0]->geometry().left());
    });
    forms::QtTerminalDialogs().pcbCheck(dialog);
    EXPECT_TRUE(looked);
}

TEST_F(LinkWindowContentsTest, TheRunStopWindowOpensWithRunChosen) {
    bool looked = false;
    whenOpen<forms::TRunStopForm>([&looked](forms::TRunStopForm& form) {
        looked = true;
        EXPECT_TRUE(form.runItem->isChecked());
        EXPECT_FALSE(form.stopItem->isChecked());
        EXPECT_EQ(form.windowTitle(), "Remote Run/Stop");
    });
    const RunStopResult cancelled = forms::QtLinkDialogs().runStop("Remote Run/Stop");
    EXPECT_TRUE(looked);
    EXPECT_EQ(cancelled.okPressed, 0);
    // OK straight away asks for RUN.
    QTimer::singleShot(0, [] {
        auto* form = qobject_cast<forms::TRunStopForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        form->btnOk->click();
    });
    const RunStopResult run = forms::QtLinkDialogs().runStop("Remote Run/Stop");
    EXPECT_EQ(std::make_pair(run.okPressed, run.runRequest),
              std::make_pair(std::uint8_t{1}, std::uint8_t{1}));
}

TEST_F(LinkWindowContentsTest, TheReplyTimeOutListsHoldEveryNumberFromFirstToLast) {
    QStringList timeOuts, retries;
    whenOpen<forms::TrsTimOutForm>([&](forms::TrsTimOutForm& form) {
        timeOuts = items(*form.TimeOutComboBox);
        retries = items(*form.RetryComboBox);
    });
    static_cast<void>(forms::QtLinkDialogs().replyTimeOut("Time out", 0, 0));
    EXPECT_EQ(timeOuts.join(",").toStdString(), "2,3,4,5,6,7,8,9,10");
    EXPECT_EQ(retries.join(",").toStdString(), "1,2,3,4,5");
}

}  // namespace
}  // namespace kestrion::test
