#pragma once

#include "platform/DeviceList.h"

#include <QString>

// The serial ports present, named as the system's device manager names them:
// "USB Serial Port (COM3)". On Linux they are the links <ProgramFolder>/ports/COMn whose
// device exists; a USB serial adapter or a pseudo-terminal (the stand-in for one) is a
// "USB Serial Port", anything else a "Communications Port". Ordered by port number.
class PortsFolderDeviceList final : public DeviceList
{
public:
    explicit PortsFolderDeviceList(QString programFolder) : m_programFolder(std::move(programFolder)) { }

    std::optional<QStringList> deviceNames() override;

    // The name of a port whose device is `device`.
    static QString nameFor(int number, const QString &device);

private:
    QString m_programFolder;
};
