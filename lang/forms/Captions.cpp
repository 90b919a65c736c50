#include "lang/forms/Captions.h"

#include <QAbstractButton>
#include <QAction>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

#include "lang/Texts.h"
#include "lang/forms/WidgetText.h"

namespace kestrion::forms {

namespace {

// A setter that outlives its widget does nothing.
template <class W, class Set>
std::function<void()> setter(W* widget, std::string id, Set set,
                             QString (*text)(std::string_view) = captionText) {
    return [widget = QPointer<W>(widget), id = std::move(id), set, text] {
        if (widget) set(widget.data(), text(id));
    };
}

void setTitle(QWidget* window, const QString& text) {
    window->setWindowTitle(text);
}

void setLabel(QLabel* label, const QString& text) {
    label->setText(text);
}

}  // namespace

QString captionText(std::string_view id) {
    return widgetText(textOf(id));
}

QString translatedText(std::string_view english) {
    return widgetText(translated(english, currentLanguage()));
}

Captions::Captions(QWidget* window) : QObject(window) {
    setObjectName("Captions");
}

Captions& Captions::of(QWidget* window) {
    auto* held = window->findChild<Captions*>("Captions", Qt::FindDirectChildrenOnly);
    if (held == nullptr) held = new Captions(window);
    // The common buttons built since the last call (a dialog adds its OK row after its fields).
    for (const char* common : {"OK", "Cancel"})
        for (auto* button : window->findChildren<QAbstractButton*>())
            if (button->text() == QLatin1String(common) && !button->property("captioned").toBool()) {
                button->setProperty("captioned", true);
                held->text(button, common);
            }
    return *held;
}

Captions& Captions::with(std::function<void()> caption) {
    caption();
    captions_.push_back(std::move(caption));
    return *this;
}

Captions& Captions::title(std::string id) {
    return with(setter(qobject_cast<QWidget*>(parent()), std::move(id), setTitle));
}

Captions& Captions::translatedTitle(std::string english) {
    return with(
        setter(qobject_cast<QWidget*>(parent()), std::move(english), setTitle, forms::translatedText));
}

Captions& Captions::text(QLabel* label, std::string id) {
    return with(setter(label, std::move(id), setLabel));
}

Captions& Captions::translatedText(QLabel* label, std::string english) {
    return with(setter(label, std::move(english), setLabel, forms::translatedText));
}

Captions& Captions::text(QAbstractButton* button, std::string id) {
    return with(
        setter(button, std::move(id), [](QAbstractButton* to, const QString& text) { to->setText(text); }));
}

Captions& Captions::text(QAction* action, std::string id) {
    return with(setter(action, std::move(id), [](QAction* to, const QString& text) { to->setText(text); }));
}

Captions& Captions::title(QGroupBox* box, std::string id) {
    return with(setter(box, std::move(id), [](QGroupBox* to, const QString& text) { to->setTitle(text); }));
}

Captions& Captions::placeholder(QLineEdit* edit, std::string id) {
    return with(setter(edit, std::move(id),
                       [](QLineEdit* to, const QString& text) { to->setPlaceholderText(text); }));
}

Captions& Captions::toolTip(QWidget* widget, std::string id) {
    return with(
        setter(widget, std::move(id), [](QWidget* to, const QString& text) { to->setToolTip(text); }));
}

bool Captions::event(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        for (const auto& caption : captions_) caption();
    return QObject::event(event);
}

}  // namespace kestrion::forms
