#include "PtyLine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

// The line is a real pseudo-terminal: what the program writes to ports/COMn reaches the
// terminals, and what they send comes out there, byte for byte (no echo, no CR/LF mangling).
// A link left by an earlier line is replaced, a file is not; the link goes with the line.
TEST(PtyLine, carriesRawBytesBothWaysThroughTheLink)
{
    QTemporaryDir folder;
    const QString link = folder.filePath(QStringLiteral("ports/COM3"));
    QString error;
    auto earlier = PtyLine::open(link, 0, &error);
    auto line = PtyLine::open(link, 0, &error);
    ASSERT_TRUE(earlier && line) << error.toStdString();
    earlier.reset(); // the link is no longer its own: it stays
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), line->devicePath());

    const int far = ::open(QFile::encodeName(link).constData(), O_RDWR | O_NOCTTY);
    const QByteArray toTerminals("\xFA\x00\x0D\n\r\x03", 6), toProgram("\xFC\n\r\x11", 4);
    ASSERT_EQ(::write(far, toTerminals.constData(), size_t(toTerminals.size())), toTerminals.size());
    QByteArray received;
    QObject::connect(line.get(), &PtyLine::received, [&](const QByteArray &bytes) { received += bytes; });
    QElapsedTimer guard; // against hanging, not a timing check
    guard.start();
    while (received.size() < toTerminals.size() && guard.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    EXPECT_EQ(received, toTerminals);
    line->send(toProgram, 0);
    while (line->busy())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    char buffer[16] = {};
    EXPECT_EQ(QByteArray(buffer, int(::read(far, buffer, sizeof buffer))), toProgram);
    ::close(far);

    line.reset();
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    QFile(link).open(QIODevice::WriteOnly);
    EXPECT_FALSE(PtyLine::open(link, 0, &error)) << "a file is not the simulator's to replace";
}
