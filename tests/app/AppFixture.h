#pragma once

#include "app/frmVimo.h"
#include "fakes/FakeDeviceList.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeSerialPort.h"
#include "fakes/FixedClock.h"
#include "fakes/TempFolder.h"
#include "link/PacketSender.h"

#include <memory>
#include <vector>

// A program folder with a two-language text file and a setup file, and the main window built
// over fakes, ready to run its start-up.
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
            "Duration 1\t01:00\r\nNo of Hand Terminals\t3\r\nStaff 1\tAnna\r\nStaff 2\tBo\r\n"
            "Medicine 1\tOxytocin\r\n");
        devices.names = {QStringLiteral("USB Serial Port (COM3)")};
        vimo = std::make_unique<frmVimo>(Services{dialogs, clock, port, devices},
                                         QStringLiteral("/home/farm"), folder.path());
    }

    // What a terminal with this address sends, encoded as a terminal would.
    static QByteArray terminalFa(int address, int command, int value)
    {
        FakeSerialPort line;
        line.setPortNumber(1);
        line.open();
        PacketSender(line).Send11Byte(address, command, value, 0, 0);
        return line.written;
    }
    static QByteArray terminalFc(int address, int command, const std::vector<std::uint8_t> &data)
    {
        FakeSerialPort line;
        line.setPortNumber(1);
        line.open();
        PacketSender(line).SendXXByte(address, command, 0, int(data.size()), data, 0);
        return line.written;
    }
    static QString pcFa(int address, int command, int value, int flagMode, int highBits)
    {
        FakeSerialPort line;
        line.setPortNumber(1);
        line.open();
        PacketSender(line).Send11Byte(address, command, value, flagMode, highBits);
        return line.takeWrittenHex();
    }
    static QString pcFc(int address, const std::vector<std::uint8_t> &data)
    {
        FakeSerialPort line;
        line.setPortNumber(1);
        line.open();
        PacketSender(line).SendXXByte(address, 1, 192, int(data.size()), data, 2);
        return line.takeWrittenHex();
    }

    // Runs the receive timer until the port's input is taken.
    void receive()
    {
        for (int i = 0; i < 100 && port.bytesWaiting() > 0; ++i)
            vimo->options().timModtag.tick();
    }

    TempFolder folder;
    FakeDialogs dialogs;
    FixedClock clock;
    FakeSerialPort port;
    FakeDeviceList devices;
    std::unique_ptr<frmVimo> vimo;
};
