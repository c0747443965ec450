#include "platform/qt/PortsFolderDeviceList.h"

#include "platform/Paths.h"
#include "platform/qt/ComPorts.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

using NumberedName = std::pair<int, QString>;

QString bracketed(int number)
{
    return QStringLiteral(" (COM") + QString::number(number) + u')';
}

QStringList inPortOrder(std::vector<NumberedName> ports)
{
    std::stable_sort(ports.begin(), ports.end(),
                     [](const NumberedName &a, const NumberedName &b) { return a.first < b.first; });
    QStringList names;
    for (const NumberedName &port : ports)
        names << port.second;
    return names;
}

#ifdef Q_OS_WIN
std::optional<QStringList> systemPorts(const QString &)
{
    std::vector<NumberedName> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        if (const auto number = ComPorts::numberOf(info.portName()))
            ports.emplace_back(*number, info.description() + bracketed(*number));
    return inPortOrder(std::move(ports));
}
#else
std::optional<QStringList> systemPorts(const QString &programFolder)
{
    const QDir folder(joinPath(programFolder, QStringLiteral("ports")));
    if (!folder.exists())
        return QStringList();
    if (!folder.isReadable())
        return std::nullopt;
    std::vector<NumberedName> ports;
    const QFileInfoList entries = folder.entryInfoList(
        {QStringLiteral("COM*")}, QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        const auto number = ComPorts::numberOf(entry.fileName());
        if (!number || !entry.isSymLink())
            continue;
        const QString device = ComPorts::device(programFolder, *number);
        if (!device.isEmpty()) // a link to nothing is an adapter that is not plugged in
            ports.emplace_back(*number, PortsFolderDeviceList::nameFor(*number, device));
    }
    return inPortOrder(std::move(ports));
}
#endif

} // namespace

std::optional<QStringList> PortsFolderDeviceList::deviceNames()
{
    return systemPorts(m_programFolder);
}

QString PortsFolderDeviceList::nameFor(int number, const QString &device)
{
    const bool usb = device.startsWith(u"/dev/ttyUSB") || device.startsWith(u"/dev/ttyACM")
        || device.startsWith(u"/dev/pts/");
    return (usb ? QStringLiteral("USB Serial Port") : QStringLiteral("Communications Port"))
        + bracketed(number);
}
