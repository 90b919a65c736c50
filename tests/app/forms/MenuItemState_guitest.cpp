// The state the core keeps of the main window's items (enabled, visible, checked) reaches the items
// of each name and the buttons that follow them when it changes, and only then: the refresh after
// a key that changed nothing leaves every item alone. Items made after the window (a panel, a menu
// made anew) take their state as well.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <functional>
#include <memory>

#include "app/forms/MainUnit.h"
#include "lang/MenuState.h"
#include "link/forms/Parameter1Form.h"
#include "model/core/CommandTransaction.h"
#include "model/forms/PlcTypeForm.h"
#include "monitor/forms/MonitorPanels.h"
#include "support/gui/RealServicesTest.h"

namespace kestrion::app {
namespace {

class MenuItemStateTest : public kestrion::test::RealServicesTest {
protected:
    MenuItemStateTest() : RealServicesTest("menu-items") {
        QObject::connect(&driver, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* type = qobject_cast<forms::TPlcTypeForm*>(modal)) type->btnOk->click();
            if (auto* parameters = qobject_cast<forms::TParameter1Form*>(modal)) parameters->btnOk->click();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                boxes << box->text();
                if (QAbstractButton* no = box->button(QMessageBox::No))
                    no->click();
                else
                    box->accept();
            }
        });
        driver.start(5);
        form.show();
        form.action("New1")->trigger();
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    // A cursor key on the ladder: the window refreshes itself after it.
    void pressKey() { QTest::keyClick(form.windowHandle(), Qt::Key_Down); }
    QAction* item(const char* name) const { return form.findChild<QAction*>(name); }
    QPushButton* button(const char* name) const { return form.findChild<QPushButton*>(name); }

    QTimer driver;
    QStringList boxes;
    TMainForm form{services};
};

TEST_F(MenuItemStateTest, AKeyThatChangesNoStateLeavesEveryItemAlone) {
    // Items of each kind whose state the key does not change, each set against its state behind
    // the window's back: a refresh that applied the states again would put them back.
    const std::function<QObject*(const TMainForm&)> probes[] = {
        [](const TMainForm& f) { return f.action("Save1"); },                             // a menu item
        [](const TMainForm& f) { return f.action("Find1"); },                             // another
        [](const TMainForm& f) { return f.menuItemAction("MonitorMenu"); },               // a menu's action
        [](const TMainForm& f) { return f.findChild<QAction*>("spbtnStopMonitor1"); },    // a tool button
        [](const TMainForm& f) { return f.findChild<QPushButton*>("btnStopMonitor1"); },  // a panel's button
        [](const TMainForm& f) { return f.findChild<QAction*>("spbtnForceOnOff"); },      // a ladder button
    };
    menuItem("spbtnForceOnOff").enabled = true;
    pressKey();
    std::vector<std::pair<QObject*, bool>> set;
    for (const auto& probe : probes) {
        QObject* target = probe(form);
        ASSERT_NE(target, nullptr);
        const bool enabled = !target->property("enabled").toBool();
        target->setProperty("enabled", enabled);
        set.emplace_back(target, enabled);
    }
    for (int i = 0; i < 3; ++i) {
        pressKey();
        form.monitorParts->sync();
    }
    for (const auto& [target, enabled] : set)
        EXPECT_EQ(target->property("enabled").toBool(), enabled) << target->objectName().toStdString();
}

