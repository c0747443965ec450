#include "RecordingHandler.h"
#include "fakes/FakeSerialPort.h"
#include "fakes/TempFolder.h"
#include "link/PacketSender.h"
#include "link/Receiver.h"
#include "platform/Label.h"
#include "platform/qt/ComPorts.h"
#include "platform/qt/PortsFolderDeviceList.h"
#include "platform/qt/QtSerialPort.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <functional>

namespace {

constexpr int kMaxRounds = 2000; // bounds every wait; each round waits at most 5 ms

// The master side of a pseudo-terminal: the test plays the terminals on it.
class PseudoTerminal
{
public:
    PseudoTerminal()
    {
        m_master = posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0)
            return;
        if (const char *name = ptsname(m_master))
            m_slave = QString::fromLocal8Bit(name);
        ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    }
    ~PseudoTerminal() { closeMaster(); }
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool isReady() const { return m_master >= 0 && !m_slave.isEmpty(); }
    const QString &slave() const { return m_slave; }

    bool write(const QByteArray &bytes) const
    {
        return ::write(m_master, bytes.data(), size_t(bytes.size())) == bytes.size();
    }

    // Reads until `count` bytes have come or the rounds run out.
    QByteArray read(int count) const
    {
        QByteArray bytes;
        for (int round = 0; round < kMaxRounds && bytes.size() < count; ++round) {
            pollfd fd{m_master, POLLIN, 0};
            if (::poll(&fd, 1, 5) <= 0)
                continue;
            char chunk[256];
            const ssize_t n = ::read(m_master, chunk, sizeof chunk);
            if (n > 0)
                bytes.append(chunk, qsizetype(n));
        }
        return bytes;
    }

    void closeMaster()
    {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

private:
    int m_master = -1;
    QString m_slave;
};

// Lets the event loop run until `done` holds or the rounds run out.
bool runEventsUntil(const std::function<bool()> &done)
{
    for (int round = 0; round < kMaxRounds; ++round) {
        QCoreApplication::processEvents();
        if (done())
            return true;
        ::usleep(2000);
    }
    return done();
}

void runEventsFor(int rounds)
{
    for (int round = 0; round < rounds; ++round) {
        QCoreApplication::processEvents();
        ::usleep(1000);
    }
}

bool link(const TempFolder &folder, const QString &target, const QString &name)
{
    QDir(folder.path()).mkpath(QStringLiteral("ports"));
    return QFile::link(target, folder.file(QStringLiteral("ports/") + name));
}

class SerialPtyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.isReady());
        ASSERT_TRUE(link(folder, pty.slave(), QStringLiteral("COM3")));
        port.setPortNumber(3);
        port.setSettings(QStringLiteral("4800,N,8,1"));
        port.setDtr(true);
    }

    PseudoTerminal pty;
    TempFolder folder;
    QtSerialPort port{folder.path()};
};

} // namespace

TEST_F(SerialPtyTest, packetsGoOutByteForByte)
{
    ASSERT_EQ(port.open(), std::nullopt); // DTR refused by the pseudo-terminal is no failure
    ASSERT_TRUE(port.isOpen());

    PacketSender sender(port);
    sender.Send11Byte(5, 1, 16383, 2, 192);
    EXPECT_EQ(toHex(pty.read(11)), u"FA 00 05 00 01 F0 0F F0 0F 00 04");
    sender.SendBuf = {26, 3, 14, 9, 30};
    sender.SendXXByte(255, 30, 0, 5, sender.SendBuf, 0);
    EXPECT_EQ(toHex(pty.read(23)), u"FC F0 0F 10 0E A0 00 00 05 C0 02 10 0A 00 03 00 0E 00 09 10 0E 10 04");
}

TEST_F(SerialPtyTest, bytesFromTheTerminalArriveWhileTheEventLoopRuns)
{
    ASSERT_EQ(port.open(), std::nullopt);
    const QByteArray sent = hexBytes(QStringLiteral("FA 00 03 00 00 00 00 10 01 10 04 00 FB FC 0D"));
    ASSERT_TRUE(pty.write(sent));

    ASSERT_TRUE(runEventsUntil([&] { return port.bytesWaiting() >= sent.size(); }));
    QByteArray received;
    while (const auto byte = port.readByte())
        received.append(char(*byte));
    EXPECT_EQ(toHex(received), toHex(sent));
    EXPECT_EQ(port.bytesWaiting(), 0);
}

