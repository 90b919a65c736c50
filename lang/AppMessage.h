// The application message pop-up (TAppMsgForm): a caption, two lines, the version text, and the
// Timer6 that rewrites the first line and, with the self-close flag, closes the pop-up.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace kestrion {

struct AppMessage {
    std::string caption;
    std::string line1;
    std::string line2;
    std::string versionText;
    std::uint8_t selfClose = 0;  // 1: the pop-up closes itself once the counter passes 1
    int tickCounter = 0;
    std::uint32_t timerInterval = 500;  // ms
    bool timerEnabled = false;
};

// What one Timer6 tick does to the pop-up.
struct AppMsgTick {
    bool rewriteLine1 = false;
    bool close = false;
};

// The pop-up's rules without its window.
class AppMsgRules {
public:
    explicit AppMsgRules(AppMessage message) : message_(std::move(message)) {}

    // Adds 1 to the counter; the first line is written anew on every second tick.
    AppMsgTick tick() {
        ++message_.tickCounter;
        return {message_.tickCounter % 2 == 0, message_.selfClose == 1 && message_.tickCounter > 1};
    }
    const AppMessage& message() const { return message_; }

private:
    AppMessage message_;
};

}  // namespace kestrion
