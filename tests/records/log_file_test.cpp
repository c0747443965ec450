#include "RecordsFixture.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

namespace {

// A file size limit stops a write part way, as a full disk can. (A full disk and a missing or
// blocked folder are in the record intake's table.)
TEST(LogFile, StoresOneWholeLineOrNothing)
{
    using R = LogFile::StoreResult;
    const QByteArray header = LogFile::headerLine();
    const struct
    {
        QByteArray file; // the day's file before; none when empty
        qint64 limit; // of a file's size, 0 for none
        R result;
        QByteArray after;
        const char16_t *told;
    } cases[] = {
        {"", 0, R::Stored, header + "x\r\n", u""},
        {"no header\nline\n", 0, R::Stored, "no header\nline\nx\r\n", u""},
        {"h\r\nhalf", 0, R::Stored, "h\r\nhalf\r\nx\r\n", u""},
        {"h\r\nhalf\r", 0, R::Stored, "h\r\nhalf\r\nx\r\n", u""},
        {"h\r\n", 4, R::NotWritten, "h\r\n", u""}, // the caller tells, knowing what was lost
        // A file begun is removed again, so that the next one starts with its header.
        {"", 10, R::NotMade, "", u" could not be made/Problem\n"},
    };
    const QDate day(2024, 3, 7);
    for (const auto &c : cases) {
        SCOPED_TRACE(&c - cases);
        RecordsFixture f;
        if (!c.file.isEmpty())
            f.writeDay(7, c.file);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit limited{c.limit ? rlim_t(c.limit) : saved.rlim_cur, saved.rlim_max};
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limited);
        const R result = f.logFile.store(day, "x\r\n");
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);

        EXPECT_EQ(result, c.result);
        EXPECT_EQ(QFileInfo::exists(f.logFile.path(day))
                      ? f.folder.read(QStringLiteral("VimoLog/FAR-2024-03-07.txt"))
                      : QByteArray(),
                  c.after);
        EXPECT_EQ(f.told(), QString::fromUtf16(c.told));
    }
}

} // namespace