TEST_F(SerialPtyTest, receiverTakesPacketsFromTheLine)
{
    ASSERT_EQ(port.open(), std::nullopt);
    Label lblBus;
    RecordingHandler handler;
    Receiver receiver(port, lblBus, handler);
    ASSERT_TRUE(pty.write(hexBytes(QStringLiteral("FC 00 07 00 01 A0 0C 00 02 B0 06 00 00 00 0C C0 02"))));

    ASSERT_TRUE(runEventsUntil([&] {
        receiver.ModtagData();
        return !handler.calls.empty();
    }));
    EXPECT_EQ(handler.calls[0].object, 7);
    EXPECT_EQ(handler.calls[0].dataCnt, 2);
    EXPECT_EQ(lblBus.caption(), u"E$C0");
}

TEST_F(SerialPtyTest, openingFailuresCarryTheirError)
{
    ASSERT_EQ(port.open(), std::nullopt);

    QtSerialPort second(folder.path());
    second.setSettings(QStringLiteral("4800,N,8,1"));
    struct Case
    {
        int number;
        int error;
    };
    ASSERT_TRUE(link(folder, folder.file(QStringLiteral("gone")), QStringLiteral("COM6")));
    const Case cases[] = {{3, 8010}, {4, 8002}, {6, 8002}, {0, 8002}};
    for (const Case &c : cases) {
        second.setPortNumber(c.number);
        const auto error = second.open();
        ASSERT_TRUE(error.has_value()) << c.number;
        EXPECT_EQ(error->number, c.error) << c.number;
        EXPECT_EQ(error->source, u"PC Vimo 2");
        EXPECT_FALSE(error->description.isEmpty());
        EXPECT_FALSE(second.isOpen());
    }

    EXPECT_EQ(port.open()->number, 8005);
    port.close();
    port.setSettings(QStringLiteral("4800,X,8,1"));
    EXPECT_EQ(port.open()->number, 380);
}

TEST_F(SerialPtyTest, portClosesItselfWhenTheFarEndGoes)
{
    ASSERT_EQ(port.open(), std::nullopt);
    int lost = 0;
    QObject::connect(&port, &QtSerialPort::lineLost, [&] { ++lost; });
    const int errorsBefore = port.errorsReported();

    pty.closeMaster();
    ASSERT_TRUE(runEventsUntil([&] { return !port.isOpen(); }));
    const int errorsAtClose = port.errorsReported() - errorsBefore;
    EXPECT_GE(errorsAtClose, 1);
    EXPECT_LE(errorsAtClose, 2);

    // Closed, nothing is reported any more however long the loop runs.
    runEventsFor(200);
    EXPECT_EQ(port.errorsReported() - errorsBefore, errorsAtClose);
    EXPECT_EQ(lost, 1);
    EXPECT_EQ(port.bytesWaiting(), 0);
    EXPECT_FALSE(port.write(QByteArray(1, char(0x55))));
}

TEST(PortsFolder, listsTheLinkedPortsInPortOrder)
{
    PseudoTerminal pty;
    ASSERT_TRUE(pty.isReady());
    TempFolder folder;
    PortsFolderDeviceList devices(folder.path());
    EXPECT_EQ(devices.deviceNames(), QStringList()); // no ports folder: no ports

    ASSERT_TRUE(link(folder, pty.slave(), QStringLiteral("COM12")));
    ASSERT_TRUE(link(folder, pty.slave(), QStringLiteral("COM3")));
    ASSERT_TRUE(link(folder, QStringLiteral("/dev/null"), QStringLiteral("COM1")));
    ASSERT_TRUE(link(folder, folder.file(QStringLiteral("unplugged")), QStringLiteral("COM7")));
    ASSERT_TRUE(link(folder, pty.slave(), QStringLiteral("COMX")));
    ASSERT_TRUE(link(folder, pty.slave(), QStringLiteral("COM04")));
    folder.write(QStringLiteral("ports/COM5"), "not a link");

    EXPECT_EQ(
        devices.deviceNames(),
        (QStringList{QStringLiteral("Communications Port (COM1)"), QStringLiteral("USB Serial Port (COM3)"),
                     QStringLiteral("USB Serial Port (COM12)")}));
    EXPECT_EQ(ComPorts::device(folder.path(), 3), pty.slave());
    EXPECT_EQ(ComPorts::device(folder.path(), 5), QString());
    EXPECT_EQ(ComPorts::device(folder.path(), 7), QString());
}

TEST(PortsFolder, namesFollowTheDevice)
{
    struct Case
    {
        const char *device;
        const char *name;
    };
    const Case cases[] = {
        {"/dev/ttyUSB0", "USB Serial Port (COM3)"},
        {"/dev/ttyACM1", "USB Serial Port (COM3)"},
        {"/dev/pts/4", "USB Serial Port (COM3)"},
        {"/dev/ttyS0", "Communications Port (COM3)"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(PortsFolderDeviceList::nameFor(3, QString::fromLatin1(c.device)),
                  QString::fromLatin1(c.name));
}
