#include "platform/Codec1252.h"

#include <array>

namespace {
// 0x80..0x9F; undefined positions keep their own code.
constexpr std::array<char16_t, 32> kHigh
    = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
       0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
       0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr std::array<char16_t, 256> kChars = [] {
    std::array<char16_t, 256> chars = {};
    for (size_t byte = 0; byte < chars.size(); ++byte)
        chars[byte] = byte >= 0x80 && byte <= 0x9F ? kHigh[byte - 0x80] : char16_t(byte);
    return chars;
}();
} // namespace

namespace Codec1252 {

QChar toChar(unsigned char byte)
{
    return QChar(kChars[byte]);
}

void decodeTo(QByteArrayView bytes, QChar *out)
{
    const auto *in = reinterpret_cast<const unsigned char *>(bytes.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(kChars[in[i]]);
}

QString decode(const char *bytes, qsizetype size)
{
    QString text(size, Qt::Uninitialized);
    decodeTo(QByteArrayView(bytes, size), text.data());
    return text;
}

QString decode(const QByteArray &bytes)
{
    return decode(bytes.constData(), bytes.size());
}

std::optional<unsigned char> toByte(QChar ch)
{
    const char16_t u = ch.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<unsigned char>(u);
    for (size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == u)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

QByteArray encode(const QString &text)
{
    QByteArray bytes;
    for (QChar ch : text)
        bytes.append(static_cast<char>(toByte(ch).value_or('?')));
    return bytes;
}

} // namespace Codec1252
