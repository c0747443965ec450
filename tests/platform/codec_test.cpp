#include "platform/Codec1252.h"

#include <gtest/gtest.h>

namespace {

TEST(Codec1252, EveryByteSurvivesARoundTrip)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = Codec1252::decode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(Codec1252::encode(text), all);
}

TEST(Codec1252, KnownCharacters)
{
    struct Case
    {
        unsigned char byte;
        char16_t ch;
    };
    for (const Case &c : {Case{0x80, u'€'}, Case{0x8A, u'Š'}, Case{0x81, 0x0081}, Case{0xE6, u'æ'},
                          Case{0xF8, u'ø'}, Case{0xE5, u'å'}, Case{0xDF, u'ß'}, Case{0x41, u'A'}}) {
        EXPECT_EQ(Codec1252::toChar(c.byte), QChar(c.ch));
        EXPECT_EQ(Codec1252::toByte(QChar(c.ch)), c.byte);
    }
    EXPECT_FALSE(Codec1252::toByte(QChar(u'Ł')).has_value());
    EXPECT_EQ(Codec1252::encode(QStringLiteral("Łx")), QByteArray("?x"));
}

} // namespace
