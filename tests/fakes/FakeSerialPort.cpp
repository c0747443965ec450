#include "fakes/FakeSerialPort.h"

#include <algorithm>

std::optional<PortError> FakeSerialPort::open()
{
    ++openCount;
    if (open_)
        return PortError{8005, QStringLiteral("Port already open"), QStringLiteral("PC Vimo 2")};
    if (portNumberSet <= 0
        || std::find(failingPorts.begin(), failingPorts.end(), portNumberSet) != failingPorts.end())
        return openError;
    open_ = true;
    openedPorts.push_back(portNumberSet);
    return std::nullopt;
}

std::optional<std::uint8_t> FakeSerialPort::readByte()
{
    if (incoming.empty())
        return std::nullopt;
    const std::uint8_t b = incoming.front();
    incoming.pop_front();
    return b;
}

bool FakeSerialPort::write(const QByteArray &bytes)
{
    if (!open_ || failWrites)
        return false;
    written.append(bytes);
    return true;
}

void FakeSerialPort::feed(const QByteArray &bytes)
{
    for (char c : bytes)
        incoming.push_back(std::uint8_t(c));
}

void FakeSerialPort::feedHex(const QString &hex)
{
    feed(hexBytes(hex));
}

QString FakeSerialPort::takeWrittenHex()
{
    const QString hex = toHex(written);
    written.clear();
    return hex;
}

QByteArray hexBytes(const QString &hex)
{
    QString compact = hex;
    compact.remove(u' ');
    return QByteArray::fromHex(compact.toLatin1());
}

QString toHex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}
