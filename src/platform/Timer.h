#pragma once

#include <QObject>

// A periodic tick. The application drives it from a QTimer; tests call tick() by hand.
class Timer : public QObject
{
    Q_OBJECT
public:
    explicit Timer(int intervalMs = 0, bool enabled = false) : m_interval(intervalMs), m_enabled(enabled) { }

    int interval() const { return m_interval; }
    void setInterval(int intervalMs);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    // One tick; ignored while the timer is disabled.
    void tick();

Q_SIGNALS:
    void changed();
    void ticked();

private:
    int m_interval;
    bool m_enabled;
};
