#include "fakes/FileSizeLimit.h"
#include "fakes/TempFolder.h"
#include "platform/Codec1252.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

// File bytes in, lines out; a file that cannot be read (missing, a device that would never end, a
// link that one user of a shared folder put there for another's program, a FIFO that would hang
// it) gives no line and false. A link to the language file, outside those folders, is followed.
// A whole file is replaced, or left as it was when the new one cannot be written; never written
// through a link or into a FIFO at its place.
TEST(TextFile, FileBytesInLinesOutAndOnlyARegularFileIsReplaced)
{
    using O = TextFile::Outcome;
    TempFolder folder;
    const auto lines = [](const QString &path, TextFile::FinalLink link = TextFile::FinalLink::Refused) {
        QString read;
        const bool ok = TextFile::forEachLine(
            path, [&read](QStringView line) { read += line.toString() + u'|'; }, link);
        return ok ? std::optional(read) : std::nullopt;
    };
    // Each line ended by '|'. The last file is left to be replaced below.
    const std::pair<QByteArray, const char *> files[] // bytes, lines
        = {{"", ""},          {"a\r\nb\r\n", "a|b|"}, {"a\nb", "a|b|"},        {"a\r\n\r\nb\r", "a||b|"},
           {"a\rb", "a\rb|"}, {"\nb", "|b|"},         {"\xE6\xF8\x80", "æø€|"}};
    for (const auto &[bytes, read] : files) {
        folder.write(u"ours.txt"_s, bytes);
        EXPECT_EQ(lines(folder.file(u"ours.txt"_s)), QString::fromUtf8(read)) << bytes.toStdString();
    }
    folder.write(u"theirs.txt"_s, "theirs");
    const QString link = folder.file(u"link.txt"_s), fifo = folder.file(u"fifo.txt"_s);
    QFile::link(folder.file(u"theirs.txt"_s), link);
    ::mkfifo(QFile::encodeName(fifo).constData(), 0666);
    EXPECT_EQ(lines(link, TextFile::FinalLink::Followed), u"theirs|"_s);
    for (const QString &unreadable : {folder.file(u"missing"_s), u"/dev/zero"_s, link, fifo})
        EXPECT_EQ(lines(unreadable), std::nullopt) << unreadable.toStdString();

    EXPECT_EQ(TextFile::replaceWhole(folder.file(u"ours.txt"_s), "new"), O::Done);
    EXPECT_EQ(TextFile::replaceWhole(folder.file(u"made.txt"_s), "made"), O::Done);
    EXPECT_EQ(TextFile::replaceWhole(link, "x"), O::NotRegularFile);
    EXPECT_EQ(TextFile::replaceWhole(fifo, "x"), O::NotRegularFile);
    EXPECT_EQ(TextFile::replaceWhole(folder.file(u"no/such/folder.txt"_s), "x"), O::Failed);
    EXPECT_FALSE(TextFile::truncate(folder.file(u"missing.txt"_s), 0)) << "nothing to cut";
    {
        const FileSizeLimit full(2); // the disk fills up under the new file: the old one stays
        EXPECT_EQ(TextFile::replaceWhole(folder.file(u"ours.txt"_s), "newer"), O::Failed);
    }
    EXPECT_EQ(folder.read(u"ours.txt"_s) + folder.read(u"made.txt"_s) + folder.read(u"theirs.txt"_s),
              "newmadetheirs");
    EXPECT_TRUE(QFileInfo(folder.file(u"made.txt"_s)).permissions() & QFile::WriteOwner);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::System).join(u' '),
              u"fifo.txt link.txt made.txt ours.txt theirs.txt")
        << "no temporary file left";
}

// The code page of the files and the line: each byte is one character and back; a character
// without a byte is written as '?'.
TEST(Codec1252, BytesAndCharacters)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = Codec1252::decode(all);
    EXPECT_EQ(QStringView(text).mid(0x7E, 4), u"~\u007F€\u0081");
    EXPECT_EQ(QString(text[0x9F]) + text[0xA0] + text[0xE6], u"Ÿ\u00A0æ");
    EXPECT_EQ(Codec1252::encode(text), all);
    EXPECT_EQ(Codec1252::encode(u"Łx\u0080"_s), QByteArray("?x?")) << "U+0080 is not the euro's byte";
}
