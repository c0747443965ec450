#include "fakes/TempFolder.h"
#include "platform/Codec1252.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// File bytes in, lines out; a file that cannot be read (missing, a device that would never end)
// gives no line and false.
TEST(TextFileLines, FileBytesInLinesOut)
{
    const std::pair<QByteArray, std::optional<QStringList>> cases[] = {
        {"a\r\nb\r\n", QStringList{u"a"_s, u"b"_s}},
        {"a\nb", QStringList{u"a"_s, u"b"_s}},
        {"a\r\n\r\nb\r", QStringList{u"a"_s, {}, u"b"_s}},
        {"a\rb", QStringList{u"a\rb"_s}},
        {"\xE6\xF8\x80", QStringList{u"æø€"_s}},
        {"", QStringList{}},
        {"missing", std::nullopt},
        {"/dev/zero", std::nullopt},
    };
    for (const auto &[bytes, lines] : cases) {
        TempFolder folder;
        const QString name = lines ? u"f.txt"_s : QString::fromLatin1(bytes);
        if (lines)
            folder.write(name, bytes);
        const QString path = name.startsWith(u'/') ? name : folder.file(name);
        QStringList read;
        const bool ok = TextFile::forEachLine(path, [&read](QStringView line) { read << line.toString(); });
        EXPECT_EQ(ok ? std::optional(read) : std::nullopt, lines) << bytes.toStdString();
    }
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
    EXPECT_EQ(Codec1252::encode(u"Łx"_s), QByteArray("?x"));
}
