#pragma once

#include "protocol/RecordLayout.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// One farrowing record as a hand terminal holds it: the 30 data bytes of a record packet.
struct TerminalRecord
{
    using Byte = RecordLayout::RecordByte;
    static constexpr int kSize = RecordLayout::kRecordBytes;
    static constexpr int kSowLength = RecordLayout::kSowLength;

    std::array<std::uint8_t, kSize> bytes{};

    std::uint8_t at(Byte b) const { return bytes[std::size_t(b)]; }
    void set(Byte b, int value) { bytes[std::size_t(b)] = std::uint8_t(value); }

    int remaining() const { return at(Byte::CountHigh) * 256 + at(Byte::CountLow); }
    void setRemaining(int count);
    int temperature() const { return at(Byte::TemperatureHigh) * 256 + at(Byte::TemperatureLow); }
    void setTemperature(int tenths);
    QByteArray sow() const;
    void setSow(const QByteArray &id); // padded with blanks, cut after 10 characters

    // The record line the program writes to its daily log, without the line end, as bytes
    // of the log file. TAB, CR and LF in the sow id are stored as blanks so a line never
    // splits; a temperature that does not fit 16 signed bits is stored as 0.
    QByteArray logLine() const;
    // "2024-03-07 14:05" as the record carries it.
    QString dateTimeText() const;
    // A short description for progress lines.
    QString describe() const;

    // Upper-case hex pairs separated by blanks.
    QString toHex() const;
    // 30 hex pairs, blanks between pairs optional; nothing when the text is not that.
    static std::optional<TerminalRecord> fromHex(const QString &text);

    bool operator==(const TerminalRecord &) const = default;
};
