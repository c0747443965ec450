#pragma once

#include <QString>

#include <map>
#include <vector>

// A serial device as the system lists it.
struct SerialDevice
{
    QString stableId; // its /dev/serial/by-id name, else USB ids and serial number, else its path
    QString devicePath; // the device itself: /dev/ttyUSB0
    bool usb = false;
    QString description; // the adapter's own name: "FT232R USB UART"
    QString linkTarget; // what a ports/COMn link to it points at: the by-id path when there is one
};

// A link ports/COMn as the ports folder holds it.
struct PortLink
{
    int number = 0;
    QString target; // as written in the link
    QString device; // the device at its end; empty when nothing is there
};

// A port to list: a link, or a present device with the number it was given.
struct NumberedPort
{
    int number = 0;
    QString device;
    bool usb = false;
    QString description;
    QString linkTarget; // empty for a hand-made link: that one is left alone
};

// Gives the system's serial devices COM numbers that stay. The numbers given are kept in
// ports/assigned.txt ("number TAB stable id TAB link target made", a line each), so a device
// gets its number back after a restart and when it is plugged in again, and the number of a
// device that is away is kept for it. Links made by hand win: their numbers are never given to
// a device, a device that a hand-made link already names is listed only as that link, and a
// device whose number has since been taken by a hand-made link moves to a new number. New
// devices take the lowest free numbers, USB adapters first (by stable id within a kind).
class ComNumbering
{
public:
    explicit ComNumbering(const QString &assignedText = {});

    // The ports to list, by number: the links with a device at their end and the present devices.
    std::vector<NumberedPort> number(const std::vector<PortLink> &links,
                                     const std::vector<SerialDevice> &devices);
    // The automatic link ports/COMn was made to point at `target`.
    void linkMade(int number, const QString &target);
    // Whether a link in the ports folder was made by the program (and may be made again).
    bool isAutomatic(const PortLink &link) const;

    // The text for ports/assigned.txt and whether it differs from the text read.
    QString assignedText() const;
    bool changed() const { return m_changed; }

    // "USB Serial Port (COM3)", "USB Serial Port, FT232R USB UART (COM4)", "Communications Port (COM1)".
    static QString displayName(const NumberedPort &port);

private:
    struct Assignment
    {
        QString stableId;
        QString linkTarget;
    };
    int lowestFree(const std::vector<int> &handNumbers) const;

    std::map<int, Assignment> m_assigned;
    bool m_changed = false;
};
