#pragma once

#include "platform/SerialPort.h"

#include <QObject>
#include <QSerialPort>

// The terminals' line on QSerialPort. Port n is resolved through the program folder (see
// ComPorts). Bytes move between the system and QSerialPort's buffers while the event loop
// runs; writes are pushed out at once.
class QtSerialPort final : public SerialPort
{
    Q_OBJECT
public:
    explicit QtSerialPort(QString programFolder);
    ~QtSerialPort() override;

    void setPortNumber(int number) override { m_number = number; }
    int portNumber() const override { return m_number; }
    void setSettings(const QString &settings) override { m_settings = settings; }
    void setDtr(bool on) override;

    std::optional<PortError> open() override;
    void close() override;
    bool isOpen() const override { return m_port.isOpen(); }

    int bytesWaiting() override;
    std::optional<std::uint8_t> readByte() override;
    bool write(const QByteArray &bytes) override;

    // How many errors QSerialPort has reported since this object was made.
    int errorsReported() const { return m_errorsReported; }

private:
    void onError(QSerialPort::SerialPortError error);

    QSerialPort m_port;
    QString m_programFolder;
    int m_number = 0;
    QString m_settings = QStringLiteral("9600,N,8,1");
    bool m_dtr = false;
    int m_errorsReported = 0;
};
