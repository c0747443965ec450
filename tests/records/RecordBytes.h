#pragma once

#include "link/PacketHandler.h"
#include "protocol/RecordFields.h"

#include <QByteArray>

#include <algorithm>
#include <initializer_list>
#include <utility>

// A typical record from a terminal, every figure different so that a byte read for another
// shows: 2 more to come, type 1, 2024-03-07 09:05, staff 2, reaction time 12, 11 alive,
// 5 still, 0 mumi, 4 weak, 6 female, birth assist yes, medicine 3, dose 7, 38.5 degrees, sow
// "DK1234". `changes` set single bytes; the sow is filled with blanks.
inline RecordData makeRecord(std::initializer_list<std::pair<RecordFields::RecordByte, int>> changes = {},
                             const QByteArray &sow = QByteArrayLiteral("DK1234"))
{
    RecordData data{0, 2, 1, 24, 3, 7, 9, 5, 2, 12, 11, 5, 0, 4, 6, 1, 3, 7, 1, 129};
    const QByteArray filled = sow.leftJustified(RecordFields::kSowLength, ' ', true);
    std::copy(filled.begin(), filled.end(), data.begin() + int(RecordFields::RecordByte::SowFirst));
    for (const auto &[at, value] : changes)
        data[size_t(at)] = std::uint8_t(value);
    return data;
}
