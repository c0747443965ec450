#include "platform/win/WinSerialPort.h"

#include "platform/LineSettings.h"

#include <windows.h>

namespace {

BYTE winParity(LineSettings::Parity parity)
{
    switch (parity) {
    case LineSettings::Parity::None:
        break;
    case LineSettings::Parity::Even:
        return EVENPARITY;
    case LineSettings::Parity::Odd:
        return ODDPARITY;
    case LineSettings::Parity::Mark:
        return MARKPARITY;
    case LineSettings::Parity::Space:
        return SPACEPARITY;
    }
    return NOPARITY;
}

BYTE winStopBits(LineSettings::StopBits stopBits)
{
    switch (stopBits) {
    case LineSettings::StopBits::One:
        break;
    case LineSettings::StopBits::OneAndHalf:
        return ONE5STOPBITS;
    case LineSettings::StopBits::Two:
        return TWOSTOPBITS;
    }
    return ONESTOPBIT;
}

QString systemMessage(DWORD code)
{
    wchar_t *text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                            | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    QString message = length > 0 ? QString::fromWCharArray(text, int(length)).trimmed()
                                 : QStringLiteral("error %1").arg(code);
    LocalFree(text);
    return message;
}

PortError openingError(DWORD code, const QString &port)
{
    const QString detail = port + QStringLiteral(": ") + systemMessage(code);
    PortError error;
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        error = makePortError(PortErrorNumber::InvalidPort, QStringLiteral("Invalid port number: ") + detail);
        error.kind = OpenError::NotFound;
        break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        // Windows opens a COM port for one program at a time; every user may open a free one.
        error = makePortError(PortErrorNumber::PortUnavailable,
                              QStringLiteral("The port is in use or may not be used: ") + detail);
        error.kind = OpenError::Busy;
        break;
    default:
        error = makePortError(PortErrorNumber::PortUnavailable,
                              QStringLiteral("The port is not available: ") + detail);
        error.kind = OpenError::Other;
        break;
    }
    return error;
}

// Applies the line settings and DTR; reads return at once with what has arrived, and a write
// that the line cannot take within a few seconds fails rather than freezing the program.
bool configure(HANDLE handle, const LineSettings &line, bool dtr)
{
    DCB state = {};
    state.DCBlength = sizeof(state);
    if (!GetCommState(handle, &state))
        return false;
    state.BaudRate = DWORD(line.baudRate);
    state.ByteSize = BYTE(line.dataBits);
    state.Parity = winParity(line.parity);
    state.StopBits = winStopBits(line.stopBits);
    state.fBinary = TRUE;
    state.fParity = line.parity != LineSettings::Parity::None;
    state.fOutxCtsFlow = FALSE;
    state.fOutxDsrFlow = FALSE;
    state.fDsrSensitivity = FALSE;
    state.fOutX = FALSE;
    state.fInX = FALSE;
    state.fNull = FALSE;
    state.fAbortOnError = FALSE;
    state.fDtrControl = dtr ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
    state.fRtsControl = RTS_CONTROL_ENABLE;
    if (!SetCommState(handle, &state))
        return false;

    COMMTIMEOUTS timeouts = {};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.WriteTotalTimeoutMultiplier = 10;
    timeouts.WriteTotalTimeoutConstant = 2000;
    return SetCommTimeouts(handle, &timeouts) != 0;
}

} // namespace

WinSerialPort::~WinSerialPort()
{
    close();
}

void WinSerialPort::setDtr(bool on)
{
    m_dtr = on;
    if (m_handle)
        EscapeCommFunction(m_handle, on ? SETDTR : CLRDTR);
}

std::optional<PortError> WinSerialPort::open()
{
    if (m_handle)
        return makePortError(PortErrorNumber::AlreadyOpen, QStringLiteral("Port already open"));
    if (m_number <= 0) {
        PortError error = makePortError(PortErrorNumber::InvalidPort, QStringLiteral("Invalid port number"));
        error.kind = OpenError::Other;
        return error;
    }
    const auto line = LineSettings::parse(m_settings);
    if (!line)
        return makePortError(PortErrorNumber::InvalidSetting, QStringLiteral("Invalid property value"));

    const QString name = QStringLiteral("COM") + QString::number(m_number);
    // The \\.\ form reaches COM10 and above too.
    const std::wstring path = (QStringLiteral("\\\\.\\") + name).toStdWString();
    HANDLE handle
        = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return openingError(GetLastError(), name);
    if (!configure(handle, *line, m_dtr)) {
        const DWORD code = GetLastError();
        CloseHandle(handle);
        return makePortError(PortErrorNumber::CannotSetState,
                             QStringLiteral("Could not set the line: ") + name + QStringLiteral(": ")
                                 + systemMessage(code));
    }
    m_handle = handle;
    m_received.clear();
    m_readPosition = 0;
    return std::nullopt;
}

void WinSerialPort::close()
{
    if (!m_handle)
        return;
    CloseHandle(m_handle);
    m_handle = nullptr;
    m_received.clear();
    m_readPosition = 0;
}

void WinSerialPort::poll()
{
    if (!m_handle)
        return;
    DWORD errors = 0;
    COMSTAT status = {};
    // Clears a framing or overrun error, which would otherwise stop the line; a broken byte is
    // caught by the packet's checksum. Failing here means the device is gone.
    if (!ClearCommError(m_handle, &errors, &status)) {
        lose(systemMessage(GetLastError()));
        return;
    }
    m_received.remove(0, m_readPosition);
    m_readPosition = 0;
    char buffer[4096];
    DWORD got = 0;
    do {
        if (!ReadFile(m_handle, buffer, sizeof(buffer), &got, nullptr)) {
            lose(systemMessage(GetLastError()));
            return;
        }
        m_received.append(buffer, qsizetype(got));
    } while (got == sizeof(buffer));
}

void WinSerialPort::lose(const QString &reason)
{
    close();
    Q_EMIT lineLost(makePortError(PortErrorNumber::LineLost,
                                  QStringLiteral("The line to the hand terminals was lost: ") + reason));
}

int WinSerialPort::bytesWaiting()
{
    // The system is asked again once what it gave has been read: one call a burst, not a byte.
    if (m_readPosition == m_received.size())
        poll();
    return int(m_received.size() - m_readPosition);
}

std::optional<std::uint8_t> WinSerialPort::readByte()
{
    if (m_readPosition == m_received.size())
        poll();
    if (m_readPosition == m_received.size())
        return std::nullopt;
    return std::uint8_t(m_received.at(m_readPosition++));
}

bool WinSerialPort::write(const QByteArray &bytes)
{
    if (!m_handle)
        return false;
    qsizetype done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        if (!WriteFile(m_handle, bytes.constData() + done, DWORD(bytes.size() - done), &written, nullptr))
            return false;
        if (written == 0)
            return false; // timed out: the line takes nothing
        done += written;
    }
    return true;
}
