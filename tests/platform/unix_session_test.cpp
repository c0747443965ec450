#include "platform/qt/UnixSession.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <csignal>
#include <sys/stat.h>

#include <gtest/gtest.h>

// Each signal of a session's end reaches the event loop once, instead of ending the process.
TEST(UnixSession, EndSignalsReachTheEventLoop)
{
    QObject owner;
    int ended = 0;
    UnixSession::watchEndSignals(owner, [&ended] { ++ended; });
    for (const auto &[signal, count] : {std::pair{SIGTERM, 1}, {SIGHUP, 2}, {SIGINT, 3}}) {
        ASSERT_EQ(::raise(signal), 0);
        for (const QDeadlineTimer deadline(10000); ended < count && !deadline.hasExpired();)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        EXPECT_EQ(ended, count) << "signal " << signal;
    }
}

TEST(UnixSession, FilesMadeAreGroupWritable)
{
    const mode_t before = ::umask(022);
    UnixSession::makeFilesGroupWritable();
    EXPECT_EQ(::umask(before), mode_t(002)) << "others still may not write";
}
