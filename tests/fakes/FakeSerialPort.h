#pragma once

#include "fakes/QtPrinters.h"

#include "platform/SerialPort.h"

#include <QByteArray>
#include <QString>

#include <deque>
#include <optional>
#include <vector>

// A serial port made of byte queues: tests feed what the terminals "send" and read back
// what the program wrote. It can be told to fail opening or writing.
class FakeSerialPort final : public SerialPort
{
public:
    void setPortNumber(int number) override { portNumberSet = number; }
    int portNumber() const override { return portNumberSet; }
    void setSettings(const QString &text) override { settings = text; }
    void setDtr(bool on) override { dtr = on; }

    std::optional<PortError> open() override;
    void close() override
    {
        open_ = false;
        ++closeCount;
    }
    bool isOpen() const override { return open_; }

    int bytesWaiting() override { return int(incoming.size()); }
    std::optional<std::uint8_t> readByte() override;
    bool write(const QByteArray &bytes) override;

    // The line goes away while open, as when an adapter is pulled out.
    void loseLine()
    {
        open_ = false;
        reportLineLost(PortError{8020, QStringLiteral("The line to the hand terminals was lost"),
                                 QStringLiteral("PC Vimo 2")});
    }

    // Bytes for the program to read.
    void feed(const QByteArray &bytes);
    void feedHex(const QString &hex);
    // What the program wrote since the last take, as upper-case hex pairs separated by blanks.
    QString takeWrittenHex();

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
    bool failWrites = false;
    std::deque<std::uint8_t> incoming;
    QByteArray written;
};

// "FA 00 05" -> bytes; blanks optional.
QByteArray hexBytes(const QString &hex);
QString toHex(const QByteArray &bytes);
