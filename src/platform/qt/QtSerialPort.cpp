#include "platform/qt/QtSerialPort.h"

#include "platform/LineSettings.h"
#include "platform/qt/ComPorts.h"
#include "platform/qt/PortsFolderDeviceList.h"

#include <QFile>
#include <QFileInfo>

#include <limits>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

QSerialPort::Parity qtParity(LineSettings::Parity parity)
{
    switch (parity) {
    case LineSettings::Parity::None:
        break;
    case LineSettings::Parity::Even:
        return QSerialPort::EvenParity;
    case LineSettings::Parity::Odd:
        return QSerialPort::OddParity;
    case LineSettings::Parity::Mark:
        return QSerialPort::MarkParity;
    case LineSettings::Parity::Space:
        return QSerialPort::SpaceParity;
    }
    return QSerialPort::NoParity;
}

QSerialPort::StopBits qtStopBits(LineSettings::StopBits stopBits)
{
    switch (stopBits) {
    case LineSettings::StopBits::One:
        break;
    case LineSettings::StopBits::OneAndHalf:
        return QSerialPort::OneAndHalfStop;
    case LineSettings::StopBits::Two:
        return QSerialPort::TwoStop;
    }
    return QSerialPort::OneStop;
}

// Says which of the faults a user can mend it is: no right to the device (and the group
// that has it) or another program holding it. Both come as PermissionError; the lock file
// that keeps a second program off a port is the busy case.
PortError withKind(PortError error, QSerialPort::SerialPortError cause,
                   [[maybe_unused]] const QString &device)
{
    error.kind = OpenError::Other;
    if (cause == QSerialPort::DeviceNotFoundError) {
        error.kind = OpenError::NotFound;
    } else if (cause == QSerialPort::PermissionError) {
#ifdef Q_OS_UNIX
        if (::access(QFile::encodeName(device).constData(), R_OK | W_OK) != 0) {
            error.kind = OpenError::Permission;
            error.deviceGroup = QFileInfo(device).group();
            return error;
        }
#endif
        error.kind = OpenError::Busy;
    }
    return error;
}

PortError openingError(QSerialPort::SerialPortError error, const QString &detail)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return makePortError(PortErrorNumber::InvalidPort, QStringLiteral("Invalid port number: ") + detail);
    case QSerialPort::OpenError:
        return makePortError(PortErrorNumber::AlreadyOpen, QStringLiteral("Port already open"));
    case QSerialPort::PermissionError:
        return makePortError(PortErrorNumber::PortUnavailable,
                             QStringLiteral("The port is in use or may not be used: ") + detail);
    case QSerialPort::UnsupportedOperationError:
        return makePortError(PortErrorNumber::CannotSetState,
                             QStringLiteral("Could not set the line: ") + detail);
    default:
        return makePortError(PortErrorNumber::PortUnavailable,
                             QStringLiteral("The port is not available: ") + detail);
    }
}

} // namespace

QtSerialPort::QtSerialPort(QString programFolder) : m_programFolder(std::move(programFolder))
{
    connect(&m_port, &QSerialPort::errorOccurred, this, &QtSerialPort::onError);
}

QtSerialPort::~QtSerialPort()
{
    // Disconnects first, so closing does not report to a half-destroyed object.
    disconnect(&m_port, nullptr, this, nullptr);
    close();
}

void QtSerialPort::setDtr(bool on)
{
    m_dtr = on;
    if (m_port.isOpen())
        m_port.setDataTerminalReady(on);
}

std::optional<PortError> QtSerialPort::open()
{
    if (m_port.isOpen())
        return makePortError(PortErrorNumber::AlreadyOpen, QStringLiteral("Port already open"));
    QString device = ComPorts::device(m_programFolder, m_number);
    // A device the system lists gets its link when it is chosen.
    if (device.isEmpty() && m_number > 0 && PortsFolderDeviceList::makeLink(m_programFolder, m_number))
        device = ComPorts::device(m_programFolder, m_number);
    if (device.isEmpty()) {
        PortError error = makePortError(PortErrorNumber::InvalidPort, QStringLiteral("Invalid port number"));
        error.kind = m_number > 0 ? OpenError::NotFound : OpenError::Other;
        return error;
    }
    const auto line = LineSettings::parse(m_settings);
    if (!line)
        return makePortError(PortErrorNumber::InvalidSetting, QStringLiteral("Invalid property value"));

    m_port.setPortName(device);
    m_port.setBaudRate(line->baudRate);
    m_port.setParity(qtParity(line->parity));
    m_port.setDataBits(QSerialPort::DataBits(line->dataBits));
    m_port.setStopBits(qtStopBits(line->stopBits));
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadWrite))
        return withKind(openingError(m_port.error(), m_port.errorString()), m_port.error(), device);

    // A pseudo-terminal has no modem lines and refuses DTR; the line works all the same.
    if (m_dtr)
        m_port.setDataTerminalReady(true);
    m_port.clearError();
    return std::nullopt;
}

void QtSerialPort::close()
{
    if (m_port.isOpen())
        m_port.close();
}

int QtSerialPort::bytesWaiting()
{
    // A closed port has none: closing empties its buffer.
    return int(std::min<qint64>(m_port.bytesAvailable(), std::numeric_limits<int>::max()));
}

std::optional<std::uint8_t> QtSerialPort::readByte()
{
    char byte = 0;
    if (!m_port.isOpen() || !m_port.getChar(&byte))
        return std::nullopt;
    return std::uint8_t(byte);
}

bool QtSerialPort::write(const QByteArray &bytes)
{
    if (!m_port.isOpen())
        return false;
    const bool written = m_port.write(bytes) == bytes.size();
    // Hands the bytes to the system now rather than at the next turn of the event loop.
    m_port.flush();
    return written;
}

void QtSerialPort::onError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError)
        return;
    ++m_errorsReported;
    // Once the device is gone QSerialPort reports the same error over and over while the
    // port stays open; closing it at the first one keeps the program from spinning.
    if ((error == QSerialPort::ReadError || error == QSerialPort::ResourceError) && m_port.isOpen()) {
        const QString reason = m_port.errorString();
        m_port.close();
        Q_EMIT lineLost(makePortError(PortErrorNumber::LineLost,
                                      QStringLiteral("The line to the hand terminals was lost: ") + reason));
    }
}
