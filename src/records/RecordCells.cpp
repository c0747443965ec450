#include "records/RecordCells.h"

#include "platform/Grid.h"
#include "settings/NumberText.h"
#include "settings/Settings.h"
#include "settings/TextTable.h"

#include <QLocale>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {
constexpr int kLongestDigitRun = 9; // fits an int with room to spare

bool isAsciiDigit(QChar ch)
{
    return ch >= u'0' && ch <= u'9';
}

// "123" or "-45": the form every number the program writes has.
std::optional<int> plainInteger(QStringView text)
{
    const bool negative = text.startsWith(u'-');
    const QStringView digits = negative ? text.mid(1) : text;
    if (digits.isEmpty() || digits.size() > kLongestDigitRun)
        return std::nullopt;
    int value = 0;
    for (QChar ch : digits) {
        if (!isAsciiDigit(ch))
            return std::nullopt;
        value = value * 10 + (ch.unicode() - u'0');
    }
    return negative ? -value : value;
}

void appendDigits(QVarLengthArray<QChar, 32> &text, int value)
{
    const qsizetype start = text.size();
    do {
        text.append(QChar(u'0' + value % 10));
        value /= 10;
    } while (value > 0);
    std::reverse(text.begin() + start, text.end());
}

// Staff and medicine numbers; anything unusual goes through the program's whole-number rule.
std::optional<int> wholeNumber(QStringView text)
{
    if (const auto plain = plainInteger(text); plain && std::abs(*plain) <= 32767)
        return plain;
    return NumberText::wholeNumber16(text);
}

// The name at `index` of a settings list; empty outside it.
template<size_t N> QStringView nameAt(const std::array<QString, N> &names, int index)
{
    if (index < 0 || size_t(index) >= N)
        return {};
    return names[size_t(index)];
}
} // namespace

RecordCells::RecordCells(const Settings &settings, const TextTable &texts)
    : m_settings(settings), m_texts(texts), m_decimalPoint(QLocale().decimalPoint())
{ }

QStringView RecordCells::staffName(QStringView field) const
{
    // Staff numbers start at 0 on the terminals, as the list does.
    const auto number = wholeNumber(field);
    if (!number)
        return {};
    return nameAt(m_settings.staff, *number);
}

QStringView RecordCells::medicineName(QStringView field) const
{
    // A field that is no number at all (an empty line, say) shows nothing.
    const auto number = wholeNumber(field);
    if (!number)
        return {};
    // Medicine numbers start at 1; 0 and below mean none given.
    if (*number > 0)
        return nameAt(m_settings.medicine, *number - 1);
    return m_texts.text(Txt::No);
}

// The field divided by `divisor` with one decimal ("##0.0"), then `unit`; empty when the
// field is not a number.
QStringView RecordCells::oneDecimal(QStringView field, int divisor, QStringView unit, Scratch &scratch) const
{
    if (const auto value = plainInteger(field)) {
        const bool negative = *value < 0;
        const int magnitude = std::abs(*value);
        const int whole = magnitude / divisor;
        const int tenths = (magnitude % divisor) * (10 / divisor);
        QVarLengthArray<QChar, 32> text;
        if (negative)
            text.append(u'-');
        appendDigits(text, whole);
        text.append(m_decimalPoint.constData(), m_decimalPoint.size());
        text.append(QChar(u'0' + tenths));
        text.append(unit.data(), unit.size());
        if (size_t(text.size()) <= scratch.chars.size()) {
            std::copy(text.begin(), text.end(), scratch.chars.begin());
            return QStringView(scratch.chars.data(), text.size());
        }
        scratch.spill = QString(text.constData(), text.size());
        return scratch.spill;
    }
    bool ok = false;
    const double value = QLocale::c().toDouble(field.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return {};
    scratch.spill = QString::number(value / divisor, 'f', 1);
    scratch.spill.replace(u'.', m_decimalPoint);
    scratch.spill += unit;
    return scratch.spill;
}

QStringView RecordCells::cell(LogField field, QStringView text, Scratch &scratch) const
{
    switch (field) {
    case LogField::Person:
        return staffName(text);
    case LogField::BirthAssist:
        if (text == u"0")
            return m_texts.text(Txt::No);
        if (text == u"1")
            return m_texts.text(Txt::Yes);
        return {};
    case LogField::Medication:
        return medicineName(text);
    case LogField::Dose:
        return oneDecimal(text, 2, u" ml", scratch);
    case LogField::Temperature:
        return oneDecimal(text, 10, {}, scratch);
    default:
        return text;
    }
}

QString RecordCells::cellText(LogField field, QStringView text) const
{
    Scratch scratch;
    return cell(field, text, scratch).toString();
}

void RecordCells::fillRow(Grid &grid, int row, const LogFieldViews &fields) const
{
    Scratch doseScratch;
    Scratch temperatureScratch;
    std::array<QStringView, kLogFieldCount> cells;
    for (int f = 0; f < kLogFieldCount; ++f) {
        const auto field = LogField(f);
        cells[size_t(f)] = cell(field, fields[size_t(f)],
                                field == LogField::Temperature ? temperatureScratch : doseScratch);
    }

    grid.setTexts(row, gridColumn(LogField::DateTime), cells);
}
