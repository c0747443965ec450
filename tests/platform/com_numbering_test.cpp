#include "fakes/TempFolder.h"
#include "platform/ComNumbering.h"
#include "platform/qt/ComPorts.h"
#include "platform/qt/PortsFolderDeviceList.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace Qt::StringLiterals;

TEST(ComNumberingTest, devicesKeepTheirNumbersAndHandMadeLinksWin)
{
    const auto usb = [](const char *id, const char *device, const char *description = "") {
        return SerialDevice{QLatin1String(id), QLatin1String(device), true, QLatin1String(description),
                            u"/dev/serial/by-id/"_s + QLatin1String(id)};
    };
    const auto board = [](const char *device) {
        return SerialDevice{QLatin1String(device), QLatin1String(device), false, {}, QLatin1String(device)};
    };
    const auto link = [](int number, const char *target, const char *device) {
        return PortLink{number, QLatin1String(target), QLatin1String(device)};
    };
    const auto links = [](auto... each) { return std::vector<PortLink>{each...}; };
    const auto devices = [](auto... each) { return std::vector<SerialDevice>{each...}; };
    // What, the numbers assigned before, the links, the devices, the ports listed (display name and
    // device of each, joined by '|') and the numbers assigned after.
    const std::tuple<const char *, const char *, std::vector<PortLink>, std::vector<SerialDevice>,
                     const char *, const char *>
        cases[]
        = {{"new devices take the lowest numbers no hand-made link holds (dangling ones too), USB first", "",
            links(link(2, "/dev/ttyS0", "/dev/ttyS0"), link(3, "/dev/ttyUSB7", "")),
            devices(board("/dev/ttyS1"), usb("usb-B", "/dev/ttyUSB1"),
                    usb("usb-A", "/dev/ttyUSB0", "FT232R USB UART")),
            "USB Serial Port, FT232R USB UART (COM1) /dev/ttyUSB0|Communications Port (COM2) /dev/ttyS0|"
            "USB Serial Port (COM4) /dev/ttyUSB1|Communications Port (COM5) /dev/ttyS1",
            "1\tusb-A\t\n4\tusb-B\t\n5\t/dev/ttyS1\t\n"},
           {"after a restart a known device keeps its number on another path; an absent one keeps its own",
            "1\tusb-A\r\n4\tusb-B\t\r\n", links(),
            devices(usb("usb-C", "/dev/ttyUSB0"), usb("usb-B", "/dev/ttyUSB2")),
            "USB Serial Port (COM2) /dev/ttyUSB0|USB Serial Port (COM4) /dev/ttyUSB2",
            "1\tusb-A\t\n2\tusb-C\t\n4\tusb-B\t\n"},
           {"a hand-made link on a given number moves the device; a device a hand-made link names is listed "
            "once",
            "3\tusb-A\t/dev/serial/by-id/usb-A\n5\tusb-B\t\n",
            links(link(3, "/dev/ttyUSB9", "/dev/ttyUSB9"), link(7, "/dev/ttyUSB1", "/dev/ttyUSB1")),
            devices(usb("usb-A", "/dev/ttyUSB0"), usb("usb-B", "/dev/ttyUSB1")),
            "USB Serial Port (COM1) /dev/ttyUSB0|USB Serial Port (COM3) /dev/ttyUSB9|"
            "USB Serial Port (COM7) /dev/ttyUSB1",
            "1\tusb-A\t\n5\tusb-B\t\n"},
           {"a hand-made link is a USB Serial Port when the system lists its device as USB, whatever its "
            "name",
            "",
            links(link(2, "/dev/ttyS0", "/dev/ttyS0"), link(3, "/dev/serial/by-id/usb-X", "/dev/ttyXRUSB0")),
            devices(usb("usb-X", "/dev/ttyXRUSB0"), board("/dev/ttyS0")),
            "Communications Port (COM2) /dev/ttyS0|USB Serial Port (COM3) /dev/ttyXRUSB0", ""},
           {"the program's own link is not a hand-made one, present or not",
            "3\tusb-A\t/dev/serial/by-id/usb-A\n4\tusb-B\t/dev/serial/by-id/usb-B\n",
            links(link(3, "/dev/serial/by-id/usb-A", "/dev/ttyUSB0"), link(4, "/dev/serial/by-id/usb-B", "")),
            devices(usb("usb-A", "/dev/ttyUSB0")), "USB Serial Port (COM3) /dev/ttyUSB0",
            "3\tusb-A\t/dev/serial/by-id/usb-A\n4\tusb-B\t/dev/serial/by-id/usb-B\n"},
           {"a line not understood alone has the file written again", "1\tusb-A\t\nrubbish\n", links(),
            devices(usb("usb-A", "/dev/ttyUSB0")), "USB Serial Port (COM1) /dev/ttyUSB0", "1\tusb-A\t\n"},
           {"lines not understood and second lines for a number or a device are dropped",
            "x\tusb-X\n0\tusb-Y\n2\tusb-A\t\n2\tusb-B\t\n6\tusb-A\t\n", links(),
            devices(usb("usb-B", "/dev/ttyUSB1")), "USB Serial Port (COM1) /dev/ttyUSB1",
            "1\tusb-B\t\n2\tusb-A\t\n"}};
    for (const auto &[what, assignedIn, hisLinks, system, listed, assignedOut] : cases) {
        ComNumbering numbering(QString::fromLatin1(assignedIn));
        QStringList ports;
        for (const NumberedPort &port : numbering.number(hisLinks, system))
            ports << ComNumbering::displayName(port) + u' ' + port.device;
        EXPECT_EQ(ports.join(u'|'), QString::fromLatin1(listed)) << what;
        EXPECT_EQ(numbering.assignedText(), QString::fromLatin1(assignedOut)) << what;
        // What was read back unchanged need not be written.
        EXPECT_EQ(numbering.changed(), numbering.assignedText() != QString::fromLatin1(assignedIn)) << what;
    }
}

