#pragma once

#include "protocol/LogField.h"

#include <QString>
#include <QStringView>

#include <array>

class Grid;
class TextTable;
struct Settings;

// How the record grid shows a record's log fields: the staff and medicine names of the
// settings in use, yes/no texts, doses in ml and temperatures with one decimal.
// Received and loaded records both go through here, so a record looks the same either way.
class RecordCells
{
public:
    // Takes the decimal separator of the present default locale.
    RecordCells(const Settings &settings, const TextTable &texts);

    // Room for a cell text that is made rather than found in the field or a held text.
    struct Scratch
    {
        std::array<QChar, 40> chars;
        QString spill;
    };

    // The cell text of one field. The view points into `text`, the held lists and texts, or
    // `scratch`; it stays valid while they do.
    QStringView cell(LogField field, QStringView text, Scratch &scratch) const;
    QString cellText(LogField field, QStringView text) const;
    // The name of staff number n (the settings' n + 1st); empty without such a name.
    QStringView staffName(QStringView field) const;

    // Writes the cells of columns 1 to 13 of `row`.
    void fillRow(Grid &grid, int row, const LogFieldViews &fields) const;

private:
    QStringView medicineName(QStringView field) const;
    QStringView oneDecimal(QStringView field, int divisor, QStringView unit, Scratch &scratch) const;

    const Settings &m_settings;
    const TextTable &m_texts;
    QString m_decimalPoint;
};
