// SIGTERM, SIGINT and SIGHUP end the program the way the window's close box does, never at once:
// the handler only writes the signal's number into a pipe, and the event loop reads it and asks
// for the close (the save question when the program is modified, the settings written once).
#pragma once

#include <QObject>

class QSocketNotifier;

namespace kestrion::app {

class CloseSignals : public QObject {
    Q_OBJECT
public:
    // Installs the handlers of the three signals; one object at a time. A signal from then on waits
    // in the pipe until listen().
    explicit CloseSignals(QObject* parent = nullptr);
    // Gives the signals back their default handling.
    ~CloseSignals() override;
    CloseSignals(const CloseSignals&) = delete;
    CloseSignals& operator=(const CloseSignals&) = delete;

    // Delivers the signals, those that came before included, once the receiver is connected.
    void listen();

signals:
    void closeRequested(int signalNumber);

private:
    void readPipe();

    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace kestrion::app