// An adapter under its udev name is listed, gets its link when chosen and keeps its number
// when it comes back on another device.
TEST(ComNumberingTest, byIdAdapterIsLinkedWhenChosen)
{
    TempFolder folder;
    const auto at = [&folder](const char *relative) { return folder.file(QString::fromLatin1(relative)); };
    for (const char *file : {"dev/ttyUSB0", "dev/ttyUSB1", "dev/ttyUSB3", "by-id/.keep", "ports/.keep"})
        folder.write(QString::fromLatin1(file), "");
    const QString byId = at("by-id/usb-FTDI_FT232R_A10K-if00-port0");
    ASSERT_TRUE(QFile::link(at("dev/ttyUSB0"), byId));
    ASSERT_TRUE(QFile::link(at("dev/ttyUSB3"), at("ports/COM1")));
    const auto system = [&] {
        return std::vector<SerialDevice>{{QFileInfo(byId).fileName(), QFileInfo(byId).canonicalFilePath(),
                                          true, u"FT232R USB UART"_s, byId}};
    };

    EXPECT_EQ(PortsFolderDeviceList(folder.path(), system).deviceNames(),
              (QStringList{u"Communications Port (COM1)"_s, u"USB Serial Port, FT232R USB UART (COM2)"_s}));
    EXPECT_TRUE(ComPorts::device(folder.path(), 2).isEmpty());
    ASSERT_TRUE(PortsFolderDeviceList::makeLink(folder.path(), 2, system));
    EXPECT_EQ(ComPorts::device(folder.path(), 2), at("dev/ttyUSB0"));
    EXPECT_FALSE(PortsFolderDeviceList::makeLink(folder.path(), 1, system)); // a hand-made link is left alone

    // Plugged in again it comes back as ttyUSB1 under the same udev name: still COM2, link mended.
    ASSERT_TRUE(QFile::remove(byId));
    ASSERT_TRUE(QFile::link(at("dev/ttyUSB1"), byId));
    EXPECT_EQ(PortsFolderDeviceList(folder.path(), system).deviceNames().value_or(QStringList()).value(1),
              u"USB Serial Port, FT232R USB UART (COM2)");
    EXPECT_EQ(ComPorts::device(folder.path(), 2), at("dev/ttyUSB1"));
}

// Only "COMn" with n from 1, written without a leading zero, names a port.
TEST(ComNumberingTest, portNumberOfAName)
{
    const std::pair<const char *, int> cases[] // 0: not a port's name
        = {{"COM1", 1},  {"COM3", 3},  {"COM19", 19}, {"COM12", 12}, {"COM", 0},  {"COM0", 0},
           {"COM03", 0}, {"COM3a", 0}, {"COM-3", 0},  {"com3", 0},   {"LPT1", 0}, {"COM99999999999", 0}};
    for (const auto &[name, number] : cases)
        EXPECT_EQ(ComPorts::numberOf(QString::fromLatin1(name)).value_or(0), number) << name;
}
