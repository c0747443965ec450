#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <deque>
#include <memory>

class QSocketNotifier;

// The terminals' end of the serial line: a pseudo-terminal whose other end is linked as
// <folder>/ports/COMn, where the program looks for its port. Bytes go out no faster than the
// line's baud rate would carry them.
class PtyLine : public QObject
{
    Q_OBJECT
public:
    // Creates the pseudo-terminal and the link (an existing link is replaced); nothing and
    // `error` set when that fails.
    static std::unique_ptr<PtyLine> open(const QString &linkPath, int baud, QString *error);
    ~PtyLine() override;

    QString devicePath() const { return m_device; }
    QString linkPath() const { return m_link; }

    // Puts a packet on the line after `delayMs`, once the packets before it are out.
    void send(const QByteArray &bytes, int delayMs);
    // Packets waiting or being written.
    bool busy() const { return !m_queue.empty(); }

Q_SIGNALS:
    void received(const QByteArray &bytes);

public:
    // Only open() makes one.
    class Key
    {
        friend class PtyLine;
        Key() = default;
    };
    PtyLine(Key, int master, int slave, QString device, QString link, int baud);

private:
    void readAvailable();
    void writeDue();
    void schedule();

    struct Pending
    {
        qint64 dueMs;
        QByteArray bytes;
    };

    int m_master;
    int m_slave; // held open so the line stays up while the program has the port closed
    QString m_device;
    QString m_link;
    int m_baud;
    std::unique_ptr<QSocketNotifier> m_reader;
    QTimer m_writeTimer;
    QElapsedTimer m_clock;
    qint64 m_lineFreeMs = 0;
    std::deque<Pending> m_queue;
};
