#include "TerminalRecord.h"

#include "protocol/RecordFields.h"

#include <QByteArrayList>

namespace {
QByteArray twoDigits(int value)
{
    return QByteArray::number(value).rightJustified(2, '0');
}
} // namespace

void TerminalRecord::setRemaining(int count)
{
    set(Byte::CountHigh, (count >> 8) & 0xFF);
    set(Byte::CountLow, count & 0xFF);
}

void TerminalRecord::setTemperature(int tenths)
{
    set(Byte::TemperatureHigh, (tenths >> 8) & 0xFF);
    set(Byte::TemperatureLow, tenths & 0xFF);
}

QByteArray TerminalRecord::sow() const
{
    const int start = int(Byte::SowFirst);
    return QByteArray(reinterpret_cast<const char *>(bytes.data()) + start, kSowLength);
}

void TerminalRecord::setSow(const QByteArray &id)
{
    for (int i = 0; i < kSowLength; ++i)
        bytes[std::size_t(int(Byte::SowFirst) + i)] = i < id.size() ? std::uint8_t(id[i]) : std::uint8_t(' ');
}

QString TerminalRecord::dateTimeText() const
{
    return QString::fromLatin1(QByteArray::number(2000 + at(Byte::Year)) + '-' + twoDigits(at(Byte::Month))
                               + '-' + twoDigits(at(Byte::Day)) + ' ' + twoDigits(at(Byte::Hour)) + ':'
                               + twoDigits(at(Byte::Minute)));
}

QByteArray TerminalRecord::logLine() const
{
    // The program's own record-to-line code: the log check cannot disagree with what it writes.
    QByteArray line = RecordFields::logLine(RecordFields::fromRecord(RecordFields::RecordBytes(bytes)));
    line.chop(2); // without its CR LF
    return line;
}

QString TerminalRecord::describe() const
{
    return QStringLiteral("%1 %2 alive %3")
        .arg(QString::fromLatin1(sow()).trimmed(), dateTimeText())
        .arg(at(Byte::Alive));
}

QString TerminalRecord::toHex() const
{
    const QByteArray raw(reinterpret_cast<const char *>(bytes.data()), kSize);
    return QString::fromLatin1(raw.toHex(' ').toUpper());
}

std::optional<TerminalRecord> TerminalRecord::fromHex(const QString &text)
{
    QString digits = text;
    digits.remove(QLatin1Char(' ')).remove(QLatin1Char('\t'));
    if (digits.size() != 2 * kSize)
        return std::nullopt;
    TerminalRecord record;
    for (int i = 0; i < kSize; ++i) {
        bool ok = false;
        const int value = digits.mid(2 * i, 2).toInt(&ok, 16);
        // toInt accepts a sign; a pair of hex digits never has one.
        if (!ok || digits[2 * i] == QLatin1Char('+') || digits[2 * i] == QLatin1Char('-'))
            return std::nullopt;
        record.bytes[std::size_t(i)] = std::uint8_t(value);
    }
    return record;
}
