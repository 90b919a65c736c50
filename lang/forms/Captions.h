// The texts a window shows from the text table. Each window lists its (widget, text id) pairs once;
// they are set at once and again whenever the interface language changes while the window is open,
// so no window writes its own handler for the change.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QAbstractButton;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace kestrion::forms {

// The text of an id in the interface language, as a widget shows it.
QString captionText(std::string_view id);

// A text the core hands over in English, in the interface language when the table holds it.
QString translatedText(std::string_view english);

class Captions : public QObject {
public:
    // Owned by the window, whose language changes it receives as one of its children.
    explicit Captions(QWidget* window);

    // Each call sets its text now and keeps it for the next change.
    Captions& title(std::string id);  // the window's title
    Captions& text(QLabel* label, std::string id);
    Captions& text(QAbstractButton* button, std::string id);
    Captions& text(QAction* action, std::string id);
    Captions& title(QGroupBox* box, std::string id);
    Captions& placeholder(QLineEdit* edit, std::string id);
    Captions& toolTip(QWidget* widget, std::string id);
    // The window's title and a label from a text the core hands over in English.
    Captions& translatedTitle(std::string english);
    Captions& translatedText(QLabel* label, std::string english);
    // Texts that are more than one id (list headers, items, a text with a value in it).
    Captions& with(std::function<void()> caption);

    // The window's captions, made on the first call; each call takes in the buttons that show "OK"
    // or "Cancel" and were not taken in before.
    static Captions& of(QWidget* window);

protected:
    bool event(QEvent* event) override;

private:
    std::vector<std::function<void()>> captions_;
};

}  // namespace kestrion::forms