TEST_F(MenuItemStateTest, AChangedStateReachesTheItemsOfItsNameAndTheButtonsThatFollowThem) {
    struct Case {
        const char* name;
        std::function<void(MenuItemState&)> change;
        std::function<bool(const TMainForm&)> shows;  // what the window shows of the new state
    };
    const Case cases[] = {
        {"Save1", [](MenuItemState& s) { s.enabled = false; },
         [](const TMainForm& f) { return !f.action("Save1")->isEnabled(); }},
        {"Save1", [](MenuItemState& s) { s.enabled = true; },
         [](const TMainForm& f) { return f.action("Save1")->isEnabled(); }},
        {"HarewareCheck", [](MenuItemState& s) { s.visible = true; },
         [](const TMainForm& f) { return f.menuItemAction("HarewareCheck")->isVisible(); }},
        {"HarewareCheck", [](MenuItemState& s) { s.visible = false; },
         [](const TMainForm& f) { return !f.menuItemAction("HarewareCheck")->isVisible(); }},
        {"BlockComment2", [](MenuItemState& s) { s.checked = !s.checked; },
         [](const TMainForm& f) {
             return f.action("BlockComment2")->isChecked() == menuItem("BlockComment2").checked;
         }},
        {"btnStopMonitor1", [](MenuItemState& s) { s.enabled = true; },
         [](const TMainForm& f) { return f.findChild<QPushButton*>("btnStopMonitor1")->isEnabled(); }},
        {"btnStopMonitor1", [](MenuItemState& s) { s.enabled = false; },
         [](const TMainForm& f) { return !f.findChild<QPushButton*>("btnStopMonitor1")->isEnabled(); }},
        // A button's own state holds against the rule it otherwise follows (the ladder's buttons
        // live in view mode 1).
        {"spbtnForceOnOff", [](MenuItemState& s) { s.enabled = false; },
         [](const TMainForm& f) { return !f.findChild<QAction*>("spbtnForceOnOff")->isEnabled(); }},
        {"spbtnForceOnOff", [](MenuItemState& s) { s.enabled = true; },
         [](const TMainForm& f) { return f.findChild<QAction*>("spbtnForceOnOff")->isEnabled(); }},
        // A menu: its action and the menu itself.
        {"MonitorMenu", [](MenuItemState& s) { s.enabled = false; },
         [](const TMainForm& f) {
             return !f.menuItemAction("MonitorMenu")->isEnabled() && !f.menu("MonitorMenu")->isEnabled();
         }},
        {"MonitorMenu", [](MenuItemState& s) { s.enabled = true; },
         [](const TMainForm& f) {
             return f.menuItemAction("MonitorMenu")->isEnabled() && f.menu("MonitorMenu")->isEnabled();
         }},
    };
    // Through the window's refresh after a key, and through the monitor's own refresh (its poll).
    const std::function<void()> refreshes[] = {[this] { pressKey(); }, [this] { form.monitorParts->sync(); }};
    for (const auto& refresh : refreshes) {
        for (const Case& c : cases) {
            c.change(menuItem(c.name));
            refresh();
            EXPECT_TRUE(c.shows(form)) << c.name;
        }
    }
    // A tool button that follows its item does so at the window's refresh.
    for (const bool enabled : {false, true, false}) {
        menuItem("Save1").enabled = enabled;
        pressKey();
        EXPECT_EQ(item("spbtnSave")->isEnabled(), enabled);
    }
}

TEST_F(MenuItemStateTest, TheMonitorsItemsRestWithoutAProgram) {
    const char* const names[] = {"msStartMonitor1", "spbtnStartMonitor1", "spbtnEntryDeviceMonitor"};
    for (const char* name : names) EXPECT_TRUE(item(name)->isEnabled()) << name;
    form.action("Close1")->trigger();
    for (const char* name : names) EXPECT_FALSE(item(name)->isEnabled()) << name;
    form.action("New1")->trigger();
    for (const char* name : names) EXPECT_TRUE(item(name)->isEnabled()) << name;
    // The state still counts while a program is open.
    menuItem("spbtnStartMonitor1").enabled = false;
    pressKey();
    EXPECT_FALSE(item("spbtnStartMonitor1")->isEnabled());
    EXPECT_TRUE(item("msStartMonitor1")->isEnabled());
}

