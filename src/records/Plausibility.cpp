#include "records/Plausibility.h"

#include "platform/Grid.h"

#include <QVarLengthArray>

#include <cstdlib>

namespace {
constexpr int kLargestLitter = 25;

constexpr qsizetype kPlainDigits = 9; // fits an int

// Digits with an optional minus, as the program writes every number, are read here; the rest
// (a blank around it, a plus, more digits) is left to Qt's rules.
std::optional<int> readInt(QStringView text)
{
    const bool negative = text.startsWith(u'-');
    const QStringView digits = text.sliced(negative ? 1 : 0);
    bool plain = !digits.isEmpty() && digits.size() <= kPlainDigits;
    int value = 0;
    for (qsizetype i = 0; plain && i < digits.size(); ++i) {
        const char16_t ch = digits[i].unicode();
        plain = ch >= u'0' && ch <= u'9';
        value = value * 10 + (ch - u'0');
    }
    if (plain)
        return negative ? -value : value;
    bool ok = false;
    value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<int> number(const Grid &grid, int row, LogField field)
{
    return readInt(grid.textView(row, gridColumn(field)));
}

// A record's stamp as the terminals' records and the log always write it.
bool isDateTime(QStringView text)
{
    constexpr QStringView shape = u"0000-00-00 00:00"; // 0 stands for any digit
    if (text.size() != shape.size())
        return false;
    for (qsizetype i = 0; i < shape.size(); ++i) {
        const bool digit = text[i] >= u'0' && text[i] <= u'9';
        if (shape[i] == u'0' ? !digit : text[i] != shape[i])
            return false;
    }
    return true;
}

// The temperature cell has exactly one decimal, so its digits are the tenths.
std::optional<int> tenths(QStringView cell)
{
    QVarLengthArray<QChar, 16> digits;
    for (QChar ch : cell)
        if ((ch >= u'0' && ch <= u'9') || (ch == u'-' && digits.isEmpty()))
            digits.append(ch);
    const auto value = readInt(QStringView(digits.constData(), digits.size()));
    return value && *value != 0 ? value : std::nullopt;
}
} // namespace

bool Plausibility::isRecordRow(const Grid &grid, int row)
{
    for (int f = 0; f < kLogFieldCount; ++f)
        if (!grid.textView(row, gridColumn(LogField(f))).isEmpty())
            return true;
    return false;
}

LitterValues Plausibility::read(const Grid &grid, int row, QStringView yes)
{
    LitterValues v;
    const QStringView when = grid.textView(row, gridColumn(LogField::DateTime));
    if (isDateTime(when))
        v.when = when;
    v.alive = number(grid, row, LogField::Alive);
    v.still = number(grid, row, LogField::Still);
    v.mumi = number(grid, row, LogField::Mumi);
    v.weak = number(grid, row, LogField::Weak);
    v.female = number(grid, row, LogField::Female);
    v.birthHelp = !yes.isEmpty() && grid.textView(row, gridColumn(LogField::BirthAssist)) == yes;
    v.temperatureTenths = tenths(grid.textView(row, gridColumn(LogField::Temperature)));
    return v;
}

std::pair<int, int> Plausibility::temperatureRange(TemperatureUnit unit)
{
    // 36.0 to 42.0 degrees Celsius.
    if (unit == TemperatureUnit::Fahrenheit)
        return {968, 1076};
    return {360, 420};
}

std::vector<Flag> Plausibility::check(const LitterValues &v, TemperatureUnit unit, QStringView now)
{
    std::vector<Flag> flags;
    if (!v.when.isEmpty() && v.when.compare(now) > 0)
        flags.push_back({LogField::DateTime, Txt::FlagFuture});
    if (v.alive && v.still && v.mumi && *v.alive == 0 && *v.still == 0 && *v.mumi == 0)
        flags.push_back({LogField::Alive, Txt::FlagNoPiglets});
    if (v.alive && *v.alive > kLargestLitter)
        flags.push_back({LogField::Alive, Txt::FlagLargeLitter});
    if (v.alive && v.weak && *v.weak > *v.alive)
        flags.push_back({LogField::Weak, Txt::FlagWeak});
    const auto [low, high] = temperatureRange(unit);
    if (v.temperatureTenths && (*v.temperatureTenths < low || *v.temperatureTenths > high))
        flags.push_back({LogField::Temperature, Txt::FlagTemperature});
    if (v.alive && v.female && *v.female > *v.alive)
        flags.push_back({LogField::Female, Txt::FlagFemales});
    return flags;
}

QString Plausibility::unitText(TemperatureUnit unit)
{
    return unit == TemperatureUnit::Fahrenheit ? QStringLiteral("\u00b0F") : QStringLiteral("\u00b0C");
}

QString Plausibility::tenthsText(long long tenths, QStringView decimalPoint)
{
    const QString sign = tenths < 0 ? QStringLiteral("-") : QString();
    const long long magnitude = std::llabs(tenths);
    return sign + QString::number(magnitude / 10) + decimalPoint.toString() + QString::number(magnitude % 10);
}

QString Plausibility::reasonText(const Flag &flag, const TextTable &texts, TemperatureUnit unit,
                                 QStringView decimalPoint)
{
    if (flag.reason != Txt::FlagTemperature)
        return texts.text(flag.reason);
    const auto [low, high] = temperatureRange(unit);
    return fillIn(texts.text(flag.reason),
                  tenthsText(low, decimalPoint) + u'-' + tenthsText(high, decimalPoint) + u' '
                      + unitText(unit));
}

QString Plausibility::fillIn(const QString &text, const QString &first, const QString &second)
{
    const bool two = !second.isEmpty();
    if (!text.contains(QStringLiteral("%1")) || (two && !text.contains(QStringLiteral("%2"))))
        return QStringList{text, first, second}.join(u' ').trimmed();
    return two ? text.arg(first, second) : text.arg(first);
}
