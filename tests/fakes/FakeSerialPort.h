#pragma once

#include "fakes/QtPrinters.h"

#include "platform/SerialPort.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <utility>
#include <vector>

// "FA 00 05" -> bytes; blanks optional (fromHex skips them).
inline QByteArray hexBytes(const QString &hex)
{
    return QByteArray::fromHex(hex.toLatin1());
}
inline QString toHex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

// A serial port made of byte queues: tests feed what the terminals "send" and read back
// what the program wrote. It can be told to fail opening.
class FakeSerialPort final : public SerialPort
{
public:
    void setPortNumber(int number) override { portNumberSet = number; }
    int portNumber() const override { return portNumberSet; }
    void setSettings(const QString &text) override { settings = text; }
    void setDtr(bool on) override { dtr = on; }

    std::optional<PortError> open() override
    {
        ++openCount;
        if (open_)
            return PortError{8005, QStringLiteral("Port already open"), QStringLiteral("PC Vimo 2")};
        if (portNumberSet <= 0 || std::count(failingPorts.begin(), failingPorts.end(), portNumberSet))
            return openError;
        open_ = true;
        openedPorts.push_back(portNumberSet);
        return std::nullopt;
    }
    void close() override
    {
        open_ = false;
        ++closeCount;
    }
    bool isOpen() const override { return open_; }

    int bytesWaiting() override { return int(incoming.size()); }
    std::optional<std::uint8_t> readByte() override
    {
        if (incoming.isEmpty())
            return std::nullopt;
        const auto b = std::uint8_t(incoming.front());
        incoming.remove(0, 1);
        return b;
    }
    bool write(const QByteArray &bytes) override
    {
        if (open_)
            written.append(bytes);
        return open_;
    }

    // The line goes away while open, as when an adapter is pulled out.
    void loseLine()
    {
        open_ = false;
        Q_EMIT lineLost(PortError{8020, QStringLiteral("The line to the hand terminals was lost"),
                                  QStringLiteral("PC Vimo 2")});
    }

    // Bytes for the program to read.
    void feed(const QByteArray &bytes) { incoming += bytes; }
    // What the program wrote since the last take, as upper-case hex pairs separated by blanks.
    QString takeWrittenHex() { return toHex(std::exchange(written, {})); }

    int portNumberSet = 0;
    QString settings;
    bool dtr = false;
    bool open_ = false;
    int openCount = 0;
    int closeCount = 0;
    std::vector<int> openedPorts; // port numbers of successful openings
    std::vector<int> failingPorts; // port numbers whose opening fails
    std::optional<PortError> openError
        = PortError{8002, QStringLiteral("Invalid port number"), QStringLiteral("PC Vimo 2")};
    QByteArray incoming;
    QByteArray written;
};
