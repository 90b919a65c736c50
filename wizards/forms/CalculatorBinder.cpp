#include "wizards/forms/CalculatorBinder.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "lang/forms/WidgetText.h"

namespace kestrion::forms {

namespace {

void colour(QWidget* widget, bool yellow) {
    widget->setStyleSheet(yellow ? "background-color: rgb(255, 255, 0);" : "background-color: white;");
}

}  // namespace

SpinEdit::SpinEdit(QWidget* parent) : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    edit_ = new QLineEdit(this);
    row->addWidget(edit_, 1);
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(0);
    for (const auto& [arrow, delta] : {std::pair{Qt::UpArrow, 1}, std::pair{Qt::DownArrow, -1}}) {
        auto* button = new QToolButton(this);
        button->setArrowType(arrow);
        button->setFixedSize(16, 11);
        button->setFocusPolicy(Qt::NoFocus);
        buttons->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, delta = delta] { emit stepped(delta); });
    }
    row->addLayout(buttons);
    connect(edit_, &QLineEdit::editingFinished, this, &SpinEdit::left);
}

CalculatorBinder::CalculatorBinder(CalculatorControls& rules, QWidget* form)
    : QObject(form), rules_(rules), form_(form) {}

QLineEdit* CalculatorBinder::edit(QWidget* parent, const std::string& name, int maxLength) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromStdString(name));
    if (maxLength > 0) edit->setMaxLength(maxLength);
    widgets_[name] = edit;
    names_[edit] = name;
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, [this, name](const QString& text) {
        rules_.userText(name, text.toStdString());
        sync();
    });
    return edit;
}

SpinEdit* CalculatorBinder::spin(QWidget* parent, const std::string& name) {
    auto* spin = new SpinEdit(parent);
    spin->setObjectName(QString::fromStdString(name));
    widgets_[name] = spin;
    names_[spin->edit()] = name;
    spin->edit()->installEventFilter(this);
    connect(spin->edit(), &QLineEdit::textEdited, this, [this, name](const QString& text) {
        rules_.userText(name, text.toStdString());
        sync();
    });
    connect(spin, &SpinEdit::stepped, this, [this, name](int delta) {
        rules_.spinStep(name, delta);
        sync();
    });
    connect(spin, &SpinEdit::left, this, [this, name] {
        if (syncing_) return;
        rules_.spinExit(name);
        sync();
    });
    return spin;
}

QComboBox* CalculatorBinder::combo(QWidget* parent, const std::string& name, const QStringList& items) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromStdString(name));
    // Editable only so that it can show a text that is not among its items; it takes no typing.
    box->setEditable(true);
    box->lineEdit()->setReadOnly(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    widgets_[name] = box;
    connect(box, &QComboBox::textActivated, this, [this, name](const QString& text) {
        rules_.userPick(name, text.toStdString());
        sync();
    });
    return box;
}

QLabel* CalculatorBinder::label(QWidget* parent, const std::string& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromStdString(name));
    label->setAlignment(Qt::AlignCenter);
    label->setProperty("rangeLabel", true);
    widgets_[name] = label;
    return label;
}

void CalculatorBinder::bind(QWidget* widget, const std::string& name) {
    widget->setObjectName(QString::fromStdString(name));
    widgets_[name] = widget;
}

bool CalculatorBinder::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto found = names_.find(watched);
        const QString text = static_cast<QKeyEvent*>(event)->text();
        // Only characters are filtered; editing keys and shortcuts such as paste always pass.
        if (found != names_.end() && text.size() == 1 && text[0].unicode() >= 0x20 &&
            text[0].unicode() < 0x7F &&
            !keyPasses(rules_.keyFilter(found->second), static_cast<char>(text[0].unicode())))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

void CalculatorBinder::show(QWidget* widget, const Control& control) {
    const QString text = widgetText(control.text);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        if (edit->text() != text) edit->setText(text);
        colour(edit, control.yellow);
    } else if (auto* spin = qobject_cast<SpinEdit*>(widget)) {
        if (spin->edit()->text() != text) spin->edit()->setText(text);
        colour(spin->edit(), control.yellow);
    } else if (auto* box = qobject_cast<QComboBox*>(widget)) {
        box->setCurrentIndex(box->findText(text));
        box->setEditText(text);
        box->setStyleSheet(control.yellow ? "background-color: rgb(255, 255, 0);" : "");
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
        // Captions keep the window's colour; only the range labels are white or yellow.
        if (label->property("rangeLabel").toBool()) colour(label, control.yellow);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(text);
    }
    widget->setEnabled(control.enabled);
    widget->setVisible(control.visible);
}

void CalculatorBinder::sync() {
    syncing_ = true;
    for (const auto& [name, control] : rules_.controls()) {
        const auto found = widgets_.find(name);
        if (found == widgets_.end()) continue;
        const QSignalBlocker blocker(found->second);
        show(found->second, control);
    }
    syncing_ = false;
}

}  // namespace kestrion::forms
