// The device list on Windows, which numbers its ports itself: no ports folder.
#include "platform/qt/PortsFolderDeviceList.h"

#ifdef Q_OS_WIN
#include "platform/qt/ComPorts.h"

#include <QSerialPortInfo>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

QString bracketed(int number)
{
    return QStringLiteral(" (COM") + QString::number(number) + u')';
}

using NumberedName = std::pair<int, QString>;

QStringList inPortOrder(std::vector<NumberedName> ports)
{
    std::stable_sort(ports.begin(), ports.end(),
                     [](const NumberedName &a, const NumberedName &b) { return a.first < b.first; });
    QStringList names;
    for (const NumberedName &port : ports)
        names << port.second;
    return names;
}

std::optional<QStringList> systemPorts(const QString &)
{
    std::vector<NumberedName> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        if (const auto number = ComPorts::numberOf(info.portName()))
            ports.emplace_back(*number, info.description() + bracketed(*number));
    return inPortOrder(std::move(ports));
}

} // namespace

std::optional<QStringList> PortsFolderDeviceList::deviceNames()
{
    return systemPorts(m_programFolder);
}

bool PortsFolderDeviceList::makeLink(const QString &, int, const SystemDevices &)
{
    return false; // Windows numbers its ports itself
}

std::vector<SerialDevice> PortsFolderDeviceList::systemDevices()
{
    return {};
}
#endif
