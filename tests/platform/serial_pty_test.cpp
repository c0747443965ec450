#include "PtyLine.h"
#include "fakes/FakeSerialPort.h"
#include "fakes/TempFolder.h"
#include "platform/qt/PortsFolderDeviceList.h"
#include "platform/qt/QtSerialPort.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <functional>

using namespace Qt::StringLiterals;

// Lets the event loop run until `done` holds or the rounds (2 ms each, at least) run out.
static bool runEventsUntil(const std::function<bool()> &done, int rounds = 2000)
{
    for (int round = 0; round < rounds && !done(); ++round) {
        QCoreApplication::processEvents();
        ::usleep(2000);
    }
    return done();
}

// The real serial port on COM3, whose far end is the terminals' end of a pseudo-terminal: the ports
// folder lists the linked ports that open; the line is 4800 baud 8N1, carries raw bytes both ways
// and closes once when its far end goes.
TEST(SerialPtyTest, portsFolderListsTheLinkedPortsThatOpenAndTheLineCarriesRawBytesAt4800Baud8N1)
{
    TempFolder folder;
    QString why;
    std::unique_ptr<PtyLine> pty = PtyLine::open(folder.file(u"ports/COM3"_s), 0, &why);
    ASSERT_TRUE(pty) << why.toStdString();
    QByteArray heard;
    QObject::connect(pty.get(), &PtyLine::received, [&heard](const QByteArray &bytes) { heard += bytes; });
    QtSerialPort port(folder.path());
    port.setPortNumber(3);
    port.setSettings(u"4800,N,8,1"_s);
    port.setDtr(true); // a pseudo-terminal refuses it, which is no failure

    EXPECT_EQ(PortsFolderDeviceList(TempFolder().path()).deviceNames(), QStringList()); // no ports folder
    const std::pair<QString, const char *> links[] = {{pty->devicePath(), "COM12"},
                                                      {u"/dev/null"_s, "COM2"},
                                                      {folder.file(u"unplugged"_s), "COM7"},
                                                      {pty->devicePath(), "COMX"},
                                                      {pty->devicePath(), "COM04"}};
    for (const auto &[target, name] : links)
        ASSERT_TRUE(QFile::link(target, folder.file(u"ports/"_s + QString::fromLatin1(name))));
    folder.write(u"ports/COM5"_s, "not a link");
    EXPECT_EQ(PortsFolderDeviceList(folder.path()).deviceNames(),
              (QStringList{u"Communications Port (COM2)"_s, u"USB Serial Port (COM3)"_s,
                           u"USB Serial Port (COM12)"_s}));

    ASSERT_EQ(port.open(), std::nullopt);
    using enum OpenError;
    const std::tuple<int, const char *, int, OpenError> failures[]
        = {{3, "4800,N,8,1", 8010, Busy},     {3, "4800,X,8,1", 380, None},
           {4, "4800,N,8,1", 8002, NotFound}, {5, "4800,N,8,1", 8002, NotFound},
           {7, "4800,N,8,1", 8002, NotFound}, {1, "4800,N,8,1", 8002, NotFound},
           {0, "4800,N,8,1", 8002, Other}};
    QtSerialPort second(folder.path());
    for (const auto &[number, settings, error, kind] : failures) {
        second.setPortNumber(number);
        second.setSettings(QString::fromLatin1(settings));
        const PortError failure = second.open().value_or(PortError{});
        EXPECT_EQ(std::tuple(failure.number, failure.kind, second.isOpen()), std::tuple(error, kind, false))
            << number;
    }
    EXPECT_EQ(port.open().value_or(PortError{}).number, 8005);
    port.close();

    // Starts from a line wrong in every respect, so that each setting read back is the port's own.
    const int fd = ::open(QFile::encodeName(pty->devicePath()).constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    termios line{};
    ASSERT_EQ(::tcgetattr(fd, &line), 0);
    ::cfsetspeed(&line, B9600);
    line.c_cflag = (line.c_cflag & ~CSIZE) | CS7 | PARENB | CSTOPB | CRTSCTS;
    line.c_iflag |= IXON | IXOFF | ICRNL;
    line.c_oflag |= OPOST | ONLCR;
    line.c_lflag |= ICANON | ISIG;
    ASSERT_EQ(::tcsetattr(fd, TCSANOW, &line), 0);

    ASSERT_EQ(port.open(), std::nullopt);
    ASSERT_EQ(::tcgetattr(fd, &line), 0);
    ::close(fd);
    // A pseudo-terminal always reports 8 data bits without parity; an adapter keeps what it is told.
    EXPECT_EQ(std::tuple(::cfgetispeed(&line), ::cfgetospeed(&line),
                         line.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), line.c_iflag & (IXON | IXOFF)),
              std::tuple(speed_t(B4800), speed_t(B4800), tcflag_t(CS8), tcflag_t(0)));

    // LF, CR, ^C, ^D and XON, which a terminal line would act on, cross unchanged both ways.
    const QString frame = u"FA 00 0A 00 0D 00 03 00 04 11 0E"_s;
    port.write(hexBytes(frame));
    EXPECT_TRUE(runEventsUntil([&] { return heard.size() >= 11; }));
    EXPECT_EQ(toHex(heard), frame);
    pty->send(hexBytes(frame), 0);
    QByteArray received;
    EXPECT_TRUE(runEventsUntil([&] {
        while (port.bytesWaiting() > 0)
            received += char(port.readByte().value_or(0));
        return received.size() >= 11;
    }));
    EXPECT_EQ(toHex(received), frame);

    // The far end goes: the port closes itself and says so once.
    QList<int> lost;
    QObject::connect(&port, &SerialPort::lineLost, [&lost](const PortError &error) { lost << error.number; });

    pty->send(hexBytes(frame), 0);
    EXPECT_TRUE(runEventsUntil([&] { return port.bytesWaiting() > 0; }));
    pty.reset();
    ASSERT_TRUE(runEventsUntil([&] { return !port.isOpen(); }));
    EXPECT_EQ(port.bytesWaiting(), 0) << "what was waiting went with the line";
    const int errorsAtClose = port.errorsReported();
    EXPECT_GE(errorsAtClose, 1) << "the loss was reported";
    runEventsUntil([] { return false; }, 100); // closed, nothing more is reported
    EXPECT_EQ(std::pair(port.errorsReported(), lost), std::pair(errorsAtClose, QList<int>{8020}));
    EXPECT_FALSE(port.write(QByteArray(1, char(0x55))));
}
