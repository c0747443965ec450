#pragma once

#include "protocol/Frames.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <array>
#include <optional>

// What the PC last broadcast to every terminal (address 255): clock, staff and medicine names,
// intervals, duration and temperature choice. All terminals on the line hear the same.
class BroadcastState
{
public:
    static constexpr int kStaffEntries = 20;
    static constexpr int kMedicineEntries = 10;
    static constexpr int kNameLength = 20;

    // Keeps the item a broadcast packet carries; a description of it when it was one, nothing
    // for any other packet. A malformed item (wrong length, entry out of range) is counted, not kept.
    std::optional<QString> apply(const Packet::FaFrame &packet);
    std::optional<QString> apply(const Packet::FcFrame &packet);

    std::optional<std::array<std::uint8_t, 5>> clock; // year - 2000, month, day, hour, minute
    std::array<std::optional<QByteArray>, kStaffEntries> staff;
    std::array<std::optional<QByteArray>, kMedicineEntries> medicine;
    std::optional<int> temperatureChoice; // the 16-bit word as sent: 255 when none is selected
    std::optional<int> interval1; // minutes
    std::optional<int> duration1;
    std::optional<int> interval2;
    int itemsReceived = 0;
    int malformed = 0;

    static QString clockText(const std::array<std::uint8_t, 5> &bytes);
    // Names as the terminal would show them (Windows-1252), fill blanks kept.
    static QString nameText(const QByteArray &bytes);

    QString toText() const;
    QJsonObject toJson() const;
};
