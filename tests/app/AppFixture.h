#pragma once

#include "app/frmVimo.h"
#include "fakes/FakeDeviceList.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeSerialPort.h"
#include "fakes/FixedClock.h"
#include "fakes/TempFolder.h"
#include "link/PacketSender.h"

#include <functional>

// A program folder with a language file (texts "U<n>" and "D<n>") and a setup file (Danish,
// COM3, three terminals, staff Anna and Bo), and the main window over fakes, not yet started.
struct AppFixture
{
    AppFixture()
    {
        QByteArray language = "Idx\tUK\tDK\r\n";
        for (int i = 0; i <= 100; ++i)
            language += QByteArray::number(i) + "\tU" + QByteArray::number(i) + "\tD" + QByteArray::number(i)
                + "\r\n";
        folder.write(QStringLiteral("ViMoText.txt"), language);
        folder.write(
            QStringLiteral("Setup/FarSetup-2024-03-01.txt"),
            "Language\tDK\r\nCOMPort\t3\r\nTemperature\t1\r\nInterval 1\t02:00\r\nInterval 2\t00:30\r\n"
            "Duration 1\t01:00\r\nNo of Hand Terminals\t3\r\nStaff 1\tAnna\r\nStaff 2\tBo\r\n");
        devices.names = {QStringLiteral("USB Serial Port (COM3)")};
    }

    // The bytes a packet sender writes, as a terminal's or the program's.
    static QByteArray sent(const std::function<void(PacketSender &)> &send)
    {
        FakeSerialPort line;
        line.setPortNumber(1);
        line.open();
        PacketSender sender(line);
        send(sender);
        return line.written;
    }

    TempFolder folder;
    FakeDialogs dialogs;
    FixedClock clock;
    FakeSerialPort port;
    FakeDeviceList devices;
    frmVimo vimo{Services{dialogs, clock, port, devices}, QStringLiteral("/home/farm"), folder.path()};
};
