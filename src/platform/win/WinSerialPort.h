#pragma once

#include "platform/SerialPort.h"

#include <QByteArray>
#include <QString>

// The terminals' line on a Windows COM port, read by polling: every read takes what has
// arrived and returns at once. The receive tick polls anyway, and no completion port is
// needed, which Wine's serial layer never posts to.
class WinSerialPort final : public SerialPort
{
public:
    WinSerialPort() = default;
    ~WinSerialPort() override;
    WinSerialPort(const WinSerialPort &) = delete;
    WinSerialPort &operator=(const WinSerialPort &) = delete;

    void setPortNumber(int number) override { m_number = number; }
    int portNumber() const override { return m_number; }
    void setSettings(const QString &settings) override { m_settings = settings; }
    void setDtr(bool on) override;

    std::optional<PortError> open() override;
    void close() override;
    bool isOpen() const override { return m_handle != nullptr; }

    int bytesWaiting() override;
    std::optional<std::uint8_t> readByte() override;
    bool write(const QByteArray &bytes) override;

private:
    // Moves what has arrived into m_received; closes the port and reports it when the line is gone.
    void poll();
    void lose(const QString &reason);

    void *m_handle = nullptr; // the COM port's HANDLE, null when closed
    int m_number = 0;
    QString m_settings = QStringLiteral("9600,N,8,1");
    bool m_dtr = false;
    QByteArray m_received;
    qsizetype m_readPosition = 0;
};
