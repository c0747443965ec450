#include "PtyLine.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

// The line is a real pseudo-terminal: what the program writes to ports/COMn reaches the
// terminals, and what they send comes out there, byte for byte (no echo, no CR/LF mangling).
TEST(PtyLine, carriesRawBytesBothWaysThroughTheLink)
{
    QTemporaryDir folder;
    const QString link = folder.filePath(QStringLiteral("ports/COM3"));
    QString error;
    auto line = PtyLine::open(link, 0, &error);
    ASSERT_TRUE(line) << error.toStdString();
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), line->devicePath());

    const int far = ::open(QFile::encodeName(link).constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(far, 0);
    const QByteArray toTerminals("\xFA\x00\x0D\n\r\x03", 6);
    ASSERT_EQ(::write(far, toTerminals.constData(), size_t(toTerminals.size())), toTerminals.size());

    QByteArray received;
    QEventLoop loop;
    QObject::connect(line.get(), &PtyLine::received, &loop, [&](const QByteArray &bytes) {
        received += bytes;
        if (received.size() >= toTerminals.size())
            loop.quit();
    });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit); // a guard against hanging, not a timing check
    loop.exec();
    EXPECT_EQ(received, toTerminals);

    const QByteArray toProgram("\xFC\n\r\x11", 4);
    line->send(toProgram, 0);
    while (line->busy())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    char buffer[16] = {};
    EXPECT_EQ(::read(far, buffer, sizeof buffer), toProgram.size());
    EXPECT_EQ(QByteArray(buffer, int(toProgram.size())), toProgram);
    ::close(far);

    line.reset();
    EXPECT_FALSE(QFileInfo::exists(link) || QFileInfo(link).isSymLink());
}

TEST(PtyLine, replacesAnOldLinkButNotAFile)
{
    QTemporaryDir folder;
    const QString link = folder.filePath(QStringLiteral("ports/COM4"));
    QString error;
    auto first = PtyLine::open(link, 0, &error);
    ASSERT_TRUE(first);
    auto second = PtyLine::open(link, 0, &error);
    ASSERT_TRUE(second) << error.toStdString();
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), second->devicePath());
    first.reset(); // the link is no longer the first line's: it stays
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), second->devicePath());
    second.reset();

    QFile file(link);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_FALSE(PtyLine::open(link, 0, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("not a link")));
}
