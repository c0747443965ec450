#pragma once

#include "platform/ComNumbering.h"
#include "platform/DeviceList.h"

#include <QString>

#include <functional>

// The serial ports present, named as the system's device manager names them:
// "USB Serial Port (COM3)". On Linux they are the links <ProgramFolder>/ports/COMn whose
// device exists, and the system's serial devices with the numbers ComNumbering gives them
// (kept in ports/assigned.txt); choosing such a device makes its link when the port is opened.
// A USB serial adapter or a pseudo-terminal (the stand-in for one) is a "USB Serial Port",
// anything else (a board's own port) a "Communications Port", which the port list leaves out as
// it does on Windows. Ordered by port number.
class PortsFolderDeviceList final : public DeviceList
{
public:
    using SystemDevices = std::function<std::vector<SerialDevice>()>;

    explicit PortsFolderDeviceList(QString programFolder, SystemDevices system = systemDevices)
        : m_programFolder(std::move(programFolder)), m_system(std::move(system))
    { }

    std::optional<QStringList> deviceNames() override;

    // Makes (or mends) the link ports/COMn when n is the number of a present device; false
    // when there was nothing to make or it could not be made.
    static bool makeLink(const QString &programFolder, int number,
                         const SystemDevices &system = systemDevices);
    // The USB serial devices the system lists (QSerialPortInfo and /dev/serial/by-id).
    static std::vector<SerialDevice> systemDevices();

private:
    QString m_programFolder;
    SystemDevices m_system;
};
