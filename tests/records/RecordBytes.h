#pragma once

#include "link/PacketHandler.h"
#include "records/RecordFields.h"

#include <QByteArray>

#include <initializer_list>
#include <utility>

// A typical record from a terminal (2 more to come, type 1, 2024-03-07 09:05, staff 2, sow
// "DK1234" with blank fill, 38.5 degrees ...), with the given bytes changed.
inline RecordData makeRecord(std::initializer_list<std::pair<RecordFields::RecordByte, int>> changes = {},
                             const QByteArray &sow = QByteArrayLiteral("DK1234    "))
{
    using B = RecordFields::RecordByte;
    RecordData data{};
    auto set = [&data](B at, int value) { data[size_t(at)] = std::uint8_t(value); };
    set(B::CountHigh, 0);
    set(B::CountLow, 2);
    set(B::Type, 1);
    set(B::Year, 24);
    set(B::Month, 3);
    set(B::Day, 7);
    set(B::Hour, 9);
    set(B::Minute, 5);
    set(B::Staff, 2);
    set(B::ReactionTime, 12);
    set(B::Alive, 11);
    set(B::Still, 1);
    set(B::Mumi, 0);
    set(B::Weak, 2);
    set(B::Female, 6);
    set(B::BirthAssist, 0);
    set(B::Medication, 3);
    set(B::Dose, 7);
    set(B::TemperatureHigh, 1);
    set(B::TemperatureLow, 129);
    for (int i = 0; i < RecordFields::kSowLength; ++i)
        data[size_t(B::SowFirst) + size_t(i)] = std::uint8_t(i < sow.size() ? sow[i] : ' ');
    for (const auto &[at, value] : changes)
        set(at, value);
    return data;
}

inline RecordFields::RecordBytes recordBytes(const RecordData &data)
{
    return RecordFields::RecordBytes(data.data(), RecordFields::kRecordBytes);
}
