#include "lang/forms/MenuItemWidgets.h"

#include <QAction>
#include <QChildEvent>
#include <QCoreApplication>
#include <QSet>
#include <QWidget>
#include <algorithm>
#include <utility>

namespace kestrion::forms {

MenuItemWidgets::MenuItemWidgets(QWidget& window) : QObject(&window), window_(window) {
    // A child's ChildAdded goes to its parent alone, so the application's filter sees those of the
    // whole tree below the window.
    QCoreApplication::instance()->installEventFilter(this);
}

void MenuItemWidgets::restUnless(const std::vector<std::string>& names, std::function<bool()> live) {
    gates_.push_back({std::move(live)});
    for (const std::string& name : names) gateOf_[name] = gates_.size() - 1;
}

bool MenuItemWidgets::governs(const std::string& objectName) const {
    return applied_.count(objectName) != 0;
}

QAction* MenuItemWidgets::action(const std::string& objectName) {
    index();
    const auto found = byName_.find(objectName);
    if (found == byName_.end()) return nullptr;
    for (const QPointer<QObject>& target : found->second)
        if (auto* item = qobject_cast<QAction*>(target.data())) return item;
    return nullptr;
}

void MenuItemWidgets::apply(const MenuItemStates& states) {
    index();
    for (Gate& gate : gates_) gate.liveNow = gate.live();
    // A name the store no longer holds is left to the window's other rules.
    for (auto at = applied_.begin(); at != applied_.end();)
        at = states.count(at->first) != 0 || gateOf_.count(at->first) != 0 ? std::next(at)
                                                                           : applied_.erase(at);
    for (const auto& [name, state] : states) update(name, wanted(name, &state));
    for (const auto& [name, gate] : gateOf_)
        if (states.count(name) == 0) update(name, wanted(name, nullptr));
    moved_.clear();
}

MenuItemWidgets::Wanted MenuItemWidgets::wanted(const std::string& name, const MenuItemState* state) const {
    Wanted wanted;
    if (state != nullptr) wanted = {state->enabled, state->visible, state->checked};
    if (const auto gate = gateOf_.find(name); gate != gateOf_.end())
        wanted.enabled = wanted.enabled && gates_[gate->second].liveNow;
    return wanted;
}

void MenuItemWidgets::update(const std::string& name, const Wanted& wanted) {
    const auto [at, added] = applied_.try_emplace(name, wanted);
    if (!added && at->second == wanted && moved_.count(name) == 0) return;
    at->second = wanted;
    const auto targets = byName_.find(name);
    if (targets == byName_.end()) return;
    for (const QPointer<QObject>& target : targets->second)
        if (target) put(target, wanted);
}

void MenuItemWidgets::put(QObject* target, const Wanted& wanted) {
    ++putting_;
    if (auto* item = qobject_cast<QAction*>(target)) {
        item->setEnabled(wanted.enabled);
        if (wanted.visible) item->setVisible(*wanted.visible);
        if (wanted.checked && item->isCheckable()) item->setChecked(*wanted.checked);
    } else if (target->isWidgetType()) {
        static_cast<QWidget*>(target)->setEnabled(wanted.enabled);
    }
    --putting_;
}

bool MenuItemWidgets::inside(const QObject* object) const {
    for (; object != nullptr; object = object->parent())
        if (object == &window_) return true;
    return false;
}

void MenuItemWidgets::index() {
    if (!indexed_) {
        indexed_ = true;
        made_.clear();
        for (QObject* object : window_.findChildren<QObject*>()) add(object);
        return;
    }
    if (made_.empty()) return;
    // A part made elsewhere and put under the window brings its own children along: each is
    // searched with its children, once.
    const std::vector<QPointer<QObject>> made = std::exchange(made_, {});
    QSet<const QObject*> seen;
    const auto addOnce = [this, &seen](QObject* object) {
        if (seen.contains(object)) return false;
        seen.insert(object);
        add(object);
        return true;
    };
    for (const QPointer<QObject>& root : made)
        if (root && inside(root) && addOnce(root))
            for (QObject* object : root->findChildren<QObject*>()) addOnce(object);
}

// Items are named when they are made, before the window next refreshes.
void MenuItemWidgets::add(QObject* object) {
    auto* item = qobject_cast<QAction*>(object);
    if (item == nullptr && !object->isWidgetType()) return;
    const std::string name = object->objectName().toStdString();
    if (name.empty()) return;
    std::vector<QPointer<QObject>>& targets = byName_[name];
    std::erase_if(targets, [](const QPointer<QObject>& target) { return target.isNull(); });
    if (std::find(targets.begin(), targets.end(), object) != targets.end()) return;
    targets.emplace_back(object);
    if (item != nullptr)
        connect(item, &QAction::toggled, this, [this, name] {
            if (putting_ == 0) moved_.insert(name);
        });
    // Made after its state was applied: it takes that state now.
    if (const auto state = applied_.find(name); state != applied_.end()) put(object, state->second);
}

bool MenuItemWidgets::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ChildAdded && indexed_ && inside(watched))
        made_.emplace_back(static_cast<QChildEvent*>(event)->child());
    return false;
}

}  // namespace kestrion::forms
