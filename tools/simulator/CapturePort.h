#pragma once

#include "platform/SerialPort.h"

#include <utility>

// A port that only collects what is written to it, so a terminal can build its answers with the
// program's own packet senders and the caller decides when they go on the line.
class CapturePort final : public SerialPort
{
public:
    void setPortNumber(int number) override { m_number = number; }
    int portNumber() const override { return m_number; }
    void setSettings(const QString &) override { }
    void setDtr(bool) override { }
    std::optional<PortError> open() override { return std::nullopt; }
    void close() override { }
    bool isOpen() const override { return true; }
    int bytesWaiting() override { return 0; }
    std::optional<std::uint8_t> readByte() override { return std::nullopt; }
    bool write(const QByteArray &bytes) override
    {
        m_written += bytes;
        return true;
    }

    // What was written since the last take.
    QByteArray take() { return std::exchange(m_written, QByteArray()); }

private:
    int m_number = 0;
    QByteArray m_written;
};
