#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The Windows-1252 code page of the log, setup and language files and of the serial line.
// Bytes the code page leaves undefined map to the control character of the same number, so
// every byte survives a round trip.
namespace Codec1252 {
QString decode(const QByteArray &bytes);
QString decode(const char *bytes, qsizetype size);
QChar toChar(unsigned char byte);
// Writes the characters of `bytes` to `out`, which has room for as many.
void decodeTo(QByteArrayView bytes, QChar *out);
// The byte of one character, or nothing when it has none in the code page.
std::optional<unsigned char> toByte(QChar ch);
// Characters without a byte become '?'.
QByteArray encode(const QString &text);
} // namespace Codec1252
