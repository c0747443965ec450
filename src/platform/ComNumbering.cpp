#include "platform/ComNumbering.h"

#include <QStringList>

#include <algorithm>

namespace {

bool contains(const std::vector<int> &numbers, int number)
{
    return std::find(numbers.begin(), numbers.end(), number) != numbers.end();
}

// A hand-made link to a USB adapter (by the name the kernel gives most of them, or one the system
// lists as USB) or to a pseudo-terminal (the simulator's stand-in for one). Only those are
// listed: anything else, a board's own port, is named as Windows names it, "Communications
// Port", which the port list leaves out as it does there.
bool isUsbDevice(const QString &device, const std::vector<SerialDevice> &devices)
{
    return device.startsWith(u"/dev/ttyUSB") || device.startsWith(u"/dev/ttyACM")
        || device.startsWith(u"/dev/pts/")
        || std::any_of(devices.begin(), devices.end(),
                       [&](const SerialDevice &d) { return d.usb && d.devicePath == device; });
}

} // namespace

ComNumbering::ComNumbering(const QString &assignedText)
{
    std::vector<QString> ids;
    for (QStringView line : QStringView(assignedText).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QList<QStringView> fields = line.split(u'\t');
        const int number = fields.size() >= 2 ? fields[0].toInt() : 0; // 0 when it is no number
        // A line that is not understood, or a second line for a number or a device, is dropped.
        if (number < 1 || fields[1].isEmpty() || m_assigned.count(number)
            || std::find(ids.begin(), ids.end(), fields[1]) != ids.end()) {
            m_changed = m_changed || !line.isEmpty();
            continue;
        }
        ids.push_back(fields[1].toString());
        m_assigned[number] = {fields[1].toString(), fields.size() > 2 ? fields[2].toString() : QString()};
    }
}

std::vector<NumberedPort> ComNumbering::number(const std::vector<PortLink> &links,
                                               const std::vector<SerialDevice> &devices)
{
    std::vector<NumberedPort> ports;
    std::vector<int> handNumbers;
    QStringList handDevices;
    for (const PortLink &link : links) {
        if (isAutomatic(link))
            continue; // its device, when present, is among the devices
        handNumbers.push_back(link.number);
        if (!link.device.isEmpty()) { // a link to nothing is an adapter that is not plugged in
            handDevices << link.device;
            ports.push_back({link.number, link.device, isUsbDevice(link.device, devices), {}, {}});
        }
    }

    std::vector<const SerialDevice *> fresh;
    for (const SerialDevice &device : devices) {
        if (handDevices.contains(device.devicePath))
            continue;
        const auto known = std::find_if(m_assigned.begin(), m_assigned.end(), [&](const auto &entry) {
            return entry.second.stableId == device.stableId;
        });
        if (known != m_assigned.end() && !contains(handNumbers, known->first)) {
            ports.push_back(
                {known->first, device.devicePath, device.usb, device.description, device.linkTarget});
            continue;
        }
        if (known != m_assigned.end()) // a link made by hand took its number: it gets another below
            m_assigned.erase(known);
        fresh.push_back(&device);
    }
    std::stable_sort(fresh.begin(), fresh.end(), [](const SerialDevice *a, const SerialDevice *b) {
        return a->usb != b->usb ? a->usb : a->stableId < b->stableId;
    });
    for (const SerialDevice *device : fresh) {
        const int number = lowestFree(handNumbers);
        m_assigned[number] = {device->stableId, {}};
        m_changed = true;
        ports.push_back({number, device->devicePath, device->usb, device->description, device->linkTarget});
    }

    std::stable_sort(ports.begin(), ports.end(),
                     [](const NumberedPort &a, const NumberedPort &b) { return a.number < b.number; });
    return ports;
}

void ComNumbering::linkMade(int number, const QString &target)
{
    const auto entry = m_assigned.find(number);
    if (entry != m_assigned.end() && entry->second.linkTarget != target) {
        entry->second.linkTarget = target;
        m_changed = true;
    }
}

bool ComNumbering::isAutomatic(const PortLink &link) const
{
    const auto entry = m_assigned.find(link.number);
    return entry != m_assigned.end() && !entry->second.linkTarget.isEmpty()
        && entry->second.linkTarget == link.target;
}

QString ComNumbering::assignedText() const
{
    QString text;
    for (const auto &[number, assignment] : m_assigned)
        text += QString::number(number) + u'\t' + assignment.stableId + u'\t' + assignment.linkTarget + u'\n';
    return text;
}

QString ComNumbering::displayName(const NumberedPort &port)
{
    QString name = port.usb ? QStringLiteral("USB Serial Port") : QStringLiteral("Communications Port");
    if (port.usb && !port.description.isEmpty())
        name += QStringLiteral(", ") + port.description;
    return name + QStringLiteral(" (COM") + QString::number(port.number) + u')';
}

int ComNumbering::lowestFree(const std::vector<int> &handNumbers) const
{
    int number = 1;
    while (contains(handNumbers, number) || m_assigned.count(number))
        ++number;
    return number;
}
