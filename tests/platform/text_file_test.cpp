#include "fakes/TempFolder.h"
#include "platform/TextFile.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QStringList linesOf(const QString &path, bool *read = nullptr)
{
    QStringList lines;
    const bool ok = TextFile::forEachLine(path, [&lines](QStringView line) { lines.append(line.toString()); });
    if (read)
        *read = ok;
    return lines;
}

TEST(TextFileLines, EndsOfLineOfEveryKind)
{
    struct Case
    {
        QByteArray content;
        QStringList lines;
    };
    const std::vector<Case> cases = {
        {"a\r\nb\r\n", {QStringLiteral("a"), QStringLiteral("b")}},
        {"a\nb", {QStringLiteral("a"), QStringLiteral("b")}},
        {"a\r\n\r\nb\r", {QStringLiteral("a"), QString(), QStringLiteral("b")}},
        {"", {}},
        {"\xE6\xF8\xE5\r\n", {QStringLiteral("æøå")}},
    };
    for (const Case &c : cases) {
        TempFolder folder;
        folder.write(QStringLiteral("f.txt"), c.content);
        EXPECT_EQ(linesOf(folder.file(QStringLiteral("f.txt"))), c.lines) << c.content.toStdString();
    }
}

TEST(TextFileLines, MissingFilesFoldersAndDevicesAreNotRead)
{
    TempFolder folder;
    QFile::link(QStringLiteral("/dev/zero"), folder.file(QStringLiteral("endless.txt")));
    for (const QString &path : {folder.file(QStringLiteral("missing.txt")), folder.file(QStringLiteral("Setup")),
                                folder.file(QStringLiteral("endless.txt"))}) {
        bool read = true;
        EXPECT_TRUE(linesOf(path, &read).isEmpty());
        EXPECT_FALSE(read) << path.toStdString();
    }
}

} // namespace
