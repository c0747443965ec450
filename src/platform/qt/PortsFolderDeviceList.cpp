#include "platform/qt/PortsFolderDeviceList.h"

#ifndef Q_OS_WIN
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "platform/qt/ComPorts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

QString portsFolder(const QString &programFolder)
{
    return joinPath(programFolder, QStringLiteral("ports"));
}

QString assignedPath(const QString &programFolder)
{
    return joinPath(programFolder, QStringLiteral("ports/assigned.txt"));
}

ComNumbering readNumbering(const QString &programFolder)
{
    const auto bytes = TextFile::readAll(assignedPath(programFolder));
    return ComNumbering(bytes ? QString::fromUtf8(*bytes) : QString());
}

// Numbers that cannot be kept are given again at the next listing; the ports still work.
void saveNumbering(const QString &programFolder, const ComNumbering &numbering)
{
    if (numbering.changed())
        TextFile::replaceWhole(assignedPath(programFolder), numbering.assignedText().toUtf8());
}

std::vector<PortLink> linksIn(const QString &programFolder)
{
    std::vector<PortLink> links;
    const QFileInfoList entries = QDir(portsFolder(programFolder))
                                      .entryInfoList({QStringLiteral("COM*")},
                                                     QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        const auto number = ComPorts::numberOf(entry.fileName());
        if (number && entry.isSymLink())
            links.push_back({*number, entry.symLinkTarget(), ComPorts::device(programFolder, *number)});
    }
    return links;
}

std::optional<QStringList> systemPorts(const QString &programFolder,
                                       const PortsFolderDeviceList::SystemDevices &system)
{
    const QDir folder(portsFolder(programFolder));
    if (folder.exists() && !folder.isReadable())
        return std::nullopt;
    ComNumbering numbering = readNumbering(programFolder);
    const std::vector<SerialDevice> devices = system();
    if (!folder.exists() && devices.empty())
        return QStringList();
    QDir(programFolder).mkpath(QStringLiteral("ports"));
    QStringList names;
    for (const NumberedPort &port : numbering.number(linksIn(programFolder), devices))
        names << ComNumbering::displayName(port);
    saveNumbering(programFolder, numbering);
    return names;
}

} // namespace

std::optional<QStringList> PortsFolderDeviceList::deviceNames()
{
    return systemPorts(m_programFolder, m_system);
}

bool PortsFolderDeviceList::makeLink(const QString &programFolder, int number, const SystemDevices &system)
{
    ComNumbering numbering = readNumbering(programFolder);
    const std::vector<NumberedPort> ports = numbering.number(linksIn(programFolder), system());
    const auto port = std::find_if(ports.begin(), ports.end(), [number](const NumberedPort &p) {
        return p.number == number && !p.linkTarget.isEmpty();
    });
    bool made = false;
    if (port != ports.end()) {
        const QString link = ComPorts::linkPath(programFolder, number);
        // Only the program's own link can be in the way here: a hand-made one keeps its number.
        const QFileInfo existing(link);
        if (existing.isSymLink() && existing.symLinkTarget() == port->linkTarget) {
            made = true;
        } else {
            QFile::remove(link);
            made = QFile::link(port->linkTarget, link);
        }
        if (made)
            numbering.linkMade(number, port->linkTarget);
    }
    saveNumbering(programFolder, numbering);
    return made;
}

std::vector<SerialDevice> PortsFolderDeviceList::systemDevices()
{
    std::vector<SerialDevice> devices;
    // udev's stable names: the same adapter has the same name whichever socket it is in.
    const QFileInfoList byId
        = QDir(QStringLiteral("/dev/serial/by-id"))
              .entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entry : byId) {
        const QString device = entry.canonicalFilePath();
        if (!device.isEmpty())
            devices.push_back({entry.fileName(),
                               device,
                               entry.fileName().startsWith(u"usb-"),
                               {},
                               entry.absoluteFilePath()});
    }
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        const QString device = QFileInfo(info.systemLocation()).canonicalFilePath();
        if (device.isEmpty())
            continue;
        const bool usb = info.hasVendorIdentifier();
        const auto known = std::find_if(devices.begin(), devices.end(),
                                        [&](const SerialDevice &d) { return d.devicePath == device; });
        if (known != devices.end()) {
            known->description = info.description();
            known->usb = known->usb || usb;
            continue;
        }
        // The terminals hang on USB adapters, and only those are listed. The board's own ports
        // (ttyS0 ...) are not numbered: they would only take the low numbers.
        if (!usb)
            continue;
        // Without a by-id name a USB adapter is known by its ids and serial number, which
        // follow it from socket to socket; anything else by its path.
        QString id = device;
        if (usb && !info.serialNumber().isEmpty())
            id = QStringLiteral("usb-%1:%2-%3")
                     .arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
                     .arg(info.productIdentifier(), 4, 16, QLatin1Char('0'))
                     .arg(info.serialNumber());
        devices.push_back({id, device, usb, info.description(), device});
    }
    return devices;
}
#endif
