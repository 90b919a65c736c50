#include "app/forms/CloseSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <stdexcept>

namespace kestrion::app {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Read end and write end; the handler may touch nothing but the write end.
int signalPipe[2] = {-1, -1};

extern "C" void writeSignalNumber(int number) {
    const int saved = errno;
    const auto byte = static_cast<unsigned char>(number);
    // A full pipe already holds a request to close: this one may go.
    [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
    errno = saved;
}

void setHandler(int number, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(number, &action, nullptr);
}

}  // namespace

CloseSignals::CloseSignals(QObject* parent) : QObject(parent) {
    if (signalPipe[0] != -1) throw std::logic_error("CloseSignals: the signals are taken already");
    if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) throw std::runtime_error("CloseSignals: no pipe");
    notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    notifier_->setEnabled(false);
    connect(notifier_, &QSocketNotifier::activated, this, &CloseSignals::readPipe);
    for (int number : kSignals) setHandler(number, writeSignalNumber);
}

CloseSignals::~CloseSignals() {
    for (int number : kSignals) setHandler(number, SIG_DFL);
    delete notifier_;
    close(signalPipe[0]);
    close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

void CloseSignals::listen() {
    notifier_->setEnabled(true);
}

void CloseSignals::readPipe() {
    unsigned char byte = 0;
    while (read(signalPipe[0], &byte, 1) == 1) emit closeRequested(byte);
}

}  // namespace kestrion::app
