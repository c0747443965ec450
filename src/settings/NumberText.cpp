#include "settings/NumberText.h"

#include <QLocale>
#include <QString>

#include <cmath>
#include <limits>

namespace NumberText {

long long roundHalfEven(double value)
{
    // A text can hold a number far beyond any whole-number type: such a number saturates.
    if (std::isnan(value))
        return 0;
    const double rounded = std::nearbyint(value); // default rounding mode: to nearest even
    constexpr double kTwoTo63 = 9223372036854775808.0;
    if (rounded >= kTwoTo63)
        return std::numeric_limits<long long>::max();
    if (rounded < -kTwoTo63)
        return std::numeric_limits<long long>::min();
    return static_cast<long long>(rounded);
}

std::optional<int> wholeNumber16(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const long long whole = roundHalfEven(value);
    if (whole < -32768 || whole > 32767)
        return std::nullopt;
    return int(whole);
}

double leadingNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        ++i;
    bool digits = false;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128) {
        ++i;
        digits = true;
    }
    if (i < text.size() && text[i] == u'.') {
        ++i;
        while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128) {
            ++i;
            digits = true;
        }
    }
    if (!digits)
        return 0;
    return QLocale::c().toDouble(text.mid(start, i - start)); // 0 when it is no number
}

} // namespace NumberText
