#pragma once

#include <QString>

#include <optional>

// Serial port n is the system's COMn. Linux numbers no serial ports, so there COMn is the
// device that the link <ProgramFolder>/ports/COMn points to (ln -s /dev/ttyUSB0 ports/COM3).
namespace ComPorts {

// <ProgramFolder>/ports/COMn
QString linkPath(const QString &programFolder, int number);
// What QSerialPort opens for COMn: on Windows "COMn"; elsewhere the device at the end of
// the link, empty when there is no link or nothing at its end.
QString device(const QString &programFolder, int number);
// n of a name "COMn" with n at least 1.
std::optional<int> numberOf(const QString &name);

} // namespace ComPorts
