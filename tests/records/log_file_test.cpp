#include "fakes/FakeDialogs.h"
#include "fakes/TempFolder.h"
#include "records/LogFile.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

namespace {

struct LogFileTest : ::testing::Test
{
    QString dayPath() const { return log.path(QDate(2024, 3, 7)); }
    QByteArray content() const { return folder.read(QStringLiteral("VimoLog/FAR-2024-03-07.txt")); }

    TempFolder folder;
    FakeDialogs dialogs;
    LogFile log{folder.path(), dialogs};
};

TEST_F(LogFileTest, PathAndHeader)
{
    EXPECT_EQ(dayPath(),
              folder.path() + QDir::separator() + QStringLiteral("VimoLog") + QDir::separator()
                  + QStringLiteral("FAR-2024-03-07.txt"));
    EXPECT_EQ(log.path(QDate(987, 1, 2)).right(18), u"FAR-0987-01-02.txt");
    EXPECT_EQ(LogFile::headerLine(),
              QByteArrayLiteral("DateTime\tPerson\tSow\tAlive\tStill\tMumi\tWeak\tBirthAssist\t"
                                "Medication\tDose\tTemperature\tFemale\tReactionTime\r\n"));
}

TEST_F(LogFileTest, FirstRecordOfADayMakesTheFileWithItsHeader)
{
    EXPECT_EQ(log.store(QDate(2024, 3, 7), QByteArrayLiteral("one\r\n")), LogFile::StoreResult::Stored);
    EXPECT_EQ(log.store(QDate(2024, 3, 7), QByteArrayLiteral("two\r\n")), LogFile::StoreResult::Stored);
    EXPECT_EQ(content(), LogFile::headerLine() + QByteArrayLiteral("one\r\ntwo\r\n"));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(LogFileTest, FileWithoutHeaderIsAppendedToUnchanged)
{
    folder.write(QStringLiteral("VimoLog/FAR-2024-03-07.txt"), QByteArrayLiteral("no header"));
    EXPECT_EQ(log.store(QDate(2024, 3, 7), QByteArrayLiteral("x\r\n")), LogFile::StoreResult::Stored);
    EXPECT_EQ(content(), QByteArrayLiteral("no headerx\r\n"));
}

TEST_F(LogFileTest, MissingFolderIsMade)
{
    ASSERT_TRUE(QDir(folder.file(QStringLiteral("VimoLog"))).removeRecursively());
    EXPECT_EQ(log.store(QDate(2024, 3, 7), QByteArrayLiteral("x\r\n")), LogFile::StoreResult::Stored);
    EXPECT_EQ(content(), LogFile::headerLine() + QByteArrayLiteral("x\r\n"));
}

TEST_F(LogFileTest, FileThatCannotBeMadeIsReported)
{
    ASSERT_TRUE(QDir(folder.file(QStringLiteral("VimoLog"))).removeRecursively());
    folder.write(QStringLiteral("VimoLog"), QByteArrayLiteral("not a folder"));
    EXPECT_FALSE(log.MakeNewLogFile(dayPath()));
    EXPECT_EQ(log.store(QDate(2024, 3, 7), QByteArrayLiteral("x\r\n")), LogFile::StoreResult::NotMade);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].text, dayPath() + QStringLiteral(" could not be made"));
    EXPECT_EQ(dialogs.messages[0].title, u"Problem");
}

TEST_F(LogFileTest, FullDiskStoresNothingAndSaysSoToTheCaller)
{
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), dayPath()));
    EXPECT_EQ(log.store(QDate(2024, 3, 7), QByteArrayLiteral("x\r\n")), LogFile::StoreResult::NotWritten);
    EXPECT_TRUE(dialogs.messages.empty());
}

// A file size limit makes the write stop part way through the line, as a full disk can.
TEST_F(LogFileTest, LineThatIsOnlyPartlyWrittenIsCutOffAgain)
{
    ASSERT_EQ(log.store(QDate(2024, 3, 7), QByteArrayLiteral("first\r\n")), LogFile::StoreResult::Stored);
    const QByteArray before = content();
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = rlim_t(before.size() + 10);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool written = log.append(dayPath(), QByteArray(50, 'x') + QByteArrayLiteral("\r\n"));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(content(), before);
    EXPECT_EQ(log.store(QDate(2024, 3, 7), QByteArrayLiteral("next\r\n")), LogFile::StoreResult::Stored);
    EXPECT_EQ(content(), before + QByteArrayLiteral("next\r\n"));
}

TEST_F(LogFileTest, AppendNeedsAnExistingFile)
{
    EXPECT_FALSE(log.append(dayPath(), QByteArrayLiteral("x\r\n")));
    EXPECT_FALSE(QFile::exists(dayPath()));
}

} // namespace
