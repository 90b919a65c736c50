#include "app/forms/KestrionApplication.h"

#include <cstdio>
#include <exception>

namespace kestrion::app {

KestrionApplication::KestrionApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool KestrionApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        fail(error.what());
    } catch (...) {
        fail("unknown exception");
    }
    return false;
}

void KestrionApplication::fail(const std::string& text) {
    if (failure_.empty()) failure_ = text;
    std::fprintf(stderr, "kestrion: unexpected error: %s\n", text.c_str());
    exit(1);
}

}  // namespace kestrion::app
