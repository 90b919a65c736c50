// The application object. An exception that escapes an event handler is not allowed to unwind
// through Qt: it is caught where the event is delivered, reported on stderr, and the message loop
// ends with exit code 1 so that the process does not go on in an unknown state.
#pragma once

#include <QApplication>
#include <string>

namespace kestrion::app {

class KestrionApplication : public QApplication {
public:
    KestrionApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The text of the error that ended the loop; empty while none did.
    const std::string& failure() const { return failure_; }

private:
    void fail(const std::string& text);

    std::string failure_;
};

}  // namespace kestrion::app
