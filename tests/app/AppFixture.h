#pragma once

#include "app/Program.h"
#include "fakes/FakeDeviceList.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakePrinter.h"
#include "fakes/FakeSerialPort.h"
#include "fakes/FixedClock.h"
#include "fakes/TempFolder.h"
#include "protocol/Frames.h"

// A program folder with a language file (texts "U<n>" and "D<n>") and a setup file (Danish,
// COM3, three terminals, staff Anna and Bo), and the program over fakes, not yet started.
struct AppFixture
{
    AppFixture()
    {
        QByteArray language = "Idx\tUK\tDK\r\n";
        for (int i = 0; i < TextTable::kSize; ++i)
            language += QStringLiteral("%1\tU%1\tD%1\r\n").arg(i).toLatin1();
        folder.write(QStringLiteral("ViMoText.txt"), language);
        folder.write(
            QStringLiteral("Setup/FarSetup-2024-03-01.txt"),
            "Language\tDK\r\nCOMPort\t3\r\nNo of Hand Terminals\t3\r\nStaff 1\tAnna\r\nStaff 2\tBo\r\n");
        devices.names = {QStringLiteral("USB Serial Port (COM3)")};
    }
    // A day's log file holding one record line, named after the line's date.
    void writeLog(const QByteArray &line) const
    {
        folder.write(QStringLiteral("VimoLog/FAR-%1.txt").arg(QLatin1String(line.first(10))),
                     "header\r\n" + line + "\r\n");
    }
    // Bytes from the terminals, read as the receive timer reads them.
    void receive(const QByteArray &bytes)
    {
        port.feed(bytes);
        for (int i = 0; i < 100 && port.bytesWaiting() > 0; ++i)
            program.options().timModtag.tick();
    }

    TempFolder folder;
    FakeDialogs dialogs;
    FixedClock clock;
    FakeSerialPort port;
    FakeDeviceList devices;
    FakePrinter printer;
    int ends = 0; // times the program was told to end
    Program program{Services{dialogs, clock, port, devices, [this] { ++ends; }, &printer},
                    QStringLiteral("/home/farm"), folder.path()};
    frmVimo &vimo = program.mainWindow();
};
