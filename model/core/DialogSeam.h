// Where each subsystem's dialog interface finds the implementation installed for it: the Qt
// dialogs at start-up, fakes in tests. One slot per interface type, so a subsystem adds dialogs to
// its own interface without touching any other.
//
// An interface names itself for the error raised when it is used before anything is installed:
//     class LineDialogs { public: static constexpr const char* seamName = "line dialogs"; ... };
#pragma once

#include <stdexcept>
#include <string>

namespace kestrion {

template <typename Interface>
class DialogSeam {
public:
    static void install(Interface& dialogs) { slot() = &dialogs; }
    static void uninstall() { slot() = nullptr; }
    static bool installed() { return slot() != nullptr; }
    static Interface& get() {
        if (slot() == nullptr)
            throw std::logic_error(std::string("dialogs not installed: ") + Interface::seamName);
        return *slot();
    }

private:
    static Interface*& slot() {
        static Interface* current = nullptr;
        return current;
    }
};

// Installs dialogs for the lifetime of the object and puts back what was installed before.
template <typename Interface>
class InstalledDialogs {
public:
    explicit InstalledDialogs(Interface& dialogs)
        : previous_(DialogSeam<Interface>::installed() ? &DialogSeam<Interface>::get() : nullptr) {
        DialogSeam<Interface>::install(dialogs);
    }
    ~InstalledDialogs() {
        if (previous_ != nullptr)
            DialogSeam<Interface>::install(*previous_);
        else
            DialogSeam<Interface>::uninstall();
    }
    InstalledDialogs(const InstalledDialogs&) = delete;
    InstalledDialogs& operator=(const InstalledDialogs&) = delete;

private:
    Interface* previous_;
};

}  // namespace kestrion
