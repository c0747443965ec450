#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;

// Turns SIGINT and SIGTERM into a Qt signal, so a run that is stopped still ends with its summary.
class SignalQuit : public QObject
{
    Q_OBJECT
public:
    SignalQuit();
    ~SignalQuit() override;

Q_SIGNALS:
    void stopRequested(int signalNumber);

private:
    std::unique_ptr<QSocketNotifier> m_notifier;
};
