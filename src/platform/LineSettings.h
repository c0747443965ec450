#pragma once

#include "platform/SerialPort.h"

#include <QString>

#include <optional>

// A serial line's settings as written in "4800,N,8,1": baud rate, parity, data bits, stop bits.
struct LineSettings
{
    enum class Parity { None, Even, Odd, Mark, Space };
    enum class StopBits { One, OneAndHalf, Two };

    int baudRate = 9600;
    Parity parity = Parity::None;
    int dataBits = 8;
    StopBits stopBits = StopBits::One;

    // Parity N, E, O, M or S; 5 to 8 data bits; 1, 1.5 or 2 stop bits. Nothing for other texts.
    static std::optional<LineSettings> parse(const QString &text);
};

// Error numbers as serial-port users on this kind of farm PC know them.
enum class PortErrorNumber : int {
    InvalidSetting = 380,
    InvalidPort = 8002,
    AlreadyOpen = 8005,
    PortUnavailable = 8010,
    CannotSetState = 8015,
    LineLost = 8020,
};

// An error of the serial port service, from the program itself.
PortError makePortError(PortErrorNumber number, const QString &description);
