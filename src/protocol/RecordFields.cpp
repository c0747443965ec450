#include "protocol/RecordFields.h"

#include <QDate>

#include "platform/Codec1252.h"

namespace RecordFields {

namespace {
int byteAt(RecordBytes bytes, RecordByte at)
{
    return bytes[size_t(at)];
}

QString number(RecordBytes bytes, RecordByte at)
{
    return QString::number(byteAt(bytes, at));
}

// At least two digits, as month, day, hour and minute are written.
QString twoDigits(RecordBytes bytes, RecordByte at)
{
    return QStringLiteral("%1").arg(byteAt(bytes, at), 2, 10, QLatin1Char('0'));
}

QString dateTime(RecordBytes bytes)
{
    return QString::number(2000 + byteAt(bytes, RecordByte::Year)) + u'-'
        + twoDigits(bytes, RecordByte::Month) + u'-' + twoDigits(bytes, RecordByte::Day) + u' '
        + twoDigits(bytes, RecordByte::Hour) + u':' + twoDigits(bytes, RecordByte::Minute);
}

// A TAB, CR or LF would split or shift the line's fields when it is read back, and a double
// quote in front would cost the field its first and last character; the sow keeps its ten
// characters with a blank in their place.
QString sow(RecordBytes bytes)
{
    QString text(kSowLength, Qt::Uninitialized);
    for (int i = 0; i < kSowLength; ++i) {
        const std::uint8_t b = bytes[size_t(RecordByte::SowFirst) + size_t(i)];
        const bool breaksLine = b == '\t' || b == '\r' || b == '\n' || (i == 0 && b == '"');
        text[i] = breaksLine ? QChar(u' ') : Codec1252::toChar(b);
    }
    return text;
}

// Kept: of the two bytes (high first), a high byte of 128 or more is taken as 0, not as a
// negative temperature, because the terminals' figures have always gone through signed
// arithmetic that rejects it.
int temperature(RecordBytes bytes)
{
    const int high = byteAt(bytes, RecordByte::TemperatureHigh);
    return high >= 128 ? 0 : high * 256 + byteAt(bytes, RecordByte::TemperatureLow);
}
} // namespace

bool isAcceptedType(RecordBytes bytes)
{
    const int type = byteAt(bytes, RecordByte::Type);
    return type >= 1 && type <= 3;
}

std::optional<int> recordsLeft(RecordBytes bytes)
{
    const int high = byteAt(bytes, RecordByte::CountHigh);
    if (high >= 128)
        return std::nullopt;
    return high * 256 + byteAt(bytes, RecordByte::CountLow);
}

QDate recordDay(RecordBytes bytes)
{
    return QDate(2000 + byteAt(bytes, RecordByte::Year), byteAt(bytes, RecordByte::Month),
                 byteAt(bytes, RecordByte::Day));
}

FieldTexts fromRecord(RecordBytes bytes)
{
    FieldTexts texts;
    auto set = [&texts](LogField field, QString text) { texts[size_t(field)] = std::move(text); };
    set(LogField::DateTime, dateTime(bytes));
    set(LogField::Person, number(bytes, RecordByte::Staff));
    set(LogField::Sow, sow(bytes));
    set(LogField::Alive, number(bytes, RecordByte::Alive));
    set(LogField::Still, number(bytes, RecordByte::Still));
    set(LogField::Mumi, number(bytes, RecordByte::Mumi));
    set(LogField::Weak, number(bytes, RecordByte::Weak));
    set(LogField::BirthAssist, number(bytes, RecordByte::BirthAssist));
    set(LogField::Medication, number(bytes, RecordByte::Medication));
    set(LogField::Dose, number(bytes, RecordByte::Dose));
    set(LogField::Temperature, QString::number(temperature(bytes)));
    set(LogField::Female, number(bytes, RecordByte::Female));
    set(LogField::ReactionTime, number(bytes, RecordByte::ReactionTime));
    return texts;
}

LogFieldViews views(const FieldTexts &texts)
{
    LogFieldViews result;
    for (size_t i = 0; i < result.size(); ++i)
        result[i] = texts[i];
    return result;
}

QByteArray logLine(const FieldTexts &texts)
{
    QString line;
    for (size_t i = 0; i < texts.size(); ++i) {
        if (i > 0)
            line += u'\t';
        line += texts[i];
    }
    line += QStringLiteral("\r\n");
    return Codec1252::encode(line);
}

} // namespace RecordFields