TEST_F(MenuItemStateTest, AnItemMadeAfterTheWindowTakesItsStateAndFollowsIt) {
    menuItem("Save1").enabled = false;
    pressKey();
    // A panel made later, with a button of an item's name: it takes the state that was applied
    // before it was made, then every change.
    auto panel = std::make_unique<QWidget>(form.centralWidget());
    auto* made = new QPushButton(panel.get());
    made->setObjectName("Save1");
    pressKey();
    EXPECT_FALSE(made->isEnabled());
    menuItem("Save1").enabled = true;
    pressKey();
    EXPECT_TRUE(made->isEnabled());
    // A part made apart and then put under the window (as a layout takes a widget) brings its
    // buttons along.
    auto* apart = new QWidget;
    auto* carried = new QPushButton(apart);
    carried->setObjectName("Save1");
    apart->setParent(panel.get());
    menuItem("Save1").enabled = false;
    pressKey();
    EXPECT_FALSE(carried->isEnabled());
    EXPECT_FALSE(made->isEnabled());
    // Deleted, they drop out; the items that stay go on following.
    panel.reset();
    menuItem("Save1").enabled = true;
    pressKey();
    EXPECT_TRUE(form.action("Save1")->isEnabled());
    menuItem("Save1").enabled = false;
    pressKey();
    EXPECT_FALSE(form.action("Save1")->isEnabled());
}

TEST_F(MenuItemStateTest, AMenuItemMadeAnewAfterALanguageChangeFollowsTheStateAndLeadsItsButton) {
    form.action("Spanish1")->trigger();
    menuItem("Save1").enabled = false;
    pressKey();
    // The item made anew in its menu, as a menu built again in the new language would be.
    QMenu* fileMenu = form.menu("FileMenu");
    QAction* old = form.action("Save1");
    auto* anew = new QAction("&Guardar", fileMenu);
    anew->setObjectName("Save1");
    fileMenu->insertAction(old, anew);
    delete old;
    pressKey();
    EXPECT_EQ(form.action("Save1"), anew);
    EXPECT_FALSE(anew->isEnabled());
    menuItem("Save1").enabled = true;
    pressKey();
    EXPECT_TRUE(anew->isEnabled());
    EXPECT_TRUE(item("spbtnSave")->isEnabled());  // the tool button follows the new item
    menuItem("Save1").enabled = false;
    pressKey();
    EXPECT_FALSE(item("spbtnSave")->isEnabled());
}

// A command that fails puts the store back as it found it: a state the command gave a tool button of
// its own, which the window showed while the command waited (a box, a reply), goes with it. The
// button then follows its menu item again, as every button without a state of its own, through a
// language change and after.
TEST_F(MenuItemStateTest, AButtonWhoseOwnStateAFailedCommandTookBackFollowsItsItemAgain) {
    ASSERT_EQ(menuItemStates().count("spbtnSave"), 0u);
    EXPECT_FALSE(runCommand([this] {
        menuItem("spbtnSave").enabled = false;
        form.monitorParts->sync();
        EXPECT_FALSE(item("spbtnSave")->isEnabled());
        return false;
    }));
    EXPECT_EQ(menuItemStates().count("spbtnSave"), 0u);
    for (const char* language : {"Spanish1", "English1"}) {
        form.action(language)->trigger();
        for (const bool enabled : {true, false, true}) {
            menuItem("Save1").enabled = enabled;
            pressKey();
            EXPECT_EQ(item("spbtnSave")->isEnabled(), enabled) << language;
        }
    }
}

// A click moves a checkable item's mark before its command runs; a command that leaves the state as
// it was has the mark put back, as any mark that moved otherwise.
TEST_F(MenuItemStateTest, ACheckMarkAClickMovedIsPutBackWhenTheStateStays) {
    QAction* english = form.action("English1");
    ASSERT_TRUE(english->isChecked());
    english->trigger();  // the language already chosen: nothing changes
    EXPECT_TRUE(english->isChecked());
    EXPECT_TRUE(menuItem("English1").checked);
    // A mark moved behind the window's back.
    QAction* zoom = form.action("Np1001");
    ASSERT_TRUE(zoom->isChecked());
    zoom->setChecked(false);
    pressKey();
    EXPECT_TRUE(zoom->isChecked());
}

}  // namespace
}  // namespace kestrion::app
