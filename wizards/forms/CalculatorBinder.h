// Ties a calculator's widgets to its rules (CalculatorControls): what the user types, pastes or
// picks goes to the rules, keys a field cannot take are dropped, and after every rule the widgets
// show the controls' texts, colours and states again.
#pragma once

#include <QLineEdit>
#include <QObject>
#include <QWidget>
#include <map>
#include <string>

#include "wizards/calculators/CalculatorControls.h"

class QComboBox;
class QLabel;
class QAbstractButton;

namespace kestrion::forms {

// A spin edit (TCSpinEdit): an edit with up and down buttons.
class SpinEdit : public QWidget {
    Q_OBJECT
public:
    explicit SpinEdit(QWidget* parent = nullptr);
    QLineEdit* edit() const { return edit_; }

signals:
    void stepped(int delta);
    void left();

private:
    QLineEdit* edit_;
};

class CalculatorBinder : public QObject {
    Q_OBJECT
public:
    CalculatorBinder(CalculatorControls& rules, QWidget* form);

    QLineEdit* edit(QWidget* parent, const std::string& name, int maxLength = 0);
    SpinEdit* spin(QWidget* parent, const std::string& name);
    // The items to pick from; the box shows whatever text the rules give it and takes no typing.
    QComboBox* combo(QWidget* parent, const std::string& name, const QStringList& items);
    QLabel* label(QWidget* parent, const std::string& name);
    // A widget whose caption, visibility or state the rules set (check boxes, captions).
    void bind(QWidget* widget, const std::string& name);

    // Shows every bound control as the rules have it.
    void sync();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void show(QWidget* widget, const Control& control);

    CalculatorControls& rules_;
    QWidget* form_;
    std::map<std::string, QWidget*> widgets_;
    std::map<QObject*, std::string> names_;  // the watched line edits
    bool syncing_ = false;
};

}  // namespace kestrion::forms
