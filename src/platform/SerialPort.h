#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <cstdint>
#include <optional>

// Why a port could not be opened, for the faults a user can mend.
enum class OpenError { None, Permission, Busy, NotFound, Other };

// What went wrong on the port, as the port-problem window shows it.
struct PortError
{
    int number = 0;
    QString description;
    QString source;
    OpenError kind = OpenError::None;
    QString deviceGroup = {}; // the group that may use it (Permission): "dialout"
};

// The terminals' serial line. Port n is the system's COMn.
class SerialPort : public QObject
{
    Q_OBJECT
public:
    virtual ~SerialPort() = default;

    virtual void setPortNumber(int number) = 0;
    virtual int portNumber() const = 0;
    // "4800,N,8,1": takes effect at the next opening.
    virtual void setSettings(const QString &settings) = 0;
    virtual void setDtr(bool on) = 0;

    // Opens the port; the error when it cannot be opened.
    virtual std::optional<PortError> open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    virtual int bytesWaiting() = 0;
    virtual std::optional<std::uint8_t> readByte() = 0;
    // Writes raw bytes in order; false when the port is closed or the write failed.
    virtual bool write(const QByteArray &bytes) = 0;

Q_SIGNALS:
    // An open line went away (adapter pulled out, far end gone); the port is closed already.
    void lineLost(const PortError &error);
};
