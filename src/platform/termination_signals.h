#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGHUP and SIGINT (a kill, a closed terminal, a logout that does
// not ask, Ctrl+C) arrive as a Qt signal on the thread that made this
// object, through a socket pair the handler writes one byte to: the only
// work a signal handler may safely do. One object per process.
class TerminationSignals final : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    // Ends the process as the signal would have ended it.
    [[noreturn]] static void endAs(int signalNumber);

Q_SIGNALS:
    void received(int signalNumber);

private:
    void readSignal();

    QSocketNotifier* m_notifier = nullptr;
};
