// The main window's items by object name, for the state the core keeps of them (lang/MenuState.h):
// the menu items and the actions that open submenus, the tool buttons, the panels' buttons and the
// pop-up menus' items. The window is searched once, when the state is first applied; what is made
// under it later (a panel, a dialog, a menu made anew) joins the table when the state is next
// applied, and what is deleted drops out of it.
//
// The window refreshes itself after every key and click: a state is applied to the items of its
// name only when it differs from the one last applied, so a key that changes no state touches no
// item. An item that changes by itself (a check mark the user's click moved) takes its state again
// at the next refresh.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "lang/MenuState.h"

class QAction;
class QWidget;

namespace kestrion::forms {

class MenuItemWidgets : public QObject {
    Q_OBJECT
public:
    // A child of the window; it follows what is made under the window from now on.
    explicit MenuItemWidgets(QWidget& window);

    // The items of these names rest (disabled) while live() says no, whatever their state; while
    // it says yes they take their state, and without one they are enabled.
    void restUnless(const std::vector<std::string>& names, std::function<bool()> live);
    // Each state that changed since the last call (or that is new) to the items of its name:
    // enabled, visible when the core has set it, and the check mark of a checkable action; a
    // widget (a button, a menu) takes the enabled state alone.
    void apply(const MenuItemStates& states);
    // True when apply sets the enabled state of the items of that name: the window's other rules
    // (a tool button as its menu item, the ladder's buttons by view mode) leave them alone.
    bool governs(const std::string& objectName) const;
    // The first action of that name (a menu item, the action of a submenu, a tool button); null
    // when there is none.
    QAction* action(const std::string& objectName);

protected:
    // Notes what is made under the window, to be added at the next apply.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Wanted {
        bool enabled = true;
        std::optional<bool> visible;
        std::optional<bool> checked;  // none for an item without state
        bool operator==(const Wanted&) const = default;
    };
    struct Gate {
        std::function<bool()> live;
        bool liveNow = true;
    };

    bool inside(const QObject* object) const;
    void index();
    void add(QObject* object);
    void put(QObject* target, const Wanted& wanted);
    void update(const std::string& name, const Wanted& wanted);
    Wanted wanted(const std::string& name, const MenuItemState* state) const;

    QWidget& window_;
    bool indexed_ = false;
    int putting_ = 0;  // the check marks moving now are this table's own
    std::map<std::string, std::vector<QPointer<QObject>>> byName_;
    std::vector<QPointer<QObject>> made_;  // made under the window since the last index
    std::map<std::string, Wanted> applied_;
    std::set<std::string> moved_;  // items whose check mark moved by itself
    std::vector<Gate> gates_;
    std::map<std::string, std::size_t> gateOf_;
};

}  // namespace kestrion::forms
