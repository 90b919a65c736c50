// The developer views in the main window: the access code shows Tools > "More view ...", the
// developer access shows the hidden menus, and every view opens and closes from its item.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "app/forms/MainUnit.h"
#include "devviews/VirtualArrayDump.h"
#include "devviews/forms/DevViewForm.h"
#include "devviews/forms/ViewMoreForm.h"
#include "entry/AccessCodes.h"
#include "entry/EntryDriver.h"
#include "lang/Language.h"
#include "support/gui/RealServicesTest.h"

namespace kestrion::forms {
namespace {

class DevViewsWindowTest : public test::RealServicesTest {
protected:
    DevViewsWindowTest() : RealServicesTest("devviews") { form.show(); }
    app::TMainForm form{services};
};

TEST_F(DevViewsWindowTest, TheAccessCodeShowsMoreView1AndSetsBit1OfTheOptionByte) {
    QAction* moreView = form.action("MoreView1");
    ASSERT_NE(moreView, nullptr);
    EXPECT_FALSE(moreView->isVisible());
    EditKeyBox box;
    box.line = std::string(access::kMoreViewCode);
    box.keyPress('\r');
    EXPECT_TRUE(moreView->isVisible() && moreView->isEnabled());
    EXPECT_EQ(optionFlags & 0x02, 0x02);
}

TEST_F(DevViewsWindowTest, EachDeveloperViewOpensAndClosesFromItsHiddenMenuItem) {
    EXPECT_FALSE(form.menu("xRS")->menuAction()->isVisible() ||
                 form.menu("xTHIS")->menuAction()->isVisible());
    QTimer::singleShot(0, [] {
        auto* more = qobject_cast<TViewMoreForm*>(QApplication::activeModalWidget());
        ASSERT_NE(more, nullptr);
        more->DeveloperMenusCheckBox->setChecked(true);
        more->btnOk->click();
    });
    form.action("MoreView1")->trigger();
    EXPECT_TRUE(form.menu("xRS")->menuAction()->isVisible() && form.menu("xTHIS")->menuAction()->isVisible());

    const std::pair<const char*, const char*> views[] = {
        {"ObjLadder1", "ObjLadderForm traceCaption: 開始"},
        {"RelayImage1", "RelayImageForm X000-X177: 11 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
        {"comTempArray1", "ComTempArrayForm bitTxBuf 000: 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
    };
    for (const auto& [item, expected] : views) {
        QString seen;
        QTimer::singleShot(0, [&seen] {
            auto* view = qobject_cast<TDevViewForm*>(QApplication::activeModalWidget());
            ASSERT_NE(view, nullptr);
            seen = view->objectName() + " " + view->Memo1->toPlainText().section('\n', 0, 0);
            view->btnClose->click();
        });
        form.action(item)->trigger();
        EXPECT_EQ(seen.toStdString(), expected);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << item;
    }

    for (const char* memo :
         {"debugMemo1", "debugMemo2", "debugMemo3", "debugMemo4", "debugMemo5", "debugMemo6", "debugMemo7",
          "debugMemo8", "debugMemo9", "RxMemo", "MsgMemo1", "VirtualArrayMemo"}) {
        QString item = QString("View") + memo;
        item[4] = item[4].toUpper();  // ViewDebugMemo1 shows debugMemo1
        auto* shown = form.findChild<QPlainTextEdit*>(memo);
        form.action(item)->trigger();
        EXPECT_FALSE(shown->isHidden()) << memo;
        form.action(item)->trigger();
        EXPECT_TRUE(shown->isHidden()) << memo;
    }

    auto* grid = form.findChild<QPlainTextEdit*>("VirtualArrayMemo");
    for (const char* item :
         {"VirtualArray1", "BkVirtualArray1", "bCompileVirtualArray1", "CopyVirtualArray1"}) {
        form.action(item)->trigger();
        EXPECT_FALSE(grid->isHidden()) << item;
        form.action("ViewVirtualArrayMemo")->trigger();
        EXPECT_TRUE(grid->isHidden()) << item;
    }
}

}  // namespace
}  // namespace kestrion::forms
