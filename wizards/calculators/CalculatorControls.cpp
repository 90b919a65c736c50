#include "wizards/calculators/CalculatorControls.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace kestrion {

namespace {

constexpr std::size_t kLongestNumber = 12;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isHexKey(char c) {
    return isDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

}  // namespace

bool keyPasses(KeyFilter filter, char key) {
    switch (filter) {
        case KeyFilter::AllKeys: return true;
        case KeyFilter::NoKeys: return false;
        case KeyFilter::Digits: return isDigit(key);
        case KeyFilter::HexDigits: return isHexKey(key);
        case KeyFilter::DigitsAndPoint: return isDigit(key) || key == '.';
    }
    return false;
}

const Control& CalculatorControls::control(const std::string& name) const {
    const auto found = controls_.find(name);
    if (found == controls_.end()) throw std::out_of_range("no control " + name);
    return found->second;
}

void CalculatorControls::userText(const std::string& name, const std::string& text) {
    std::string typed = text;
    if (upperCase_.count(name) != 0)
        std::transform(typed.begin(), typed.end(), typed.begin(),
                       [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    // The window already shows the typed text: the rule runs even when the dialog's copy agrees.
    at(name).text = typed;
    textChanged(name);
}

void CalculatorControls::userPick(const std::string& name, const std::string& text) {
    at(name).text = text;
    picked(name);
}

void CalculatorControls::setText(const std::string& name, const std::string& text) {
    Control& changed = at(name);
    if (changed.text == text) return;
    changed.text = text;
    textChanged(name);
}

std::int32_t CalculatorControls::spinMaximum(const std::string& name) const {
    const auto found = spinMaximums_.find(name);
    return found == spinMaximums_.end() ? 0 : found->second;
}

std::int64_t CalculatorControls::spinValue(const std::string& name) const {
    const auto found = controls_.find(name);
    return found == controls_.end() ? 0 : decimalNumber(found->second.text).value_or(0);
}

void CalculatorControls::spinStep(const std::string& name, int delta) {
    const std::int64_t stepped = std::clamp<std::int64_t>(spinValue(name) + delta, 0, spinMaximum(name));
    setText(name, std::to_string(stepped));
}

void CalculatorControls::spinExit(const std::string& name) {
    const std::int64_t value = spinValue(name);
    const std::int64_t within = std::clamp<std::int64_t>(value, 0, spinMaximum(name));
    if (within != value) setText(name, std::to_string(within));
}

std::optional<std::int64_t> decimalNumber(const std::string& text) {
    std::size_t start = text.size() > 0 && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (text.size() == start || text.size() - start > kLongestNumber) return std::nullopt;
    if (!std::all_of(text.begin() + static_cast<std::ptrdiff_t>(start), text.end(), isDigit))
        return std::nullopt;
    const std::int64_t magnitude = std::stoll(text.substr(start));
    return text[0] == '-' ? -magnitude : magnitude;
}

std::optional<std::int64_t> hexNumber(const std::string& text) {
    if (text.size() > kLongestNumber) return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (isDigit(c))
            value = value * 16 + (c - '0');
        else if (c >= 'A' && c <= 'F')
            value = value * 16 + (c - 'A' + 10);
        else
            return std::nullopt;
    }
    return value;
}

}  // namespace kestrion
