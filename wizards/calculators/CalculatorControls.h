// The controls of a calculator dialog as its rules see them: each control's text, colour, state
// and caption, kept by name. A dialog's rules run when a text changes: when the user types or
// pastes, and when the dialog itself writes a different text (writing the text a control already
// shows is no change). A rule that rewrites its own control runs again, nested, before it goes on.
// A combo box's rule runs only when the user picks an item. The window mirrors these controls
// after every rule.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "model/instructions/Conversions.h"

namespace kestrion {

struct Control {
    std::string text;
    bool yellow = false;  // red 255, green 255, blue 0: missing, out of range or clamped
    bool enabled = true;
    bool visible = true;
};

// Which typed characters a control takes; editing keys (backspace, arrows) always pass.
enum class KeyFilter { AllKeys, NoKeys, Digits, HexDigits, DigitsAndPoint };

bool keyPasses(KeyFilter filter, char key);

class CalculatorControls {
public:
    virtual ~CalculatorControls() = default;

    const Control& control(const std::string& name) const;
    const std::map<std::string, Control>& controls() const { return controls_; }

    // The user typed or pasted: the control's rule runs on the new text (letters of an upper-case
    // control become capitals first).
    void userText(const std::string& name, const std::string& text);
    // The user picked an item of a combo box.
    void userPick(const std::string& name, const std::string& text);
    // The spin buttons of a spin edit, and leaving it: its value is brought into 0..maximum.
    void spinStep(const std::string& name, int delta);
    void spinExit(const std::string& name);

    virtual KeyFilter keyFilter(const std::string& name) const = 0;
    // The largest value a spin edit takes (its MaxValue).
    std::int32_t spinMaximum(const std::string& name) const;

protected:
    Control& at(const std::string& name) { return controls_[name]; }
    // Writes a text as the dialog's own code does: a different text runs the control's rule.
    void setText(const std::string& name, const std::string& text);
    // Writes a combo box's text; no rule runs.
    void showText(const std::string& name, const std::string& text) { at(name).text = text; }
    void flag(const std::string& name, bool yellow = true) { at(name).yellow = yellow; }
    void setSpinMaximum(const std::string& name, std::int32_t maximum) { spinMaximums_[name] = maximum; }
    // A spin edit's value: its text as a decimal number, the minimum 0 for a text that is none.
    std::int64_t spinValue(const std::string& name) const;
    void makeUpperCase(const std::string& name) { upperCase_[name] = true; }

    virtual void textChanged(const std::string& name) = 0;
    virtual void picked(const std::string& name) = 0;

private:
    std::map<std::string, Control> controls_;
    std::map<std::string, std::int32_t> spinMaximums_;
    std::map<std::string, bool> upperCase_;
};

// A text of decimal digits (an optional sign in front) as a number; nothing for any other text or
// one too long to be a number of these dialogs.
std::optional<std::int64_t> decimalNumber(const std::string& text);
// A text of the digits 0-9 and A-F as a number; an empty text is 0. Nothing for any other text.
std::optional<std::int64_t> hexNumber(const std::string& text);

}  // namespace kestrion
